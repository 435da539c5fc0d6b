// A whole session as a person has it, on a real X display: start the
// program, take a Technician exam with the mouse and the keyboard, look at
// the results and histories, quit, start again and find the history kept.

#include "pool_key.h"
#include "user_actions.h"

#include "application.h"
#include "bevel_button.h"
#include "choose_exam_window.h"
#include "history_window.h"
#include "label.h"
#include "listbox.h"
#include "mark_canvas.h"
#include "message_sink.h"
#include "picture_window.h"
#include "popup_menu.h"
#include "program_session.h"
#include "push_button.h"
#include "question_review_window.h"
#include "radio_button.h"
#include "score_dialog.h"
#include "stats_window.h"
#include "test_support.h"
#include "varno.h"
#include "window.h"
#include "window1.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace fs = std::filesystem;

namespace {

// The run's exit status when the script ended without the program quitting.
constexpr int kScriptDidNotQuit = 70;
constexpr std::uintmax_t kStatisticsFileSize = 344002;

// The program as installed: the wrapper installs the build into a temporary
// prefix and names it; run by hand, the build tree's program is used.
fs::path ProgramFile()
{
    if (const char* prefix = std::getenv("VARNO_INSTALL_PREFIX"); prefix != nullptr && *prefix)
        return fs::path(prefix) / "bin" / "varno";
    return fs::path(VARNO_BUILD_DIR) / "bin" / "varno";
}

// What a label shows; a line end at its very end shows as nothing.
std::string ScreenText(const Label& label)
{
    std::string text = label.DisplayedText();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

// The question's code: the first line of the question label.
std::string ShownCode(const class Window1& exam)
{
    const std::string text = exam.StaticText1().DisplayedText();
    return text.substr(0, text.find_first_of("\r\n"));
}

QRadioButton* AnswerButton(const class Window1& exam, int answer)
{
    return static_cast<QRadioButton*>(AnswerButtonNumber(exam, answer).widget());
}

int CheckedAnswer(const class Window1& exam)
{
    for (int answer = 1; answer <= 4; ++answer) {
        if (AnswerButton(exam, answer)->isChecked())
            return answer;
    }
    return 0;
}

std::string CellText(QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item == nullptr ? std::string() : item->text().toStdString();
}

QTableWidget* TableOf(Listbox& list)
{
    return static_cast<QTableWidget*>(list.widget());
}

// A count in a list cell; -1 when the cell holds no number.
int CellCount(QTableWidget* table, int row, int column)
{
    bool isNumber = false;
    const int count = table->item(row, column) == nullptr
        ? -1
        : table->item(row, column)->text().toInt(&isNumber);
    return isNumber ? count : -1;
}

std::string PercentText(int right, int total)
{
    return total > 0 ? std::to_string(right * 100 / total) + " %" : "-";
}

std::string ScoreMessage(int right, int wrong, int passMark)
{
    return "You correctly answered " + std::to_string(right) + " out of "
        + std::to_string(right + wrong) + " questions. A passing score is "
        + std::to_string(passMark) + " correct.\n\n"
        + (right >= passMark ? "You passed!" : "Unfortunately, you did not pass.")
        + "\n\nYou may now review the exam.";
}

} // namespace

class SessionTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), QLatin1String("xcb"))
            << "the session runs on an X display (QT_QPA_PLATFORM=xcb)";
        std::error_code error;
        programFile_ = fs::canonical(ProgramFile(), error);
        ASSERT_FALSE(error) << ProgramFile() << " does not exist";
        if (std::getenv("VARNO_INSTALL_PREFIX") != nullptr) {
            // The installed link leads to the program beside its resources.
            EXPECT_EQ(programFile_,
                fs::canonical(
                    fs::path(std::getenv("VARNO_INSTALL_PREFIX")) / "lib/varno/bin/varno"));
        }
        const fs::path resources = programFile_.parent_path().parent_path() / "Resources";
        pool_ = ReadPoolKey((resources / "TechFile.txt").string());
        ASSERT_EQ(pool_.title, "Technician");
        ASSERT_GT(pool_.examLength, 3);
        ASSERT_GT(pool_.sections.size(), 2u);
        ASSERT_FALSE(pool_.questions.empty());
        fs::remove(StatisticsFilePath());
        sink_ = dynamic_cast<RecordingMessageSink*>(&CurrentMessageSink());
        ASSERT_NE(sink_, nullptr);
        sink_->messages.clear();
    }

    void TearDown() override { StopProgram(); }

    // Starts the program as main does, runs the script inside its event loop
    // and returns the run's exit status once the event loop has ended.
    int RunProgram(const std::function<void()>& script)
    {
        RunStartupSteps(programFile_.string());
        QTimer::singleShot(0, qApp, [script] {
            script();
            if (!App().HasQuit()) {
                ADD_FAILURE() << "the script ended without quitting the program";
                QCoreApplication::exit(kScriptDidNotQuit);
            }
        });
        return App().Run();
    }

    // Keeps the window as the screen shows it and checks it is not blank, and
    // that the screen shows what the window draws: nothing covers it, unless
    // it is its own pop-up, which must then show.
    void Snapshot(Window& window, const std::string& name)
    {
        const bool popupOpen = QApplication::activePopupWidget() != nullptr;
        const QImage shot = GrabFromScreen(window.widget());
        const std::string path = ScreenshotFolder() + "/session-" + name + ".png";
        EXPECT_TRUE(shot.save(QString::fromStdString(path), "PNG")) << path;
        EXPECT_EQ(BlanknessOf(shot), "") << window.Title() << " (" << path << ")";
        const long differing = DifferingPixels(shot, window.widget()->grab().toImage());
        if (popupOpen)
            EXPECT_GT(differing, 0) << "the pop-up is not on the screen (" << path << ")";
        else
            EXPECT_EQ(differing, 0)
                << "the screen does not show what " << window.Title() << " draws (" << path << ")";
    }

    template <class W> W* OpenWindow()
    {
        W* window = Window::FindOpen<W>();
        if (window != nullptr && !WaitUntilShown(window->widget()))
            return nullptr;
        return window;
    }

    // Checks the exam window's counting line, and that the question on screen
    // is the pool's question of the code shown, with the pool's answers.
    void ExpectQuestionShown(const class Window1& exam, int entry, int entries)
    {
        EXPECT_EQ(ScreenText(exam.QuestionNumField()),
            "Question " + std::to_string(entry) + " of " + std::to_string(entries));
        const PoolQuestion* question = pool_.ByCode(ShownCode(exam));
        ASSERT_NE(question, nullptr) << "code on screen: " << ShownCode(exam);
        EXPECT_NE(exam.StaticText1().DisplayedText().find(question->text), std::string::npos);
        for (int a = 1; a <= 4; ++a)
            EXPECT_EQ(ScreenText(AnswerTextNumber(exam, a)),
                question->answers[static_cast<std::size_t>(a - 1)]);
    }

    // The pool question on screen; an empty one (answer 0) when the code on
    // screen is not in the pool, which fails the test.
    const PoolQuestion& CurrentQuestion(const class Window1& exam)
    {
        static const PoolQuestion kUnknown;
        const PoolQuestion* question = pool_.ByCode(ShownCode(exam));
        if (question == nullptr) {
            ADD_FAILURE() << "no pool question has the code on screen, " << ShownCode(exam);
            return kUnknown;
        }
        return *question;
    }

    // Clicks an answer of the current entry and remembers it for grading.
    void Answer(class Window1& exam, int answer)
    {
        Click(AnswerButton(exam, answer));
        EXPECT_EQ(CheckedAnswer(exam), answer);
        chosen_[CurrentQuestion(exam).code] = answer;
    }

    // Whether the window is the active one and the screen shows it over
    // every other window at its centre and near its corners.
    testing::AssertionResult InFront(Window& window)
    {
        QWidget* top = window.widget();
        if (!QTest::qWaitForWindowActive(top, 2000))
            return testing::AssertionFailure() << window.Title() << " is not the active window";
        Settle();
        const QRect area = top->geometry();
        for (const QPoint spot : { area.center(), area.topLeft() + QPoint(8, 8),
                 area.bottomRight() - QPoint(8, 8), area.topRight() + QPoint(-8, 8) }) {
            const QWindow* shown = QGuiApplication::topLevelAt(spot);
            if (shown != top->windowHandle())
                return testing::AssertionFailure()
                    << "at (" << spot.x() << ", " << spot.y() << ") the screen shows "
                    << (shown == nullptr ? std::string("no window") : shown->title().toStdString())
                    << " over " << window.Title();
        }
        return testing::AssertionSuccess();
    }

    void FirstRun();
    void SecondRun();
    void FrontRun();

    PoolKey pool_;
    fs::path programFile_;
    RecordingMessageSink* sink_ = nullptr;
    // The answers given in the drawn exam, by question code.
    std::map<std::string, int> chosen_;
    int right_ = 0;
    int wrong_ = 0;
    std::string historyDate_;
};

void SessionTest::FirstRun()
{
    // The chooser greets the user.
    auto* chooser = OpenWindow<class ChooseExamWindow>();
    ASSERT_NE(chooser, nullptr) << "no exam chooser on the screen";
    EXPECT_EQ(chooser->widget()->windowTitle(), QLatin1String("Choose Exam"));
    Snapshot(*chooser, "01-chooser");

    // "Technician" brings the figures and the exam.
    auto* technician = static_cast<QPushButton*>(chooser->PushButton1().widget());
    ASSERT_EQ(technician->text(), QLatin1String("Technician"));
    Click(technician);
    auto* figures = OpenWindow<class PictureWindow>();
    ASSERT_NE(figures, nullptr) << "no figure viewer";
    EXPECT_EQ(figures->widget()->windowTitle(), QLatin1String("Figures"));
    EXPECT_EQ(ScreenText(figures->StaticText1()), "Figure 1 out of 16");
    Snapshot(*figures, "02-figures");
    auto* exam = OpenWindow<class Window1>();
    ASSERT_NE(exam, nullptr) << "no exam window";
    EXPECT_EQ(exam->widget()->windowTitle().toStdString(), pool_.title + " Exam");
    const int entries = pool_.examLength;
    ExpectQuestionShown(*exam, 1, entries);
    Snapshot(*exam, "03-exam");

    // Answer the first three: right, wrong, right; then move about.
    Answer(*exam, CurrentQuestion(*exam).correctAnswer);
    const std::string firstCode = ShownCode(*exam);
    Click(exam->NextButton().widget());
    ExpectQuestionShown(*exam, 2, entries);
    EXPECT_EQ(CheckedAnswer(*exam), 0);
    Answer(*exam, CurrentQuestion(*exam).correctAnswer % 4 + 1);
    const std::string wrongCode = ShownCode(*exam);
    Click(exam->NextButton().widget());
    Answer(*exam, CurrentQuestion(*exam).correctAnswer);
    Click(exam->BackButton().widget());
    ExpectQuestionShown(*exam, 2, entries);
    EXPECT_EQ(ShownCode(*exam), wrongCode);
    EXPECT_EQ(CheckedAnswer(*exam), chosen_[wrongCode]);
    Click(exam->LastButton().widget());
    ExpectQuestionShown(*exam, entries, entries);
    EXPECT_FALSE(exam->NextButton().widget()->isEnabled());
    Click(exam->FirstButton().widget());
    ExpectQuestionShown(*exam, 1, entries);
    EXPECT_FALSE(exam->BackButton().widget()->isEnabled());
    EXPECT_EQ(ShownCode(*exam), firstCode);
    ASSERT_EQ(chosen_.size(), 3u);

    // The section pop-up: the second section, chosen with the keyboard.
    auto* sections = static_cast<QComboBox*>(exam->SectionButton().widget());
    ASSERT_EQ(sections->count(), static_cast<int>(pool_.sections.size()) + 2);
    EXPECT_EQ(sections->currentText(), QLatin1String("Current Exam"));
    QAbstractItemView* rows = OpenPopup(sections);
    ASSERT_NE(rows, nullptr) << "the section pop-up did not open";
    Snapshot(*exam, "04-section-popup");
    PressKeyInPopup(rows, Qt::Key_Home);
    PressKeyInPopup(rows, Qt::Key_Down);
    PressKeyInPopup(rows, Qt::Key_Return);
    ASSERT_FALSE(rows->isVisible()) << "Return did not close the pop-up";
    const PoolKey::Section& second = pool_.sections[1];
    EXPECT_EQ(sections->currentText().toStdString(), second.label);
    ExpectQuestionShown(*exam, 1, second.last - second.first + 1);
    EXPECT_EQ(ShownCode(*exam), pool_.questions[static_cast<std::size_t>(second.first - 1)].code);
    // An answer given while browsing a section is not the exam's.
    Click(AnswerButton(*exam, 1));
    Click(exam->NextButton().widget());
    EXPECT_EQ(ShownCode(*exam), pool_.questions[static_cast<std::size_t>(second.first)].code);
    Snapshot(*exam, "05-section");

    // Back to the exam with a click on its row: the answers are kept.
    rows = OpenPopup(sections);
    ASSERT_NE(rows, nullptr) << "the section pop-up did not open again";
    ClickPopupRow(rows, sections->count() - 1);
    ASSERT_FALSE(rows->isVisible()) << "the click on \"Current Exam\" did not close the pop-up";
    EXPECT_EQ(sections->currentText(), QLatin1String("Current Exam"));
    ExpectQuestionShown(*exam, 1, entries);
    EXPECT_EQ(ShownCode(*exam), firstCode);
    for (int entry = 1; entry <= 4; ++entry) {
        const std::string code = ShownCode(*exam);
        const auto answered = chosen_.find(code);
        EXPECT_EQ(CheckedAnswer(*exam), answered == chosen_.end() ? 0 : answered->second)
            << "entry " << entry << ", " << code;
        Click(exam->NextButton().widget());
    }

    // Grade: the counts follow the answers given and the pool's key.
    for (const auto& [code, answer] : chosen_)
        (answer == pool_.ByCode(code)->correctAnswer ? right_ : wrong_) += 1;
    wrong_ += entries - static_cast<int>(chosen_.size());
    ASSERT_EQ(right_, 2);
    Click(exam->GradeButton().widget());
    auto* results = OpenWindow<class ScoreDialog>();
    ASSERT_NE(results, nullptr) << "no score dialog";
    EXPECT_EQ(results->widget()->windowTitle(), QLatin1String("Results"));
    EXPECT_EQ(ScreenText(results->StaticText1()), ScoreMessage(right_, wrong_, pool_.passMark));
    Snapshot(*results, "06-results");
    Click(results->PushButton1().widget());
    EXPECT_EQ(Window::FindOpen<class ScoreDialog>(), nullptr) << "OK did not close the results";

    // The graded exam shows its marks and takes no more answers.
    EXPECT_FALSE(exam->GradeButton().widget()->isEnabled());
    EXPECT_FALSE(AnswerButton(*exam, 1)->isEnabled());
    Click(exam->FirstButton().widget());
    Click(exam->NextButton().widget());
    EXPECT_EQ(ShownCode(*exam), wrongCode);
    const PoolQuestion& missed = CurrentQuestion(*exam);
    EXPECT_TRUE(exam->Canvas1(missed.correctAnswer).widget()->isVisible());
    EXPECT_EQ(exam->Canvas1(missed.correctAnswer).type, 1);
    EXPECT_TRUE(exam->Canvas1(chosen_[wrongCode]).widget()->isVisible());
    EXPECT_EQ(exam->Canvas1(chosen_[wrongCode]).type, 2);
    Snapshot(*exam, "07-exam-graded");

    // "Exam History": one row, this exam.
    Click(exam->PushButton4().widget());
    auto* history = OpenWindow<class HistoryWindow>();
    ASSERT_NE(history, nullptr) << "no exam history window";
    EXPECT_EQ(history->widget()->windowTitle().toStdString(), pool_.title + " Exam History");
    QTableWidget* historyRows = TableOf(history->ListBox1());
    ASSERT_EQ(historyRows->rowCount(), 1);
    historyDate_ = CellText(historyRows, 0, 0);
    EXPECT_FALSE(historyDate_.empty());
    EXPECT_EQ(CellText(historyRows, 0, 1), std::to_string(right_));
    EXPECT_EQ(CellText(historyRows, 0, 2), std::to_string(wrong_));
    EXPECT_EQ(CellText(historyRows, 0, 3), PercentText(right_, right_ + wrong_));
    Snapshot(*history, "08-exam-history");

    // "Question History": the whole pool, with this exam's counts.
    Click(exam->PushButton5().widget());
    auto* stats = OpenWindow<class StatsWindow>();
    ASSERT_NE(stats, nullptr) << "no question history window";
    EXPECT_EQ(stats->widget()->windowTitle().toStdString(), pool_.title + " Question History ");
    QTableWidget* statsRows = TableOf(stats->ListBox1());
    ASSERT_EQ(statsRows->rowCount(), static_cast<int>(pool_.questions.size()));
    int rightCounted = 0;
    int wrongCounted = 0;
    for (const PoolQuestion& question : pool_.questions) {
        const int row = question.number - 1;
        ASSERT_EQ(CellText(statsRows, row, 0), question.code) << "row " << row;
        const int right = CellCount(statsRows, row, 1);
        const int wrong = CellCount(statsRows, row, 2);
        ASSERT_GE(right, 0) << "row " << row;
        ASSERT_GE(wrong, 0) << "row " << row;
        rightCounted += right;
        wrongCounted += wrong;
    }
    EXPECT_EQ(rightCounted, right_);
    EXPECT_EQ(wrongCounted, wrong_);
    const PoolQuestion& first = *pool_.ByCode(firstCode);
    EXPECT_EQ(CellText(statsRows, first.number - 1, 1), "1");
    EXPECT_EQ(CellText(statsRows, first.number - 1, 4), "100 %");
    EXPECT_EQ(CellText(statsRows, missed.number - 1, 2), "1");
    EXPECT_EQ(CellText(statsRows, missed.number - 1, 4), "0 %");
    Snapshot(*stats, "09-question-history");

    // A double-click on the missed question's row shows it with its answer.
    DoubleClickRow(statsRows, missed.number - 1);
    auto* review = OpenWindow<class QuestionReviewWindow>();
    ASSERT_NE(review, nullptr) << "the double-click opened no question window";
    EXPECT_EQ(review->widget()->windowTitle(), QLatin1String("Question"));
    EXPECT_EQ(ScreenText(review->QuestionCodeText()), missed.code);
    EXPECT_EQ(ScreenText(review->QuestionText()), missed.text);
    EXPECT_EQ(ScreenText(review->AnswerText1()), missed.answers[0]);
    EXPECT_EQ(ScreenText(review->AnswerText4()), missed.answers[3]);
    for (int answer = 1; answer <= 4; ++answer)
        EXPECT_EQ(review->Canvas1(answer).widget()->isVisible(), answer == missed.correctAnswer);
    Snapshot(*review, "10-question");

    // Quit with its shortcut in the exam window.
    ASSERT_TRUE(Activate(exam->widget())) << "the exam window did not become active";
    PressKey(exam->widget(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(App().HasQuit()) << "Ctrl+Q did not quit";
}

void SessionTest::SecondRun()
{
    auto* chooser = OpenWindow<class ChooseExamWindow>();
    ASSERT_NE(chooser, nullptr) << "no exam chooser on the second start";
    Snapshot(*chooser, "11-chooser-again");
    Click(chooser->PushButton1().widget());
    auto* exam = OpenWindow<class Window1>();
    ASSERT_NE(exam, nullptr) << "no exam window on the second start";
    EXPECT_EQ(exam->widget()->windowTitle().toStdString(), pool_.title + " Exam");

    Click(exam->PushButton4().widget());
    auto* history = OpenWindow<class HistoryWindow>();
    ASSERT_NE(history, nullptr) << "no exam history window on the second start";
    QTableWidget* historyRows = TableOf(history->ListBox1());
    ASSERT_EQ(historyRows->rowCount(), 1) << "the graded exam was not kept";
    EXPECT_EQ(CellText(historyRows, 0, 0), historyDate_);
    EXPECT_EQ(CellText(historyRows, 0, 1), std::to_string(right_));
    EXPECT_EQ(CellText(historyRows, 0, 2), std::to_string(wrong_));
    Snapshot(*history, "12-exam-history-again");

    // Quit from the File menu this time.
    auto* bar = exam->widget()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr) << "the exam window has no menu bar";
    ASSERT_TRUE(Activate(exam->widget()));
    ChooseMenuItem(bar, QStringLiteral("File"), QStringLiteral("Quit"));
    EXPECT_TRUE(App().HasQuit()) << "File > Quit did not quit";
}

void SessionTest::FrontRun()
{
    auto* chooser = OpenWindow<class ChooseExamWindow>();
    ASSERT_NE(chooser, nullptr) << "no exam chooser on the screen";
    Click(chooser->PushButton1().widget());
    auto* figures = OpenWindow<class PictureWindow>();
    auto* exam = OpenWindow<class Window1>();
    ASSERT_NE(figures, nullptr) << "no figure viewer";
    ASSERT_NE(exam, nullptr) << "no exam window";
    EXPECT_TRUE(InFront(*exam)) << "after Technician in the chooser";

    // With the figures over the exam, "General" in the chooser brings the
    // exam back over them.
    figures->widget()->move(exam->widget()->pos());
    ASSERT_TRUE(Activate(figures->widget()));
    ASSERT_TRUE(Activate(chooser->widget()));
    Click(chooser->PushButton2().widget());
    EXPECT_EQ(App().classNumber, 2);
    EXPECT_TRUE(InFront(*exam)) << "after General in the chooser";

    // So does Exam > Extra, chosen in the figure viewer's own menu bar.
    ASSERT_TRUE(Activate(figures->widget()));
    auto* bar = figures->widget()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr) << "the figure viewer has no menu bar";
    ASSERT_TRUE(ChooseMenuItem(bar, QStringLiteral("Exam"), QStringLiteral("Extra")));
    EXPECT_EQ(App().classNumber, 3);
    EXPECT_TRUE(InFront(*exam)) << "after Exam > Extra";

    App().Quit();
}

TEST_F(SessionTest, ATechnicianExamIsTakenGradedAndStillInTheHistoryAfterARestart)
{
    EXPECT_EQ(RunProgram([this] { FirstRun(); }), 0);
    EXPECT_TRUE(sink_->messages.empty()) << "message: " << sink_->messages.front();
    ASSERT_TRUE(fs::exists(StatisticsFilePath())) << "quitting wrote no statistics file";
    EXPECT_EQ(fs::file_size(StatisticsFilePath()), kStatisticsFileSize);
    ASSERT_FALSE(HasFailure());

    StopProgram();
    EXPECT_EQ(RunProgram([this] { SecondRun(); }), 0);
    EXPECT_TRUE(sink_->messages.empty()) << "message: " << sink_->messages.front();
    EXPECT_EQ(fs::file_size(StatisticsFilePath()), kStatisticsFileSize);
}

TEST_F(SessionTest, AChooserPressAndAnExamCommandLeaveTheExamWindowInFront)
{
    EXPECT_EQ(RunProgram([this] { FrontRun(); }), 0);
    EXPECT_TRUE(sink_->messages.empty()) << "message: " << sink_->messages.front();
}
