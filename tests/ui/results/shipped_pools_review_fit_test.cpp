#include "question_review_window.h"

#include "clipped_labels.h"
#include "exam_class.h"
#include "results_fixture.h"

#include <filesystem>
#include <string>

using ShippedPoolsReviewTest = ResultsTest;

// The review window shows a question with its code and its four answers: every
// shipped question fits it as it opens.
TEST_F(ShippedPoolsReviewTest, EveryShippedQuestionFitsTheReviewWindow)
{
    const std::filesystem::path shipped = std::filesystem::path(VARNO_BUILD_DIR) / "Resources";
    for (const char* file : { "TechFile.txt", "GeneralFile.txt", "ExtraFile.txt", "fccelement1.txt",
             "fccelement8.txt", "fccelement3.txt" }) {
        SCOPED_TRACE(file);
        ExamClass pool;
        pool.PopulateFromText(ReadFileBytes((shipped / file).string()));
        const Integer questions = pool.gettingQuestionNumber - 1;
        ASSERT_GT(questions, 0);
        QuestionReviewWindow& review = Window::Create<QuestionReviewWindow>();
        review.Show();
        Application::DoEvents();
        int clipped = 0;
        for (Integer n = 1; n <= questions; ++n) {
            review.init(pool.questionNumber(n), pool.question(n), pool.questionCorrectAnswer(n),
                pool.questionAnswer(n, 1), pool.questionAnswer(n, 2), pool.questionAnswer(n, 3),
                pool.questionAnswer(n, 4));
            const std::string cut = ClippedLabels(review);
            if (!cut.empty() && ++clipped <= 10)
                ADD_FAILURE() << pool.questionNumber(n) << ":" << cut;
        }
        EXPECT_EQ(clipped, 0) << "questions whose texts do not fit";

        // The check itself sees a text that cannot fit.
        review.init("X1\r", TextTooLongForAnyLabel(), 1, "a\r", "b\r", "c\r", "d\r");
        EXPECT_NE(ClippedLabels(review), "");
        review.Close();
    }
}
