#include "window1.h"

#include "application.h"
#include "clipped_labels.h"
#include "exam_window_fixture.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// Every question of every pool the program ships, with its code and its four
// answers, fits the exam window at the window's stored size: a text cut off
// there would hide part of a question or an answer from the candidate.
TEST_F(ExamWindowTest, EveryShippedQuestionFitsTheWindow)
{
    const std::filesystem::path shipped = std::filesystem::path(VARNO_BUILD_DIR) / "Resources";
    const char* pools[] = { "TechFile.txt", "GeneralFile.txt", "ExtraFile.txt", "fccelement1.txt",
        "fccelement8.txt", "fccelement3.txt" };
    for (Integer examClass = 1; examClass <= 6; ++examClass) {
        const char* file = pools[examClass - 1];
        SCOPED_TRACE(file);
        WriteResource(file, ReadFileBytes((shipped / file).string()));
        class Window1& window = StartExam(examClass);
        window.Show();
        Application::DoEvents();
        const Integer questions = app.exam->gettingQuestionNumber - 1;
        ASSERT_GT(questions, 0);
        // The whole pool in the question list, as "Entire Pool" shows it.
        app.numberQuestions = questions;
        for (Integer n = 1; n <= questions; ++n) {
            app.question(n) = n;
            app.answer(n) = 0;
        }
        int clipped = 0;
        for (Integer n = 1; n <= questions; ++n) {
            window.question = n;
            window.DoQuestion();
            const std::string cut = ClippedLabels(window);
            if (!cut.empty() && ++clipped <= 10)
                ADD_FAILURE() << app.GetQuestionCode(n) << ":" << cut;
        }
        EXPECT_EQ(clipped, 0) << "questions whose texts do not fit";

        // The check itself sees a text that cannot fit.
        app.exam->question(1) = app.exam->Keep(TextTooLongForAnyLabel());
        window.question = 1;
        window.DoQuestion();
        EXPECT_NE(ClippedLabels(window), "");
        window.Close();
    }
}
