#include "test_support.h"

#include "message_sink.h"
#include "private_environment.h"
#include "runtime.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string& RootFolder()
{
    static std::string root;
    return root;
}

} // namespace

const std::string& TestRootFolder()
{
    return RootFolder();
}

int main(int argc, char** argv)
{
    RootFolder() = MakePrivateEnvironment("varno-test");
    testing::InitGoogleTest(&argc, argv);
    InstallQuietOffscreenNotes();
    int status = 0;
    {
        Runtime runtime(argc, argv, "Varno", VARNO_SHORT_VERSION);
        InstallRecordingMessageSink();
        status = RUN_ALL_TESTS();
        SetMessageSink(nullptr);
    }
    std::error_code ignored;
    fs::remove_all(RootFolder(), ignored);
    return status;
}
