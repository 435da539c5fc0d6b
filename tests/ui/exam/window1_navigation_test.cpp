// Showing one entry of the current question list, moving between entries,
// answering and grading.

#include "window1.h"

#include "bevel_button.h"
#include "exam_window_fixture.h"
#include "history_window.h"
#include "label.h"
#include "mark_canvas.h"
#include "popup_menu.h"
#include "radio_button.h"
#include "resource_files_testing.h"
#include "score_dialog.h"
#include "stats_window.h"
#include "text.h"
#include "window.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <string>

namespace {

// Which radio button is on: 1 to 4, 0 for none, -1 for more than one.
Integer ChosenButton(const class Window1& window)
{
    Integer chosen = 0;
    for (Integer k = 1; k <= 4; ++k) {
        if (AnswerButtonNumber(window, k).Value())
            chosen = chosen == 0 ? k : -1;
    }
    return chosen;
}

struct NavigationState {
    Integer entry;
    bool backEnabled;
    bool nextEnabled;
};

void ExpectShowing(const class Window1& window, const NavigationState& state, Integer entries)
{
    EXPECT_EQ(window.question, state.entry);
    EXPECT_EQ(
        window.QuestionNumField().Text(), "Question " + Str(state.entry) + " of " + Str(entries));
    EXPECT_EQ(window.BackButton().Enabled(), state.backEnabled);
    EXPECT_EQ(window.NextButton().Enabled(), state.nextEnabled);
    EXPECT_TRUE(window.FirstButton().Enabled());
    EXPECT_TRUE(window.LastButton().Enabled());
}

} // namespace

TEST_F(ExamWindowTest, InitShowsEntryOneOfTheDrawnExam)
{
    WritePool(SmallPool());
    class Window1& window = StartExam(1);

    EXPECT_EQ(window.Title(), "Test Pool Exam");
    EXPECT_FALSE(window.reviewMode);
    EXPECT_EQ(window.question, 1);
    EXPECT_EQ(app.numberQuestions, 4);
    const Integer pool = app.question(1);
    ASSERT_GE(pool, 1);
    ASSERT_LE(pool, 3);
    // The code keeps its own line end from the pool file, then one more.
    EXPECT_EQ(window.StaticText1().Text(),
        "T0A" + Str(pool) + "\r" + "\r" + "Question " + Str(pool) + "?");
    EXPECT_EQ(window.QuestionNumField().Text(), "Question 1 of 4");
    EXPECT_EQ(window.AnswerText1().Text(), "Answer " + Str(pool) + ".1\r");
    EXPECT_EQ(window.AnswerText4().Text(), "Answer " + Str(pool) + ".4\r");
    EXPECT_EQ(ChosenButton(window), 0);
    for (Integer k = 1; k <= 4; ++k) {
        EXPECT_TRUE(AnswerButtonNumber(window, k).Enabled()) << k;
        EXPECT_FALSE(window.Canvas1(k).Visible()) << k;
    }
    EXPECT_TRUE(window.GradeButton().Enabled());
    EXPECT_TRUE(unhandled.empty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ExamWindowTest, NavigationEnablesBackAndNextByPosition)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    ExpectShowing(window, { 1, false, true }, 4);

    window.NextButton().Push();
    ExpectShowing(window, { 2, true, true }, 4);
    window.LastButton().Push();
    ExpectShowing(window, { 4, true, false }, 4);
    window.BackButton().Push();
    ExpectShowing(window, { 3, true, true }, 4);
    window.FirstButton().Push();
    ExpectShowing(window, { 1, false, true }, 4);
    EXPECT_EQ(window.StaticText1().Text().substr(0, 3), "T0A");
}

TEST_F(ExamWindowTest, BackAndNextHandlersStayInsideTheList)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    window.BackButton_Action(window.BackButton());
    ExpectShowing(window, { 1, false, true }, 4);
    window.LastButton().Push();
    window.NextButton_Action(window.NextButton());
    ExpectShowing(window, { 4, true, false }, 4);
}

TEST_F(ExamWindowTest, SingleEntryListDisablesBothAndFirstLastShowIt)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    window.SectionButton().Choose(2); // "T3 Radio waves": question 6 alone
    ExpectShowing(window, { 1, false, false }, 1);
    const std::string shown = window.StaticText1().Text();
    EXPECT_EQ(shown, "T0A6\r\rQuestion 6?");
    window.LastButton().Push();
    ExpectShowing(window, { 1, false, false }, 1);
    EXPECT_EQ(window.StaticText1().Text(), shown);
    window.FirstButton().Push();
    ExpectShowing(window, { 1, false, false }, 1);
    EXPECT_EQ(window.StaticText1().Text(), shown);
}

TEST_F(ExamWindowTest, EmptyListShowsOneOfZeroThenZeroOfZeroAfterLast)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    app.numberQuestions = 0;
    window.FirstButton().Push();
    ExpectShowing(window, { 1, false, false }, 0);

    window.LastButton().Push();
    EXPECT_EQ(window.question, 0);
    EXPECT_EQ(window.QuestionNumField().Text(), "Question 0 of 0");
    EXPECT_FALSE(window.BackButton().Enabled());
    EXPECT_FALSE(window.NextButton().Enabled());
    EXPECT_TRUE(unhandled.empty());
}

// A pool that gives no exam (empty or missing) is refused before it replaces
// the one loaded: the window goes on showing the exam it had.
TEST_F(ExamWindowTest, PoolGivingNoExamLeavesTheWindowAsItWas)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    window.Answer2().Push();
    window.NextButton().Push();
    const std::string title = window.Title();
    const std::string shown = window.StaticText1().Text();
    for (const bool missing : { false, true }) {
        SCOPED_TRACE(missing ? "missing pool file" : "empty pool file");
        if (missing)
            std::filesystem::remove(resourceFolder + "/TechFile.txt");
        else
            WriteResource("TechFile.txt", "");
        ForgetResourceFilesForTesting();
        EXPECT_THROW(window.Init(1), PoolUnreadableException);
        EXPECT_EQ(window.Title(), title);
        EXPECT_EQ(window.question, 2);
        EXPECT_EQ(window.StaticText1().Text(), shown);
        EXPECT_EQ(window.QuestionNumField().Text(), "Question 2 of 4");
        EXPECT_EQ(app.answer(1), 2);
        EXPECT_EQ(app.numberQuestions, 4);
    }
    EXPECT_TRUE(unhandled.empty());
}

TEST_F(ExamWindowTest, ClickingAnAnswerStoresItWithoutRedisplay)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    window.QuestionNumField().SetText("untouched");
    window.Answer3().Push();
    EXPECT_EQ(app.answer(1), 3);
    EXPECT_EQ(window.QuestionNumField().Text(), "untouched");
    window.Answer1().Push();
    EXPECT_EQ(app.answer(1), 1);
}

TEST_F(ExamWindowTest, AnswersAreKeptAcrossNavigation)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    window.Answer3().Push();
    window.NextButton().Push();
    EXPECT_EQ(ChosenButton(window), 0);
    window.Answer2().Push();
    window.LastButton().Push();
    EXPECT_EQ(ChosenButton(window), 0);

    window.FirstButton().Push();
    EXPECT_EQ(ChosenButton(window), 3);
    window.NextButton().Push();
    EXPECT_EQ(ChosenButton(window), 2);
    window.BackButton().Push();
    EXPECT_EQ(ChosenButton(window), 3);
    // Showing an entry never changes what is stored.
    EXPECT_EQ(app.answer(1), 3);
    EXPECT_EQ(app.answer(2), 2);
    EXPECT_EQ(app.answer(3), 0);
    EXPECT_EQ(app.answer(4), 0);
}

TEST_F(ExamWindowTest, StoredAnswerOutsideOneToFourTurnsNoButtonOn)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    app.answer(1) = 2;
    window.DoQuestion();
    EXPECT_EQ(ChosenButton(window), 2);
    app.answer(1) = 7;
    window.DoQuestion();
    EXPECT_EQ(ChosenButton(window), 0);
}

struct LineEndCase {
    std::string stored;
    std::string shown;
};

TEST_F(ExamWindowTest, QuestionTextLosesOneTrailingLineEnd)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    using namespace std::string_literals;
    const LineEndCase cases[] = {
        { "What is it?\r", "What is it?" },
        { "What is it?\n", "What is it?" },
        { "What is it?\0"s, "What is it?" },
        { "What is it?\r\n", "What is it?\r" },
        { "What is it?\n\n", "What is it?\n" },
        { "What is it?", "What is it?" },
        { "\r", "" },
        { "", "" },
    };
    const Integer pool = app.question(1);
    const std::string code = app.GetQuestionCode(pool);
    for (const LineEndCase& c : cases) {
        app.exam->question(pool) = app.exam->Keep(c.stored);
        window.DoQuestion();
        EXPECT_EQ(window.StaticText1().Text(), code + "\r" + c.shown)
            << testing::PrintToString(c.stored);
    }
}

TEST_F(ExamWindowTest, TextsAreShownAsTheirUtf8Bytes)
{
    const std::string text = "Wie gro\xC3\x9F ist \xCE\xBB?";
    TestPool pool = SmallPool();
    for (TestQuestion& question : pool.questions) {
        question.text = text;
        question.answers[0] = "1 \xC2\xB5H";
    }
    WritePool(pool);
    class Window1& window = StartExam();
    const std::string shown = window.StaticText1().Text();
    ASSERT_GE(shown.size(), text.size());
    EXPECT_EQ(shown.substr(shown.size() - text.size()), text);
    EXPECT_NE(window.StaticText1().DisplayedText().find(text), std::string::npos);
    EXPECT_EQ(window.AnswerText1().Text(), "1 \xC2\xB5H\r");
}

TEST_F(ExamWindowTest, GradingEntersReviewModeAndLocksTheAnswers)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    const Integer correctFirst = app.GetAnswer(app.question(1));
    const Integer wrongFirst = correctFirst % 4 + 1;
    AnswerButtonNumber(window, wrongFirst).Push();
    window.NextButton().Push();
    AnswerButtonNumber(window, app.GetAnswer(app.question(2))).Push();
    window.FirstButton().Push();

    window.GradeButton().Push();

    EXPECT_TRUE(window.reviewMode);
    for (Integer k = 1; k <= 4; ++k)
        EXPECT_FALSE(AnswerButtonNumber(window, k).Enabled()) << k;
    EXPECT_FALSE(window.GradeButton().Enabled());
    // Entry 1 is shown again with both marks, its choice still on.
    EXPECT_EQ(window.question, 1);
    EXPECT_EQ(ChosenButton(window), wrongFirst);
    EXPECT_TRUE(window.Canvas1(correctFirst).Visible());
    EXPECT_EQ(window.Canvas1(correctFirst).type, 1);
    EXPECT_TRUE(window.Canvas1(wrongFirst).Visible());
    EXPECT_EQ(window.Canvas1(wrongFirst).type, 2);
    // The grading itself: one right, three wrong, recorded and shown.
    EXPECT_EQ(app.historyCorrect(1, 1), 1);
    EXPECT_EQ(app.historyIncorrect(1, 1), 3);
    class ScoreDialog* dialog = Window::FindOpen<class ScoreDialog>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(
        dialog->StaticText1().Text().find("You correctly answered 1 out of 4"), std::string::npos);
    EXPECT_TRUE(CloseScoreDialog());

    // Pressing the disabled button grades nothing more.
    window.GradeButton().Push();
    EXPECT_EQ(app.historyDate(1, 2), 0.0);
    EXPECT_EQ(Window::FindOpen<class ScoreDialog>(), nullptr);
}

TEST_F(ExamWindowTest, ReviewModeHoldsWhileNavigatingUntilTheNextInit)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    window.Answer1().Push();
    window.GradeButton().Push();
    CloseScoreDialog();

    window.NextButton().Push();
    const Integer correct = app.GetAnswer(app.question(2));
    EXPECT_TRUE(window.Canvas1(correct).Visible());
    EXPECT_FALSE(window.Answer1().Enabled());
    window.FirstButton().Push();
    EXPECT_EQ(ChosenButton(window), 1);

    window.Init(1);
    EXPECT_FALSE(window.reviewMode);
    EXPECT_TRUE(window.GradeButton().Enabled());
    for (Integer k = 1; k <= 4; ++k) {
        EXPECT_TRUE(AnswerButtonNumber(window, k).Enabled()) << k;
        EXPECT_FALSE(window.Canvas1(k).Visible()) << k;
    }
    EXPECT_EQ(ChosenButton(window), 0);
}

TEST_F(ExamWindowTest, HistoryButtonsShowTheirWindowsOnce)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    window.PushButton4().Push();
    class HistoryWindow* history = Window::FindOpen<class HistoryWindow>();
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(history->Visible());
    window.PushButton4().Push();
    EXPECT_EQ(Window::FindOpen<class HistoryWindow>(), history);

    window.PushButton5().Push();
    class StatsWindow* stats = Window::FindOpen<class StatsWindow>();
    ASSERT_NE(stats, nullptr);
    EXPECT_TRUE(stats->Visible());
    window.PushButton5().Push();
    EXPECT_EQ(Window::FindOpen<class StatsWindow>(), stats);
    EXPECT_EQ(Window::OpenWindows().size(), 3u);
    EXPECT_TRUE(unhandled.empty());
}
