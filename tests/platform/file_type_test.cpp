#include "file_type.h"

#include <gtest/gtest.h>

TEST(FileType, RegisteredOnceByName)
{
    EXPECT_FALSE(FileType::IsRegistered("myprefs"));
    EXPECT_EQ(FileType::Find("myprefs"), nullptr);

    FileType prefs;
    prefs.Name = "myprefs";
    prefs.MacType = "pref";
    prefs.MacCreator = "Vrno";
    prefs.Imported = true;
    prefs.Register();

    FileType second = prefs;
    second.MacType = "xxxx";
    second.Register(); // a second registration of the name changes nothing

    ASSERT_TRUE(FileType::IsRegistered("myprefs"));
    const FileType* found = FileType::Find("myprefs");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->MacType, "pref");
    EXPECT_EQ(found->MacCreator, "Vrno");
    EXPECT_TRUE(found->Imported);
    EXPECT_FALSE(FileType::IsRegistered("MyPrefs"));
}
