#include "private_environment.h"
#include "runtime.h"
#include "window.h"

#include <QStandardPaths>
#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>
#include <pwd.h>
#include <unistd.h>

// The runtime's start and end, which the shared test main cannot show: every
// test there runs inside one runtime. This executable makes its own.

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

// Without XDG_RUNTIME_DIR, Qt makes a runtime folder of its own in the
// temporary folder while the runtime starts (whatever the platform). A TMPDIR
// relative to the folder the program was started from must not put it there,
// nor one that names nothing put it at the root; nor may the programs Varno
// starts inherit such a TMPDIR.
TEST(RuntimeStart, AnUnusableTmpdirIsReplacedBeforeQtMakesItsFolderThere)
{
    namespace fs = std::filesystem;
    const std::string savedTemporary = std::getenv("TMPDIR");
    const std::string savedRuntime = std::getenv("XDG_RUNTIME_DIR");
    const fs::path startedIn = fs::current_path();
    std::string here = savedTemporary + "/started-here-XXXXXX";
    ASSERT_NE(::mkdtemp(here.data()), nullptr);
    fs::create_directory(here + "/relative");
    fs::current_path(here);
    unsetenv("XDG_RUNTIME_DIR");
    // Qt's own folder lies in the system's shared temporary folder (or, were
    // the fault back, at the root): what the test makes there goes again.
    const passwd* user = ::getpwuid(::geteuid());
    ASSERT_NE(user, nullptr);
    const std::string qtFolderName = std::string("runtime-") + user->pw_name;
    std::vector<std::string> qtFoldersMade;
    for (const std::string& place : { "/tmp/" + qtFolderName, "/" + qtFolderName }) {
        if (!fs::exists(place))
            qtFoldersMade.push_back(place);
    }
    // A usable TMPDIR is left as it was given.
    const std::string usable = savedTemporary + "/";
    const struct {
        std::string given;
        std::string settled;
        std::string qtFolderIn;
    } cases[] = {
        { "relative", "/tmp", "/tmp" },
        { "missing", "/tmp", "/tmp" },
        { "/missing", "/tmp", "/tmp" },
        { usable, usable, fs::canonical(savedTemporary).string() },
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.given);
        setenv("TMPDIR", each.given.c_str(), 1);
        int argc = 1;
        char name[] = "runtime_end_test";
        char* argv[] = { name, nullptr };
        Runtime runtime(argc, argv, "Varno", "test");
        EXPECT_EQ(std::getenv("TMPDIR"), each.settled);
        const std::string folder
            = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation).toStdString();
        EXPECT_EQ(fs::path(folder).parent_path().string(), each.qtFolderIn);
    }
    EXPECT_TRUE(fs::is_empty(here + "/relative"));
    EXPECT_EQ(std::distance(fs::directory_iterator(here), fs::directory_iterator()), 1);
    fs::current_path(startedIn);
    setenv("TMPDIR", savedTemporary.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1);
    std::error_code ignored;
    for (const std::string& place : qtFoldersMade)
        fs::remove(place, ignored);
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
