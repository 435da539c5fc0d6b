#include "binary_stream.h"

#include "file_access.h"
#include "file_type.h"
#include "folder_item.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <vector>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values)
        bytes.push_back(static_cast<char>(value));
    return bytes;
}

std::string WrittenFile(const std::function<void(BinaryStream&)>& write)
{
    const std::string path = MakeTempFolder("binary") + "/out.bin";
    Ref<BinaryStream> stream = BinaryStream::Create(FolderItem(path), "anything");
    if (!stream)
        return "<no stream>";
    write(*stream);
    if (!stream->Close())
        return "<close failed>";
    return ReadFileBytes(path);
}

} // namespace

TEST(BinaryStream, WritesBigEndianBytesWhateverTheHost)
{
    const std::string bytes = WrittenFile([](BinaryStream& stream) {
        stream.WriteInt32(0x01020304);
        stream.WriteInt32(-2);
        stream.WriteDouble(1.0);
        stream.WritePString("Hi");
        stream.Write("xy");
    });
    EXPECT_EQ(bytes,
        Bytes({ 1, 2, 3, 4, 0xFF, 0xFF, 0xFF, 0xFE, 0x3F, 0xF0, 0, 0, 0, 0, 0, 0, 2, 'H', 'i', 'x',
            'y' }));
}

TEST(BinaryStream, ReadsBigEndianBytes)
{
    Ref<BinaryStream> stream = BinaryStream::FromBytes(
        Bytes({ 0x80, 0, 0, 0, 0, 0, 1, 0, 0xC0, 0x09, 0x21, 0xFB, 0x54, 0x44, 0x2D, 0x18 }));
    EXPECT_EQ(stream->ReadInt32(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(stream->ReadInt32(), 256);
    EXPECT_DOUBLE_EQ(stream->ReadDouble(), -3.141592653589793);
    EXPECT_TRUE(stream->EndOfFile());
}

TEST(BinaryStream, EveryTypeRoundTripsThroughAFile)
{
    const std::string path = MakeTempFolder("binary") + "/roundtrip.bin";
    const std::string longText(255, 'q');
    const std::string binaryText = Bytes({ 0, 13, 10, 0xFF });
    {
        Ref<BinaryStream> out = BinaryStream::Create(FolderItem(path), "myprefs");
        ASSERT_TRUE(out);
        for (std::int32_t value : { 0, 1, -1, 2147483647, -2147483647 - 1, 123456789 })
            out->WriteInt32(value);
        for (double value : { 0.0, -0.0, 1.5, -1e300, 5e-324, 1717171717.123 })
            out->WriteDouble(value);
        out->WritePString("");
        out->WritePString(longText);
        out->WritePString(binaryText);
        EXPECT_EQ(out->Position(), 6 * 4 + 6 * 8 + 1 + 256 + 5);
        ASSERT_TRUE(out->Close());
    }
    Ref<BinaryStream> in = BinaryStream::Open(FolderItem(path));
    ASSERT_TRUE(in);
    EXPECT_EQ(in->Length(), 6 * 4 + 6 * 8 + 1 + 256 + 5);
    for (std::int32_t value : { 0, 1, -1, 2147483647, -2147483647 - 1, 123456789 })
        EXPECT_EQ(in->ReadInt32(), value);
    for (double value : { 0.0, -0.0, 1.5, -1e300, 5e-324, 1717171717.123 }) {
        const double read = in->ReadDouble();
        EXPECT_EQ(read, value);
        EXPECT_EQ(std::signbit(read), std::signbit(value));
    }
    EXPECT_EQ(in->ReadPString(), "");
    EXPECT_EQ(in->ReadPString(), longText);
    EXPECT_EQ(in->ReadPString(), binaryText);
    EXPECT_TRUE(in->EndOfFile());
    EXPECT_TRUE(in->Close());
}

TEST(BinaryStream, NanKeepsItsBits)
{
    const std::string bytes = WrittenFile(
        [](BinaryStream& stream) { stream.WriteDouble(std::numeric_limits<double>::quiet_NaN()); });
    EXPECT_TRUE(std::isnan(BinaryStream::FromBytes(bytes)->ReadDouble()));
}

TEST(BinaryStream, ReadsPastTheEndGiveZerosWithoutException)
{
    Ref<BinaryStream> stream = BinaryStream::FromBytes(Bytes({ 0, 0, 0, 7, 0, 0 }));
    EXPECT_EQ(stream->ReadInt32(), 7);
    // Two bytes are left: a partial value reads 0 and moves to the end.
    EXPECT_EQ(stream->ReadInt32(), 0);
    EXPECT_EQ(stream->Position(), 6);
    EXPECT_TRUE(stream->EndOfFile());
    EXPECT_EQ(stream->ReadInt32(), 0);
    EXPECT_EQ(stream->ReadDouble(), 0.0);
    EXPECT_EQ(stream->ReadPString(), "");
    EXPECT_EQ(stream->Read(10), "");
}

TEST(BinaryStream, EmptyFileReadsAsZeros)
{
    const std::string path = MakeTempFolder("binary") + "/empty.bin";
    WriteFileBytes(path, "");
    Ref<BinaryStream> stream = BinaryStream::Open(FolderItem(path));
    ASSERT_TRUE(stream);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(stream->ReadInt32(), 0);
    EXPECT_EQ(stream->ReadDouble(), 0.0);
}

TEST(BinaryStream, StringCutShortByTheEndReadsEmpty)
{
    Ref<BinaryStream> stream = BinaryStream::FromBytes(Bytes({ 5, 'a', 'b' }));
    EXPECT_EQ(stream->ReadPString(), "");
    EXPECT_TRUE(stream->EndOfFile());
}

TEST(BinaryStream, ReadGivesWhatIsLeftUpToTheCount)
{
    Ref<BinaryStream> stream = BinaryStream::FromBytes("abcdef");
    EXPECT_EQ(stream->Read(4), "abcd");
    EXPECT_EQ(stream->Read(4), "ef");
    EXPECT_EQ(stream->Read(-1), "");
}

TEST(BinaryStream, WritePStringCutsAt255Bytes)
{
    const std::string bytes
        = WrittenFile([](BinaryStream& stream) { stream.WritePString(std::string(300, 'z')); });
    ASSERT_EQ(bytes.size(), 256u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 255);
    EXPECT_EQ(bytes.substr(1), std::string(255, 'z'));
}

TEST(BinaryStream, CreateReplacesAnExistingFileWhole)
{
    const std::string path = MakeTempFolder("binary") + "/replace.bin";
    WriteFileBytes(path, std::string(1000, 'o'));
    Ref<BinaryStream> stream = BinaryStream::Create(FolderItem(path), "myprefs");
    ASSERT_TRUE(stream);
    stream->WriteInt32(1);
    ASSERT_TRUE(stream->Close());
    EXPECT_EQ(ReadFileBytes(path), Bytes({ 0, 0, 0, 1 }));
}

TEST(BinaryStream, UnclosedCreatedStreamLeavesTheOldFile)
{
    const std::string folder = MakeTempFolder("binary");
    const std::string path = folder + "/keep.bin";
    WriteFileBytes(path, "old contents");
    {
        Ref<BinaryStream> stream = BinaryStream::Create(FolderItem(path), "myprefs");
        ASSERT_TRUE(stream);
        stream->WriteInt32(42);
    }
    EXPECT_EQ(ReadFileBytes(path), "old contents");
    // Nor is a temporary file left lying beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                  std::filesystem::directory_iterator()),
        1);
}

TEST(BinaryStream, CreateInAMissingFolderGivesNil)
{
    const std::string path = MakeTempFolder("binary") + "/no/such/folder/file.bin";
    EXPECT_FALSE(BinaryStream::Create(FolderItem(path), "myprefs"));
}

TEST(BinaryStream, CreateOnAFolderGivesNil)
{
    EXPECT_FALSE(BinaryStream::Create(FolderItem(MakeTempFolder("binary")), "myprefs"));
}

TEST(BinaryStream, OpenMissingFileGivesNil)
{
    EXPECT_FALSE(BinaryStream::Open(FolderItem(MakeTempFolder("binary") + "/missing.bin")));
}

TEST(BinaryStream, UnregisteredFileTypeStillWrites)
{
    ASSERT_FALSE(FileType::IsRegistered("never-registered"));
    const std::string path = MakeTempFolder("binary") + "/untyped.bin";
    Ref<BinaryStream> stream = BinaryStream::Create(FolderItem(path), "never-registered");
    ASSERT_TRUE(stream);
    stream->WritePString("ok");
    ASSERT_TRUE(stream->Close());
    EXPECT_EQ(ReadFileBytes(path), "\x02ok");
}

TEST(BinaryStream, CreateSaysWhyItCouldNotCreate)
{
    std::string whyNot;
    const std::string path = MakeTempFolder("binary") + "/no/such/folder/file.bin";
    EXPECT_FALSE(BinaryStream::Create(FolderItem(path), "myprefs", &whyNot));
    EXPECT_NE(whyNot.find("No such file or directory"), std::string::npos) << whyNot;
}

TEST(BinaryStream, ALinkIsFollowedOnlyWhenAskedTo)
{
    namespace fs = std::filesystem;
    const std::string folder = MakeTempFolder("binary");
    WriteFileBytes(folder + "/target.bin", "target");
    fs::create_symlink(folder + "/target.bin", folder + "/followed.bin");
    fs::create_symlink(folder + "/target.bin", folder + "/replaced.bin");

    Ref<BinaryStream> followed = BinaryStream::Create(FolderItem(folder + "/followed.bin"), "");
    ASSERT_TRUE(followed);
    followed->Write("through the link");
    ASSERT_TRUE(followed->Close());
    EXPECT_TRUE(fs::is_symlink(folder + "/followed.bin"));
    EXPECT_EQ(ReadFileBytes(folder + "/target.bin"), "through the link");

    Ref<BinaryStream> replaced
        = BinaryStream::Create(FolderItem(folder + "/replaced.bin"), "", nullptr, false);
    ASSERT_TRUE(replaced);
    replaced->Write("in place of the link");
    ASSERT_TRUE(replaced->Close());
    EXPECT_FALSE(fs::is_symlink(folder + "/replaced.bin"));
    EXPECT_EQ(ReadFileBytes(folder + "/replaced.bin"), "in place of the link");
    EXPECT_EQ(ReadFileBytes(folder + "/target.bin"), "through the link");
}

namespace {

// A save killed half-way, in a child process: what it leaves in the folder
// is what a crash or a kill leaves. The names of the files it left.
std::vector<std::string> LeftByAKilledSave(const std::string& path)
{
    namespace fs = std::filesystem;
    const std::string folder = fs::path(path).parent_path().string();
    std::vector<std::string> before;
    for (const auto& entry : fs::directory_iterator(folder))
        before.push_back(entry.path().filename().string());
    const pid_t child = ::fork();
    if (child == 0) {
        Ref<BinaryStream> stream = BinaryStream::Create(FolderItem(path), "myprefs");
        if (stream)
            stream->Write("half a save");
        ::raise(SIGKILL);
        ::_exit(1);
    }
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (std::find(before.begin(), before.end(), name) == before.end())
            left.push_back(name);
    }
    return left;
}

} // namespace

// What a save killed half-way leaves is removed at the next start; nothing
// else in the folder is touched, however close its name comes to ours: a
// copy the user made and named ".Backup" or ".Copy01" is theirs.
TEST(BinaryStream, RemoveLeftoversTakesOnlyTheSavesOwnTemporaryFiles)
{
    namespace fs = std::filesystem;
    const std::string folder = MakeTempFolder("binary");
    const std::string path = folder + "/Varno Preferences";
    WriteFileBytes(path, "statistics");
    const char* kept[] = { "Varno Preferences.Backup", "Varno Preferences.BACKUP",
        "Varno Preferences.Copy01", "Varno Preferences.aB3xY9", "Varno Preferences.damaged",
        "Varno Preferences.lock", "Varno Preferences.backup", "Varno Preferences.saving-aB3xY",
        "Varno Preferences.saving-aB3xY9z", "Varno Preferences.saving-ab-xy9",
        "Varno Preferences.Saving-aB3xY9", "Varno Preferences.savingaB3xY9",
        "Other File.saving-aB3xY9" };
    for (const char* name : kept)
        WriteFileBytes(folder + "/" + name, name);
    fs::create_directory(folder + "/Varno Preferences.saving-Dir123");
    WriteFileBytes(folder + "/elsewhere", "a link's target");
    fs::create_symlink(folder + "/elsewhere", folder + "/Varno Preferences.saving-Link12");
    const std::vector<std::string> leftovers = LeftByAKilledSave(path);
    ASSERT_EQ(leftovers.size(), 1u);
    EXPECT_TRUE(ReplacingFile::IsTemporaryNameFor(leftovers[0], "Varno Preferences"))
        << leftovers[0];
    WriteFileBytes(folder + "/Varno Preferences.saving-Qz0000", "left by an older kill");

    BinaryStream::RemoveLeftovers(FolderItem(path));

    EXPECT_FALSE(fs::exists(folder + "/" + leftovers[0]));
    EXPECT_FALSE(fs::exists(folder + "/Varno Preferences.saving-Qz0000"));
    for (const char* name : kept)
        EXPECT_EQ(ReadFileBytes(folder + "/" + name), name);
    EXPECT_TRUE(fs::is_directory(folder + "/Varno Preferences.saving-Dir123"));
    EXPECT_TRUE(fs::is_symlink(folder + "/Varno Preferences.saving-Link12"));
    EXPECT_EQ(ReadFileBytes(path), "statistics");
}

// A file of another user is never removed, even under the very name a save of
// ours would give it: it is not ours to take. (Only root can make one.)
TEST(BinaryStream, RemoveLeftoversLeavesAnotherUsersFile)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    const std::string folder = MakeTempFolder("binary");
    const std::string planted = folder + "/Varno Preferences.saving-Other1";
    WriteFileBytes(planted, "another user's");
    ASSERT_EQ(::chown(planted.c_str(), 12345, 12345), 0);

    BinaryStream::RemoveLeftovers(FolderItem(folder + "/Varno Preferences"));

    EXPECT_EQ(ReadFileBytes(planted), "another user's");
}

// Where links are refused, a folder that is a link is refused too: nothing is
// written into the folder it leads to.
TEST(BinaryStream, AFolderThatIsALinkIsRefusedWhereLinksAre)
{
    namespace fs = std::filesystem;
    const std::string folder = MakeTempFolder("binary");
    const std::string real = folder + "/real";
    fs::create_directory(real);
    fs::create_directory_symlink(real, folder + "/linked");

    std::string whyNot;
    EXPECT_FALSE(BinaryStream::Create(FolderItem(folder + "/linked/file"), "", &whyNot, false));
    EXPECT_NE(whyNot.find("the folder could not be opened"), std::string::npos) << whyNot;
    EXPECT_TRUE(fs::is_empty(real));

    // Following links, the same folder serves.
    Ref<BinaryStream> followed = BinaryStream::Create(FolderItem(folder + "/linked/file"), "");
    ASSERT_TRUE(followed);
    followed->Write("through the folder's link");
    ASSERT_TRUE(followed->Close());
    EXPECT_EQ(ReadFileBytes(real + "/file"), "through the folder's link");
}
