#include "private_environment.h"
#include "runtime.h"
#include "window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// The runtime's end, which the shared test main cannot show: every test there
// runs inside one runtime. This executable makes its own.

namespace {

int destroyedWindows = 0;

class CountedWindow final : public Window {
public:
    ~CountedWindow() override { ++destroyedWindows; }
};

} // namespace

// Closing the last window quits, so the program's runtime ends right after a
// window was closed and before the event loop came round to delete it.
TEST(RuntimeEnd, WindowClosedJustBeforeTheEndIsDeletedAndTheEndReturns)
{
    {
        int argc = 1;
        char name[] = "runtime_end_test";
        char* argv[] = { name, nullptr };
        Runtime runtime(argc, argv, "Varno", "test");
        Window::Create<CountedWindow>().Close();
        ASSERT_TRUE(Window::OpenWindows().empty());
        EXPECT_EQ(destroyedWindows, 0) << "deleted only once the event loop runs";
    }
    EXPECT_EQ(destroyedWindows, 1);
    EXPECT_FALSE(Runtime::Exists());
}

int main(int argc, char** argv)
{
    const std::string root = MakePrivateEnvironment("varno-runtime-end");
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return status;
}
