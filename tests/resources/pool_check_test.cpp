#include "pool_checker.h"

#include "exam_class.h"
#include "test_support.h"
#include "varno.h"
#include "written_pool.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

// What the program's examinations are: the pool file, its title (shown in the
// exam window's title), the exam length and the pass mark.
struct ShippedPool {
    const char* file;
    const char* title;
    Integer examLength;
    Integer passMark;
};

const ShippedPool kShippedPools[] = {
    { "TechFile.txt", "Technician", 35, 26 },
    { "GeneralFile.txt", "General", 35, 26 },
    { "ExtraFile.txt", "Extra", 50, 37 },
    { "fccelement1.txt", "FCC Commercial Element 1", 24, 18 },
    { "fccelement8.txt", "FCC Commercial Element 8", 50, 38 },
    { "fccelement3.txt", "FCC Commercial Element 3", 100, 75 },
};

std::string Joined(const std::vector<std::string>& findings)
{
    std::string text;
    for (const std::string& finding : findings)
        text += "\n  " + finding;
    return text;
}

bool Mentions(const std::vector<std::string>& findings, const std::string& words)
{
    for (const std::string& finding : findings) {
        if (finding.find(words) != std::string::npos)
            return true;
    }
    return false;
}

// A small pool written line by line, which the cases below spoil one way each.
struct PoolLines {
    std::vector<std::string> lines;

    // Three sections of 3, 4 and 2 questions drawing 2, 2 and 1.
    static PoolLines Sound()
    {
        PoolLines pool;
        pool.lines = { "4", "5", "Small Pool", "3", "2 1 3", "2 4 7", "1 8 9", "A1 First",
            "A2 Second", "A3 Third" };
        for (int n = 1; n <= 9; ++n) {
            const std::string tag = std::to_string(n);
            pool.lines.push_back("What is question " + tag + "?");
            pool.lines.push_back(std::to_string(1 + n % 4));
            pool.lines.push_back(n == 5 ? "1004" : "0");
            // The key is never the longest or the shortest choice, so the
            // lengths give nothing away.
            const char* wrong[] = { "a miss ", "a near miss ", "a long way off " };
            for (int a = 1, w = 0; a <= 4; ++a)
                pool.lines.push_back((a == 1 + n % 4 ? "the answer " : wrong[w++]) + tag);
            pool.lines.push_back("Q" + tag);
        }
        return pool;
    }

    // Line k (1-based) of question record n.
    std::string& Record(int n, int k)
    {
        return lines[static_cast<std::size_t>(10 + (n - 1) * 8 + k - 1)];
    }

    std::string Text() const
    {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        return text;
    }
};

} // namespace

// Every pool the program ships parses with the program's own reader, agrees
// with its sections and gives proper exams over many seeds.
TEST(ShippedPools, EveryPoolPassesTheChecker)
{
    const std::filesystem::path resources = std::filesystem::path(VARNO_BUILD_DIR) / "Resources";
    for (const ShippedPool& shipped : kShippedPools) {
        SCOPED_TRACE(shipped.file);
        const std::filesystem::path path = resources / shipped.file;
        ASSERT_TRUE(std::filesystem::exists(path)) << path << " is missing";
        PoolCheckOptions options;
        options.draws = 400;
        // The answer lengths and the other cues have tests of their own, below.
        options.lengthExams = 0;
        options.answerCues = false;
        const PoolCheckResult result = CheckPoolFile(path.string(), options);
        EXPECT_TRUE(result.findings.empty()) << Joined(result.findings);
        EXPECT_EQ(result.drawsChecked, options.draws);
        EXPECT_EQ(result.title, shipped.title);
        EXPECT_EQ(result.examLength, shipped.examLength);
        EXPECT_EQ(result.passMark, shipped.passMark);
        EXPECT_LE(result.questions, 1000);
    }
}

// A candidate who has learnt nothing cannot pass by the lengths of the
// choices: the key is rarely the longest or the shortest, and always picking
// either does about as badly as guessing.
TEST(ShippedPools, AnswerLengthsGiveNothingAway)
{
    const std::filesystem::path resources = std::filesystem::path(VARNO_BUILD_DIR) / "Resources";
    for (const ShippedPool& shipped : kShippedPools) {
        SCOPED_TRACE(shipped.file);
        ExamClass pool;
        pool.PopulateFromText(ReadFileBytes((resources / shipped.file).string()));
        const AnswerLengthFigures figures = MeasureAnswerLengths(pool, 20000);
        EXPECT_EQ(figures.exams, 20000);
        EXPECT_LE(figures.keyLongestShare, kMostKeyLengthShare);
        EXPECT_LE(figures.keyShortestShare, kMostKeyLengthShare);
        for (const auto& strategy : { figures.longest, figures.shortest }) {
            EXPECT_LT(strategy.passRate, kMostStrategyPassRate);
            EXPECT_LE(strategy.averageScore, kMostStrategyAverage);
        }
    }
}

// Nor by avoiding the extreme amounts or the choices with an absolute word.
TEST(ShippedPools, OtherAnswerCuesGiveNothingAway)
{
    const std::filesystem::path resources = std::filesystem::path(VARNO_BUILD_DIR) / "Resources";
    for (const ShippedPool& shipped : kShippedPools) {
        SCOPED_TRACE(shipped.file);
        ExamClass pool;
        pool.PopulateFromText(ReadFileBytes((resources / shipped.file).string()));
        const AnswerCueFigures figures = MeasureAnswerCues(pool);
        EXPECT_EQ(figures.questions, pool.gettingQuestionNumber - 1);
        EXPECT_TRUE(AnswerCueFindings(figures).empty()) << Joined(AnswerCueFindings(figures));
    }
}

TEST(ShippedPools, EachAmateurGroupHasTenQuestionsOrMore)
{
    // The amateur pools hold at least ten questions per group, as deep as the
    // real pools, so practice meets every topic an exam can ask about.
    const struct {
        const char* file;
        Integer fewestQuestions;
    } amateurPools[]
        = { { "TechFile.txt", 350 }, { "GeneralFile.txt", 350 }, { "ExtraFile.txt", 500 } };
    const std::filesystem::path resources = std::filesystem::path(VARNO_BUILD_DIR) / "Resources";
    for (const auto& amateur : amateurPools) {
        SCOPED_TRACE(amateur.file);
        const std::string text = ReadFileBytes((resources / amateur.file).string());
        ASSERT_FALSE(text.empty());
        ExamClass pool;
        pool.PopulateFromText(text);
        EXPECT_GE(pool.gettingQuestionNumber - 1, amateur.fewestQuestions);
        for (Integer s = 1; s <= pool.numSections; ++s)
            EXPECT_GE(pool.sectionEnd(s) - pool.sectionStart(s) + 1, 10) << pool.sectionPrefix(s);
    }
}

TEST(PoolChecker, PoolFileNamesGiveTheirExaminationClass)
{
    EXPECT_EQ(ExamClassOfPoolFile("TechFile.txt"), 1);
    EXPECT_EQ(ExamClassOfPoolFile("GeneralFile.txt"), 2);
    EXPECT_EQ(ExamClassOfPoolFile("ExtraFile.txt"), 3);
    EXPECT_EQ(ExamClassOfPoolFile("fccelement1.txt"), 4);
    EXPECT_EQ(ExamClassOfPoolFile("fccelement8.txt"), 5);
    EXPECT_EQ(ExamClassOfPoolFile("fccelement3.txt"), 6);
    EXPECT_EQ(ExamClassOfPoolFile("techfile.txt"), 0);
    EXPECT_EQ(ExamClassOfPoolFile("Pic1001.jpg"), 0);
}

TEST(PoolChecker, SoundPoolPassesAndIsDrawnFromForEverySeed)
{
    PoolCheckOptions options;
    options.draws = 200;
    for (Integer examClass : { 1, 5 }) {
        const PoolCheckResult result = CheckPoolText(PoolLines::Sound().Text(), examClass, options);
        EXPECT_TRUE(result.findings.empty()) << Joined(result.findings);
        EXPECT_EQ(result.drawsChecked, 200);
        EXPECT_EQ(result.title, "Small Pool");
        EXPECT_EQ(result.sections, 3);
        EXPECT_EQ(result.questions, 9);
        EXPECT_EQ(result.examLength, 5);
    }
}

TEST(PoolChecker, CarriageReturnLineEndsAreReadAsWell)
{
    std::string text = PoolLines::Sound().Text();
    for (char& byte : text) {
        if (byte == '\n')
            byte = '\r';
    }
    const PoolCheckResult result = CheckPoolText(text, 2, {});
    EXPECT_TRUE(result.findings.empty()) << Joined(result.findings);
}

TEST(PoolChecker, CheckingLeavesTheRegisteredApplicationInPlace)
{
    Varno mine;
    Application::Register(&mine);
    CheckPoolText(PoolLines::Sound().Text(), 1, {});
    EXPECT_EQ(Application::CurrentOrNull(), &mine);
    Application::Register(nullptr);
}

// Each spoiled pool must be refused with a finding that says what is wrong.
struct SpoiledPool {
    const char* name;
    std::function<void(PoolLines&)> spoil;
    const char* finding;
};

class PoolCheckerRefuses : public testing::TestWithParam<SpoiledPool> { };

TEST_P(PoolCheckerRefuses, TheSpoiledPool)
{
    PoolLines pool = PoolLines::Sound();
    GetParam().spoil(pool);
    const PoolCheckResult result = CheckPoolText(pool.Text(), 1, {});
    EXPECT_TRUE(Mentions(result.findings, GetParam().finding))
        << "expected a finding with \"" << GetParam().finding
        << "\", got:" << Joined(result.findings);
}

INSTANTIATE_TEST_SUITE_P(Cases, PoolCheckerRefuses,
    testing::Values(SpoiledPool { "ExamLengthNotSumOfDraws", [](PoolLines& p) { p.lines[1] = "6"; },
                        "the exam length (line 2) is 6 but the sections draw 5" },
        SpoiledPool { "PassMarkAboveExamLength", [](PoolLines& p) { p.lines[0] = "9"; },
            "the pass mark (line 1) is 9" },
        SpoiledPool {
            "EmptyTitle", [](PoolLines& p) { p.lines[2] = ""; }, "the title (line 3) is empty" },
        SpoiledPool { "GapBetweenSections", [](PoolLines& p) { p.lines[5] = "2 5 7"; },
            "starts at question 5" },
        SpoiledPool {
            "OverlappingSections", [](PoolLines& p) { p.lines[5] = "2 3 7"; }, "(an overlap)" },
        SpoiledPool { "SectionTooSmallForItsDraw", [](PoolLines& p) { p.lines[6] = "3 8 9"; },
            "holds 2 questions but an exam draws 3" },
        SpoiledPool { "SectionsMissTheLastRecord", [](PoolLines& p) { p.lines[6] = "1 8 8"; },
            "the sections end at question 8 but the file holds 9 questions" },
        SpoiledPool {
            "SectionRunsBackwards", [](PoolLines& p) { p.lines[4] = "2 3 1"; }, "runs backwards" },
        SpoiledPool {
            "EmptyLabel", [](PoolLines& p) { p.lines[8] = ""; }, "section 2 has an empty label" },
        SpoiledPool { "CorrectAnswerFive", [](PoolLines& p) { p.Record(3, 2) = "5"; },
            "question 3 (Q3) gives 5 as its correct answer" },
        SpoiledPool { "CorrectAnswerMissing", [](PoolLines& p) { p.Record(4, 2) = "x"; },
            "question 4 (Q4) gives 0 as its correct answer" },
        SpoiledPool { "FigureOutOfRange", [](PoolLines& p) { p.Record(2, 3) = "1017"; },
            "names figure 1017" },
        SpoiledPool { "EmptyAnswer", [](PoolLines& p) { p.Record(6, 6) = ""; },
            "question 6 (Q6) has an empty answer 3" },
        SpoiledPool { "RepeatedAnswer", [](PoolLines& p) { p.Record(6, 7) = p.Record(6, 4); },
            "has answer 4 twice" },
        SpoiledPool { "EmptyQuestionText", [](PoolLines& p) { p.Record(7, 1) = " "; },
            "question 7 (Q7) has no text" },
        SpoiledPool { "DuplicateCode", [](PoolLines& p) { p.Record(9, 8) = "Q2"; },
            "question 9 (Q2) has the same code as question 2" },
        SpoiledPool {
            "EmptyCode", [](PoolLines& p) { p.Record(5, 8) = ""; }, "question 5 has no code" },
        SpoiledPool { "RecordCutShort", [](PoolLines& p) { p.lines.resize(p.lines.size() - 3); },
            "ends in the middle of question record 9, after line 5 of its 8" },
        SpoiledPool { "TooManySections", [](PoolLines& p) { p.lines[3] = "101"; },
            "line 4 gives 101 sections" },
        SpoiledPool { "CarriageReturnLineFeedPairs",
            [](PoolLines& p) {
                for (std::string& line : p.lines)
                    line += "\r";
            },
            "line 4 gives 0 sections" }),
    [](const testing::TestParamInfo<SpoiledPool>& info) { return std::string(info.param.name); });

// The key made the longest choice of every question: both the share and the
// strategy that exploits it are reported.
TEST(PoolChecker, KeyThatIsAlwaysTheLongestChoiceIsReported)
{
    PoolLines pool = PoolLines::Sound();
    for (int n = 1; n <= 9; ++n)
        pool.Record(n, 3 + 1 + n % 4) += " and rather more words than the others";
    const PoolCheckResult result = CheckPoolText(pool.Text(), 1, {});
    EXPECT_DOUBLE_EQ(result.lengths.keyLongestShare, 1.0);
    EXPECT_DOUBLE_EQ(result.lengths.longest.averageScore, 1.0);
    EXPECT_DOUBLE_EQ(result.lengths.longest.passRate, 1.0);
    EXPECT_TRUE(Mentions(result.findings, "longer than every other choice in 100.0 %"))
        << Joined(result.findings);
    EXPECT_TRUE(Mentions(result.findings, "always picking the longest choice passes 100.0 %"))
        << Joined(result.findings);
    EXPECT_FALSE(Mentions(result.findings, "shortest")) << Joined(result.findings);
}

TEST(PoolChecker, ShortKeysAndTiesAreMeasured)
{
    PoolLines pool = PoolLines::Sound();
    // Questions 1 to 4: the key is the shortest choice. Questions 5 to 9: all
    // four choices are as long, so a length strategy guesses among four.
    for (int n = 1; n <= 9; ++n) {
        for (int a = 1; a <= 4; ++a) {
            std::string& answer = pool.Record(n, 3 + a);
            if (n <= 4)
                answer = a == 1 + n % 4 ? "k" : std::string("wrong ") + char('a' + a);
            else
                answer = std::string("same length ") + char('a' + a);
        }
    }
    ExamClass parsed;
    parsed.PopulateFromText(pool.Text());
    const AnswerLengthFigures figures = MeasureAnswerLengths(parsed, 40000);
    EXPECT_DOUBLE_EQ(figures.keyShortestShare, 4.0 / 9.0);
    EXPECT_DOUBLE_EQ(figures.keyLongestShare, 0.0);
    // Each exam takes 2 of questions 1-3, 2 of 4-7 and 1 of 8-9: on average
    // 2 + 0.5 short keys, and a quarter of the other 2.5 by the coin.
    EXPECT_NEAR(figures.shortest.averageScore, (2.5 + 2.5 / 4) / 5, 0.01);
    EXPECT_NEAR(figures.longest.averageScore, (2.5 / 4) / 5, 0.01);
    // The pass mark is 4 of 5. The shortest choice gets there with question 4
    // and the coin's help; the longest choice never gets a point from
    // section 1, so it can reach 3 at most.
    EXPECT_GT(figures.shortest.passRate, 0.0);
    EXPECT_EQ(figures.longest.passRate, 0.0);
}

// The longest choice wins every question of the first two sections and none
// of the third, so each exam scores exactly 4 of 5: the pass mark.
TEST(PoolChecker, ExamAtExactlyThePassMarkCountsAsPassed)
{
    PoolLines pool = PoolLines::Sound();
    for (int n = 1; n <= 9; ++n) {
        const int key = 1 + n % 4;
        for (int a = 1; a <= 4; ++a) {
            const bool longest = n <= 7 ? a == key : a == 1 + key % 4;
            pool.Record(n, 3 + a) = (longest ? "a longer choice " : "short ") + std::to_string(a);
        }
    }
    ExamClass parsed;
    parsed.PopulateFromText(pool.Text());
    ASSERT_EQ(parsed.minCorrect, 4);
    const AnswerLengthFigures figures = MeasureAnswerLengths(parsed, 200);
    EXPECT_DOUBLE_EQ(figures.longest.averageScore, 4.0 / 5.0);
    EXPECT_DOUBLE_EQ(figures.longest.passRate, 1.0);
}

// A figure exactly at its bound: the pass rate must stay under it, the other
// figures may reach it.
TEST(PoolChecker, FiguresAtTheirBoundAreJudgedByHowTheBoundIsStated)
{
    AnswerLengthFigures lengths;
    lengths.exams = 20000;
    lengths.longest.passRate = kMostStrategyPassRate;
    EXPECT_TRUE(Mentions(AnswerLengthFindings(lengths), "always picking the longest choice passes"))
        << Joined(AnswerLengthFindings(lengths));

    lengths.longest.passRate = 0;
    lengths.keyShortestShare = kMostKeyLengthShare;
    lengths.shortest.averageScore = kMostStrategyAverage;
    EXPECT_TRUE(AnswerLengthFindings(lengths).empty()) << Joined(AnswerLengthFindings(lengths));

    AnswerCueFigures cues;
    cues.numericQuestions = kFewestNumericQuestionsJudged;
    cues.keyMiddleShare = kMostKeyMiddleShare;
    cues.absoluteFreeScore = kMostAbsoluteFreeScore;
    EXPECT_TRUE(AnswerCueFindings(cues).empty()) << Joined(AnswerCueFindings(cues));
}

// "µ" is two bytes but one character: the key is as long as the others.
TEST(PoolChecker, AnswerLengthsCountCharactersNotBytes)
{
    PoolLines pool = PoolLines::Sound();
    for (int n = 1; n <= 9; ++n) {
        for (int a = 1; a <= 4; ++a)
            pool.Record(n, 3 + a)
                = a == 1 + n % 4 ? "10 \xC2\xB5H" : "10 " + std::string(1, 'a' + a) + "H";
    }
    ExamClass parsed;
    parsed.PopulateFromText(pool.Text());
    const AnswerLengthFigures figures = MeasureAnswerLengths(parsed, 100);
    EXPECT_DOUBLE_EQ(figures.keyLongestShare, 0.0);
    EXPECT_DOUBLE_EQ(figures.keyShortestShare, 0.0);
}

namespace {

// Ten numeric questions written as the pools write amounts, each with the
// position of one of its middle amounts and of one of its extremes, then two
// that are not numeric.
struct NumericCase {
    std::array<std::string, 4> choices;
    int middle;
    int extreme;
};

const NumericCase kNumericCases[] = {
    { { "About 3 V", "About 5 V", "About 12 V", "About 24 V" }, 2, 4 },
    { { "500 mA", "0.2 A", "1 A", "2 A" }, 1, 4 },
    { { "1,200 Hz", "12 kHz", "120 Hz", "1.2 MHz" }, 1, 4 },
    { { "10 ohms", "47 ohms", "100 ohms", "470 ohms" }, 2, 1 },
    { { "-3 dB", "-6 dB", "3 dB", "6 dB" }, 1, 2 },
    { { "0.5 W", "1 W", "5 W", "50 W" }, 3, 4 },
    { { "2 to 1", "3 to 1", "4 to 1", "1.5 to 1" }, 1, 3 },
    { { "146.52 MHz", "147 MHz", "144.39 MHz", "145.8 MHz" }, 4, 2 },
    { { ".25 inch", ".5 inch", "1 inch", "2 inch" }, 2, 1 },
    { { "10 \xC2\xB5"
        "F",
          "22 nF",
          "0.1 \xC2\xB5"
          "F",
          "470 pF" },
        3, 1 },
};

// The numeric cases, the first `middleKeys` with a middle key, then a
// question whose units differ and one with an amount written twice.
std::string NumericPool(int middleKeys, std::size_t cases = std::size(kNumericCases))
{
    std::vector<WrittenQuestion> questions;
    for (std::size_t i = 0; i < cases; ++i) {
        const NumericCase& numeric = kNumericCases[i];
        questions.push_back({ "How much is it?", numeric.choices,
            static_cast<int>(i) < middleKeys ? numeric.middle : numeric.extreme });
    }
    questions.push_back({ "Which?", { "3 V", "3 A", "5 V", "5 A" }, 2 });
    questions.push_back({ "Which?", { "1 kV", "1000 V", "2 kV", "3 kV" }, 3 });
    return WrittenPool(questions);
}

PoolCheckResult CheckCues(const std::string& text)
{
    PoolCheckOptions options;
    options.draws = 1;
    options.lengthExams = 0;
    return CheckPoolText(text, 1, options);
}

} // namespace

TEST(PoolChecker, KeyAmongTheMiddleAmountsIsReportedOverSixtyPercent)
{
    const PoolCheckResult over = CheckCues(NumericPool(7));
    EXPECT_EQ(over.cues.questions, 12);
    EXPECT_EQ(over.cues.numericQuestions, 10);
    EXPECT_DOUBLE_EQ(over.cues.keyMiddleShare, 0.7);
    EXPECT_TRUE(Mentions(over.findings,
        "neither the smallest nor the largest amount in 70.0 % of the 10 numeric questions"))
        << Joined(over.findings);

    const PoolCheckResult inside = CheckCues(NumericPool(6));
    EXPECT_DOUBLE_EQ(inside.cues.keyMiddleShare, 0.6);
    EXPECT_TRUE(inside.findings.empty()) << Joined(inside.findings);

    // Under ten numeric questions the share says too little to judge.
    const PoolCheckResult few = CheckCues(NumericPool(9, 9));
    EXPECT_EQ(few.cues.numericQuestions, 9);
    EXPECT_DOUBLE_EQ(few.cues.keyMiddleShare, 1.0);
    EXPECT_TRUE(few.findings.empty()) << Joined(few.findings);
}

TEST(PoolChecker, PickingAmongChoicesWithoutAbsoluteWordsIsReportedOverAQuarter)
{
    // Whole words in any case: "alloy", "Nonetheless", "Knowing" and
    // "Anyone" hold none.
    const WrittenQuestion keyAloneFree { "Which metal?",
        { "Always copper", "An alloy of copper and tin", "Never copper", "Only copper, NO tin" },
        2 };
    const WrittenQuestion keyAndOneFree { "Which metal?",
        { "Always copper", "An alloy of copper and tin", "Mostly copper", "Only copper, NO tin" },
        2 };
    const WrittenQuestion keyNotFree { "Which stations?",
        { "Every station", "Some stations", "Any station at all", "All stations" }, 1 };
    const WrittenQuestion noneHaveOne { "Which fault?",
        { "Nonetheless a fault", "Knowing the band plan", "Anyone nearby",
            "Exactness of the dial" },
        3 };

    // 1, 0, 0 and 0.25.
    const PoolCheckResult over
        = CheckCues(WrittenPool({ keyAloneFree, keyNotFree, keyNotFree, noneHaveOne }));
    EXPECT_DOUBLE_EQ(over.cues.absoluteFreeScore, 0.3125);
    EXPECT_TRUE(Mentions(over.findings,
        "without an absolute word (always, never, only, ...) "
        "scores 31.25 % on average (at most 25.00 %)"))
        << Joined(over.findings);

    // 0.5, 0, 0.25 and 0.25.
    const PoolCheckResult inside
        = CheckCues(WrittenPool({ keyAndOneFree, keyNotFree, noneHaveOne, noneHaveOne }));
    EXPECT_DOUBLE_EQ(inside.cues.absoluteFreeScore, 0.25);
    EXPECT_TRUE(inside.findings.empty()) << Joined(inside.findings);
}

TEST(PoolChecker, LastLineWithoutLineEndIsReported)
{
    std::string text = PoolLines::Sound().Text();
    text.pop_back();
    const PoolCheckResult result = CheckPoolText(text, 1, {});
    EXPECT_TRUE(Mentions(result.findings, "the last line has no line end"))
        << Joined(result.findings);
}

TEST(PoolChecker, TooManyRecordsStopTheProgramsReader)
{
    PoolLines pool = PoolLines::Sound();
    pool.lines[6] = "1 8 1001";
    for (int n = 10; n <= 1001; ++n) {
        for (const std::string& line :
            { std::string("Question?"), std::string("1"), std::string("0"), std::string("a"),
                std::string("b"), std::string("c"), std::string("d"), "X" + std::to_string(n) })
            pool.lines.push_back(line);
    }
    const PoolCheckResult result = CheckPoolText(pool.Text(), 1, {});
    EXPECT_TRUE(Mentions(result.findings, "the program's reader stops on it"))
        << Joined(result.findings);
}

TEST(PoolChecker, UnknownExaminationClassIsRefused)
{
    const PoolCheckResult result = CheckPoolText(PoolLines::Sound().Text(), 7, {});
    EXPECT_TRUE(Mentions(result.findings, "examination class 7 has no pool file"))
        << Joined(result.findings);
}

TEST(PoolChecker, MissingFileIsReported)
{
    const PoolCheckResult result = CheckPoolFile(MakeTempFolder() + "/TechFile.txt", {});
    EXPECT_TRUE(Mentions(result.findings, "cannot be read"));
}

// The drawn-exam check itself, on exams laid out by hand.
class DrawnExamCheck : public testing::Test {
protected:
    void SetUp() override
    {
        pool.PopulateFromText(PoolLines::Sound().Text());
        ASSERT_EQ(pool.numSections, 3);
        // A proper exam: 2 from questions 1-3, 2 from 4-7, 1 from 8-9.
        Draw({ 3, 1, 7, 4, 9 });
    }

    // Lays out an exam of these questions, its saved copy the same.
    void Draw(const std::array<Integer, 5>& drawn)
    {
        app.numberQuestions = 5;
        app.testNumberQuestions = 5;
        for (Integer n = 1; n <= 5; ++n) {
            app.question(n) = drawn[static_cast<std::size_t>(n - 1)];
            app.testQuestion(n) = drawn[static_cast<std::size_t>(n - 1)];
        }
    }

    ExamClass pool;
    Varno app;
};

TEST_F(DrawnExamCheck, ProperExamHasNoFindings)
{
    EXPECT_TRUE(CheckDrawnExam(app, pool).empty()) << Joined(CheckDrawnExam(app, pool));
}

TEST_F(DrawnExamCheck, RepeatedQuestionIsFound)
{
    app.question(2) = 3;
    app.testQuestion(2) = 3;
    EXPECT_TRUE(Mentions(CheckDrawnExam(app, pool), "entry 2 repeats question 3"));
}

TEST_F(DrawnExamCheck, QuestionOutsideItsSectionIsFound)
{
    // Each exam holds every question once; one entry lies outside its
    // section, well before it or just beside either end.
    const struct {
        std::array<Integer, 5> exam;
        std::string finding;
    } cases[] = {
        { { 3, 1, 2, 5, 9 }, "entry 3 is question 2, outside section 2 (4 to 7)" },
        { { 2, 1, 3, 5, 9 }, "entry 3 is question 3, outside section 2 (4 to 7)" },
        { { 3, 1, 6, 4, 7 }, "entry 5 is question 7, outside section 3 (8 to 9)" },
        { { 4, 1, 7, 5, 9 }, "entry 1 is question 4, outside section 1 (1 to 3)" },
        { { 3, 1, 8, 4, 9 }, "entry 3 is question 8, outside section 2 (4 to 7)" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.finding);
        Draw(c.exam);
        EXPECT_EQ(CheckDrawnExam(app, pool), std::vector<std::string> { c.finding });
    }
}

TEST_F(DrawnExamCheck, WrongLengthIsFound)
{
    app.numberQuestions = 4;
    EXPECT_TRUE(
        Mentions(CheckDrawnExam(app, pool), "it has 4 questions instead of the exam length 5"));
}

TEST_F(DrawnExamCheck, AnswerAlreadySetIsFound)
{
    app.answer(5) = 2;
    EXPECT_TRUE(Mentions(CheckDrawnExam(app, pool), "entry 5 starts with an answer set"));
}

TEST_F(DrawnExamCheck, SavedCopyThatDiffersIsFound)
{
    app.testQuestion(4) = 5;
    EXPECT_TRUE(Mentions(CheckDrawnExam(app, pool), "entry 4 differs in the saved copy"));
    app.testQuestion(4) = 4;
    app.testNumberQuestions = 3;
    EXPECT_TRUE(Mentions(CheckDrawnExam(app, pool), "its saved copy has 3 questions"));
}
