#include "varno.h"

#include "debug_messages_testing.h"
#include "engine_test_support.h"
#include "exceptions.h"
#include "random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

class ExamDrawing : public EngineTest { };

struct Expected {
    Integer question;
    double probability;
};

struct PickCase {
    std::string name;
    Integer first;
    Integer last;
    std::vector<Integer> counts; // correct(1, i) for i = first..last
    std::vector<Expected> expected; // every value PickQuestion may give
};

TEST_F(ExamDrawing, PickQuestionFollowsTheWeightsOfRightAnswers)
{
    const std::vector<PickCase> cases = {
        // top = 6 + 2 = 8; weights 8, 6, 2, 2; total 18.
        { "counts 0 2 6 6 above 1", 11, 14, { 0, 2, 6, 6 },
            { { 10, 0.5 / 18 }, { 11, 8.0 / 18 }, { 12, 6.0 / 18 }, { 13, 2.0 / 18 },
                { 14, 1.5 / 18 } } },
        // Every weight 2; total 8.
        { "all counts 0", 3, 6, { 0, 0, 0, 0 },
            { { 2, 0.5 / 8 }, { 3, 2.0 / 8 }, { 4, 2.0 / 8 }, { 5, 2.0 / 8 }, { 6, 1.5 / 8 } } },
        // Starting at 1, r = 0 gives question 1 itself.
        { "section starting at 1", 1, 3, { 0, 0, 0 },
            { { 1, 2.5 / 6 }, { 2, 2.0 / 6 }, { 3, 1.5 / 6 } } },
        // One question: total 2, r = 0, 1, 2 give 4, 5, 5.
        { "one question", 5, 5, { 3 }, { { 4, 0.25 }, { 5, 0.75 } } },
    };
    constexpr int kPicks = 200000;
    for (const PickCase& c : cases) {
        SCOPED_TRACE(c.name);
        app->classNumber = 1;
        app->sectionStart(1) = c.first;
        app->sectionEnd(1) = c.last;
        for (Integer i = c.first; i <= c.last; ++i)
            app->correct(1, i) = c.counts[static_cast<std::size_t>(i - c.first)];
        SeedRnd(20240601);
        std::map<Integer, int> seen;
        for (int pick = 0; pick < kPicks; ++pick)
            ++seen[app->PickQuestion(1)];
        for (const Expected& e : c.expected) {
            EXPECT_NEAR(seen[e.question] / double(kPicks), e.probability, 0.01)
                << "question " << e.question;
            seen.erase(e.question);
        }
        EXPECT_TRUE(seen.empty()) << "unexpected question " << seen.begin()->first;
        for (Integer i = c.first; i <= c.last; ++i)
            app->correct(1, i) = 0;
    }
}

TEST_F(ExamDrawing, DrawingFavoursQuestionsAnsweredRightLessOften)
{
    // One draw from questions 11 to 14 with right-answer counts 0, 2, 6, 6:
    // weights 8, 6, 2 and 2 - 1/2 for the last, the r = 0 case being redrawn.
    LoadTechPool(UniformPool({ { 10, 0 }, { 4, 1 } }));
    const std::vector<Integer> counts = { 0, 2, 6, 6 };
    for (Integer i = 11; i <= 14; ++i)
        app->correct(1, i) = counts[static_cast<std::size_t>(i - 11)];
    SeedRnd(7);
    constexpr int kExams = 40000;
    std::map<Integer, int> drawn;
    for (int exam = 0; exam < kExams; ++exam) {
        app->CreateExam();
        ++drawn[app->question(1)];
    }
    const std::map<Integer, double> expected
        = { { 11, 8.0 / 17.5 }, { 12, 6.0 / 17.5 }, { 13, 2.0 / 17.5 }, { 14, 1.5 / 17.5 } };
    for (const auto& [question, probability] : expected)
        EXPECT_NEAR(drawn[question] / double(kExams), probability, 0.015) << question;
    EXPECT_GT(drawn[11], 3 * drawn[13]);
}

TEST_F(ExamDrawing, DrawsNeverRepeatAndStayInTheirSections)
{
    const std::vector<SizeAndDraws> shape
        = { { 10, 3 }, { 1, 1 }, { 5, 5 }, { 20, 7 }, { 7, 0 }, { 3, 2 } };
    LoadTechPool(UniformPool(shape));
    for (Integer i = 1; i <= 46; ++i)
        app->correct(1, i) = (i * 7) % 5;
    ASSERT_EQ(app->numberQuestions, 18);

    for (std::uint64_t seed = 1; seed <= 400; ++seed) {
        SeedRnd(seed);
        app->CreateExam();
        ASSERT_EQ(app->testNumberQuestions, 18);
        std::set<Integer> distinct;
        Integer entry = 1;
        for (Integer s = 1; s <= app->numberSections; ++s) {
            for (Integer j = 1; j <= app->numberInSection(s); ++j, ++entry) {
                const Integer q = app->question(entry);
                ASSERT_GE(q, app->sectionStart(s)) << "seed " << seed << " entry " << entry;
                ASSERT_LE(q, app->sectionEnd(s)) << "seed " << seed << " entry " << entry;
                ASSERT_EQ(app->answer(entry), 0);
                ASSERT_EQ(app->testQuestion(entry), q);
                ASSERT_EQ(app->testAnswer(entry), 0);
                distinct.insert(q);
            }
        }
        ASSERT_EQ(distinct.size(), 18u) << "seed " << seed;
        // The section drawn whole (questions 12 to 16) gives all of them.
        for (Integer q = 12; q <= 16; ++q)
            ASSERT_TRUE(distinct.count(q)) << "seed " << seed;
    }
}

TEST_F(ExamDrawing, FarApartCountsFromADamagedFileStillGiveAnExam)
{
    // Ten questions, five drawn. Questions 1 to 4 hold the lowest count a file
    // can, so they weigh about 2^32 each; questions 5 to 10 the highest, so
    // they weigh 2. Once 1 to 4 are drawn, a candidate is one of them again
    // with odds of a billion to one: the fifth entry still comes, from the
    // open questions.
    LoadTechPool(UniformPool({ { 10, 5 } }));
    app->classNumber = 1;
    for (Integer i = 1; i <= 4; ++i)
        app->correct(1, i) = -2147483648LL;
    for (Integer i = 5; i <= 10; ++i)
        app->correct(1, i) = 2147483647;

    std::set<Integer> fifths;
    for (std::uint64_t seed = 1; seed <= 10; ++seed) {
        SeedRnd(seed);
        app->CreateExam();
        ASSERT_EQ(app->testNumberQuestions, 5);
        std::set<Integer> drawn;
        for (Integer entry = 1; entry <= 5; ++entry)
            drawn.insert(app->question(entry));
        ASSERT_EQ(drawn.size(), 5u) << "seed " << seed;
        for (Integer q = 1; q <= 4; ++q)
            ASSERT_TRUE(drawn.count(q)) << "seed " << seed << " question " << q;
        ASSERT_GE(*drawn.rbegin(), 5);
        ASSERT_LE(*drawn.rbegin(), 10);
        fifths.insert(*drawn.rbegin());
    }
    // The open questions weigh the same, so the fifth is not always one of them.
    EXPECT_GT(fifths.size(), 1u);
}

TEST_F(ExamDrawing, DrawnAnswersStartUnsetAndOldEntriesAboveStay)
{
    app->question(10) = 999;
    app->answer(1) = 3;
    app->testAnswer(2) = 4;
    LoadTechPool(UniformPool({ { 6, 2 }, { 6, 2 } }));
    EXPECT_EQ(app->answer(1), 0);
    EXPECT_EQ(app->testAnswer(2), 0);
    EXPECT_EQ(app->question(10), 999);
    EXPECT_EQ(app->testNumberQuestions, 4);
}

TEST_F(ExamDrawing, SetExamCopiesThePoolSummary)
{
    app->sectionStart(50) = 77;
    PoolSpec spec = UniformPool({ { 4, 2 }, { 5, 3 } }, 3);
    spec.title = "Technician";
    LoadTechPool(spec);
    EXPECT_EQ(app->examName, "Technician");
    EXPECT_EQ(app->numberNeeded, 3);
    EXPECT_EQ(app->numberQuestions, 5);
    EXPECT_EQ(app->numberSections, 2);
    EXPECT_EQ(app->numberInSection(2), 3);
    EXPECT_EQ(app->questionsPerSection(2), 3);
    EXPECT_EQ(app->sectionStart(2), 5);
    EXPECT_EQ(app->sectionEnd(2), 9);
    EXPECT_EQ(app->sectionStart(50), 77);
    ASSERT_FALSE(app->exam.IsNil());
    EXPECT_EQ(app->exam->sectionPrefix(2), "S2 Topic");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ExamDrawing, EachChoiceLoadsANewPoolObject)
{
    LoadTechPool(UniformPool({ { 4, 2 } }));
    const ExamClass* first = app->exam.Pointer();
    app->SetExam(1);
    EXPECT_NE(app->exam.Pointer(), first);
    EXPECT_EQ(app->numberQuestions, 2);
}

TEST_F(ExamDrawing, PoolThatFailsToParseLeavesThePoolSummaryAndExamAsTheyWere)
{
    PoolSpec good = UniformPool({ { 4, 2 } });
    good.title = "Good";
    LoadTechPool(good);
    app->answer(1) = 3;
    const ExamClass* first = app->exam.Pointer();
    const Integer drawn = app->question(1);
    EXPECT_THROW(LoadTechPool(UniformPool(std::vector<SizeAndDraws>(101, { 1, 0 }))),
        PoolUnreadableException);
    // The user hears which file it is.
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(
        Messages()[0].rfind("The question pool \"TechFile.txt\" cannot be used for an exam: ", 0),
        0u)
        << Messages()[0];
    // The questions shown are still looked up in the pool they came from.
    EXPECT_EQ(app->exam.Pointer(), first);
    EXPECT_EQ(app->exam->numSections, 1);
    EXPECT_EQ(app->examName, "Good");
    EXPECT_EQ(app->numberSections, 1);
    EXPECT_EQ(app->numberQuestions, 2);
    EXPECT_EQ(app->question(1), drawn);
    EXPECT_EQ(app->answer(1), 3);
}

TEST_F(ExamDrawing, ClassWithoutAPoolIsRefusedAndChangesNothing)
{
    for (const Integer examClass : { 0, 7 }) {
        EXPECT_THROW(app->SetExam(examClass), PoolUnreadableException);
        EXPECT_TRUE(app->exam.IsNil());
        EXPECT_EQ(app->numberQuestions, 0);
        EXPECT_EQ(app->examName, "");
    }
    // An exam of no questions is no exam, and the user hears so.
    EXPECT_EQ(Messages(),
        std::vector<std::string>(
            2, "The question pool cannot be used for an exam: it holds no questions."));
}

// Replays the drawing's debug texts against what they must say: one text per
// candidate, "Duplicate" exactly when it repeats an accepted entry, "Not in
// correct section" exactly when it lies outside its section.
TEST_F(ExamDrawing, DebugTextsDescribeEveryCandidate)
{
    // Section 2 is question 3 alone, section 3 questions 4 and 5: a candidate
    // 3 for section 3 is both a duplicate and outside it.
    LoadTechPool(UniformPool({ { 2, 0 }, { 1, 1 }, { 2, 2 } }));
    const std::vector<std::pair<Integer, Integer>> sectionOfEntry
        = { { 3, 3 }, { 4, 5 }, { 4, 5 } };
    std::vector<std::string> texts;
    SetDebugMessageObserver([&](const std::string& text) { texts.push_back(text); });

    int both = 0;
    int duplicateOnly = 0;
    int outsideOnly = 0;
    for (std::uint64_t seed = 1; seed <= 200; ++seed) {
        texts.clear();
        SeedRnd(seed);
        app->CreateExam();
        std::vector<Integer> accepted;
        std::size_t at = 0;
        while (at < texts.size()) {
            const std::string& candidate = texts[at++];
            const std::size_t space = candidate.find(' ');
            ASSERT_NE(space, std::string::npos) << candidate;
            const Integer entry = std::atoll(candidate.substr(0, space).c_str());
            const Integer q = std::atoll(candidate.substr(space + 1).c_str());
            ASSERT_EQ(entry, static_cast<Integer>(accepted.size()) + 1);
            const auto [first, last] = sectionOfEntry[static_cast<std::size_t>(entry - 1)];
            const bool duplicate = std::find(accepted.begin(), accepted.end(), q) != accepted.end();
            const bool outside = q < first || q > last;
            if (duplicate) {
                ASSERT_LT(at, texts.size());
                ASSERT_EQ(texts[at++], "Duplicate");
            }
            if (outside) {
                ASSERT_LT(at, texts.size());
                ASSERT_EQ(texts[at++], "Not in correct section");
            }
            if (!duplicate && !outside)
                accepted.push_back(q);
            both += duplicate && outside;
            duplicateOnly += duplicate && !outside;
            outsideOnly += outside && !duplicate;
        }
        ASSERT_EQ(accepted.size(), 3u);
        for (Integer n = 1; n <= 3; ++n)
            EXPECT_EQ(app->question(n), accepted[static_cast<std::size_t>(n - 1)]);
    }
    EXPECT_GT(both, 0);
    EXPECT_GT(duplicateOnly, 0);
    EXPECT_GT(outsideOnly, 0);
}

TEST_F(ExamDrawing, OneQuestionSectionAlwaysEndsWithThatQuestion)
{
    LoadTechPool(UniformPool({ { 4, 0 }, { 1, 1 } }));
    for (std::uint64_t seed = 1; seed <= 50; ++seed) {
        SeedRnd(seed);
        app->CreateExam();
        EXPECT_EQ(app->question(1), 5);
    }
}

TEST_F(ExamDrawing, RandomWithLowZeroRoundsRndTimesHigh)
{
    for (const Integer high : { 0, 1, 2, 7, 1000, 123456 }) {
        for (std::uint64_t seed = 1; seed <= 20; ++seed) {
            SeedRnd(seed);
            const double rnd = Rnd();
            SeedRnd(seed);
            EXPECT_EQ(app->Random(0, high), static_cast<Integer>(rnd * double(high) + 0.5))
                << "high " << high << " seed " << seed;
        }
    }
}

TEST_F(ExamDrawing, RandomGivesTheEndsHalfAShare)
{
    SeedRnd(99);
    constexpr int kDraws = 200000;
    std::map<Integer, int> seen;
    for (int i = 0; i < kDraws; ++i)
        ++seen[app->Random(0, 4)];
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_NEAR(seen[0] / double(kDraws), 1.0 / 8, 0.01);
    EXPECT_NEAR(seen[2] / double(kDraws), 1.0 / 4, 0.01);
    EXPECT_NEAR(seen[4] / double(kDraws), 1.0 / 8, 0.01);
}

TEST_F(ExamDrawing, RandomWithOtherLowStaysBetweenTheBounds)
{
    SeedRnd(5);
    std::set<Integer> seen;
    for (int i = 0; i < 100000; ++i) {
        const Integer value = app->Random(1, 1000);
        ASSERT_GE(value, 1);
        ASSERT_LE(value, 1000);
        seen.insert(value);
    }
    EXPECT_EQ(seen.size(), 1000u);
}

TEST_F(ExamDrawing, CreateSectionExamListsTheWholeSection)
{
    LoadTechPool(UniformPool({ { 4, 1 }, { 6, 2 } }));
    const Integer saved1 = app->testQuestion(1);
    app->answer(2) = 3;
    app->CreateSectionExam(2);
    EXPECT_EQ(app->numberQuestions, 6);
    for (Integer i = 1; i <= 6; ++i) {
        EXPECT_EQ(app->question(i), 4 + i);
        EXPECT_EQ(app->answer(i), 0);
    }
    EXPECT_EQ(app->testQuestion(1), saved1);
    EXPECT_EQ(app->testNumberQuestions, 3);
}

TEST_F(ExamDrawing, CreateSectionExamNeedsAPool)
{
    EXPECT_THROW(app->CreateSectionExam(1), NilObjectException);
}

} // namespace
