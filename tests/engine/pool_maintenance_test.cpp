#include "varno.h"

#include "engine_test_support.h"
#include "exceptions.h"
#include "pool_maintenance_testing.h"
#include "test_support.h"
#include "text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class PoolMaintenance : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        previousFolder = fs::current_path();
        workFolder = MakeTempFolder("maintenance");
        fs::current_path(workFolder);
    }
    void TearDown() override
    {
        fs::current_path(previousFolder);
        EngineTest::TearDown();
    }

    std::string WorkFile(const std::string& name) const
    {
        return ReadFileBytes(workFolder + "/" + name);
    }

    fs::path previousFolder;
    std::string workFolder;
};

// The dump of question q of a UniformPool, numbered number in its section.
std::string DumpedQuestion(const std::string& number, Integer q, Integer correct)
{
    std::string text = number + " Question " + Str(q) + " \n";
    for (Integer k = 1; k <= 4; ++k)
        text += (k == correct ? "* " : "  ") + ("Answer " + Str(q) + "." + Str(k) + "\r") + "\n";
    return text;
}

TEST_F(PoolMaintenance, DumpNumbersEachSectionFromZeroOne)
{
    LoadTechPool(UniformPool({ { 12, 1 }, { 2, 1 } }));
    app->exam->questionCorrectAnswer(14) = 0; // no answer marked
    app->DumpExam();

    std::string expected;
    for (Integer q = 1; q <= 12; ++q)
        expected += DumpedQuestion((q < 10 ? "0" : "") + Str(q), q, ((q - 1) % 4) + 1);
    expected += DumpedQuestion("01", 13, 1);
    expected += DumpedQuestion("02", 14, 0);
    EXPECT_EQ(WorkFile("testdump.txt"), expected);
}

TEST_F(PoolMaintenance, DumpGivesThreeDigitNumbersPlainly)
{
    LoadTechPool(UniformPool({ { 101, 1 } }));
    app->DumpExam();
    const std::string dump = WorkFile("testdump.txt");
    EXPECT_NE(dump.find("\n100 Question 100 \n"), std::string::npos);
    EXPECT_NE(dump.find("\n101 Question 101 \n"), std::string::npos);
    EXPECT_NE(dump.find("\n99 Question 99 \n"), std::string::npos);
}

TEST_F(PoolMaintenance, DumpWithoutAPoolWritesAnEmptyFile)
{
    WriteFileBytes(workFolder + "/testdump.txt", "old contents");
    app->DumpExam();
    EXPECT_TRUE(fs::exists(workFolder + "/testdump.txt"));
    EXPECT_EQ(WorkFile("testdump.txt"), "");
}

struct TestLineCase {
    std::string line;
    bool isQuestion;
    std::string code;
    Integer correct;
};

TEST_F(PoolMaintenance, ParseTestLineFindsQuestionLines)
{
    const std::vector<TestLineCase> cases = {
        { "T1A01 (C) [97.1] Which agency?", true, "T1A01 ", 3 },
        { "T1A02 [97.3] (A) or (D)", true, "T1A02 ", 4 },
        { "[x](B)", true, "", 2 },
        { "T1A03 [97.1] no letter", false, "", 0 },
        { "T1A04 (B) no brackets", false, "", 0 },
        { "T1A05 (B) [only open", false, "", 0 },
        { "", false, "", 0 },
    };
    for (const TestLineCase& c : cases) {
        SCOPED_TRACE(c.line);
        const TestLineValues values = ReadTestLine(c.line);
        EXPECT_EQ(values.isQuestion, c.isQuestion);
        EXPECT_EQ(values.code, c.code);
        EXPECT_EQ(values.correct, c.correct);
    }
}

TEST_F(PoolMaintenance, ParseTestReadsTheFileAndKeepsNothing)
{
    WriteFileBytes(workFolder + "/2006techpool.txt", "T1A01 (C) [97.1] Which?\r\nA. one\nB. two\r");
    app->numberQuestions = 5;
    EXPECT_NO_THROW(app->ParseTest());
    EXPECT_EQ(app->numberQuestions, 5);
    EXPECT_TRUE(app->exam.IsNil());
}

TEST_F(PoolMaintenance, ParseTestWithoutItsFileRaisesNilObject)
{
    EXPECT_THROW(app->ParseTest(), NilObjectException);
}

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

TEST_F(PoolMaintenance, MyAdjustFileWritesTheHeaderAndEightLineRecords)
{
    std::vector<std::string> input = { "10", "20", "Element 1", "9", "1 1 24", "L6", "L7", "L8" };
    for (int r = 1; r <= 2; ++r)
        for (int line = 1; line <= 6; ++line)
            input.push_back("r" + std::to_string(r) + "." + std::to_string(line));
    WriteFileBytes(workFolder + "/fccelement1x.txt", Lines(input));
    WriteFileBytes(workFolder + "/fccelement1.txt", "old output that is longer than the new one");

    app->MyAdjustFile();

    std::vector<std::string> expected = { "10", "20", "Element 1", "24" };
    for (int i = 0; i < 24; ++i)
        expected.push_back("1 1 24");
    expected.insert(expected.end(), { "L6", "L7", "L8" });
    for (int r = 1; r <= 2; ++r) {
        const std::string p = "r" + std::to_string(r) + ".";
        expected.insert(expected.end(),
            { "", p + "1", p + "2", p + "3", p + "4", "ID" + std::to_string(r), p + "5", p + "6" });
    }
    EXPECT_EQ(WorkFile("fccelement1.txt"), Lines(expected));
}

TEST_F(PoolMaintenance, MyAdjustFileFillsARecordCutShortWithEmptyLines)
{
    WriteFileBytes(workFolder + "/fccelement1x.txt",
        Lines({ "1", "2", "T", "0", "S", "a", "b", "c", "q1", "q2" }));
    app->MyAdjustFile();
    const std::string output = WorkFile("fccelement1.txt");
    EXPECT_EQ(
        output.substr(output.size() - Lines({ "", "q1", "q2", "", "", "ID1", "", "" }).size()),
        Lines({ "", "q1", "q2", "", "", "ID1", "", "" }));
}

TEST_F(PoolMaintenance, MyAdjustFileWithoutItsInputRaisesNilObject)
{
    WriteFileBytes(workFolder + "/fccelement1.txt", "old output");
    EXPECT_THROW(app->MyAdjustFile(), NilObjectException);
    EXPECT_NE(WorkFile("fccelement1.txt"), "old output");
}

TEST_F(PoolMaintenance, StubsChangeNothing)
{
    LoadTechPool(UniformPool({ { 4, 2 } }));
    const Integer first = app->question(1);
    app->PutAnswerString(1, 2, "a", "b", "c", "d", 3);
    app->BuildFileFromResources("x", 1, "y", 2);
    EXPECT_EQ(app->question(1), first);
    EXPECT_EQ(app->numberQuestions, 2);
    EXPECT_EQ(app->GetExamQuestion(1), "Question 1");
}

} // namespace
