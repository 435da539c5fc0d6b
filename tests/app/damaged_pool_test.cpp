// Damaged pools in the resource folder, used the way a user would: start an
// exam, answer, pick from the section pop-up, grade. The exam's answers, the
// class a result is filed under and the statistics file must stay sound.

#include "exam_start.h"

#include "application.h"
#include "bevel_button.h"
#include "debug_messages_testing.h"
#include "exceptions.h"
#include "file_access_testing.h"
#include "label.h"
#include "popup_menu.h"
#include "program_fixture.h"
#include "radio_button.h"
#include "score_dialog.h"
#include "text.h"
#include "window1.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Two sections of three questions, two drawn from the first, one from the
// second: a sound pool.
std::string SoundPool(const std::string& title)
{
    return PoolFile(
        2, title, 3, { { "2", "1", "3", "S1 First" }, { "1", "4", "6", "S2 Second" } }, 6);
}

class DamagedPoolTest : public ProgramTest {
protected:
    DamagedPoolTest()
        : ProgramTest("damaged-pool")
    {
    }

    void WritePool(const std::string& file, const std::string& text)
    {
        WriteFileBytes(Root() + "/Resources/" + file, text);
        ForgetResourceFilesForTesting();
    }

    // What the chooser's and the Exam menu's buttons do, through the same
    // exception hook, so a failure ends where the program's would.
    void ChooseExam(Integer examClass)
    {
        CallWithExceptionHandling([examClass] { StartAmateurExam(examClass); });
    }

    class Window1& ExamWindow() { return Window1(); }

    static std::vector<Integer> Answers()
    {
        std::vector<Integer> answers;
        for (Integer n = 1; n <= App().numberQuestions; ++n)
            answers.push_back(App().answer(n));
        return answers;
    }

    // Every statistic and history entry of a class is 0.
    static bool ClassIsUntouched(const Varno& app, Integer examClass)
    {
        for (Integer j = 1; j <= 1000; ++j) {
            if (app.correct(examClass, j) != 0 || app.incorrect(examClass, j) != 0
                || app.historyDate(examClass, j) != 0.0 || app.historyCorrect(examClass, j) != 0
                || app.historyIncorrect(examClass, j) != 0)
                return false;
        }
        return true;
    }

    // The statistics file as the next run will read it.
    static std::unique_ptr<Varno> WrittenStatistics()
    {
        App().WritePrefs();
        auto reread = std::make_unique<Varno>();
        reread->ReadPrefs();
        return reread;
    }

    static bool ScoreDialogOpen() { return Window::FindOpen<class ScoreDialog>() != nullptr; }
};

TEST_F(DamagedPoolTest, SectionOutsideThePoolIsRefusedAndTheExamKeepsItsAnswers)
{
    // The third section draws nothing, so the pool passes its check, but it
    // names questions that no list can hold (or an empty range).
    const std::vector<SectionLine> damaged = {
        { "0", "7", "1500", "S3 Too far" },
        { "0", "-1", "99999999999999999999", "S3 Overflowing" },
        { "0", "6", "2", "S3 Reversed" },
    };
    for (const SectionLine& section : damaged) {
        SCOPED_TRACE(section.label);
        WritePool("TechFile.txt",
            PoolFile(2, "Technician", 3,
                { { "2", "1", "3", "S1 First" }, { "1", "4", "6", "S2 Second" }, section }, 6));
        ChooseExam(1);
        class Window1& window = ExamWindow();
        ASSERT_EQ(App().numberQuestions, 3);
        ASSERT_TRUE(Sink().messages.empty());

        // Entry 2 right, entry 3 wrong, then look at the damaged section and
        // at the whole pool, whose end is the damaged section's end.
        window.NextButton().Push();
        AnswerButtonNumber(window, App().GetAnswer(App().question(2))).Push();
        window.NextButton().Push();
        AnswerButtonNumber(window, App().GetAnswer(App().question(3)) % 4 + 1).Push();
        const std::vector<Integer> answers = Answers();
        const std::string shown = window.StaticText1().Text();

        window.SectionButton().Choose(2); // the damaged section
        ASSERT_EQ(Sink().messages.size(), 1u);
        EXPECT_EQ(
            Sink().messages[0].rfind("The section \"" + section.label + "\" cannot be shown: ", 0),
            0u)
            << Sink().messages[0];
        if (section.label != "S3 Reversed") {
            window.SectionButton().Choose(3); // "Entire Pool"
            ASSERT_EQ(Sink().messages.size(), 2u);
            EXPECT_EQ(Sink().messages[1].rfind("The entire pool cannot be shown: ", 0), 0u)
                << Sink().messages[1];
        }
        // Nothing changed: the exam, its answers, the view, the pop-up.
        EXPECT_EQ(Answers(), answers);
        EXPECT_EQ(window.question, 3);
        EXPECT_EQ(window.StaticText1().Text(), shown);
        EXPECT_EQ(window.SectionButton().ListIndex(), 4);
        EXPECT_EQ(window.SectionButton().Text(), "Current Exam");
        EXPECT_EQ(window.previousExamMode, 1);

        // A sound section and back: the answers are still there.
        window.SectionButton().Choose(0);
        EXPECT_EQ(App().numberQuestions, 3);
        window.SectionButton().Choose(4);
        EXPECT_EQ(Answers(), answers);

        window.GradeButton().Push();
        EXPECT_EQ(App().historyCorrect(1, 1), 1);
        EXPECT_EQ(App().historyIncorrect(1, 1), 2);
        const std::unique_ptr<Varno> written = WrittenStatistics();
        EXPECT_EQ(written->historyCorrect(1, 1), 1);
        EXPECT_EQ(written->historyIncorrect(1, 1), 2);
        EXPECT_EQ(written->correct(1, App().question(2)), 1);
        EXPECT_EQ(written->incorrect(1, App().question(3)), 1);
        EXPECT_TRUE(Unhandled().empty());

        for (Window* open : Window::OpenWindows())
            open->Close();
        Application::DoEvents();
        Sink().messages.clear();
        for (Integer j = 1; j <= 6; ++j) {
            App().correct(1, j) = 0;
            App().incorrect(1, j) = 0;
        }
        App().historyDate(1, 1) = 0.0;
        App().historyCorrect(1, 1) = 0;
        App().historyIncorrect(1, 1) = 0;
    }
}

TEST_F(DamagedPoolTest, PoolThatFailsToLoadLeavesTheExamUnderItsOwnClass)
{
    WritePool("GeneralFile.txt", SoundPool("General"));
    // More records than a pool can hold: parsing fails part-way.
    WritePool(
        "TechFile.txt", PoolFile(2, "Technician", 1, { { "1", "1", "3", "S1 First" } }, 1001));
    ChooseExam(2);
    class Window1& window = ExamWindow();
    ASSERT_EQ(window.Title(), "General Exam");
    AnswerButtonNumber(window, App().GetAnswer(App().question(1))).Push();
    const std::vector<Integer> answers = Answers();
    const std::vector<Integer> questions
        = { App().question(1), App().question(2), App().question(3) };

    ChooseExam(1);
    ASSERT_EQ(Sink().messages.size(), 1u);
    EXPECT_EQ(Sink().messages[0].rfind(
                  "The question pool \"TechFile.txt\" cannot be used for an exam: ", 0),
        0u)
        << Sink().messages[0];
    EXPECT_TRUE(Unhandled().empty());
    EXPECT_EQ(App().classNumber, 2);
    EXPECT_EQ(window.Title(), "General Exam");
    EXPECT_EQ(App().examName, "General");
    EXPECT_EQ(App().exam->poolFile, "GeneralFile.txt");
    EXPECT_EQ(Answers(), answers);
    EXPECT_EQ(window.StaticText1().Text(),
        "C" + Str(questions[0]) + "\r\rQuestion " + Str(questions[0]) + "?");

    window.GradeButton().Push();
    EXPECT_TRUE(ClassIsUntouched(App(), 1));
    EXPECT_EQ(App().historyCorrect(2, 1), 1);
    EXPECT_EQ(App().historyIncorrect(2, 1), 2);
    EXPECT_EQ(App().correct(2, questions[0]), 1);
    const std::unique_ptr<Varno> written = WrittenStatistics();
    EXPECT_TRUE(ClassIsUntouched(*written, 1));
    EXPECT_EQ(written->historyCorrect(2, 1), 1);
    EXPECT_EQ(written->historyIncorrect(2, 1), 2);
    EXPECT_EQ(written->incorrect(2, questions[1]), 1);
}

// Once the new pool has replaced the old one, the class goes with it, even
// when the start fails later on: the window shows the new pool's questions.
TEST_F(DamagedPoolTest, StartThatFailsAfterThePoolLoadedKeepsTheNewClass)
{
    WritePool("GeneralFile.txt", SoundPool("General"));
    WritePool("TechFile.txt", SoundPool("Technician"));
    ChooseExam(2);
    ASSERT_EQ(App().classNumber, 2);

    // The drawing's debug texts come after the pool is in place; the
    // reader's count comes before.
    SetDebugMessageObserver([](const std::string& text) {
        if (text.rfind("questions read", 0) != 0)
            throw RuntimeException("drawing failed");
    });
    ChooseExam(1);
    SetDebugMessageObserver({});
    ASSERT_EQ(Unhandled().size(), 1u);
    EXPECT_EQ(App().exam->poolFile, "TechFile.txt");
    EXPECT_EQ(App().examName, "Technician");
    EXPECT_EQ(App().classNumber, 1);
}

TEST_F(DamagedPoolTest, ExamWithNoQuestionsIsNotGraded)
{
    const std::string refusal
        = "There is no exam to grade. Choose an exam from the Exam menu first.";
    const auto expectNothingGraded = [&](const std::string& what, std::size_t messagesBefore) {
        SCOPED_TRACE(what);
        ExamWindow().GradeButton().Push();
        ASSERT_EQ(Sink().messages.size(), messagesBefore + 1);
        EXPECT_EQ(Sink().messages.back(), refusal);
        EXPECT_FALSE(ScoreDialogOpen());
        EXPECT_FALSE(ExamWindow().reviewMode);
        EXPECT_TRUE(ExamWindow().Answer1().Enabled());
        for (Integer examClass = 0; examClass <= 3; ++examClass)
            EXPECT_TRUE(ClassIsUntouched(App(), examClass)) << examClass;
    };

    // File > Show Exam before any exam.
    ExamWindow().Show();
    expectNothingGraded("no exam yet", 0);

    // A pool that was refused: the window shows a list of no questions.
    WritePool("TechFile.txt", PoolFile(2, "Technician", 4, { { "4", "1", "3", "S1 First" } }, 3));
    ChooseExam(1);
    ASSERT_EQ(Sink().messages.size(), 2u);
    EXPECT_EQ(App().numberQuestions, 0);
    expectNothingGraded("refused pool", 2);

    // A pool that loaded no questions.
    WritePool("GeneralFile.txt", "");
    ChooseExam(2);
    EXPECT_EQ(App().numberQuestions, 0);
    expectNothingGraded("empty pool", 4);

    // An exam window opened again after the exam's was closed holds no exam
    // of its own, whatever list the program still has.
    WritePool("ExtraFile.txt", SoundPool("Extra"));
    ChooseExam(3);
    ExamWindow().Close();
    Application::DoEvents();
    ASSERT_EQ(App().numberQuestions, 3);
    expectNothingGraded("window without an exam", 5);
    EXPECT_TRUE(Unhandled().empty());

    const std::unique_ptr<Varno> written = WrittenStatistics();
    for (Integer examClass = 1; examClass <= 3; ++examClass)
        EXPECT_TRUE(ClassIsUntouched(*written, examClass)) << examClass;
}

// A pool that gives no questions names its file and says why.
TEST_F(DamagedPoolTest, PoolGivingNoQuestionsSaysWhichFileAndWhy)
{
    struct Case {
        std::string what;
        std::function<void()> damage;
        std::string reason;
    };
    const std::string resources = Root() + "/Resources";
    const std::vector<Case> cases = {
        { "missing file", [] {},
            "the file is missing from the resource folder \"" + resources + "\"." },
        { "empty file", [&] { WritePool("TechFile.txt", ""); }, "it holds no questions." },
        { "CR LF line ends",
            [&] {
                WritePool("TechFile.txt",
                    PoolFile(2, "Technician", 3,
                        { { "2", "1", "3", "S1" }, { "1", "4", "6", "S2" } }, 6, "\r\n"));
            },
            "it holds no questions." },
        { "binary file",
            [&] { WritePool("TechFile.txt", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 17)); },
            "it holds no questions." },
        { "a folder in its place",
            [&] { std::filesystem::create_directories(resources + "/TechFile.txt"); },
            "\"" + resources + "/TechFile.txt\" is a folder, not a file." },
        { "no resource folder", [&] { std::filesystem::remove_all(resources); },
            "the resource folder \"" + resources + "\" is missing." },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(resources);
        std::filesystem::create_directories(resources);
        ForgetResourceFilesForTesting();
        c.damage();
        Sink().messages.clear();
        ChooseExam(1);
        EXPECT_EQ(Sink().messages,
            std::vector<std::string> {
                "The question pool \"TechFile.txt\" cannot be used for an exam: " + c.reason });
        EXPECT_EQ(App().numberQuestions, 0);
        EXPECT_TRUE(Unhandled().empty());
    }
}

TEST_F(DamagedPoolTest, UnreadablePoolFileIsNamedAsSuch)
{
    const std::string pool = Root() + "/Resources/TechFile.txt";
    WritePool("TechFile.txt", SoundPool("Technician"));
    // What a file without read permission gives, for root as well.
    SetOpenFailureForTesting(pool, EACCES);
    ChooseExam(1);
    SetOpenFailureForTesting({}, 0);
    EXPECT_EQ(Sink().messages,
        std::vector<std::string> { "The question pool \"TechFile.txt\" cannot be used for an exam: "
                                   "the file \""
            + pool + "\" cannot be read." });
}

} // namespace
