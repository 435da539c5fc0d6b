#include "varno.h"

#include "big_endian.h"
#include "binary_stream.h"
#include "file_access.h"
#include "folder_item.h"
#include "text.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <system_error>
#include <utility>
#include <vector>

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

using Records = std::vector<StatisticsRecord>;
constexpr std::size_t kRecordCount = static_cast<std::size_t>(kClasses * kIndices);

std::size_t RecordIndex(Integer c, Integer j)
{
    return static_cast<std::size_t>((c - 1) * kIndices + (j - 1));
}

// The five statistics arrays as the file stores them: counts keep their low
// 32 bits.
Records RecordsOf(const Varno& app)
{
    Records records(kRecordCount);
    for (Integer c = 1; c <= kClasses; ++c) {
        for (Integer j = 1; j <= kIndices; ++j) {
            StatisticsRecord& record = records[RecordIndex(c, j)];
            record.correct = static_cast<std::int32_t>(app.correct(c, j));
            record.incorrect = static_cast<std::int32_t>(app.incorrect(c, j));
            record.historyDate = app.historyDate(c, j);
            record.historyCorrect = static_cast<std::int32_t>(app.historyCorrect(c, j));
            record.historyIncorrect = static_cast<std::int32_t>(app.historyIncorrect(c, j));
        }
    }
    return records;
}

void PutRecords(const Records& records, Varno& app)
{
    for (Integer c = 1; c <= kClasses; ++c) {
        for (Integer j = 1; j <= kIndices; ++j) {
            const StatisticsRecord& record = records[RecordIndex(c, j)];
            app.correct(c, j) = record.correct;
            app.incorrect(c, j) = record.incorrect;
            app.historyDate(c, j) = record.historyDate;
            app.historyCorrect(c, j) = record.historyCorrect;
            app.historyIncorrect(c, j) = record.historyIncorrect;
        }
    }
}

// The records of a stream positioned at the file's start, and whether the
// file held the whole layout. A value the file ends inside of, and every
// value after it, reads as 0.
bool ReadRecords(BinaryStream& stream, Records& records)
{
    // The filler is skipped whole; a file too short for it leaves the stream
    // at its end, as reading it value by value would.
    stream.ReadView(kFillerValues * 4);
    const std::string reserved1 = stream.ReadPString();
    const std::string reserved2 = stream.ReadPString();
    const Integer needed = kFillerValues * 4 + 1 + static_cast<Integer>(reserved1.size()) + 1
        + static_cast<Integer>(reserved2.size()) + kClasses * kIndices * kRecordBytes;

    BigEndianReader reader(stream.ReadView(kClasses * kIndices * kRecordBytes));
    records.assign(kRecordCount, StatisticsRecord {});
    for (StatisticsRecord& record : records) {
        record.correct = reader.Int32();
        record.incorrect = reader.Int32();
        record.historyDate = reader.Double();
        record.historyCorrect = reader.Int32();
        record.historyIncorrect = reader.Int32();
    }
    return stream.Length() >= needed;
}

// The whole file for these records.
std::string EncodeFile(const Records& records, Varno& app)
{
    std::string bytes(static_cast<std::size_t>(kFileBytes), '\0');
    BigEndianWriter writer(bytes);
    // The filler carries no data; it is drawn anew on every write.
    for (Integer i = 1; i <= kFillerValues; ++i) {
        const Integer a = app.Random(1, 1000);
        const Integer b = app.Random(1, 1000);
        writer.Int32(static_cast<std::int32_t>(a * b));
    }
    // The two reserved strings, both empty: a zero length byte each.
    writer.Byte(0);
    writer.Byte(0);
    for (const StatisticsRecord& record : records) {
        writer.Int32(record.correct);
        writer.Int32(record.incorrect);
        writer.Double(record.historyDate);
        writer.Int32(record.historyCorrect);
        writer.Int32(record.historyIncorrect);
    }
    return bytes;
}

// One row of an exam history; dates are compared bit for bit, so that even a
// damaged one matches itself.
struct HistoryRow {
    std::uint64_t date;
    std::int32_t right;
    std::int32_t wrong;

    friend bool operator==(const HistoryRow&, const HistoryRow&) = default;
};

// The rows of class c's history, in slot order; free slots (0) left out.
std::vector<HistoryRow> HistoryRows(const Records& records, Integer c)
{
    std::vector<HistoryRow> rows;
    if (records.empty())
        return rows;
    for (Integer j = 1; j <= kIndices; ++j) {
        const StatisticsRecord& record = records[RecordIndex(c, j)];
        if (record.historyDate != 0.0)
            rows.push_back({ std::bit_cast<std::uint64_t>(record.historyDate),
                record.historyCorrect, record.historyIncorrect });
    }
    return rows;
}

// The rows of from that are not in what, each row of what matching one.
std::vector<HistoryRow> RowsNotIn(const std::vector<HistoryRow>& from, std::vector<HistoryRow> what)
{
    std::vector<HistoryRow> left;
    for (const HistoryRow& row : from) {
        const auto match = std::find(what.begin(), what.end(), row);
        if (match == what.end())
            left.push_back(row);
        else
            what.erase(match);
    }
    return left;
}

// Adds to theirs (the file another copy saved after this one read it) what
// this run changed since it read seen: each count by the difference, the
// history rows it added after those of theirs, and the rows it cleared taken
// out. False, with the reason, when a history cannot take this run's rows.
bool AddChanges(Records& theirs, const Records& seen, const Records& ours, std::string& whyNot)
{
    const auto seenRecord
        = [&seen](std::size_t i) { return seen.empty() ? StatisticsRecord {} : seen[i]; };
    const auto changed
        = [](std::int32_t theirValue, std::int32_t ourValue, std::int32_t seenValue) {
              const std::int64_t sum = std::int64_t { theirValue } + ourValue - seenValue;
              return static_cast<std::int32_t>(
                  std::clamp<std::int64_t>(sum, 0, std::numeric_limits<std::int32_t>::max()));
          };
    for (std::size_t i = 0; i < kRecordCount; ++i) {
        const StatisticsRecord before = seenRecord(i);
        theirs[i].correct = changed(theirs[i].correct, ours[i].correct, before.correct);
        theirs[i].incorrect = changed(theirs[i].incorrect, ours[i].incorrect, before.incorrect);
    }

    for (Integer c = 1; c <= kClasses; ++c) {
        const std::vector<HistoryRow> seenRows = HistoryRows(seen, c);
        const std::vector<HistoryRow> ourRows = HistoryRows(ours, c);
        std::vector<HistoryRow> rows
            = RowsNotIn(HistoryRows(theirs, c), RowsNotIn(seenRows, ourRows));
        for (const HistoryRow& added : RowsNotIn(ourRows, seenRows))
            rows.push_back(added);
        if (rows.size() > static_cast<std::size_t>(kIndices)) {
            whyNot = "an exam history would hold more than " + Str(kIndices) + " graded exams";
            return false;
        }
        for (Integer j = 1; j <= kIndices; ++j) {
            StatisticsRecord& record = theirs[RecordIndex(c, j)];
            const std::size_t k = static_cast<std::size_t>(j - 1);
            const HistoryRow row = k < rows.size() ? rows[k] : HistoryRow { 0, 0, 0 };
            record.historyDate = std::bit_cast<double>(row.date);
            record.historyCorrect = row.right;
            record.historyIncorrect = row.wrong;
        }
    }
    return true;
}

void ZeroStatistics(Varno& app)
{
    PutRecords(Records(kRecordCount), app);
}

// What is wrong with a statistics file that could not be read whole.
std::string FaultWords(ReadFault fault)
{
    return fault == ReadFault::NotRegular ? "is not an ordinary file"
        : fault == ReadFault::TooLarge    ? "is far larger than a statistics file can be"
                                          : "is damaged or could not be read in full";
}

// The first name "<base><suffix>", "<base><suffix> 2", ... that nothing in
// the folder has; "" when a thousand are taken.
std::string FreeName(const std::filesystem::path& folder, const std::string& base, int first)
{
    for (int attempt = first; attempt <= 1000; ++attempt) {
        const std::string name = attempt > 1 ? base + " " + Str(attempt) : base;
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::symlink_status(folder / name, error)))
            return name;
    }
    return {};
}

// Moves a statistics file that could not be read in full out of the way of
// the next write, so the user's old data survives this run. Returns the name
// it now has, or "" when it could not be moved.
std::string KeepAside(const FolderItem& file)
{
    const std::filesystem::path original(file.NativePath());
    const std::string name = FreeName(original.parent_path(), kStatisticsFile + ".damaged", 1);
    if (name.empty())
        return {};
    std::error_code error;
    std::filesystem::rename(original, original.parent_path() / name, error);
    return error ? std::string() : name;
}

// The folder the file is in.
std::string FolderOf(const FolderItem& file)
{
    Ref<FolderItem> parent = file.Parent();
    return parent ? parent->NativePath() : file.NativePath();
}

// Which file, where, why, and what became of the old one, if there was one.
std::string NotSavedMessage(const FolderItem& written, const std::string& why)
{
    const std::string notSaved = "the exam results and statistics of this run are not saved.";
    return "Varno could not save its statistics file \"" + written.Name() + "\" in the folder "
        + FolderOf(written) + " (" + why + "). "
        + (written.Exists() ? "The file from before this run was kept as it was, so " + notSaved
                            : "There was no file from before this run, and " + notSaved);
}

// Writes the records over the file (a link followed unless followLink is
// false) and returns the file written; StatisticsNotSavedException when it
// could not be.
FileIdentity SaveRecords(
    const FolderItem& file, const Records& records, Varno& app, bool followLink = true)
{
    // The stream writes a temporary file that only a complete Close puts in
    // place of the old one. A statistics file that is a link is saved where
    // the link leads, and a failure is reported there: the folder that failed
    // may not be the preferences folder.
    Ref<FolderItem> written = BinaryStream::Destination(file, followLink);
    std::string whyNot;
    Ref<BinaryStream> stream = BinaryStream::Create(file, kFileType, &whyNot, followLink);
    if (stream.IsNil())
        throw StatisticsNotSavedException(NotSavedMessage(*written, whyNot));
    stream->Write(EncodeFile(records, app));
    if (stream->Close())
        return stream->Identity();
    if (!stream->TargetReplaced())
        throw StatisticsNotSavedException(NotSavedMessage(*written, stream->ErrorText()));
    throw StatisticsNotSavedException("Varno wrote its statistics file \"" + written->Name()
        + "\" in the folder " + FolderOf(*written)
        + ", but could not make sure that it reached the disk (" + stream->ErrorText()
        + "). If the computer stops before the disk has caught up, the file may be lost.");
}

} // namespace

StatisticsNotSavedException::StatisticsNotSavedException(std::string message)
    : RuntimeException(std::move(message))
{
}

void Varno::ReadPrefs()
{
    // Whatever happens below, what this copy now holds counts as its own
    // until a file is seen that it was read from.
    statisticsFileSeen = { true, {}, {} };

    // A preferences folder that cannot be used was reported at start-up; the
    // statistics start from zero and the quit says they cannot be saved.
    Ref<FolderItem> folder = SpecialFolder::Preferences();
    Ref<FolderItem> file = folder->Child(kStatisticsFile);
    if (!SpecialFolder::PreferencesProblem().empty() || file.IsNil()) {
        ZeroStatistics(*this);
        return;
    }
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
        statisticsFileSeen.file = stream->Identity();
        statisticsFileSeen.records = RecordsOf(*this);
        stream->Close();
    }
    if (complete)
        return;

    const std::string restarts = readSome
        ? "Varno uses the statistics and exam histories that could be read from it; the rest "
          "start again from zero."
        : "Nothing could be read from it, so all statistics and exam histories start again "
          "from zero.";
    const std::string damaged = "The statistics file \"" + kStatisticsFile + "\" in "
        + folder->NativePath() + " " + FaultWords(fault) + ". " + restarts;
    const std::string keptAs = KeepAside(*file);
    if (!keptAs.empty()) {
        // Nothing of this copy's is in a file any more.
        statisticsFileSeen = { true, {}, {} };
        preferencesNotice = damaged + " The old file was set aside, unchanged, as \"" + keptAs
            + "\" in the same folder.";
    } else {
        preferencesNotice = damaged
            + " The old file could not be set aside: it will be replaced when Varno quits. Copy "
              "it now if you want to keep it.";
    }
}

bool Varno::ReadPrefsFrom(BinaryStream& stream)
{
    Records records;
    const bool complete = ReadRecords(stream, records);
    PutRecords(records, *this);
    return complete;
}

void Varno::WritePrefs()
{
    Ref<FolderItem> folder = SpecialFolder::Preferences();
    if (const std::string problem = SpecialFolder::PreferencesProblem(); !problem.empty())
        throw StatisticsNotSavedException("Varno could not save its statistics file \""
            + kStatisticsFile + "\": its preferences folder " + folder->NativePath()
            + " cannot be used (" + problem
            + "), so the exam results and statistics of this run are not saved.");
    Ref<FolderItem> file = folder->Child(kStatisticsFile);
    Ref<FolderItem> written = BinaryStream::Destination(*file);
    Records records = RecordsOf(*this);

    // Another copy that ran at the same time (its lock gone, or no lock to be
    // had) may have saved the file since this one read it. Writing over it
    // would throw that copy's results away: this run's are added to them.
    // Anything but a regular file in its place is no copy's save.
    std::string notice;
    const FileIdentity found = FileIdentity::Of(written->NativePath());
    if (statisticsFileSeen.known && found.regularFile && found != statisticsFileSeen.file) {
        const std::string savedMeanwhile = "The statistics file \"" + written->Name()
            + "\" in the folder " + FolderOf(*written)
            + " was saved by another copy of Varno while this one was open";
        ReadFault fault = ReadFault::None;
        Ref<BinaryStream> stream = BinaryStream::Open(*written, kReadLimit, &fault);
        Records theirs;
        std::string whyNot;
        if (stream.IsNil() || !ReadRecords(*stream, theirs))
            whyNot = "it " + FaultWords(fault);
        else
            AddChanges(theirs, statisticsFileSeen.records, records, whyNot);
        if (!whyNot.empty()) {
            // The other copy's file stays as it is; this run's goes beside it.
            const std::string notAdded = savedMeanwhile
                + ", and this run's results could not be added to it (" + whyNot + ")";
            Ref<FolderItem> parent = written->Parent();
            const std::string name = FreeName(FolderOf(*written), written->Name(), 2);
            Ref<FolderItem> beside = parent ? parent->Child(name) : Ref<FolderItem>();
            if (name.empty() || beside.IsNil())
                throw StatisticsNotSavedException(
                    notAdded + ", and no free name was found beside it, so they are not saved.");
            try {
                SaveRecords(*beside, records, *this, false);
            } catch (const StatisticsNotSavedException& error) {
                throw StatisticsNotSavedException(notAdded + ". " + error.Message());
            }
            preferencesNotice = notAdded + ", so they were saved beside it as \"" + name + "\".";
            return;
        }
        records = std::move(theirs);
        notice = savedMeanwhile + ", so this run's results were added to the ones it saved.";
    }

    statisticsFileSeen = { true, SaveRecords(*file, records, *this), records };
    if (!notice.empty()) {
        // What this copy holds is now what the file holds.
        PutRecords(records, *this);
        preferencesNotice = notice;
    }
}
