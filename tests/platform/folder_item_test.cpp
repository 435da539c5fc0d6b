#include "folder_item.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
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
    EXPECT_EQ(
        SpecialFolder::Preferences()->NativePath(), std::string(std::getenv("HOME")) + "/.config");
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

TEST(SpecialFolder, TemporaryIsTheProcessTemporaryFolder)
{
    Ref<FolderItem> temporary = SpecialFolder::Temporary();
    EXPECT_EQ(temporary->NativePath(), fs::path(std::getenv("TMPDIR")).string());
    EXPECT_TRUE(temporary->Directory());
}
