#include "exam_class.h"

#include "debug_messages_testing.h"
#include "engine_test_support.h"
#include "exceptions.h"
#include "text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class PoolReader : public EngineTest { };

PoolSpec TwoSectionPool()
{
    PoolSpec spec;
    spec.passMark = 2;
    spec.examLength = 3;
    spec.title = "Small Pool";
    spec.sections = { { 2, 1, 2, "A1 First topic" }, { 1, 3, 3, "B2 Second topic" } };
    spec.questions = {
        { "What is one?", 2, 1001, { "one  two", "  lead", "a   b  c", "plain" }, "A1A01" },
        { "What is two?", 4, 0, { "x", "y", "z", "w" }, "A1A02" },
        { "What is three?", 1, 0, { "p", "q", "r", "s" }, "B2A01" },
    };
    return spec;
}

ExamClass Parse(const std::string& text)
{
    ExamClass pool;
    pool.PopulateFromText(text);
    return pool;
}

TEST_F(PoolReader, StoresHeaderSectionsAndRecordsInTheirFields)
{
    const ExamClass pool = Parse(PoolText(TwoSectionPool(), "\n"));

    EXPECT_EQ(pool.minCorrect, 2);
    EXPECT_EQ(pool.numQuestions, 3);
    EXPECT_EQ(pool.name, "Small Pool");
    EXPECT_EQ(pool.numSections, 2);
    EXPECT_EQ(pool.numInSection(1), 2);
    EXPECT_EQ(pool.sectionStart(1), 1);
    EXPECT_EQ(pool.sectionEnd(1), 2);
    EXPECT_EQ(pool.numInSection(2), 1);
    EXPECT_EQ(pool.sectionStart(2), 3);
    EXPECT_EQ(pool.sectionEnd(2), 3);
    EXPECT_EQ(pool.sectionPrefix(1), "A1 First topic");
    EXPECT_EQ(pool.sectionPrefix(2), "B2 Second topic");

    EXPECT_EQ(pool.question(1), "What is one?");
    EXPECT_EQ(pool.questionCorrectAnswer(1), 2);
    EXPECT_EQ(pool.questionPic(1), 1001);
    EXPECT_EQ(pool.questionAnswer(1, 1), "one two\n");
    EXPECT_EQ(pool.questionAnswer(1, 2), " lead\n");
    EXPECT_EQ(pool.questionAnswer(1, 3), "a b c\n");
    EXPECT_EQ(pool.questionAnswer(1, 4), "plain\n");
    EXPECT_EQ(pool.questionNumber(1), "A1A01\n");
    EXPECT_EQ(pool.question(3), "What is three?");
    EXPECT_EQ(pool.questionCorrectAnswer(3), 1);
    EXPECT_EQ(pool.questionNumber(3), "B2A01\n");
    EXPECT_EQ(pool.question(4), "");

    // 4 header, 2 section, 2 label lines and 3 records of 8: 32 lines.
    EXPECT_EQ(pool.lineNumber, 33);
    EXPECT_EQ(pool.gettingQuestionNumber, 4);
    EXPECT_EQ(pool.questionState, 0);
    EXPECT_TRUE(pool.gettingQuestions);
}

TEST_F(PoolReader, CrLinesAndLfLinesGiveTheSameQuestions)
{
    const ExamClass cr = Parse(PoolText(TwoSectionPool(), "\r"));
    const ExamClass lf = Parse(PoolText(TwoSectionPool(), "\n"));

    EXPECT_EQ(cr.name, lf.name);
    EXPECT_EQ(cr.minCorrect, lf.minCorrect);
    EXPECT_EQ(cr.numQuestions, lf.numQuestions);
    EXPECT_EQ(cr.numSections, lf.numSections);
    for (Integer s = 1; s <= 2; ++s) {
        EXPECT_EQ(cr.sectionPrefix(s), lf.sectionPrefix(s));
        EXPECT_EQ(cr.numInSection(s), lf.numInSection(s));
        EXPECT_EQ(cr.sectionStart(s), lf.sectionStart(s));
        EXPECT_EQ(cr.sectionEnd(s), lf.sectionEnd(s));
    }
    for (Integer q = 1; q <= 3; ++q) {
        EXPECT_EQ(cr.question(q), lf.question(q));
        EXPECT_EQ(cr.questionCorrectAnswer(q), lf.questionCorrectAnswer(q));
        EXPECT_EQ(cr.questionPic(q), lf.questionPic(q));
        // Answers and codes keep the terminator of their line, and only it differs.
        const std::string& crCode = cr.questionNumber(q);
        const std::string& lfCode = lf.questionNumber(q);
        ASSERT_FALSE(crCode.empty());
        EXPECT_EQ(crCode.back(), '\r');
        EXPECT_EQ(lfCode.back(), '\n');
        EXPECT_EQ(crCode.substr(0, crCode.size() - 1), lfCode.substr(0, lfCode.size() - 1));
        for (Integer k = 1; k <= 4; ++k) {
            const std::string& crAnswer = cr.questionAnswer(q, k);
            const std::string& lfAnswer = lf.questionAnswer(q, k);
            EXPECT_EQ(crAnswer.back(), '\r');
            EXPECT_EQ(lfAnswer.back(), '\n');
            EXPECT_EQ(
                crAnswer.substr(0, crAnswer.size() - 1), lfAnswer.substr(0, lfAnswer.size() - 1));
        }
    }
}

TEST_F(PoolReader, MixedLineEndsEachEndOneLine)
{
    const std::string text = "5\r3\nTitle\r0\nQ\r2\n0\ra\nb\rc\nd\rCODE\n";
    const ExamClass pool = Parse(text);
    EXPECT_EQ(pool.minCorrect, 5);
    EXPECT_EQ(pool.numQuestions, 3);
    EXPECT_EQ(pool.name, "Title");
    EXPECT_EQ(pool.question(1), "Q");
    EXPECT_EQ(pool.questionCorrectAnswer(1), 2);
    EXPECT_EQ(pool.questionAnswer(1, 1), "a\n");
    EXPECT_EQ(pool.questionAnswer(1, 2), "b\r");
    EXPECT_EQ(pool.questionNumber(1), "CODE\n");
    EXPECT_EQ(pool.gettingQuestionNumber, 2);
}

TEST_F(PoolReader, CrLfPairsShiftTheLinesWithoutError)
{
    const ExamClass pool = Parse("26\r\n35\r\nTitle\r\n0\r\n");
    // Line 2 is the lone line feed, so the exam length reads 0 and the title
    // line holds "35".
    EXPECT_EQ(pool.minCorrect, 26);
    EXPECT_EQ(pool.numQuestions, 0);
    EXPECT_EQ(pool.name, "35");
    EXPECT_EQ(pool.numSections, 0); // line 4 is the next lone line feed
}

struct SectionLineCase {
    std::string line;
    Integer draws;
    Integer first;
    Integer last;
};

TEST_F(PoolReader, SectionLinesSplitAtEverySingleSpace)
{
    const std::vector<SectionLineCase> cases = {
        { "3 1 10", 3, 1, 10 },
        { "3  1 10", 3, 0, 1 },
        { " 3 1 10", 0, 3, 1 },
        { "3 1", 3, 1, 0 },
        { "3 1 10 99", 3, 1, 10 },
        { "", 0, 0, 0 },
        { "3 1 10x", 3, 1, 10 },
        { "a b c", 0, 0, 0 },
        { "7\t1 2", 7, 2, 0 },
    };
    for (const SectionLineCase& c : cases) {
        SCOPED_TRACE("section line \"" + c.line + "\"");
        const ExamClass pool = Parse("1\r1\rT\r1\r" + c.line + "\rLabel\r");
        EXPECT_EQ(pool.numInSection(1), c.draws);
        EXPECT_EQ(pool.sectionStart(1), c.first);
        EXPECT_EQ(pool.sectionEnd(1), c.last);
        EXPECT_EQ(pool.sectionPrefix(1), "Label");
    }
}

struct NumberCase {
    std::string line;
    Integer value;
};

TEST_F(PoolReader, NumericLinesReadTheirLeadingNumber)
{
    const std::vector<NumberCase> cases = {
        { "26 words", 26 },
        { "letters only", 0 },
        { "", 0 },
        { "7.9", 7 },
        { "-3", -3 },
        { "  42", 42 },
    };
    for (const NumberCase& c : cases) {
        SCOPED_TRACE("line \"" + c.line + "\"");
        const ExamClass pool = Parse(c.line + "\n" + c.line + "\n");
        EXPECT_EQ(pool.minCorrect, c.value);
        EXPECT_EQ(pool.numQuestions, c.value);
    }
}

TEST_F(PoolReader, LastLineWithoutTerminatorIsLost)
{
    std::string text = PoolText(TwoSectionPool(), "\r");
    text.pop_back(); // the last question's code loses its line end
    const ExamClass pool = Parse(text);
    EXPECT_EQ(pool.question(3), "What is three?");
    EXPECT_EQ(pool.questionAnswer(3, 4), "s\r");
    EXPECT_EQ(pool.questionNumber(3), "");
    EXPECT_EQ(pool.gettingQuestionNumber, 3); // two complete records
    EXPECT_EQ(pool.questionState, 7);
}

TEST_F(PoolReader, ZeroSectionsStartTheQuestionsAtLineFive)
{
    const ExamClass pool = Parse("1\r1\rNo sections\r0\rQ one\r3\r0\ra\rb\rc\rd\rK1\r");
    EXPECT_EQ(pool.numSections, 0);
    EXPECT_EQ(pool.question(1), "Q one");
    EXPECT_EQ(pool.questionCorrectAnswer(1), 3);
    EXPECT_EQ(pool.questionNumber(1), "K1\r");
    EXPECT_EQ(pool.gettingQuestionNumber, 2);
}

TEST_F(PoolReader, NegativeSectionCountStoresNothingAfterLineFour)
{
    const ExamClass pool = Parse("1\r1\rNegative\r-2\r5 1 9\rLabel\rQ\r1\r0\ra\rb\rc\rd\rK\r");
    EXPECT_EQ(pool.numSections, -2);
    EXPECT_FALSE(pool.gettingQuestions);
    EXPECT_EQ(pool.numInSection(1), 0);
    EXPECT_EQ(pool.sectionPrefix(1), "");
    EXPECT_EQ(pool.question(1), "");
    EXPECT_EQ(pool.gettingQuestionNumber, 1);
}

TEST_F(PoolReader, HugeSectionCountIsReadWithoutOverflow)
{
    ExamClass pool;
    EXPECT_THROW(pool.PopulateFromText(
                     "1\r1\rT\r99999999999999999999\r" + std::string(100, '\r') + "1 1 1\r"),
        OutOfBoundsException);
    EXPECT_EQ(pool.numSections, 9223372036854775807LL);
    const ExamClass negative = Parse("1\r1\rT\r-99999999999999999999\rx\rx\r");
    EXPECT_FALSE(negative.gettingQuestions);
}

TEST_F(PoolReader, ExamClassOutsideOneToSixReadsNoFile)
{
    for (const Integer examClass : { 0, 7, -1 }) {
        ExamClass pool;
        pool.PopulateExam(examClass);
        EXPECT_EQ(pool.numSections, 0);
        EXPECT_EQ(pool.numQuestions, 0);
        EXPECT_EQ(pool.lineNumber, 0);
        EXPECT_EQ(pool.gettingQuestionNumber, 0);
        EXPECT_EQ(pool.poolFile, "");
    }
    // Class 0 did not use up the one read of the Technician pool: written now,
    // it is still read on its first real use.
    WriteResource("TechFile.txt", PoolText(TwoSectionPool()));
    ExamClass pool;
    pool.PopulateExam(1);
    EXPECT_EQ(pool.name, "Small Pool");
    EXPECT_EQ(pool.poolFile, "TechFile.txt");
}

TEST_F(PoolReader, EachClassReadsItsOwnPoolFile)
{
    const std::vector<std::string> files = { "TechFile.txt", "GeneralFile.txt", "ExtraFile.txt",
        "fccelement1.txt", "fccelement8.txt", "fccelement3.txt" };
    for (const std::string& file : files)
        WriteResource(file, "1\r1\rPool of " + file + "\r0\r");
    for (Integer examClass = 1; examClass <= 6; ++examClass) {
        ExamClass pool;
        pool.PopulateExam(examClass);
        const std::string& file = files[static_cast<std::size_t>(examClass - 1)];
        EXPECT_EQ(pool.name, "Pool of " + file);
        EXPECT_EQ(pool.poolFile, file);
    }
}

TEST_F(PoolReader, ReportsTheNumberOfQuestionsRead)
{
    std::vector<std::string> texts;
    SetDebugMessageObserver([&](const std::string& text) { texts.push_back(text); });
    Parse(PoolText(TwoSectionPool()));
    ExamClass missing;
    missing.PopulateExam(2); // no GeneralFile.txt: an empty pool
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "questions read: 3");
    EXPECT_EQ(texts[1], "questions read: 0");
    EXPECT_EQ(missing.lineNumber, 1);
}

TEST_F(PoolReader, ParsesWithoutAnApplicationObject)
{
    Application::Register(nullptr);
    const ExamClass pool = Parse(PoolText(TwoSectionPool()));
    EXPECT_EQ(pool.gettingQuestionNumber, 4);
}

TEST_F(PoolReader, ThousandRecordsAndHundredSectionsLoad)
{
    std::vector<SizeAndDraws> sections(100, SizeAndDraws { 10, 2 });
    const ExamClass pool = Parse(PoolText(UniformPool(sections)));
    EXPECT_EQ(pool.numSections, 100);
    EXPECT_EQ(pool.sectionPrefix(100), "S100 Topic");
    EXPECT_EQ(pool.sectionEnd(100), 1000);
    EXPECT_EQ(pool.gettingQuestionNumber, 1001);
    EXPECT_EQ(pool.question(1000), "Question 1000");
    EXPECT_EQ(pool.questionNumber(1000), "C1000\r");
}

TEST_F(PoolReader, RefilledPoolKeepsWhatTheNewTextDoesNotReplace)
{
    ExamClass pool;
    pool.PopulateFromText(PoolText(TwoSectionPool(), "\n"));
    pool.PopulateFromText(PoolText(UniformPool({ { 1, 1 } })));
    EXPECT_EQ(pool.question(1), "Question 1");
    EXPECT_EQ(pool.questionAnswer(1, 4), "Answer 1.4\r");
    EXPECT_EQ(pool.sectionPrefix(1), "S1 Topic");
    // Records and labels past the new pool's still read as the first pool's.
    EXPECT_EQ(pool.sectionPrefix(2), "B2 Second topic");
    EXPECT_EQ(pool.question(3), "What is three?");
    EXPECT_EQ(pool.questionAnswer(3, 4), "s\n");
    EXPECT_EQ(pool.questionNumber(3), "B2A01\n");
}

TEST_F(PoolReader, RecordOneThousandAndOneRaisesOutOfBounds)
{
    PoolSpec spec = UniformPool({ { 1000, 1 } });
    spec.questions.push_back(spec.questions.back());
    ExamClass pool;
    EXPECT_THROW(pool.PopulateFromText(PoolText(spec)), OutOfBoundsException);
    // What was read before stays.
    EXPECT_EQ(pool.question(1000), "Question 1000");
    EXPECT_EQ(pool.gettingQuestionNumber, 1001);
}

TEST_F(PoolReader, SectionOneHundredAndOneRaisesOutOfBounds)
{
    std::vector<SizeAndDraws> sections(101, SizeAndDraws { 1, 1 });
    ExamClass pool;
    EXPECT_THROW(pool.PopulateFromText(PoolText(UniformPool(sections))), OutOfBoundsException);
    EXPECT_EQ(pool.numSections, 101);
    EXPECT_EQ(pool.sectionStart(100), 100);
    EXPECT_EQ(pool.question(1), "");
}

struct StripCase {
    std::string in;
    std::string out;
};

TEST_F(PoolReader, StripExtraSpacesCollapsesRunsOfSpacesOnly)
{
    const std::vector<StripCase> cases = {
        { "one   two  three\n", "one two three\n" },
        { " leading", " leading" },
        { "   three leading", " three leading" },
        { "trailing  \r", "trailing \r" },
        { "tab\t\tstays", "tab\t\tstays" },
        { "", "" },
        { "  ", " " },
        { "caf\xC3\xA9  au  lait", "caf\xC3\xA9 au lait" },
    };
    ExamClass pool;
    for (const StripCase& c : cases)
        EXPECT_EQ(pool.StripExtraSpaces(c.in), c.out) << "input \"" << c.in << "\"";
}

} // namespace
