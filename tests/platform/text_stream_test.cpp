#include "text_stream.h"

#include "file_access.h"
#include "folder_item.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& content)
{
    TextInputStream stream(content);
    std::vector<std::string> lines;
    while (!stream.EndOfFile())
        lines.push_back(stream.ReadLine());
    return lines;
}

} // namespace

TEST(TextInputStream, LinesEndAtLfCrOrCrLf)
{
    const std::vector<std::string> expected { "one", "two", "three" };
    EXPECT_EQ(Lines("one\ntwo\nthree\n"), expected);
    EXPECT_EQ(Lines("one\rtwo\rthree\r"), expected);
    EXPECT_EQ(Lines("one\r\ntwo\r\nthree\r\n"), expected);
    EXPECT_EQ(Lines("one\ntwo\r\nthree"), expected);
}

TEST(TextInputStream, EmptyLinesAreKept)
{
    EXPECT_EQ(Lines("a\n\nb\r\rc\n\r"), (std::vector<std::string> { "a", "", "b", "", "c", "" }));
    EXPECT_EQ(Lines(""), std::vector<std::string> {});
}

TEST(TextInputStream, ReadLineAtTheEndGivesEmpty)
{
    TextInputStream stream("x");
    EXPECT_EQ(stream.ReadLine(), "x");
    EXPECT_TRUE(stream.EndOfFile());
    EXPECT_EQ(stream.ReadLine(), "");
}

TEST(TextInputStream, ReadAllGivesTheRawBytesIncludingNul)
{
    const std::string path = MakeTempFolder("text") + "/raw.bin";
    const std::string content("%PDF\0\r\n\xE9\xFF\r", 10);
    WriteFileBytes(path, content);
    Ref<TextInputStream> stream = TextInputStream::Open(FolderItem(path));
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->ReadAll(), content);
    EXPECT_TRUE(stream->EndOfFile());
    EXPECT_EQ(stream->ReadAll(), "");
}

TEST(TextInputStream, ReadAllAfterALineGivesTheRest)
{
    TextInputStream stream("first\r\nsecond\nthird");
    EXPECT_EQ(stream.ReadLine(), "first");
    EXPECT_EQ(stream.ReadAll(), "second\nthird");
}

TEST(TextInputStream, MissingFileOrFolderGivesNil)
{
    const std::string folder = MakeTempFolder("text");
    EXPECT_FALSE(TextInputStream::Open(FolderItem(folder + "/missing.txt")));
    EXPECT_FALSE(TextInputStream::Open(FolderItem(folder)));
}

TEST(TextOutputStream, WriteLineEndsWithLineFeed)
{
    const std::string path = MakeTempFolder("text") + "/out.txt";
    WriteFileBytes(path, "old text that is longer");
    Ref<TextOutputStream> stream = TextOutputStream::Create(FolderItem(path));
    ASSERT_TRUE(stream);
    stream->Write("ID");
    stream->Write("7");
    stream->WriteLine("");
    stream->WriteLine(std::string("a\rb\0", 4));
    ASSERT_TRUE(stream->Close());
    EXPECT_EQ(ReadFileBytes(path), std::string("ID7\na\rb\0\n", 9));
}

TEST(TextOutputStream, ReleasedWithoutCloseStillWrites)
{
    const std::string path = MakeTempFolder("text") + "/released.txt";
    {
        Ref<TextOutputStream> stream = TextOutputStream::Create(FolderItem(path));
        ASSERT_TRUE(stream);
        stream->WriteLine("kept");
    }
    EXPECT_EQ(ReadFileBytes(path), "kept\n");
}

TEST(TextOutputStream, ReleasedByAnExceptionKeepsTheOldFile)
{
    const std::string path = MakeTempFolder("text") + "/interrupted.txt";
    WriteFileBytes(path, "previous");
    try {
        Ref<TextOutputStream> stream = TextOutputStream::Create(FolderItem(path));
        ASSERT_TRUE(stream);
        stream->WriteLine("half");
        throw std::runtime_error("writer failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(ReadFileBytes(path), "previous");
}

TEST(TextOutputStream, CreateInAMissingFolderGivesNil)
{
    EXPECT_FALSE(TextOutputStream::Create(FolderItem(MakeTempFolder("text") + "/no/out.txt")));
}

// Only regular files are read whole, and only up to a bound: a pipe would
// block the open, a device or a huge file would eat the memory. Each is
// refused at once, before a byte is read.
TEST(TextInputStream, PipesDevicesAndOversizeFilesAreRefusedAtOnce)
{
    namespace fs = std::filesystem;
    const std::string folder = MakeTempFolder("text");
    ASSERT_EQ(::mkfifo((folder + "/fifo.txt").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", folder + "/zero.txt");
    fs::create_symlink("/dev/null", folder + "/null.txt");
    // Sparse: a size far beyond the bound that takes no room on the disk.
    WriteFileBytes(folder + "/huge.txt", "");
    fs::resize_file(folder + "/huge.txt", std::uintmax_t { 1 } << 30);
    WriteFileBytes(folder + "/bound.txt", std::string(1000, 'x'));

    struct Case {
        const char* name;
        std::uint64_t bound;
        ReadFault fault;
    };
    const Case cases[] = {
        { "fifo.txt", 1000, ReadFault::NotRegular },
        { "zero.txt", 1000, ReadFault::NotRegular },
        { "null.txt", 1000, ReadFault::NotRegular },
        { "huge.txt", 1000, ReadFault::TooLarge },
        { "huge.txt", kDefaultReadLimit, ReadFault::TooLarge },
        { "bound.txt", 999, ReadFault::TooLarge },
        { "missing.txt", 1000, ReadFault::Missing },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReadFault fault = ReadFault::None;
        EXPECT_FALSE(TextInputStream::Open(FolderItem(folder + "/" + c.name), c.bound, &fault));
        EXPECT_EQ(fault, c.fault);
    }
    // A file right at the bound is read.
    ReadFault fault = ReadFault::Unreadable;
    Ref<TextInputStream> atBound
        = TextInputStream::Open(FolderItem(folder + "/bound.txt"), 1000, &fault);
    ASSERT_TRUE(atBound);
    EXPECT_EQ(fault, ReadFault::None);
    EXPECT_EQ(atBound->ReadAll().size(), 1000u);
}
