#include "varno.h"

#include "binary_stream.h"
#include "engine_test_support.h"
#include "exceptions.h"
#include "file_access_testing.h"
#include "file_type.h"
#include "file_types.h"
#include "folder_item.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>
#include <sys/resource.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

constexpr Integer kFileSize = 344002;
constexpr Integer kRecords = 8002; // where the records start when both strings are empty

// A distinct value per class, index and field, with negatives and large ones.
Integer Pattern(Integer c, Integer j, Integer field)
{
    const Integer value = c * 100000 + j * 10 + field;
    return (j % 3 == 0) ? -value : value;
}

double DatePattern(Integer c, Integer j)
{
    return (j % 7 == 0) ? 0.0 : 3.0e9 + c * 1000.25 + j;
}

void FillPattern(Varno& app)
{
    for (Integer c = 1; c <= 14; ++c) {
        for (Integer j = 1; j <= 1000; ++j) {
            app.correct(c, j) = Pattern(c, j, 1);
            app.incorrect(c, j) = Pattern(c, j, 2);
            app.historyDate(c, j) = DatePattern(c, j);
            app.historyCorrect(c, j) = Pattern(c, j, 3);
            app.historyIncorrect(c, j) = Pattern(c, j, 4);
        }
    }
}

// Whether record (c, j) of app holds the pattern; reports the first mismatch.
::testing::AssertionResult HoldsPattern(const Varno& app, Integer c, Integer j)
{
    if (app.correct(c, j) != Pattern(c, j, 1) || app.incorrect(c, j) != Pattern(c, j, 2)
        || app.historyDate(c, j) != DatePattern(c, j)
        || app.historyCorrect(c, j) != Pattern(c, j, 3)
        || app.historyIncorrect(c, j) != Pattern(c, j, 4))
        return ::testing::AssertionFailure() << "record (" << c << ", " << j << ") differs";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult IsZero(const Varno& app, Integer c, Integer j)
{
    if (app.correct(c, j) != 0 || app.incorrect(c, j) != 0 || app.historyDate(c, j) != 0.0
        || app.historyCorrect(c, j) != 0 || app.historyIncorrect(c, j) != 0)
        return ::testing::AssertionFailure() << "record (" << c << ", " << j << ") is not zero";
    return ::testing::AssertionSuccess();
}

std::uint32_t BigEndian32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::uint64_t BigEndian64(const std::string& bytes, std::size_t at)
{
    return (std::uint64_t(BigEndian32(bytes, at)) << 32) | BigEndian32(bytes, at + 4);
}

class StatisticsFile : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        FileTypes::_Initialize();
        folder = SpecialFolder::Preferences()->NativePath();
        path = folder + "/Varno Preferences";
        for (const auto& entry : fs::directory_iterator(folder))
            fs::remove_all(entry.path());
    }

    // A second application object, as the next run would have.
    std::unique_ptr<Varno> NextRun()
    {
        auto next = std::make_unique<Varno>();
        Application::Register(next.get());
        return next;
    }

    std::string folder;
    std::string path;
};

TEST_F(StatisticsFile, NoFileReadsZerosAndLeavesTheUnusedElements)
{
    app->correct(1, 1) = 5;
    app->historyDate(14, 1000) = 3.0;
    app->historyIncorrect(7, 500) = 2;
    app->correct(0, 0) = 7;
    app->incorrect(1, 1001) = 9;
    app->ReadPrefs();
    for (Integer c = 1; c <= 14; ++c)
        for (Integer j = 1; j <= 1000; ++j)
            ASSERT_TRUE(IsZero(*app, c, j));
    EXPECT_EQ(app->correct(0, 0), 7);
    EXPECT_EQ(app->incorrect(1, 1001), 9);
    EXPECT_TRUE(app->preferencesNotice.empty());
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(StatisticsFile, WriteThenReadGivesBackEveryElement)
{
    FillPattern(*app);
    app->WritePrefs();
    EXPECT_EQ(fs::file_size(path), static_cast<std::uintmax_t>(kFileSize));

    auto next = NextRun();
    next->correct(0, 0) = -1;
    next->historyDate(3, 0) = 4.5;
    next->incorrect(2, 1001) = 77;
    next->historyDate(14, 1001) = 8.0;
    next->ReadPrefs();
    for (Integer c = 1; c <= 14; ++c)
        for (Integer j = 1; j <= 1000; ++j)
            ASSERT_TRUE(HoldsPattern(*next, c, j));
    EXPECT_EQ(next->correct(0, 0), -1);
    EXPECT_EQ(next->historyDate(3, 0), 4.5);
    EXPECT_EQ(next->incorrect(2, 1001), 77);
    EXPECT_EQ(next->historyDate(14, 1001), 8.0);
    EXPECT_TRUE(next->preferencesNotice.empty());
    EXPECT_TRUE(fs::exists(path));
}

TEST_F(StatisticsFile, ReadingFromAStreamTellsWhetherItHeldTheWholeLayout)
{
    FillPattern(*app);
    app->WritePrefs();
    const std::string bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), static_cast<std::size_t>(kFileSize));

    auto next = NextRun();
    Ref<BinaryStream> whole = BinaryStream::FromBytes(bytes);
    EXPECT_TRUE(next->ReadPrefsFrom(*whole));
    for (Integer c = 1; c <= 14; ++c)
        for (Integer j = 1; j <= 1000; ++j)
            ASSERT_TRUE(HoldsPattern(*next, c, j));

    // One byte short: the last field of the last record reads as zero.
    Ref<BinaryStream> cut = BinaryStream::FromBytes(bytes.substr(0, bytes.size() - 1));
    EXPECT_FALSE(next->ReadPrefsFrom(*cut));
    EXPECT_TRUE(HoldsPattern(*next, 14, 999));
    EXPECT_EQ(next->historyCorrect(14, 1000), Pattern(14, 1000, 3));
    EXPECT_EQ(next->historyIncorrect(14, 1000), 0);
    EXPECT_TRUE(next->preferencesNotice.empty()) << "only ReadPrefs deals with the file";
}

TEST_F(StatisticsFile, RecordsAreBigEndianAfterTheFillerAndTwoEmptyStrings)
{
    app->correct(2, 3) = 11;
    app->incorrect(2, 3) = -2;
    app->historyDate(2, 3) = 1.5;
    app->historyCorrect(2, 3) = 300;
    app->historyIncorrect(2, 3) = 0x01020304;
    app->historyIncorrect(14, 1000) = 42;
    app->WritePrefs();
    const std::string bytes = ReadFileBytes(path);
    ASSERT_EQ(static_cast<Integer>(bytes.size()), kFileSize);
    EXPECT_EQ(bytes[8000], '\0');
    EXPECT_EQ(bytes[8001], '\0');
    const std::size_t record = kRecords + 24 * (1000 * 1 + 2);
    EXPECT_EQ(BigEndian32(bytes, record), 11u);
    EXPECT_EQ(BigEndian32(bytes, record + 4), 0xFFFFFFFEu);
    EXPECT_EQ(BigEndian64(bytes, record + 8), 0x3FF8000000000000u);
    EXPECT_EQ(BigEndian32(bytes, record + 16), 300u);
    EXPECT_EQ(bytes.substr(record + 20, 4), std::string("\x01\x02\x03\x04", 4));
    EXPECT_EQ(BigEndian32(bytes, kFileSize - 4), 42u);
    // The filler is products of two numbers from 1 to 1000.
    for (std::size_t i = 0; i < 2000; ++i) {
        const std::uint32_t filler = BigEndian32(bytes, 4 * i);
        ASSERT_GE(filler, 1u);
        ASSERT_LE(filler, 1000000u);
    }
}

TEST_F(StatisticsFile, FillerIsDrawnAnewOnEveryWrite)
{
    FillPattern(*app);
    app->WritePrefs();
    const std::string first = ReadFileBytes(path);
    app->WritePrefs();
    const std::string second = ReadFileBytes(path);
    EXPECT_NE(first.substr(0, 8000), second.substr(0, 8000));
    EXPECT_EQ(first.substr(8000), second.substr(8000));
}

TEST_F(StatisticsFile, CountsKeepTheirLowThirtyTwoBits)
{
    app->correct(1, 1) = (Integer(1) << 32) + 5;
    app->correct(1, 2) = Integer(1) << 31;
    app->incorrect(1, 3) = -7;
    app->WritePrefs();
    auto next = NextRun();
    next->ReadPrefs();
    EXPECT_EQ(next->correct(1, 1), 5);
    EXPECT_EQ(next->correct(1, 2), -2147483648LL);
    EXPECT_EQ(next->incorrect(1, 3), -7);
}

TEST_F(StatisticsFile, FillerAndNonEmptyReservedStringsAreSkipped)
{
    FillPattern(*app);
    app->WritePrefs();
    const std::string written = ReadFileBytes(path);
    std::string crafted;
    for (int i = 0; i < 8000; ++i)
        crafted.push_back(static_cast<char>((i * 37 + 11) % 256));
    crafted += std::string("\x03"
                           "abc",
        4);
    crafted.push_back(static_cast<char>(255));
    crafted += std::string(255, 'z');
    crafted += written.substr(kRecords);
    WriteFileBytes(path, crafted);

    auto next = NextRun();
    next->ReadPrefs();
    for (Integer c = 1; c <= 14; ++c)
        for (Integer j = 1; j <= 1000; ++j)
            ASSERT_TRUE(HoldsPattern(*next, c, j));
    // The length is exactly what the layout needs: a normal file.
    EXPECT_TRUE(next->preferencesNotice.empty());
    EXPECT_EQ(ReadFileBytes(path), crafted);
}

TEST_F(StatisticsFile, TruncatedFileReadsWhatIsThereThenZerosAndIsKeptAside)
{
    FillPattern(*app);
    app->WritePrefs();
    // Cut inside record (2, 501): its two counts survive, its date does not.
    const std::size_t cut = kRecords + 24 * 1500 + 10;
    const std::string truncated = ReadFileBytes(path).substr(0, cut);
    WriteFileBytes(path, truncated);

    auto next = NextRun();
    next->ReadPrefs();
    for (Integer j = 1; j <= 1000; ++j)
        ASSERT_TRUE(HoldsPattern(*next, 1, j));
    for (Integer j = 1; j <= 500; ++j)
        ASSERT_TRUE(HoldsPattern(*next, 2, j));
    EXPECT_EQ(next->correct(2, 501), Pattern(2, 501, 1));
    EXPECT_EQ(next->incorrect(2, 501), Pattern(2, 501, 2));
    EXPECT_EQ(next->historyDate(2, 501), 0.0);
    EXPECT_EQ(next->historyCorrect(2, 501), 0);
    for (Integer c = 2; c <= 14; ++c)
        for (Integer j = (c == 2 ? 502 : 1); j <= 1000; ++j)
            ASSERT_TRUE(IsZero(*next, c, j));

    // The old bytes are kept out of the way of the quit's write.
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(ReadFileBytes(path + ".damaged"), truncated);
    EXPECT_NE(next->preferencesNotice.find("\"Varno Preferences.damaged\""), std::string::npos)
        << next->preferencesNotice;
    next->WritePrefs();
    EXPECT_EQ(ReadFileBytes(path + ".damaged"), truncated);
    EXPECT_EQ(fs::file_size(path), static_cast<std::uintmax_t>(kFileSize));
}

TEST_F(StatisticsFile, AnotherDamagedFileGetsANumberedName)
{
    WriteFileBytes(path + ".damaged", "earlier");
    WriteFileBytes(path, "short");
    app->ReadPrefs();
    EXPECT_EQ(ReadFileBytes(path + ".damaged"), "earlier");
    EXPECT_EQ(ReadFileBytes(path + ".damaged 2"), "short");
    EXPECT_NE(app->preferencesNotice.find("\"Varno Preferences.damaged 2\""), std::string::npos);
}

TEST_F(StatisticsFile, FileThatCannotBeOpenedReadsZerosAndIsKeptAside)
{
    // A folder in the file's place exists but gives no stream.
    fs::create_directories(path);
    WriteFileBytes(path + "/inside", "kept");
    app->correct(4, 4) = 3;
    EXPECT_NO_THROW(app->ReadPrefs());
    EXPECT_TRUE(IsZero(*app, 4, 4));
    EXPECT_EQ(ReadFileBytes(path + ".damaged/inside"), "kept");
    EXPECT_FALSE(app->preferencesNotice.empty());
    EXPECT_NO_THROW(app->WritePrefs());
}

TEST_F(StatisticsFile, FailedWriteKeepsThePreviousFile)
{
    FillPattern(*app);
    app->WritePrefs();
    const std::string previous = ReadFileBytes(path);
    app->correct(1, 1) = 123456;

    // The file-size limit makes the write fail part-way, as a full disk would.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
    rlimit small = oldLimit;
    small.rlim_cur = 100000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool failed = false;
    std::string message;
    try {
        app->WritePrefs();
    } catch (const RuntimeException& error) {
        failed = true;
        message = error.Message();
    }
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(failed);
    // Which file, in which folder, why, and that the old one was kept.
    EXPECT_NE(
        message.find("\"Varno Preferences\" in the folder " + folder + " ("), std::string::npos)
        << message;
    EXPECT_NE(message.find("File too large"), std::string::npos) << message;
    EXPECT_NE(message.find("The file from before this run was kept as it was"), std::string::npos)
        << message;
    EXPECT_EQ(ReadFileBytes(path), previous);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++files;
    EXPECT_EQ(files, 1) << "a temporary file was left behind";
}

TEST_F(StatisticsFile, FileThatCannotBeCreatedSaysWhyAndWhere)
{
    fs::create_directories(path);
    try {
        app->WritePrefs();
        ADD_FAILURE() << "a folder in the file's place was written over";
    } catch (const StatisticsNotSavedException& error) {
        EXPECT_NE(error.Message().find(folder), std::string::npos) << error.Message();
        EXPECT_NE(error.Message().find("a folder has that name"), std::string::npos)
            << error.Message();
    }
    EXPECT_TRUE(fs::is_directory(path));
}

// A save whose bytes did not reach the disk is a failed save; the old file
// stays, and the message says so.
TEST_F(StatisticsFile, AFailedFlushToDiskFailsTheSaveAndKeepsTheOldFile)
{
    FillPattern(*app);
    app->WritePrefs();
    const std::string previous = ReadFileBytes(path);
    app->correct(1, 1) = 123456;
    SetSyncFailuresForTesting(EIO, 0);
    std::string message;
    try {
        app->WritePrefs();
    } catch (const StatisticsNotSavedException& error) {
        message = error.Message();
    }
    SetSyncFailuresForTesting(0, 0);
    EXPECT_NE(message.find("Input/output error"), std::string::npos) << message;
    EXPECT_NE(message.find("was kept as it was"), std::string::npos) << message;
    EXPECT_EQ(ReadFileBytes(path), previous);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
        << "a temporary file was left behind";

    // The folder's flush comes after the rename: the new file is in place,
    // and the message must not claim that the old one was kept.
    SetSyncFailuresForTesting(0, EIO);
    message.clear();
    try {
        app->WritePrefs();
    } catch (const StatisticsNotSavedException& error) {
        message = error.Message();
    }
    SetSyncFailuresForTesting(0, 0);
    EXPECT_NE(message.find("could not make sure that it reached the disk"), std::string::npos)
        << message;
    EXPECT_EQ(message.find("was kept"), std::string::npos) << message;
    auto next = NextRun();
    next->ReadPrefs();
    EXPECT_EQ(next->correct(1, 1), 123456);
}

// A pipe (which would block the open for ever), a link to a device (which
// never ends) and a file far beyond any statistics file (a gigabyte, sparse)
// are not read: each is set aside like any damaged file, at once, and the
// user is told what it was and where it went.
TEST_F(StatisticsFile, PipesDevicesAndHugeFilesAreSetAsideAtOnce)
{
    const std::function<void()> plants[] = {
        [&] { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); },
        [&] { fs::create_symlink("/dev/zero", path); },
        [&] {
            WriteFileBytes(path, "");
            fs::resize_file(path, std::uintmax_t { 1 } << 30);
        },
    };
    const char* expectedWhat[]
        = { "is not an ordinary file", "is not an ordinary file", "is far larger than" };
    for (std::size_t i = 0; i < std::size(plants); ++i) {
        SCOPED_TRACE(i);
        for (const auto& entry : fs::directory_iterator(folder))
            fs::remove_all(entry.path());
        plants[i]();
        auto next = NextRun();
        next->correct(1, 1) = 9;
        next->ReadPrefs();
        EXPECT_TRUE(IsZero(*next, 1, 1));
        EXPECT_FALSE(fs::exists(fs::symlink_status(path)));
        EXPECT_TRUE(fs::exists(fs::symlink_status(path + ".damaged")));
        const std::string& notice = next->preferencesNotice;
        EXPECT_NE(notice.find(folder), std::string::npos) << notice;
        EXPECT_NE(notice.find(expectedWhat[i]), std::string::npos) << notice;
        EXPECT_NE(notice.find("all statistics and exam histories start again from zero"),
            std::string::npos)
            << notice;
        EXPECT_NE(notice.find("set aside, unchanged, as \"Varno Preferences.damaged\" in the same "
                              "folder"),
            std::string::npos)
            << notice;
    }
}

// The notice says what was kept (the readable part, in use; the old file,
// set aside, and where) and what starts from zero, in plain words.
TEST_F(StatisticsFile, TheNoticeOfAShortFileSaysWhatWasKeptAndWhatStartsFromZero)
{
    FillPattern(*app);
    app->WritePrefs();
    WriteFileBytes(path, ReadFileBytes(path).substr(0, kRecords + 24 * 10));
    auto next = NextRun();
    next->ReadPrefs();
    EXPECT_EQ(next->preferencesNotice,
        "The statistics file \"Varno Preferences\" in " + folder
            + " is damaged or could not be read in full. Varno uses the statistics and exam "
              "histories that could be read from it; the rest start again from zero. The old "
              "file was set aside, unchanged, as \"Varno Preferences.damaged\" in the same "
              "folder.");
}

// A save killed half-way leaves its temporary file; the next run removes it
// before reading, and touches nothing else (not a copy the user made).
TEST_F(StatisticsFile, ReadingRemovesWhatAKilledSaveLeftBehind)
{
    FillPattern(*app);
    app->WritePrefs();
    WriteFileBytes(path + ".saving-k1LLed", std::string(5000, 'x'));
    WriteFileBytes(path + ".damaged", "kept");
    WriteFileBytes(path + ".Backup", "the user's copy");
    auto next = NextRun();
    next->ReadPrefs();
    EXPECT_FALSE(fs::exists(path + ".saving-k1LLed"));
    EXPECT_EQ(ReadFileBytes(path + ".damaged"), "kept");
    EXPECT_EQ(ReadFileBytes(path + ".Backup"), "the user's copy");
    EXPECT_TRUE(HoldsPattern(*next, 3, 3));
}

// A save keeps the permissions the user gave the file, whatever the umask;
// a first save makes the file with the permissions the umask leaves.
TEST_F(StatisticsFile, ASaveKeepsTheFilesModeAndANewFileFollowsTheUmask)
{
    const auto modeOf = [this] { return fs::status(path).permissions() & fs::perms::mask; };
    const mode_t oldMask = ::umask(027);
    app->WritePrefs();
    EXPECT_EQ(modeOf(), fs::perms(0640));
    ::umask(022);
    fs::permissions(path, fs::perms(0600));
    app->WritePrefs();
    EXPECT_EQ(modeOf(), fs::perms(0600));
    ::umask(077);
    fs::permissions(path, fs::perms(0664));
    app->WritePrefs();
    EXPECT_EQ(modeOf(), fs::perms(0664));
    ::umask(oldMask);
}

// A statistics file that is a link to one elsewhere is saved where the link
// leads: that is where a killed save leaves its temporary file, where the
// next start removes it, and the folder a failed save names.
TEST_F(StatisticsFile, ALinkedFileIsCleanedUpAndReportedWhereItLeads)
{
    const std::string elsewhere = MakeTempFolder("linked-statistics");
    const std::string target = elsewhere + "/My Statistics";
    WriteFileBytes(target, "");
    fs::create_symlink(target, path);
    FillPattern(*app);
    app->WritePrefs();
    ASSERT_TRUE(fs::is_symlink(path));
    WriteFileBytes(target + ".saving-k1LLed", std::string(5000, 'x'));
    WriteFileBytes(target + ".Backup", "the user's copy");

    auto next = NextRun();
    next->ReadPrefs();
    EXPECT_FALSE(fs::exists(target + ".saving-k1LLed"));
    EXPECT_EQ(ReadFileBytes(target + ".Backup"), "the user's copy");
    EXPECT_TRUE(HoldsPattern(*next, 3, 3));

    for (const auto& [fileError, folderError] : { std::pair { EIO, 0 }, std::pair { 0, EIO } }) {
        SetSyncFailuresForTesting(fileError, folderError);
        std::string message;
        try {
            next->WritePrefs();
        } catch (const StatisticsNotSavedException& error) {
            message = error.Message();
        }
        SetSyncFailuresForTesting(0, 0);
        EXPECT_NE(message.find("\"My Statistics\" in the folder " + elsewhere), std::string::npos)
            << message;
    }
    EXPECT_TRUE(fs::is_symlink(path));
}

// Two copies that both run (the lock removed under the first, or none to be
// had): whichever saves last adds its results to what the other saved, and
// says so. A history this copy cleared stays cleared of the rows it had read.
TEST_F(StatisticsFile, TheCopyThatSavesLastAddsItsResultsToTheOthers)
{
    // Two graded Technician exams from an earlier run.
    app->historyDate(1, 1) = 3.0e9;
    app->historyCorrect(1, 1) = 30;
    app->historyIncorrect(1, 1) = 5;
    app->historyDate(1, 2) = 3.1e9;
    app->correct(1, 7) = 4;
    app->correct(1, 8) = 3;
    app->incorrect(2, 9) = 2;
    app->WritePrefs();
    const std::string earlier = ReadFileBytes(path);

    for (const bool firstClears : { false, true }) {
        SCOPED_TRACE(firstClears ? "the first copy cleared its histories" : "both graded");
        WriteFileBytes(path, earlier);
        auto first = NextRun();
        first->ReadPrefs();
        auto second = NextRun();
        second->ReadPrefs();

        // The first copy grades and quits; the second grades and quits later.
        first->historyDate(1, 3) = 3.2e9;
        first->historyCorrect(1, 3) = 33;
        ++first->correct(1, 7);
        if (firstClears) {
            for (Integer j = 1; j <= 1000; ++j) {
                first->historyDate(1, j) = 0.0;
                first->correct(1, j) = 0;
            }
        }
        first->WritePrefs();
        EXPECT_TRUE(first->preferencesNotice.empty()) << "nobody saved in between";
        second->historyDate(1, 3) = 3.3e9;
        second->historyCorrect(1, 3) = 34;
        second->correct(1, 7) += 2;
        ++second->incorrect(2, 9);
        second->correct(1, 8) = 0; // cleared by both when the first clears: never below 0
        second->WritePrefs();
        EXPECT_EQ(second->preferencesNotice,
            "The statistics file \"Varno Preferences\" in the folder " + folder
                + " was saved by another copy of Varno while this one was open, so this run's "
                  "results were added to the ones it saved.");

        auto after = NextRun();
        after->ReadPrefs();
        const std::vector<double> expectedDates = firstClears
            ? std::vector<double> { 3.3e9 }
            : std::vector<double> { 3.0e9, 3.1e9, 3.2e9, 3.3e9 };
        for (std::size_t k = 0; k < expectedDates.size(); ++k)
            EXPECT_EQ(after->historyDate(1, Integer(k) + 1), expectedDates[k]) << k;
        EXPECT_EQ(after->historyDate(1, Integer(expectedDates.size()) + 1), 0.0);
        EXPECT_EQ(after->historyCorrect(1, Integer(expectedDates.size())), 34);
        EXPECT_EQ(after->correct(1, 7), firstClears ? 2 : 7);
        EXPECT_EQ(after->incorrect(2, 9), 3);
        EXPECT_EQ(after->correct(1, 8), 0);
        EXPECT_EQ(after->historyCorrect(1, 1), firstClears ? 34 : 30);
    }
}

// A file the other copy left that cannot be added to (damaged, or a history
// with no room for this run's rows) stays as it is; this run's results go
// beside it under a plain name, and the user hears where. With no file from
// before this run, a failed save does not claim one was kept.
TEST_F(StatisticsFile, WhatCannotBeAddedToIsLeftAloneAndThisRunIsSavedBesideIt)
{
    const std::function<std::string()> othersFiles[] = {
        [] { return std::string("cut short by the other copy"); },
        [this] {
            auto other = NextRun();
            for (Integer j = 1; j <= 1000; ++j)
                other->historyDate(1, j) = 3.0e9 + double(j);
            other->WritePrefs();
            return ReadFileBytes(path);
        },
    };
    const char* reasons[] = { "it is damaged or could not be read in full",
        "an exam history would hold more than 1000 graded exams" };
    for (std::size_t i = 0; i < std::size(othersFiles); ++i) {
        SCOPED_TRACE(reasons[i]);
        for (const auto& entry : fs::directory_iterator(folder))
            fs::remove_all(entry.path());
        WriteFileBytes(path + " 2", "the user's own");
        auto ours = NextRun();
        ours->ReadPrefs();
        ours->historyDate(1, 1) = 4.0e9;
        const std::string others = othersFiles[i]();
        WriteFileBytes(path, others);
        ours->WritePrefs();
        EXPECT_EQ(ours->preferencesNotice,
            "The statistics file \"Varno Preferences\" in the folder " + folder
                + " was saved by another copy of Varno while this one was open, and this run's "
                  "results could not be added to it ("
                + reasons[i] + "), so they were saved beside it as \"Varno Preferences 3\".");
        EXPECT_EQ(ReadFileBytes(path), others);
        EXPECT_EQ(ReadFileBytes(path + " 2"), "the user's own");
        auto kept = NextRun();
        ASSERT_TRUE(kept->ReadPrefsFrom(*BinaryStream::FromBytes(ReadFileBytes(path + " 3"))));
        EXPECT_EQ(kept->historyDate(1, 1), 4.0e9);
    }

    for (const auto& entry : fs::directory_iterator(folder))
        fs::remove_all(entry.path());
    auto first = NextRun();
    first->ReadPrefs();
    SetSyncFailuresForTesting(EIO, 0);
    std::string message;
    try {
        first->WritePrefs();
    } catch (const StatisticsNotSavedException& error) {
        message = error.Message();
    }
    SetSyncFailuresForTesting(0, 0);
    EXPECT_NE(message.find("(the file could not be flushed to the disk: Input/output error). There "
                           "was no file from before this run, and the exam results"),
        std::string::npos)
        << message;
}

TEST_F(StatisticsFile, FileTypeMyprefsIsDefinedAndRegistered)
{
    ASSERT_FALSE(FileTypes::pMyprefs.IsNil());
    const FileType& type = *FileTypes::pMyprefs;
    EXPECT_EQ(type.Name, "myprefs");
    EXPECT_EQ(type.Extensions, "");
    EXPECT_EQ(type.MacType, "pref");
    EXPECT_EQ(type.MacCreator, "Vrno");
    EXPECT_EQ(type.MimeType, "");
    EXPECT_TRUE(type.Imported);
    EXPECT_EQ(type.ConformsTo, "");
    ASSERT_TRUE(FileType::IsRegistered("myprefs"));
    EXPECT_EQ(FileType::Find("myprefs")->MacCreator, "Vrno");
}

} // namespace
