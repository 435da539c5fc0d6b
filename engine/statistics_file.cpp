#include "varno.h"

#include "big_endian.h"
#include "binary_stream.h"
#include "file_access.h"
#include "folder_item.h"
#include "text.h"

#include <bit>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

const std::string kStatisticsFile = "Varno Preferences";
const std::string kFileType = "myprefs";

// The fixed layout: filler, two reserved short strings, then one 24-byte
// record per examination class and index.
constexpr Integer kFillerValues = 2000;
constexpr Integer kClasses = 14;
constexpr Integer kIndices = 1000;
constexpr Integer kRecordBytes = 24;
constexpr Integer kFileBytes = kFillerValues * 4 + 2 + kClasses * kIndices * kRecordBytes;

// Big-endian values into a buffer sized beforehand.
class BigEndianWriter {
public:
    explicit BigEndianWriter(std::string& buffer)
        : next_(buffer.data())
        , end_(buffer.data() + buffer.size())
    {
    }

    void Byte(unsigned char value) { *Room(1) = static_cast<char>(value); }
    void Int32(std::int32_t value) { StoreBigEndian(Room(4), static_cast<std::uint32_t>(value)); }
    void Double(double value) { StoreBigEndian(Room(8), std::bit_cast<std::uint64_t>(value)); }

private:
    // The place for the next count bytes, which then count as written.
    char* Room(std::size_t count)
    {
        if (static_cast<std::size_t>(end_ - next_) < count)
            throw OutOfBoundsException("the statistics file's layout overran its buffer");
        char* const place = next_;
        next_ += count;
        return place;
    }

    char* next_;
    char* end_;
};

// Big-endian values from a block; past its end, or from a value cut short by
// it, every value reads 0.
class BigEndianReader {
public:
    explicit BigEndianReader(std::string_view block)
        : next_(block.data())
        , end_(block.data() + block.size())
    {
    }

    std::int32_t Int32()
    {
        const char* bytes = Take(4);
        return bytes == nullptr ? 0
                                : static_cast<std::int32_t>(LoadBigEndian<std::uint32_t>(bytes));
    }
    double Double()
    {
        const char* bytes = Take(8);
        return bytes == nullptr ? 0 : std::bit_cast<double>(LoadBigEndian<std::uint64_t>(bytes));
    }

private:
    // The next count bytes, or nothing once fewer are left.
    const char* Take(std::size_t count)
    {
        if (static_cast<std::size_t>(end_ - next_) < count) {
            next_ = end_;
            return nullptr;
        }
        const char* const bytes = next_;
        next_ += count;
        return bytes;
    }

    const char* next_;
    const char* end_;
};

// Every file this program writes has 344,002 bytes, and the longest the reader
// can use has 344,512 (both reserved strings at their longest). Anything far
// larger is damaged: it is refused before it is read, whatever it holds.
constexpr Integer kReadLimit = 1024 * 1024;

void ZeroStatistics(Varno& app)
{
    for (Integer c = 1; c <= kClasses; ++c) {
        for (Integer j = 1; j <= kIndices; ++j) {
            app.correct(c, j) = 0;
            app.incorrect(c, j) = 0;
            app.historyDate(c, j) = 0.0;
            app.historyCorrect(c, j) = 0;
            app.historyIncorrect(c, j) = 0;
        }
    }
}

// Moves a statistics file that could not be read in full out of the way of
// the next write, so the user's old data survives this run. Returns the name
// it now has, or "" when it could not be moved.
std::string KeepAside(const FolderItem& file)
{
    const std::filesystem::path original(file.NativePath());
    for (int attempt = 1; attempt <= 1000; ++attempt) {
        std::string name = kStatisticsFile + ".damaged";
        if (attempt > 1)
            name += " " + Str(attempt);
        const std::filesystem::path kept = original.parent_path() / name;
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::symlink_status(kept, error)))
            continue;
        std::filesystem::rename(original, kept, error);
        return error ? std::string() : name;
    }
    return {};
}

// The folder the file is in.
std::string FolderOf(const FolderItem& file)
{
    Ref<FolderItem> parent = file.Parent();
    return parent ? parent->NativePath() : file.NativePath();
}

// Which file, where, why, and what became of the old one.
std::string NotSavedMessage(const FolderItem& written, const std::string& why)
{
    return "Varno could not save its statistics file \"" + written.Name() + "\" in the folder "
        + FolderOf(written) + " (" + why
        + "). The file from before this run was kept as it was, so the exam results and "
          "statistics of this run are not saved.";
}

} // namespace

StatisticsNotSavedException::StatisticsNotSavedException(std::string message)
    : RuntimeException(std::move(message))
{
}

void Varno::ReadPrefs()
{
    Ref<FolderItem> file = SpecialFolder::Preferences()->Child(kStatisticsFile);
    // A save cut short by a crash or a kill leaves its temporary file behind
    // (beside the file a link leads to, for a link); whatever it holds never
    // replaced the file, so it is of no use.
    BinaryStream::RemoveLeftovers(*file);
    if (!file->Exists()) {
        ZeroStatistics(*this);
        return;
    }

    // A short or unreadable file gives what it holds and zeros for the rest
    // (the stream reads zeros past its end); it is then kept aside below, since
    // the quit would otherwise write the zeros over it. A pipe, a device or a
    // file far too large is not read at all.
    bool complete = false;
    bool readSome = false;
    ReadFault fault = ReadFault::None;
    Ref<BinaryStream> stream = BinaryStream::Open(*file, kReadLimit, &fault);
    if (stream.IsNil()) {
        ZeroStatistics(*this);
    } else {
        complete = ReadPrefsFrom(*stream);
        readSome = stream->Length() > kFillerValues * 4 + 2;
        stream->Close();
    }
    if (complete)
        return;

    const std::string folder = file->Parent()->NativePath();
    const std::string what = fault == ReadFault::NotRegular ? "is not an ordinary file"
        : fault == ReadFault::TooLarge ? "is far larger than a statistics file can be"
                                       : "is damaged or could not be read in full";
    const std::string restarts = readSome
        ? "Varno uses the statistics and exam histories that could be read from it; the rest "
          "start again from zero."
        : "Nothing could be read from it, so all statistics and exam histories start again "
          "from zero.";
    const std::string keptAs = KeepAside(*file);
    if (!keptAs.empty())
        preferencesNotice = "The statistics file \"" + kStatisticsFile + "\" in " + folder + " "
            + what + ". " + restarts + " The old file was set aside, unchanged, as \"" + keptAs
            + "\" in the same folder.";
    else
        preferencesNotice = "The statistics file \"" + kStatisticsFile + "\" in " + folder + " "
            + what + ". " + restarts
            + " The old file could not be set aside: it will be replaced when Varno quits. Copy "
              "it now if you want to keep it.";
}

bool Varno::ReadPrefsFrom(BinaryStream& stream)
{
    // The filler is skipped whole; a file too short for it leaves the stream
    // at its end, as reading it value by value would.
    stream.ReadView(kFillerValues * 4);
    const std::string reserved1 = stream.ReadPString();
    const std::string reserved2 = stream.ReadPString();
    const Integer needed = kFillerValues * 4 + 1 + static_cast<Integer>(reserved1.size()) + 1
        + static_cast<Integer>(reserved2.size()) + kClasses * kIndices * kRecordBytes;
    const bool complete = stream.Length() >= needed;

    // The records are decoded from one block. A value the file ends inside
    // of, and every value after it, reads as 0.
    const std::string_view records = stream.ReadView(kClasses * kIndices * kRecordBytes);
    BigEndianReader reader(records);
    for (Integer c = 1; c <= kClasses; ++c) {
        for (Integer j = 1; j <= kIndices; ++j) {
            correct(c, j) = reader.Int32();
            incorrect(c, j) = reader.Int32();
            historyDate(c, j) = reader.Double();
            historyCorrect(c, j) = reader.Int32();
            historyIncorrect(c, j) = reader.Int32();
        }
    }
    return complete;
}

void Varno::WritePrefs()
{
    Ref<FolderItem> file = SpecialFolder::Preferences()->Child(kStatisticsFile);
    // The stream writes a temporary file that only a complete Close puts in
    // place of the old one. A statistics file that is a link is saved where
    // the link leads, and a failure is reported there: the folder that failed
    // may not be the preferences folder.
    Ref<FolderItem> written = BinaryStream::Destination(*file);
    std::string whyNot;
    Ref<BinaryStream> stream = BinaryStream::Create(*file, kFileType, &whyNot);
    if (stream.IsNil())
        throw StatisticsNotSavedException(NotSavedMessage(*written, whyNot));

    // The whole file is encoded into one buffer of its final size, then
    // handed to the stream at once.
    std::string bytes(static_cast<std::size_t>(kFileBytes), '\0');
    BigEndianWriter writer(bytes);
    // The filler carries no data; it is drawn anew on every write.
    for (Integer i = 1; i <= kFillerValues; ++i) {
        const Integer a = Random(1, 1000);
        const Integer b = Random(1, 1000);
        writer.Int32(static_cast<std::int32_t>(a * b));
    }
    // The two reserved strings, both empty: a zero length byte each.
    writer.Byte(0);
    writer.Byte(0);
    // Counts keep their low 32 bits.
    for (Integer c = 1; c <= kClasses; ++c) {
        for (Integer j = 1; j <= kIndices; ++j) {
            writer.Int32(static_cast<std::int32_t>(correct(c, j)));
            writer.Int32(static_cast<std::int32_t>(incorrect(c, j)));
            writer.Double(historyDate(c, j));
            writer.Int32(static_cast<std::int32_t>(historyCorrect(c, j)));
            writer.Int32(static_cast<std::int32_t>(historyIncorrect(c, j)));
        }
    }
    stream->Write(std::move(bytes));
    if (stream->Close())
        return;
    if (!stream->TargetReplaced())
        throw StatisticsNotSavedException(NotSavedMessage(*written, stream->ErrorText()));
    throw StatisticsNotSavedException("Varno wrote its statistics file \"" + written->Name()
        + "\" in the folder " + FolderOf(*written)
        + ", but could not make sure that it reached the disk (" + stream->ErrorText()
        + "). If the computer stops before the disk has caught up, the file may be lost.");
}
