#include "varno.h"

#include "date.h"
#include "engine_test_support.h"
#include "label.h"
#include "score_dialog.h"
#include "window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Grading : public EngineTest {
protected:
    // Loads a pool of 8 questions (correct answers 1, 2, 3, 4, 1, 2, 3, 4) and
    // puts questions 1 to count, in order, into the current list unanswered.
    void ListQuestions(Integer count, Integer passMark = 3)
    {
        LoadTechPool(UniformPool({ { 8, 4 } }, passMark));
        app->classNumber = 2;
        app->numberQuestions = count;
        for (Integer n = 1; n <= count; ++n) {
            app->question(n) = n;
            app->answer(n) = 0;
        }
    }

    std::string DialogText() const
    {
        auto* dialog = Window::FindOpen<class ScoreDialog>();
        return dialog == nullptr ? std::string("(no dialog)") : dialog->StaticText1().Text();
    }
};

TEST_F(Grading, CountsRightAndWrongAndAddsToTheClassStatistics)
{
    ListQuestions(5);
    app->answer(1) = 1; // right
    app->answer(2) = 2; // right
    app->answer(3) = 1; // wrong
    app->answer(5) = 1; // right; entry 4 unanswered, wrong
    app->correct(2, 1) = 10;
    app->GradeExam();

    EXPECT_EQ(app->correct(2, 1), 11);
    EXPECT_EQ(app->correct(2, 2), 1);
    EXPECT_EQ(app->correct(2, 5), 1);
    EXPECT_EQ(app->incorrect(2, 3), 1);
    EXPECT_EQ(app->incorrect(2, 4), 1);
    EXPECT_EQ(app->incorrect(2, 1), 0);
    EXPECT_EQ(app->correct(1, 1), 0); // another class is untouched
    EXPECT_EQ(app->historyCorrect(2, 1), 3);
    EXPECT_EQ(app->historyIncorrect(2, 1), 2);
    EXPECT_EQ(DialogText().substr(0, 37), "You correctly answered 3 out of 5 que");
}

TEST_F(Grading, UnansweredExamIsAllWrong)
{
    ListQuestions(8, 4);
    app->GradeExam();
    for (Integer q = 1; q <= 8; ++q) {
        EXPECT_EQ(app->incorrect(2, q), 1);
        EXPECT_EQ(app->correct(2, q), 0);
    }
    EXPECT_EQ(app->historyCorrect(2, 1), 0);
    EXPECT_EQ(app->historyIncorrect(2, 1), 8);
    EXPECT_NE(DialogText().find("Unfortunately, you did not pass."), std::string::npos);
}

// A damaged pool's question without a correct answer 1 to 4 is never right:
// leaving it unanswered (0) must not score.
TEST_F(Grading, QuestionWithoutACorrectAnswerIsNeverRight)
{
    ListQuestions(3);
    for (const Integer key : { 0, 5, -1 }) {
        SCOPED_TRACE(key);
        app->exam->questionCorrectAnswer(1) = key;
        app->exam->questionCorrectAnswer(2) = key;
        app->answer(1) = 0;
        app->answer(2) = key;
        app->answer(3) = 3;
        const Integer slot = key == 0 ? 1 : key == 5 ? 2 : 3;
        app->GradeExam();
        EXPECT_EQ(app->historyCorrect(2, slot), 1);
        EXPECT_EQ(app->historyIncorrect(2, slot), 2);
    }
    EXPECT_EQ(app->correct(2, 1), 0);
    EXPECT_EQ(app->correct(2, 2), 0);
    EXPECT_EQ(app->correct(2, 3), 3);
}

TEST_F(Grading, EmptyListIsNotGraded)
{
    ListQuestions(0);
    app->GradeExam();
    EXPECT_EQ(app->historyDate(2, 1), 0.0);
    EXPECT_EQ(app->historyCorrect(2, 1), 0);
    EXPECT_EQ(app->historyIncorrect(2, 1), 0);
    EXPECT_EQ(DialogText(), "(no dialog)");
}

TEST_F(Grading, ResultsFillTheFirstFreeSlotsInOrder)
{
    ListQuestions(2);
    const double before = Date().TotalSeconds();
    app->answer(1) = 1;
    app->GradeExam();
    app->GradeExam();
    app->answer(2) = 2;
    app->GradeExam();
    const double after = Date().TotalSeconds();
    for (Integer k = 1; k <= 3; ++k) {
        EXPECT_GE(app->historyDate(2, k), before);
        EXPECT_LE(app->historyDate(2, k), after);
    }
    EXPECT_EQ(app->historyCorrect(2, 1), 1);
    EXPECT_EQ(app->historyCorrect(2, 2), 1);
    EXPECT_EQ(app->historyCorrect(2, 3), 2);
    EXPECT_EQ(app->historyDate(2, 4), 0.0);
    // Each grading counts again, whether or not the list was graded before.
    EXPECT_EQ(app->correct(2, 1), 3);
}

TEST_F(Grading, AddExamResultsTakesTheFirstGap)
{
    app->classNumber = 3;
    for (Integer k = 1; k <= 10; ++k)
        app->historyDate(3, k) = (k == 5) ? 0.0 : 1000.0 + k;
    app->AddExamResults(7, 8);
    EXPECT_GT(app->historyDate(3, 5), 1000.0 + 10);
    EXPECT_EQ(app->historyCorrect(3, 5), 7);
    EXPECT_EQ(app->historyIncorrect(3, 5), 8);
    EXPECT_EQ(app->historyDate(3, 11), 0.0);
    EXPECT_EQ(app->historyDate(3, 6), 1006.0);
}

TEST_F(Grading, TheLastSlotTakesTheResultWhenAllBeforeItAreFull)
{
    ListQuestions(1);
    for (Integer k = 1; k <= 999; ++k)
        app->historyDate(2, k) = 5.0;
    app->answer(1) = 1;
    app->GradeExam();
    EXPECT_GT(app->historyDate(2, 1000), 5.0);
    EXPECT_EQ(app->historyCorrect(2, 1000), 1);
    EXPECT_EQ(app->historyIncorrect(2, 1000), 0);
    EXPECT_EQ(app->historyDate(2, 999), 5.0);
    EXPECT_EQ(app->historyDate(2, 1001), 0.0);
}

TEST_F(Grading, AFullHistoryKeepsWhatItHasAndSaysSo)
{
    ListQuestions(1);
    for (Integer k = 1; k <= 1000; ++k) {
        app->historyDate(2, k) = 5.0;
        app->historyCorrect(2, k) = 9;
    }
    app->answer(1) = 1;
    app->GradeExam();
    for (Integer k = 1; k <= 1000; ++k) {
        ASSERT_EQ(app->historyDate(2, k), 5.0);
        ASSERT_EQ(app->historyCorrect(2, k), 9);
    }
    EXPECT_EQ(app->historyDate(2, 1001), 0.0);
    EXPECT_EQ(app->correct(2, 1), 1); // the statistics still count
    EXPECT_NE(DialogText().find("1 out of 1"), std::string::npos);
    EXPECT_EQ(Messages(),
        std::vector<std::string> { "This result was not added to the Uniform exam history: it "
                                   "already holds 1000 graded exams, as many as Varno keeps. Edit "
                                   "> Clear Exam Histories makes room for new results, but it "
                                   "clears at once, without asking, every exam history and every "
                                   "question's statistics of the Technician, General, Extra and "
                                   "Element 1 exams." });

    // One slot free again: the next result is kept, and nothing is said.
    app->historyDate(2, 1000) = 0.0;
    Messages().clear();
    app->GradeExam();
    EXPECT_GT(app->historyDate(2, 1000), 5.0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Grading, EntryOutsideThePoolStopsBeforeHistoryAndDialog)
{
    ListQuestions(3);
    app->answer(1) = 1;
    app->question(2) = 1001;
    EXPECT_THROW(app->GradeExam(), OutOfBoundsException);
    EXPECT_EQ(app->correct(2, 1), 1);
    EXPECT_EQ(app->historyDate(2, 1), 0.0);
    EXPECT_EQ(Window::FindOpen<class ScoreDialog>(), nullptr);
}

TEST_F(Grading, SecondGradingReusesTheOpenDialog)
{
    ListQuestions(4, 1);
    app->GradeExam();
    auto* dialog = Window::FindOpen<class ScoreDialog>();
    ASSERT_NE(dialog, nullptr);
    app->answer(1) = 1;
    app->GradeExam();
    EXPECT_EQ(Window::FindOpen<class ScoreDialog>(), dialog);
    EXPECT_EQ(Window::OpenWindows().size(), 1u);
    EXPECT_EQ(DialogText().substr(0, 33), "You correctly answered 1 out of 4");
    EXPECT_NE(DialogText().find("You passed!"), std::string::npos);
}

} // namespace
