// Marking the shown question in review mode: which mark controls show which
// mark, and what bad pool data leads to.

#include "window1.h"

#include "bevel_button.h"
#include "exam_window_fixture.h"
#include "label.h"
#include "mark_canvas.h"
#include "popup_menu.h"
#include "radio_button.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <ostream>
#include <vector>
#include <string>

namespace {

struct MarkCase {
    std::string what;
    Integer correct; // the pool's correct answer number
    Integer chosen; // the stored answer
    std::array<Integer, 4> marks; // per control: 0 hidden, else the visible type
    bool oops;
};

const MarkCase kMarkCases[] = {
    { "right choice", 3, 3, { 0, 0, 1, 0 }, false },
    { "wrong choice", 2, 4, { 0, 1, 0, 2 }, false },
    { "unanswered", 1, 0, { 1, 0, 0, 0 }, false },
    { "negative answer", 4, -1, { 0, 0, 0, 1 }, false },
    { "correct answer 0, unanswered", 0, 0, { 0, 0, 0, 0 }, true },
    { "correct answer 0, answered", 0, 2, { 0, 0, 0, 0 }, true },
    { "correct answer -1", -1, 0, { 0, 0, 0, 0 }, true },
    { "correct answer 5", 5, 1, { 0, 0, 0, 0 }, true },
    { "chosen answer 5", 2, 5, { 0, 1, 0, 0 }, true },
};

void PrintTo(const MarkCase& c, std::ostream* out)
{
    *out << c.what;
}

class ShowAnswersTest : public ExamWindowTest, public testing::WithParamInterface<MarkCase> { };

} // namespace

TEST_P(ShowAnswersTest, MarksFollowTheCorrectAndTheChosenAnswer)
{
    const MarkCase& c = GetParam();
    WritePool(SmallPool());
    class Window1& window = StartExam();
    window.GradeButton().Push();
    ASSERT_TRUE(CloseScoreDialog());
    Messages().clear();

    // Entry 2 of 4, pool question 5, with the case's data.
    app.question(2) = 5;
    app.exam->questionCorrectAnswer(5) = c.correct;
    app.answer(2) = c.chosen;
    for (Integer k = 1; k <= 4; ++k) {
        window.Canvas1(k).SetVisible(true);
        window.Canvas1(k).type = 7;
    }
    window.BackButton().SetEnabled(false);
    window.NextButton().SetEnabled(false);
    window.question = 2;
    window.DoQuestion();

    for (Integer k = 1; k <= 4; ++k) {
        const MarkCanvas& mark = window.Canvas1(k);
        const Integer expected = c.marks[static_cast<std::size_t>(k - 1)];
        EXPECT_EQ(mark.Visible(), expected != 0) << k;
        if (expected != 0) {
            EXPECT_EQ(mark.type, expected) << k;
        } else {
            EXPECT_EQ(mark.type, 7) << k << ": a hidden mark keeps its type";
        }
    }
    if (c.oops)
        EXPECT_EQ(Messages(), std::vector<std::string> { "oops!" });
    else
        EXPECT_TRUE(Messages().empty());
    // The display goes on after the marks, whatever happened in them.
    EXPECT_TRUE(window.BackButton().Enabled());
    EXPECT_TRUE(window.NextButton().Enabled());
    EXPECT_TRUE(unhandled.empty());
}

INSTANTIATE_TEST_SUITE_P(ReviewMode, ShowAnswersTest, testing::ValuesIn(kMarkCases),
    [](const testing::TestParamInfo<MarkCase>& info) {
        std::string name;
        for (char c : info.param.what)
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST_F(ExamWindowTest, BadCorrectAnswerShowsOopsOnEveryDisplay)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    window.GradeButton().Push();
    CloseScoreDialog();
    Messages().clear();

    app.exam->questionCorrectAnswer(app.question(1)) = 0;
    window.NextButton().Push();
    EXPECT_TRUE(Messages().empty());
    window.BackButton().Push();
    window.FirstButton().Push();
    EXPECT_EQ(Messages(), (std::vector<std::string> { "oops!", "oops!" }));
    EXPECT_FALSE(window.BackButton().Enabled());
    EXPECT_TRUE(window.NextButton().Enabled());
}

TEST_F(ExamWindowTest, ShowAnswersTouchesNothingButTheMarks)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    window.Answer2().Push();
    window.QuestionNumField().SetText("kept");
    window.ShowAnswers();
    EXPECT_EQ(window.QuestionNumField().Text(), "kept");
    EXPECT_TRUE(window.Answer2().Value());
    EXPECT_TRUE(window.Answer2().Enabled());
    EXPECT_EQ(app.answer(1), 2);
    EXPECT_FALSE(window.reviewMode);
    // It does not look at the mode: called directly it marks all the same.
    const Integer correct = app.GetAnswer(app.question(1));
    EXPECT_TRUE(window.Canvas1(correct).Visible());
    EXPECT_EQ(window.Canvas1(correct).type, 1);
}

TEST_F(ExamWindowTest, LeavingReviewModeHidesMarksAndKeepsTheirTypes)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    const Integer correct = app.GetAnswer(app.question(1));
    const Integer wrong = correct % 4 + 1;
    app.answer(1) = wrong;
    window.GradeButton().Push();
    CloseScoreDialog();
    ASSERT_TRUE(window.Canvas1(wrong).Visible());

    window.Init(1);
    for (Integer k = 1; k <= 4; ++k)
        EXPECT_FALSE(window.Canvas1(k).Visible()) << k;
    EXPECT_EQ(window.Canvas1(correct).type, 1);
    EXPECT_EQ(window.Canvas1(wrong).type, 2);
}

TEST_F(ExamWindowTest, SectionViewAfterGradingShowsOnlyTheCorrectMark)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    window.GradeButton().Push();
    CloseScoreDialog();

    window.SectionButton().Choose(1); // questions 4 and 5
    EXPECT_EQ(app.question(1), 4);
    EXPECT_EQ(window.Canvas1(4).type, 1);
    for (Integer k = 1; k <= 4; ++k)
        EXPECT_EQ(window.Canvas1(k).Visible(), k == 4) << k;
    EXPECT_FALSE(window.Answer1().Enabled());
    window.NextButton().Push(); // question 5, correct answer 1
    for (Integer k = 1; k <= 4; ++k)
        EXPECT_EQ(window.Canvas1(k).Visible(), k == 1) << k;
    EXPECT_TRUE(Messages().empty());
}
