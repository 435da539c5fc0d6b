#include "exam_window_fixture.h"

#include "application.h"
#include "exceptions.h"
#include "folder_item.h"
#include "menu.h"
#include "resource_files_testing.h"
#include "score_dialog.h"
#include "test_pictures.h"
#include "test_support.h"
#include "text.h"
#include "window.h"
#include "window1.h"

std::string PoolText(const TestPool& pool)
{
    std::string text;
    const auto line = [&text](const std::string& content) { text += content + "\r"; };
    line(Str(pool.passMark));
    line(Str(pool.examLength));
    line(pool.title);
    line(Str(static_cast<Integer>(pool.sections.size())));
    for (const TestSection& section : pool.sections)
        line(Str(section.draws) + " " + Str(section.first) + " " + Str(section.last));
    for (const TestSection& section : pool.sections)
        line(section.label);
    for (const TestQuestion& question : pool.questions) {
        line(question.text);
        line(Str(question.correct));
        line("0");
        for (const std::string& answer : question.answers)
            line(answer);
        line(question.code);
    }
    return text;
}

TestQuestion NumberedQuestion(Integer n)
{
    TestQuestion question;
    question.text = "Question " + Str(n) + "?";
    question.correct = ((n - 1) % 4) + 1;
    for (Integer k = 1; k <= 4; ++k)
        question.answers[static_cast<std::size_t>(k - 1)] = "Answer " + Str(n) + "." + Str(k);
    question.code = "T0A" + Str(n);
    return question;
}

TestPool SmallPool()
{
    TestPool pool;
    pool.passMark = 3;
    pool.examLength = 4;
    pool.title = "Test Pool";
    pool.sections = { { 2, 1, 3, "T1 Commission rules" }, { 1, 4, 5, "T2 Operating procedures" },
        { 1, 6, 6, "T3 Radio waves" } };
    for (Integer n = 1; n <= 6; ++n)
        pool.questions.push_back(NumberedQuestion(n));
    return pool;
}

void ExamWindowTest::SetUp()
{
    ProgramTest::SetUp();
    resourceFolder = Root() + "/Resources";
    // The bar the program shows over every document window, so that sizes are
    // checked as the user meets them.
    app.SetMenuBar(&Menu());
    // Shown marks paint at the next pass of the event loop.
    const auto mark = [](Color colour) {
        return PpmPicture(32, 32, [colour](int x, int y) {
            return x > 4 && x < 27 && y > 4 && y < 27 ? colour : kWhite;
        });
    };
    WriteResource("Pic200.gif", mark(kGreen));
    WriteResource("Pic201.gif", mark(kRed));
}

void ExamWindowTest::WriteResource(const std::string& name, const std::string& bytes) const
{
    WriteFileBytes(resourceFolder + "/" + name, bytes);
}

void ExamWindowTest::WritePool(const TestPool& pool) const
{
    WriteResource("TechFile.txt", PoolText(pool));
}

class Window1& ExamWindowTest::StartExam(Integer examClass)
{
    app.classNumber = examClass;
    class Window1& window = Window1();
    window.Init(examClass);
    return window;
}

bool ExamWindowTest::CloseScoreDialog()
{
    class ScoreDialog* dialog = Window::FindOpen<class ScoreDialog>();
    if (dialog == nullptr)
        return false;
    dialog->Close();
    Application::DoEvents();
    return true;
}

std::vector<std::string>& ExamWindowTest::Messages() const
{
    return static_cast<RecordingMessageSink&>(CurrentMessageSink()).messages;
}
