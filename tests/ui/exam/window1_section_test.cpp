// The section pop-up: its rows, and what each choice does to the current
// question list and the saved exam.

#include "window1.h"

#include "bevel_button.h"
#include "exam_window_fixture.h"
#include "label.h"
#include "mark_canvas.h"
#include "popup_menu.h"
#include "radio_button.h"
#include "text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr Integer kEntirePoolRow = 3; // SmallPool has three sections
constexpr Integer kCurrentExamRow = 4;

// Chooses a row as the user would; a row that is already chosen raises no
// Change, so its handler then runs as a second choice of it would.
void ChooseRow(class Window1& window, Integer row)
{
    if (window.SectionButton().ListIndex() == row)
        window.SectionButton_Change(window.SectionButton());
    else
        window.SectionButton().Choose(row);
}

std::vector<Integer> CurrentQuestions(const Varno& app)
{
    std::vector<Integer> list;
    for (Integer i = 1; i <= app.numberQuestions; ++i)
        list.push_back(app.question(i));
    return list;
}

std::vector<Integer> CurrentAnswers(const Varno& app)
{
    std::vector<Integer> list;
    for (Integer i = 1; i <= app.numberQuestions; ++i)
        list.push_back(app.answer(i));
    return list;
}

std::vector<Integer> SavedQuestions(const Varno& app)
{
    std::vector<Integer> list;
    for (Integer i = 1; i <= app.testNumberQuestions; ++i)
        list.push_back(app.testQuestion(i));
    return list;
}

std::vector<Integer> SavedAnswers(const Varno& app)
{
    std::vector<Integer> list;
    for (Integer i = 1; i <= app.testNumberQuestions; ++i)
        list.push_back(app.testAnswer(i));
    return list;
}

enum class Choice { CurrentExam, EntirePool, SecondSection };

struct SwitchCase {
    std::string what;
    Integer modeBefore;
    Choice choice;
};

const SwitchCase kSwitchCases[] = {
    { "ExamToCurrentExam", 1, Choice::CurrentExam },
    { "ExamToEntirePool", 1, Choice::EntirePool },
    { "ExamToSection", 1, Choice::SecondSection },
    { "NewExamToCurrentExam", -1, Choice::CurrentExam },
    { "NewExamToEntirePool", -1, Choice::EntirePool },
    { "NewExamToSection", -1, Choice::SecondSection },
    { "PoolToCurrentExam", 2, Choice::CurrentExam },
    { "PoolToEntirePool", 2, Choice::EntirePool },
    { "PoolToSection", 2, Choice::SecondSection },
    { "SectionToCurrentExam", 3, Choice::CurrentExam },
    { "SectionToEntirePool", 3, Choice::EntirePool },
    { "SectionToSection", 3, Choice::SecondSection },
};

void PrintTo(const SwitchCase& c, std::ostream* out)
{
    *out << c.what;
}

class SectionSwitchTest : public ExamWindowTest, public testing::WithParamInterface<SwitchCase> { };

} // namespace

TEST_F(ExamWindowTest, FillListsSectionLabelsThenPoolThenExamAndChoosesTheExam)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    const PopupMenu& menu = window.SectionButton();
    ASSERT_EQ(menu.ListCount(), 5);
    EXPECT_EQ(menu.List(0), "T1 Commission rules");
    EXPECT_EQ(menu.List(1), "T2 Operating procedures");
    EXPECT_EQ(menu.List(2), "T3 Radio waves");
    EXPECT_EQ(menu.List(3), "Entire Pool");
    EXPECT_EQ(menu.List(4), "Current Exam");
    EXPECT_EQ(menu.ListIndex(), kCurrentExamRow);
    // The fill's choice ran the handler: the exam is loaded from its copy.
    EXPECT_EQ(window.previousExamMode, 1);
    EXPECT_EQ(CurrentQuestions(app), SavedQuestions(app));
    EXPECT_EQ(CurrentAnswers(app), (std::vector<Integer> { 0, 0, 0, 0 }));
    EXPECT_EQ(window.question, 1);
    EXPECT_EQ(window.QuestionNumField().Text(), "Question 1 of 4");
}

TEST_F(ExamWindowTest, RefillReplacesTheRowsOfTheEarlierPool)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    TestPool other = SmallPool();
    other.sections = { { 4, 1, 6, "Everything" } };
    WriteResource("GeneralFile.txt", PoolText(other));
    app.classNumber = 2;
    window.Init(2);
    ASSERT_EQ(window.SectionButton().ListCount(), 3);
    EXPECT_EQ(window.SectionButton().List(0), "Everything");
    EXPECT_EQ(window.SectionButton().ListIndex(), 2);
}

TEST_P(SectionSwitchTest, ChoiceLoadsItsListAndSavesExamAnswersOnlyWhenLeavingTheExam)
{
    const SwitchCase& c = GetParam();
    WritePool(SmallPool());
    class Window1& window = StartExam();
    const std::vector<Integer> drawn = SavedQuestions(app);

    // The exam answered, then the window brought into the mode before.
    const std::vector<Integer> examAnswers { 2, 3, 0, 1 };
    for (Integer i = 1; i <= 4; ++i)
        app.answer(i) = examAnswers[static_cast<std::size_t>(i - 1)];
    std::vector<Integer> savedBefore { 0, 0, 0, 0 };
    if (c.modeBefore == -1) {
        window.previousExamMode = -1;
    } else if (c.modeBefore == 2) {
        window.SectionButton().Choose(kEntirePoolRow);
        savedBefore = examAnswers;
    } else if (c.modeBefore == 3) {
        window.SectionButton().Choose(0);
        savedBefore = examAnswers;
    }
    ASSERT_EQ(window.previousExamMode, c.modeBefore);
    // Answers given in the pool or a section view: never saved.
    if (c.modeBefore != 1) {
        for (Integer i = 1; i <= app.numberQuestions; ++i)
            app.answer(i) = 4;
    }
    window.question = 2;

    const Integer row = c.choice == Choice::CurrentExam ? kCurrentExamRow
        : c.choice == Choice::EntirePool                ? kEntirePoolRow
                                                        : 1;
    ChooseRow(window, row);

    const std::vector<Integer> savedAfter = c.modeBefore == 1 ? examAnswers : savedBefore;
    EXPECT_EQ(SavedAnswers(app), savedAfter);
    EXPECT_EQ(SavedQuestions(app), drawn);
    switch (c.choice) {
    case Choice::CurrentExam:
        EXPECT_EQ(CurrentQuestions(app), drawn);
        EXPECT_EQ(CurrentAnswers(app), savedAfter);
        EXPECT_EQ(window.previousExamMode, 1);
        break;
    case Choice::EntirePool:
        EXPECT_EQ(CurrentQuestions(app), (std::vector<Integer> { 1, 2, 3, 4, 5, 6 }));
        EXPECT_EQ(CurrentAnswers(app), (std::vector<Integer> { 0, 0, 0, 0, 0, 0 }));
        EXPECT_EQ(window.previousExamMode, 2);
        break;
    case Choice::SecondSection:
        EXPECT_EQ(CurrentQuestions(app), (std::vector<Integer> { 4, 5 }));
        EXPECT_EQ(CurrentAnswers(app), (std::vector<Integer> { 0, 0 }));
        EXPECT_EQ(window.previousExamMode, 3);
        break;
    }
    EXPECT_EQ(window.question, 1);
    EXPECT_EQ(window.QuestionNumField().Text(), "Question 1 of " + Str(app.numberQuestions));
    EXPECT_EQ(window.StaticText1().Text(),
        app.GetQuestionCode(app.question(1)) + "\r" + "Question " + Str(app.question(1)) + "?");
}

INSTANTIATE_TEST_SUITE_P(StateTable, SectionSwitchTest, testing::ValuesIn(kSwitchCases),
    [](const testing::TestParamInfo<SwitchCase>& info) { return info.param.what; });

TEST_F(ExamWindowTest, ExamAnswersComeBackOnReturnToTheExam)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    window.Answer2().Push();
    window.NextButton().Push();
    window.Answer4().Push();
    window.NextButton().Push();
    ASSERT_EQ(window.question, 3);

    window.SectionButton().Choose(0);
    window.Answer1().Push(); // lost at the next switch
    window.SectionButton().Choose(kCurrentExamRow);

    EXPECT_EQ(window.question, 1);
    EXPECT_TRUE(window.Answer2().Value());
    EXPECT_EQ(CurrentAnswers(app), (std::vector<Integer> { 2, 4, 0, 0 }));
    window.NextButton().Push();
    EXPECT_TRUE(window.Answer4().Value());
}

TEST_F(ExamWindowTest, SwitchingChangesNoTitleModeOrEnabling)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    window.SectionButton().Choose(kEntirePoolRow);
    EXPECT_EQ(window.Title(), "Test Pool Exam");
    EXPECT_FALSE(window.reviewMode);
    EXPECT_TRUE(window.GradeButton().Enabled());
    EXPECT_TRUE(window.Answer1().Enabled());
}

TEST_F(ExamWindowTest, SectionAndWholePoolFollowTheSectionTables)
{
    TestPool pool;
    pool.passMark = 5;
    pool.examLength = 10;
    pool.title = "Long";
    // Questions 81 to 90 lie in no section.
    pool.sections = { { 5, 1, 50, "A" }, { 5, 51, 80, "B" } };
    for (Integer n = 1; n <= 90; ++n)
        pool.questions.push_back(NumberedQuestion(n));
    WritePool(pool);
    class Window1& window = StartExam();

    window.SectionButton().Choose(1);
    ASSERT_EQ(app.numberQuestions, 30);
    for (Integer i = 1; i <= 30; ++i) {
        EXPECT_EQ(app.question(i), 50 + i) << i;
        EXPECT_EQ(app.answer(i), 0) << i;
    }

    window.SectionButton().Choose(2); // "Entire Pool"
    ASSERT_EQ(app.numberQuestions, 80);
    for (Integer i = 1; i <= 80; ++i)
        EXPECT_EQ(app.question(i), i) << i;
    window.LastButton().Push();
    EXPECT_EQ(window.QuestionNumField().Text(), "Question 80 of 80");
}

TEST_F(ExamWindowTest, PoolWithoutSectionsOffersTwoRowsAndNoPoolToBrowse)
{
    // No such pool is ever drawn from; the pop-up still copes with one.
    WritePool(SmallPool());
    class Window1& window = StartExam();
    app.exam->numSections = 0;
    app.numberSections = 0;
    app.testNumberQuestions = 0;
    window.UpdateSectionButton();
    ASSERT_EQ(window.SectionButton().ListCount(), 2);
    EXPECT_EQ(window.SectionButton().List(0), "Entire Pool");
    EXPECT_EQ(window.SectionButton().List(1), "Current Exam");
    EXPECT_EQ(window.SectionButton().ListIndex(), 1);
    Messages().clear();

    // A pool of no questions has nothing to list: the choice is refused and
    // the pop-up goes back to the list still shown.
    window.SectionButton().Choose(0);
    EXPECT_EQ(Messages(),
        std::vector<std::string> { "The entire pool cannot be shown: it holds no questions." });
    EXPECT_EQ(window.SectionButton().ListIndex(), 1);
    EXPECT_EQ(window.previousExamMode, 1);
    window.SectionButton().Choose(1);
    EXPECT_EQ(app.numberQuestions, 0);
    EXPECT_EQ(window.question, 1);
    EXPECT_EQ(window.previousExamMode, 1);
    EXPECT_EQ(window.QuestionNumField().Text(), "Question 1 of 0");
    EXPECT_TRUE(unhandled.empty());
}

TEST_F(ExamWindowTest, GradedExamShowsItsAnswersWithMarksOnReturn)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    const Integer correct = app.GetAnswer(app.question(1));
    const Integer wrong = correct % 4 + 1;
    app.answer(1) = wrong;
    window.GradeButton().Push();
    CloseScoreDialog();

    window.SectionButton().Choose(0);
    window.SectionButton().Choose(kCurrentExamRow);
    EXPECT_EQ(app.answer(1), wrong);
    EXPECT_TRUE(window.Canvas1(wrong).Visible());
    EXPECT_EQ(window.Canvas1(wrong).type, 2);
    EXPECT_TRUE(window.Canvas1(correct).Visible());
    EXPECT_FALSE(window.Answer1().Enabled());
}

TEST_F(ExamWindowTest, GradingASectionGradesThatListAndReviewHoldsEverywhere)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    window.Answer1().Push(); // exam entry 1, saved on leaving
    window.SectionButton().Choose(1); // questions 4 and 5
    EXPECT_TRUE(window.GradeButton().Enabled());
    window.Answer4().Push(); // question 4: right
    window.GradeButton().Push();
    CloseScoreDialog();
    EXPECT_EQ(app.historyCorrect(1, 1), 1);
    EXPECT_EQ(app.historyIncorrect(1, 1), 1);
    EXPECT_EQ(app.correct(1, 4), 1);
    EXPECT_EQ(app.incorrect(1, 5), 1);

    window.SectionButton().Choose(kCurrentExamRow);
    EXPECT_TRUE(window.reviewMode);
    EXPECT_FALSE(window.GradeButton().Enabled());
    EXPECT_FALSE(window.Answer1().Enabled());
    EXPECT_EQ(app.answer(1), 1);
    EXPECT_TRUE(window.Answer1().Value());
    const Integer correct = app.GetAnswer(app.question(1));
    EXPECT_TRUE(window.Canvas1(correct).Visible());
    EXPECT_EQ(window.Canvas1(1).Visible(), true);
    EXPECT_EQ(window.Canvas1(1).type, correct == 1 ? 1 : 2);
}

TEST_F(ExamWindowTest, ChangeWithNoRowChosenLeavesTheListAlone)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    const std::vector<Integer> before = CurrentQuestions(app);
    window.SectionButton().DeleteAllRows();
    window.question = 3;
    window.SectionButton_Change(window.SectionButton());
    EXPECT_EQ(CurrentQuestions(app), before);
    EXPECT_EQ(window.question, 3);
    EXPECT_EQ(window.previousExamMode, 1);
}
