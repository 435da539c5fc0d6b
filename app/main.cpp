#include "runtime.h"
#include "startup.h"

int main(int argc, char** argv)
{
    Runtime runtime(argc, argv, "Varno", VARNO_SHORT_VERSION);
    return _Main();
}
