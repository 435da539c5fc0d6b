#include "fixed_array.h"

void ThrowIndexOutside(Integer index, Integer upper)
{
    throw OutOfBoundsException(
        "index " + std::to_string(index) + " outside 0.." + std::to_string(upper));
}

void ThrowIndexOutside(Integer i, Integer j, Integer upper1, Integer upper2)
{
    throw OutOfBoundsException("index (" + std::to_string(i) + ", " + std::to_string(j)
        + ") outside (0.." + std::to_string(upper1) + ", 0.." + std::to_string(upper2) + ")");
}
