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

    // Chooses Technician, whose pool must be refused with one message.
    void ExpectTechnicianPoolRefused()
    {
        Sink().messages.clear();
        ChooseExam(1);
        ASSERT_EQ(Sink().messages.size(), 1u);
        EXPECT_EQ(Sink().messages[0].rfind(
                      "The question pool \"TechFile.txt\" cannot be used for an exam: ", 0),
            0u)
            << Sink().messages[0];
    }

    // Chooses Technician, whose pool must be refused for reason alone.
    void ExpectTechnicianPoolRefused(const std::string& reason)
    {
        Sink().messages.clear();
        ChooseExam(1);
        EXPECT_EQ(Sink().messages,
            std::vector<std::string> {
                "The question pool \"TechFile.txt\" cannot be used for an exam: " + reason });
    }

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
    // The third section draws nothing and holds no questions, so the pool
    // passes its check, but there is no list to show for it (nor, when it
    // ends before question 1, for the whole pool).
    const std::vector<SectionLine> damaged = {
        { "0", "6", "0", "S3 Ending at 0" },
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

    ExpectTechnicianPoolRefused();
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

// The ways of reaching an exam window that holds no exam of its own.
enum class NoExam { RefusedFirstPool, ShowExamFirst, ShowExamAfterClosing };

class WindowWithoutExamTest : public DamagedPoolTest,
                              public testing::WithParamInterface<NoExam> { };

// Such a window says once, in place of a question, why it shows none; no
// button of it raises an error or opens a window, nothing is graded, and an
// exam chosen from it brings every control back.
TEST_P(WindowWithoutExamTest, SaysWhyAndInvitesNothingUntilAnExamIsChosen)
{
    WritePool("ExtraFile.txt", SoundPool("Extra"));
    // Four draws from a section of three: no exam can be drawn.
    WritePool("TechFile.txt", PoolFile(2, "Technician", 4, { { "4", "1", "3", "S1 First" } }, 3));
    std::string why = "There is no exam to show. Choose an exam from the Exam menu first.";
    switch (GetParam()) {
    case NoExam::RefusedFirstPool:
        ExpectTechnicianPoolRefused();
        break;
    case NoExam::ShowExamFirst:
        App()._FileShowExam_Action();
        break;
    case NoExam::ShowExamAfterClosing:
        ChooseExam(3);
        ExamWindow().Close();
        Application::DoEvents();
        App()._FileShowExam_Action();
        why = "The exam shown before ended when its window was closed, so it can no longer be "
              "answered or graded. Choose an exam from the Exam menu to start a new one.";
        break;
    }
    Sink().messages.clear();
    class Window1& window = ExamWindow();
    const std::size_t openWindows = Window::OpenWindows().size();
    EXPECT_EQ(window.StaticText1().Text(), why);
    for (Integer k = 1; k <= 4; ++k)
        EXPECT_FALSE(AnswerButtonNumber(window, k).Enabled()) << k;

    // Each handler is run even where its button is disabled.
    const struct {
        BevelButton& button;
        bool enabled;
        std::function<void()> handler;
    } buttons[] = {
        { window.FirstButton(), true, [&] { window.FirstButton_Action(window.FirstButton()); } },
        { window.BackButton(), false, [&] { window.BackButton_Action(window.BackButton()); } },
        { window.NextButton(), false, [&] { window.NextButton_Action(window.NextButton()); } },
        { window.LastButton(), true, [&] { window.LastButton_Action(window.LastButton()); } },
        { window.GradeButton(), false, [&] { window.GradeButton_Action(window.GradeButton()); } },
        { window.PushButton4(), false, [&] { window.PushButton4_Action(window.PushButton4()); } },
        { window.PushButton5(), false, [&] { window.PushButton5_Action(window.PushButton5()); } },
    };
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.button.Caption());
        EXPECT_EQ(b.button.Enabled(), b.enabled);
        CallWithExceptionHandling(b.handler);
        EXPECT_EQ(window.StaticText1().Text(), why);
        EXPECT_TRUE(Unhandled().empty());
        EXPECT_TRUE(Sink().messages.empty());
        EXPECT_EQ(Window::OpenWindows().size(), openWindows);
    }
    const std::unique_ptr<Varno> written = WrittenStatistics();
    for (Integer examClass = 0; examClass <= 3; ++examClass)
        EXPECT_TRUE(ClassIsUntouched(*written, examClass)) << examClass;

    ChooseExam(3);
    EXPECT_EQ(&ExamWindow(), &window);
    EXPECT_EQ(window.QuestionNumField().Text(), "Question 1 of 3");
    for (Integer k = 1; k <= 4; ++k)
        EXPECT_TRUE(AnswerButtonNumber(window, k).Enabled()) << k;
    for (const auto& b : buttons)
        EXPECT_EQ(b.button.Enabled(), &b.button != &window.BackButton()) << b.button.Caption();
    window.GradeButton().Push();
    EXPECT_TRUE(ScoreDialogOpen());
    EXPECT_EQ(App().historyIncorrect(3, 1), 3);
    EXPECT_TRUE(Sink().messages.empty());
}

std::string NoExamName(const testing::TestParamInfo<NoExam>& info)
{
    const char* const names[] = { "RefusedFirstPool", "ShowExamFirst", "ShowExamAfterClosing" };
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Ways, WindowWithoutExamTest,
    testing::Values(NoExam::RefusedFirstPool, NoExam::ShowExamFirst, NoExam::ShowExamAfterClosing),
    NoExamName);

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
            "its lines end in CR LF (as Windows saves text), but each line of a pool must end in "
            "one LF or one CR. Save it with LF line ends." },
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
        ExpectTechnicianPoolRefused(c.reason);
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

// The lines of a text, each with its line end.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t end = text.find('\r', begin);
        lines.push_back(text.substr(begin, end - begin + 1));
        begin = end + 1;
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count && i < lines.size(); ++i)
        text += lines[i];
    return text;
}

// A pool cut short, one whose question has no correct answer 1 to 4, or one
// whose pass mark is 0 would grade blank answers as right or as a pass; one
// that shows questions it has no record of would count them. It is refused
// before any exam is drawn, naming the question or the line, and nothing is
// scored.
TEST_F(DamagedPoolTest, QuestionsWithoutARecordOrACorrectAnswerAreRefusedByLine)
{
    // Header, two sections and their labels take lines 1 to 8; question q's
    // record takes the eight lines after line 8 * q, its correct answer the
    // second.
    const std::vector<std::string> whole = Lines(SoundPool("Technician"));
    ASSERT_EQ(whole.size(), 8u + 6 * 8);
    std::vector<std::string> keyZero = whole;
    keyZero[17] = "0\r"; // line 18, question 2
    std::vector<std::string> keyFive = whole;
    keyFive[49] = "5\r"; // line 50, question 6
    std::vector<std::string> passMarkZero = whole;
    passMarkZero[0] = "0\r";
    const std::string soundText = Joined(whole, whole.size());
    // Drawing nothing, a third section passes the draw check; lines 1 to 10
    // are the header, sections and labels.
    const auto withThirdSection = [](const std::string& first, const std::string& last) {
        return PoolFile(2, "Technician", 3,
            { { "2", "1", "3", "S1" }, { "1", "4", "6", "S2" }, { "0", first, last, "S3" } }, 6);
    };
    const struct {
        const char* what;
        std::string pool;
        std::string reason;
    } cases[] = {
        { "no question records", Joined(whole, 8),
            "question 1, which section 1 draws from, has no record: the file ends at line 8." },
        { "cut in half", Joined(whole, 8 + 3 * 8),
            "question 4, which section 2 draws from, has no record: the file ends at line 32." },
        { "cut inside a record", Joined(whole, 8 + 4 * 8 + 3),
            "question 5, which section 2 draws from, has no record: the file ends at line 43." },
        { "correct answer 0", Joined(keyZero, keyZero.size()),
            "question 2 (C2) gives 0 as its correct answer on line 18; it must be 1 to 4." },
        { "correct answer 5", Joined(keyFive, keyFive.size()),
            "question 6 (C6) gives 5 as its correct answer on line 50; it must be 1 to 4." },
        { "pass mark 0", Joined(passMarkZero, passMarkZero.size()),
            "it gives 0 as its pass mark on line 1; it must be 1 to 3, the exam length." },
        { "a NUL byte first", std::string(1, '\0') + soundText,
            "it gives 0 as its pass mark on line 1; it must be 1 to 3, the exam length." },
        { "a UTF-8 byte-order mark first", "\xEF\xBB\xBF" + soundText,
            "it begins with a UTF-8 byte-order mark, so the pass mark on line 1 reads as 0; save "
            "it without one." },
        { "a section drawing nothing past the records", withThirdSection("5", "12"),
            "question 7, which section 3 holds, has no record: the file ends at line 58." },
        { "a section drawing nothing past any list", withThirdSection("-1", "99999999999999999999"),
            "section 3 runs from question -1 to question 9223372036854775807, outside 1 to "
            "1000." },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WritePool("TechFile.txt", c.pool);
        ExpectTechnicianPoolRefused(c.reason);
        EXPECT_EQ(App().classNumber, 0);
        EXPECT_TRUE(App().exam.IsNil());
        ExamWindow().GradeButton().Push();
        EXPECT_FALSE(ScoreDialogOpen());
        EXPECT_TRUE(ClassIsUntouched(App(), 1));
        EXPECT_TRUE(Unhandled().empty());
    }
}

// Whatever refuses a pool, the exam in progress stays: its class, title,
// answers, the entry shown and the pop-up.
TEST_F(DamagedPoolTest, ARefusedPoolLeavesTheExamInProgressAsItWas)
{
    WritePool("GeneralFile.txt", SoundPool("General"));
    ChooseExam(2);
    class Window1& window = ExamWindow();
    AnswerButtonNumber(window, App().GetAnswer(App().question(1))).Push();
    window.NextButton().Push();
    AnswerButtonNumber(window, App().GetAnswer(App().question(2)) % 4 + 1).Push();
    const std::vector<Integer> answers = Answers();
    const std::string shown = window.StaticText1().Text();
    ASSERT_EQ(window.QuestionNumField().Text(), "Question 2 of 3");

    const std::string resources = Root() + "/Resources";
    const struct {
        const char* what;
        std::function<void()> damage;
    } damages[] = {
        { "a section the draw check refuses",
            [&] {
                WritePool("TechFile.txt",
                    PoolFile(2, "Technician", 3,
                        { { "2", "1", "3", "S1" }, { "1", "995", "1005", "S2" } }, 6));
            } },
        { "an empty pool", [&] { WritePool("TechFile.txt", ""); } },
        { "CR LF line ends",
            [&] {
                WritePool("TechFile.txt",
                    PoolFile(2, "Technician", 3,
                        { { "2", "1", "3", "S1" }, { "1", "4", "6", "S2" } }, 6, "\r\n"));
            } },
        { "a missing pool",
            [&] {
                std::filesystem::remove(resources + "/TechFile.txt");
                ForgetResourceFilesForTesting();
            } },
        { "a reversed section",
            [&] {
                WritePool("TechFile.txt",
                    PoolFile(2, "Technician", 3,
                        { { "2", "1", "3", "S1" }, { "1", "6", "4", "S2" } }, 6));
            } },
        { "no question records",
            [&] { WritePool("TechFile.txt", Joined(Lines(SoundPool("Technician")), 8)); } },
    };
    for (const auto& damage : damages) {
        SCOPED_TRACE(damage.what);
        damage.damage();
        ExpectTechnicianPoolRefused();
        EXPECT_EQ(App().classNumber, 2);
        EXPECT_EQ(window.Title(), "General Exam");
        EXPECT_EQ(App().examName, "General");
        EXPECT_EQ(App().exam->poolFile, "GeneralFile.txt");
        EXPECT_EQ(Answers(), answers);
        EXPECT_EQ(window.question, 2);
        EXPECT_EQ(window.StaticText1().Text(), shown);
        EXPECT_EQ(window.QuestionNumField().Text(), "Question 2 of 3");
        EXPECT_EQ(window.SectionButton().Text(), "Current Exam");
        EXPECT_TRUE(Unhandled().empty());
    }

    window.GradeButton().Push();
    EXPECT_TRUE(ClassIsUntouched(App(), 1));
    EXPECT_EQ(App().historyCorrect(2, 1), 1);
    EXPECT_EQ(App().historyIncorrect(2, 1), 2);
}

// A pool of exactly 1000 questions, its last section ending at 1000, can be
// browsed whole and by section.
TEST_F(DamagedPoolTest, APoolOfOneThousandQuestionsCanBeBrowsed)
{
    WritePool("TechFile.txt",
        PoolFile(
            2, "Technician", 2, { { "1", "1", "500", "S1" }, { "1", "501", "1000", "S2" } }, 1000));
    ChooseExam(1);
    class Window1& window = ExamWindow();
    ASSERT_TRUE(Sink().messages.empty());
    window.SectionButton().Choose(1);
    EXPECT_EQ(window.QuestionNumField().Text(), "Question 1 of 500");
    window.LastButton().Push();
    EXPECT_EQ(window.StaticText1().Text(), "C1000\r\rQuestion 1000?");
    window.SectionButton().Choose(2); // "Entire Pool"
    window.LastButton().Push();
    EXPECT_EQ(window.QuestionNumField().Text(), "Question 1000 of 1000");
    EXPECT_TRUE(Sink().messages.empty());
    EXPECT_TRUE(Unhandled().empty());
}

} // namespace
