#include "question_review_window.h"

#include "label.h"
#include "mark_canvas.h"
#include "push_button.h"
#include "results_fixture.h"

#include "gif_writer.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <string>
#include <vector>

namespace {

QuestionReviewWindow& OpenReview(const std::string& text, Integer correctAnswer)
{
    QuestionReviewWindow& review = Window::Create<QuestionReviewWindow>();
    review.init("T1A01\r", text, correctAnswer, "Answer one\r", "Answer two\r", "Answer three\r",
        "Answer four\r");
    return review;
}

struct TrimCase {
    std::string given;
    std::string shown;
};

const std::vector<TrimCase> kTrimCases {
    { "What is a volt?\r", "What is a volt?" },
    { "What is a volt?\n", "What is a volt?" },
    { std::string("What is a volt?\0", 16), "What is a volt?" },
    { "What is a volt?\r\n", "What is a volt?\r" },
    { "What is a volt?\n\n", "What is a volt?\n" },
    { "What is a volt?", "What is a volt?" },
    { "Name the unit.", "Name the unit." },
    { "\r", "" },
    { "", "" },
};

} // namespace

using QuestionReviewWindowTest = ResultsTest;

TEST_F(QuestionReviewWindowTest, IsBuiltFromItsStoredRecords)
{
    QuestionReviewWindow& review = Window::Create<QuestionReviewWindow>();
    EXPECT_EQ(review.Title(), "Question");
    EXPECT_EQ(review.Width(), 548);
    EXPECT_EQ(review.Height(), 378);
    EXPECT_TRUE(review.Visible());
    EXPECT_EQ(review.QuestionCodeText().Text(), "Label:");
    EXPECT_FALSE(review.QuestionCodeText().Multiline());
    EXPECT_TRUE(review.QuestionText().Multiline());
    EXPECT_TRUE(review.AnswerText3().Multiline());
    EXPECT_EQ(review.AnswerText4().Top(), 280);
    EXPECT_EQ(review.AnswerText4().Height(), 50);
    EXPECT_EQ(review.PushButton1().Caption(), "OK");
    EXPECT_TRUE(review.PushButton1().Default());
    EXPECT_FALSE(review.PushButton1().Cancel());
    const std::vector<Integer> markTops { 106, 163, 218, 271 };
    for (Integer k = 1; k <= 4; ++k) {
        MarkCanvas& mark = review.Canvas1(k);
        EXPECT_EQ(mark.Index(), k);
        EXPECT_EQ(mark.Left(), 5);
        EXPECT_EQ(mark.Top(), markTops[static_cast<std::size_t>(k - 1)]);
        EXPECT_EQ(mark.Width(), 32);
        EXPECT_TRUE(mark.Transparent());
        EXPECT_FALSE(mark.DoubleBuffer());
        EXPECT_EQ(mark.type, 0);
    }
}

TEST_F(QuestionReviewWindowTest, OnlyTheCorrectAnswerIsMarked)
{
    for (Integer correct = 1; correct <= 4; ++correct) {
        SCOPED_TRACE("correct answer " + Str(correct));
        QuestionReviewWindow& review = OpenReview("Q?", correct);
        for (Integer k = 1; k <= 4; ++k) {
            EXPECT_EQ(review.Canvas1(k).Visible(), k == correct) << "mark " << k;
            EXPECT_EQ(review.Canvas1(k).type, k == correct ? 1 : 0) << "mark " << k;
        }
    }
}

TEST_F(QuestionReviewWindowTest, AnswerNumbersOutsideOneToFourMarkNothing)
{
    for (const Integer correct : { 0, -1, -4, 5, 100 }) {
        SCOPED_TRACE("correct answer " + Str(correct));
        QuestionReviewWindow& review = OpenReview("Q?", correct);
        for (Integer k = 1; k <= 4; ++k) {
            EXPECT_FALSE(review.Canvas1(k).Visible()) << "mark " << k;
            EXPECT_EQ(review.Canvas1(k).type, 0) << "mark " << k;
        }
    }
    Application::DoEvents();
    EXPECT_TRUE(Sink().messages.empty());
    EXPECT_TRUE(Unhandled().empty());
}

TEST_F(QuestionReviewWindowTest, OneTrailingLineEndOrNulLeavesTheQuestionTextOnly)
{
    for (const TrimCase& c : kTrimCases) {
        QuestionReviewWindow& review = OpenReview(c.given, 2);
        EXPECT_EQ(review.QuestionText().Text(), c.shown)
            << "given " << testing::PrintToString(c.given);
        EXPECT_EQ(review.QuestionCodeText().Text(), "T1A01\r");
        EXPECT_EQ(review.AnswerText1().Text(), "Answer one\r");
        EXPECT_EQ(review.AnswerText2().Text(), "Answer two\r");
        EXPECT_EQ(review.AnswerText3().Text(), "Answer three\r");
        EXPECT_EQ(review.AnswerText4().Text(), "Answer four\r");
    }
}

TEST_F(QuestionReviewWindowTest, TheShownMarkPaintsTheCorrectAnswerPicture)
{
    QImage check(32, 32, QImage::Format_RGB32);
    check.fill(QColor(0, 160, 0));
    ASSERT_TRUE(WriteGif(check, QString::fromStdString(Root() + "/Resources/Pic200.gif")));
    QuestionReviewWindow& review = OpenReview("Q?", 3);
    Application::DoEvents();
    EXPECT_EQ(review.Canvas1(3).PixelAt(16, 16), (Color { 0, 160, 0, 0 }));
    EXPECT_TRUE(Unhandled().empty());
}

TEST_F(QuestionReviewWindowTest, OkClosesThatWindowOnly)
{
    QuestionReviewWindow& first = OpenReview("Q?", 1);
    QuestionReviewWindow& second = OpenReview("Q?", 1);
    first.PushButton1().Push();
    EXPECT_FALSE(first.IsOpen());
    EXPECT_TRUE(second.IsOpen());
    Application::DoEvents();
    EXPECT_EQ(OpenWindowsOf<QuestionReviewWindow>().size(), 1U);
}

TEST_F(QuestionReviewWindowTest, AMarkIndexOutsideTheArrayIsNoMark)
{
    QuestionReviewWindow& review = OpenReview("Q?", 1);
    for (const Integer index : { -1, 0, 5 })
        EXPECT_THROW(review.Canvas1(index), NilObjectException) << "index " << index;
}
