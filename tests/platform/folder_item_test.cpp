#include "folder_item.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(FolderItem, ChildAndParentWalkThePath)
{
    const std::string folder = MakeTempFolder("items");
    FolderItem item(folder);
    Ref<FolderItem> child = item.Child("a file.txt");
    ASSERT_TRUE(child);
    EXPECT_EQ(child->NativePath(), folder + "/a file.txt");
    EXPECT_EQ(child->Name(), "a file.txt");
    EXPECT_EQ(child->Parent()->NativePath(), folder);
    EXPECT_EQ(FolderItem(folder + "/").Name(), fs::path(folder).filename().string());
}

TEST(FolderItem, RootHasNoParent)
{
    EXPECT_FALSE(FolderItem("/").Parent());
    EXPECT_EQ(FolderItem("/usr").Parent()->NativePath(), "/");
    EXPECT_EQ(FolderItem("/").Child("usr")->NativePath(), "/usr");
}

TEST(FolderItem, AnExistingFileHasNoChildren)
{
    const std::string folder = MakeTempFolder("items");
    WriteFileBytes(folder + "/plain", "x");
    EXPECT_FALSE(FolderItem(folder + "/plain").Child("inside"));
}

TEST(FolderItem, AMissingFolderStillYieldsMissingChildren)
{
    const std::string missing = MakeTempFolder("items") + "/not-yet";
    Ref<FolderItem> child = FolderItem(missing).Child("Resources");
    ASSERT_TRUE(child);
    EXPECT_FALSE(child->Exists());
}

TEST(FolderItem, ExistsDirectoryAndLength)
{
    const std::string folder = MakeTempFolder("items");
    WriteFileBytes(folder + "/five", "12345");
    EXPECT_TRUE(FolderItem(folder).Exists());
    EXPECT_TRUE(FolderItem(folder).Directory());
    EXPECT_TRUE(FolderItem(folder + "/five").Exists());
    EXPECT_FALSE(FolderItem(folder + "/five").Directory());
    EXPECT_EQ(FolderItem(folder + "/five").Length(), 5);
    EXPECT_FALSE(FolderItem(folder + "/none").Exists());
    EXPECT_EQ(FolderItem(folder + "/none").Length(), 0);
}

TEST(FolderItem, DeleteRemovesFilesAndEmptyFoldersOnly)
{
    const std::string folder = MakeTempFolder("items");
    WriteFileBytes(folder + "/gone", "x");
    FolderItem file(folder + "/gone");
    EXPECT_TRUE(file.Delete());
    EXPECT_FALSE(file.Exists());
    EXPECT_TRUE(file.Delete()); // nothing was left behind

    WriteFileBytes(folder + "/full/inner", "x");
    FolderItem full(folder + "/full");
    EXPECT_FALSE(full.Delete());
    EXPECT_TRUE(full.Exists());
}

TEST(FolderItem, RelativePathsResolveAgainstTheCurrentFolder)
{
    const std::string folder = MakeTempFolder("items");
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    WriteFileBytes(folder + "/here.txt", "x");
    Ref<FolderItem> item = GetFolderItem("here.txt");
    Ref<FolderItem> nested = GetFolderItem("sub/there.txt");
    fs::current_path(previous);
    EXPECT_EQ(item->NativePath(), fs::canonical(folder).string() + "/here.txt");
    EXPECT_TRUE(item->Exists());
    EXPECT_EQ(nested->Parent()->Name(), "sub");
}

TEST(SpecialFolder, PreferencesIsTheXdgConfigFolderCreatedWhenMissing)
{
    const std::string saved = std::getenv("XDG_CONFIG_HOME");
    const std::string wanted = MakeTempFolder("prefs") + "/config-home";
    setenv("XDG_CONFIG_HOME", wanted.c_str(), 1);
    Ref<FolderItem> preferences = SpecialFolder::Preferences();
    EXPECT_EQ(preferences->NativePath(), wanted);
    EXPECT_TRUE(preferences->Directory());

    unsetenv("XDG_CONFIG_HOME");
    const std::string home = std::getenv("HOME");
    EXPECT_EQ(SpecialFolder::Preferences()->NativePath(), home + "/.config");
    // A home with a trailing separator, or none at all, never gives "//.config":
    // without HOME the user database names the home. Only root can try that
    // without touching its own real home, as a user whose home it cannot write.
    setenv("HOME", (home + "/").c_str(), 1);
    EXPECT_EQ(SpecialFolder::Preferences()->NativePath(), home + "/.config");
    if (::geteuid() == 0) {
        const pid_t child = ::fork();
        if (child == 0) {
            unsetenv("HOME");
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(2);
            const passwd* user = ::getpwuid(65534);
            const std::string wanted
                = user != nullptr ? user->pw_dir + std::string("/.config") : "";
            ::_exit(SpecialFolder::Preferences()->NativePath() == wanted ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

TEST(SpecialFolder, TemporaryIsTheProcessTemporaryFolder)
{
    Ref<FolderItem> temporary = SpecialFolder::Temporary();
    EXPECT_EQ(temporary->NativePath(), fs::path(std::getenv("TMPDIR")).string());
    EXPECT_TRUE(temporary->Directory());
}

// A TMPDIR that names no folder (nothing, or a file), or names one relative to
// wherever the program was started, gives the system's temporary folder, never
// the current folder; the private folder is made there too, and nowhere else.
TEST(SpecialFolder, TemporaryWithAnUnusableTmpdirIsTheSystemsOwn)
{
    const std::string saved = std::getenv("TMPDIR");
    const std::string savedRuntime = std::getenv("XDG_RUNTIME_DIR");
    unsetenv("XDG_RUNTIME_DIR");
    // The system's folder is shared: what the test makes there goes again.
    const std::string usualPrivate = "/tmp/varno-" + std::to_string(::getuid());
    const bool privateExisted = fs::exists(usualPrivate);
    const fs::path startedIn = fs::current_path();
    const std::string here = MakeTempFolder("started-here");
    fs::current_path(here);
    fs::create_directory(here + "/relative");
    WriteFileBytes(here + "/file", "not a folder");
    for (const std::string& unusable :
        { here + "/missing", std::string("relative"), here + "/file" }) {
        SCOPED_TRACE(unusable);
        setenv("TMPDIR", unusable.c_str(), 1);
        EXPECT_EQ(SpecialFolder::Temporary()->NativePath(), "/tmp");
        Ref<FolderItem> privateFolder = SpecialFolder::PrivateTemporary();
        EXPECT_EQ(fs::path(privateFolder ? privateFolder->NativePath() : "").parent_path().string(),
            "/tmp");
    }
    EXPECT_TRUE(fs::is_empty(here + "/relative"));
    EXPECT_EQ(ReadFileBytes(here + "/file"), "not a folder");
    fs::current_path(startedIn);
    setenv("TMPDIR", saved.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1);
    std::error_code ignored;
    if (!privateExisted)
        fs::remove(usualPrivate, ignored);
}

namespace {

// Points TMPDIR and XDG_RUNTIME_DIR at folders of the test's choosing for one
// test, and puts them back afterwards.
class PrivateTemporaryTest : public testing::Test {
protected:
    void SetUp() override
    {
        savedTemporary_ = std::getenv("TMPDIR");
        if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"))
            savedRuntime_ = runtime;
        temporary_ = MakeTempFolder("shared-tmp");
        fs::permissions(temporary_, fs::perms::all | fs::perms::sticky_bit);
        setenv("TMPDIR", temporary_.c_str(), 1);
        unsetenv("XDG_RUNTIME_DIR");
    }
    void TearDown() override
    {
        setenv("TMPDIR", savedTemporary_.c_str(), 1);
        if (savedRuntime_)
            setenv("XDG_RUNTIME_DIR", savedRuntime_->c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
    }

    // Ours alone: a real folder, this user's, closed to everyone else.
    static void ExpectPrivate(const std::string& path)
    {
        struct stat status { };
        ASSERT_EQ(::lstat(path.c_str(), &status), 0) << path;
        EXPECT_TRUE(S_ISDIR(status.st_mode)) << path;
        EXPECT_EQ(status.st_uid, ::getuid()) << path;
        EXPECT_EQ(status.st_mode & 077, 0u) << path;
    }

    std::string UsualName() const { return temporary_ + "/varno-" + std::to_string(::getuid()); }

    std::string temporary_;

private:
    std::string savedTemporary_;
    std::optional<std::string> savedRuntime_;
};

} // namespace

TEST_F(PrivateTemporaryTest, IsAFolderOfThisUserAloneInTheTemporaryFolder)
{
    Ref<FolderItem> folder = SpecialFolder::PrivateTemporary();
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->NativePath(), UsualName());
    ExpectPrivate(folder->NativePath());
    // Asked again, the same folder.
    EXPECT_EQ(SpecialFolder::PrivateTemporary()->NativePath(), UsualName());
}

TEST_F(PrivateTemporaryTest, LivesInThePrivateRuntimeFolderWhenThereIsOne)
{
    const std::string runtime = MakeTempFolder("runtime");
    fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    EXPECT_EQ(SpecialFolder::PrivateTemporary()->NativePath(), runtime + "/varno");
    ExpectPrivate(runtime + "/varno");

    // A runtime folder open to others, if only to the user's group, is no
    // better than the shared one.
    for (const fs::perms mode : { fs::perms(0777), fs::perms(0770), fs::perms(0750) }) {
        SCOPED_TRACE(static_cast<int>(mode));
        const std::string open = MakeTempFolder("open-runtime");
        fs::permissions(open, mode, fs::perm_options::replace);
        setenv("XDG_RUNTIME_DIR", open.c_str(), 1);
        EXPECT_EQ(SpecialFolder::PrivateTemporary()->NativePath(), UsualName());
        EXPECT_FALSE(fs::exists(open + "/varno"));
    }
}

// Whatever someone planted at the usual name first is neither used nor
// touched: a link to one of the user's folders, a folder of another user, a
// folder open to others or to the user's group, a file.
TEST_F(PrivateTemporaryTest, WhatWasPlantedAtTheUsualNameIsNeitherUsedNorTouched)
{
    const std::string victim = MakeTempFolder("victim");
    fs::permissions(victim, fs::perms::owner_all, fs::perm_options::replace);
    const std::function<void()> plants[] = {
        [&] { fs::create_directory_symlink(victim, UsualName()); },
        [&] {
            fs::create_directory(UsualName());
            fs::permissions(UsualName(), fs::perms::owner_all, fs::perm_options::replace);
            if (::getuid() == 0)
                ASSERT_EQ(::chown(UsualName().c_str(), 12345, 12345), 0);
            else
                fs::permissions(UsualName(), fs::perms::all, fs::perm_options::replace);
        },
        [&] {
            fs::create_directory(UsualName());
            fs::permissions(UsualName(), fs::perms::all, fs::perm_options::replace);
        },
        [&] {
            fs::create_directory(UsualName());
            fs::permissions(UsualName(), fs::perms(0770), fs::perm_options::replace);
        },
        [&] {
            fs::create_directory(UsualName());
            fs::permissions(UsualName(), fs::perms(0750), fs::perm_options::replace);
        },
        [&] { WriteFileBytes(UsualName(), "planted"); },
    };
    for (std::size_t i = 0; i < std::size(plants); ++i) {
        SCOPED_TRACE(i);
        temporary_ = MakeTempFolder("shared-tmp");
        setenv("TMPDIR", temporary_.c_str(), 1);
        plants[i]();
        struct stat before { };
        ASSERT_EQ(::lstat(UsualName().c_str(), &before), 0);

        Ref<FolderItem> folder = SpecialFolder::PrivateTemporary();
        ASSERT_TRUE(folder);
        EXPECT_NE(folder->NativePath(), UsualName());
        EXPECT_EQ(fs::path(folder->NativePath()).parent_path(), fs::path(temporary_));
        ExpectPrivate(folder->NativePath());

        struct stat after { };
        ASSERT_EQ(::lstat(UsualName().c_str(), &after), 0);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_TRUE(fs::is_empty(victim));
    }
}
