#include "shell_fixture.h"

#include "about_dialog.h"
#include "choose_exam_window.h"
#include "exceptions.h"
#include "folder_item.h"
#include "instance_lock.h"
#include "label.h"
#include "menu.h"
#include "menu_item.h"
#include "picture_window.h"
#include "push_button.h"
#include "window1.h"

#include <QCoreApplication>
#include <QSize>
#include <QTimer>
#include <QWidget>

#include <csignal>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char* const kHandledItems[] = {
    "ExamTechnician",
    "ExamGeneral",
    "ExamExtra",
    "FileShowFigures",
    "FileShowExam",
    "AppleAboutVarno",
    "ExamHistory",
    "AppleGoToVarnoWebsite",
    "AppleCheckForLatestVersion",
    "EditClearExamHistories",
    "ExamFCCMarine1",
    "ExamFCCMarine8",
    "ExamFCCMarine3",
    "HelpOpenHelp",
};

std::string PreferencesFile()
{
    return std::string(getenv("XDG_CONFIG_HOME")) + "/Varno Preferences";
}

// Where Open Help puts its copy: a folder of this user's alone in the runtime
// folder, which the test main makes private to the test run (were it not, the
// copy would land in the real session's runtime folder, or the shared one).
std::string HelpCopy()
{
    return TestRootFolder() + "/runtime/varno/VarnoDocs.pdf";
}

TEST_F(ShellTest, StartUpBindsAllFourteenHandlersAndInstallsTheBar)
{
    for (const char* name : kHandledItems)
        EXPECT_TRUE(App().HasMenuHandler(name)) << name;
    EXPECT_EQ(App().GetMenuBar(), &Menu());
    EXPECT_EQ(&App(), &App());
}

TEST_F(ShellTest, OpenOffersTheThreeAmateurExamsAndShowsTheChooser)
{
    App().RaiseOpen();

    MenuItem& exam = *ExamMenu0();
    ASSERT_EQ(exam.Count(), 6);
    const char* expected[] = { "Technician", "General", "Extra", "About Varno...",
        "Go To Varno Website...", "Check For Latest Version..." };
    for (Integer i = 0; i < 6; ++i)
        EXPECT_EQ(exam.Item(i).Text(), expected[i]);
    for (Integer i = 0; i < 3; ++i)
        EXPECT_TRUE(exam.Item(i).Enabled()) << exam.Item(i).Text();
    EXPECT_TRUE(AppleAboutVarno()->Enabled());
    EXPECT_TRUE(ExamTechnician());
    EXPECT_TRUE(Menu().Lookup("NoSuchItem").IsNil());

    ASSERT_NE(Window::FindOpen<class ChooseExamWindow>(), nullptr);
    EXPECT_EQ(ChooseExamWindow().Title(), "Choose Exam");
    EXPECT_TRUE(Sink().messages.empty());
}

TEST_F(ShellTest, ChooserIsBuiltFromItsStoredLayout)
{
    class ChooseExamWindow& chooser = ChooseExamWindow();
    EXPECT_EQ(chooser.Width(), 202);
    EXPECT_EQ(chooser.Height(), 186);
    EXPECT_FALSE(chooser.Resizeable());
    struct Expected {
        RectControl* control;
        Integer left, top, width, height, tabIndex;
    };
    const Expected controls[] = {
        { &chooser.PushButton1(), 56, 64, 90, 20, 0 },
        { &chooser.PushButton2(), 56, 96, 90, 20, 1 },
        { &chooser.PushButton3(), 56, 128, 90, 20, 2 },
        { &chooser.Label1(), 39, 14, 118, 20, 3 },
    };
    for (const Expected& e : controls) {
        EXPECT_EQ(e.control->Left(), e.left);
        EXPECT_EQ(e.control->Top(), e.top);
        EXPECT_EQ(e.control->Width(), e.width);
        EXPECT_EQ(e.control->Height(), e.height);
        EXPECT_EQ(e.control->TabIndex(), e.tabIndex);
        EXPECT_TRUE(e.control->LockLeft() && e.control->LockTop());
        EXPECT_FALSE(e.control->LockRight() || e.control->LockBottom());
    }
    EXPECT_EQ(chooser.PushButton1().Caption(), "Technician");
    EXPECT_EQ(chooser.PushButton2().Caption(), "General");
    EXPECT_EQ(chooser.PushButton3().Caption(), "Extra");
    EXPECT_FALSE(chooser.PushButton1().Default() || chooser.PushButton1().Cancel());
    EXPECT_EQ(chooser.Label1().Text(), "Choose The Exam:");
}

// The next widget after from that Tab reaches.
QWidget* NextTabStop(QWidget* from)
{
    QWidget* next = from->nextInFocusChain();
    while (next != from && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

TEST_F(ShellTest, ChooserIsAFixedDocumentWindowWithOnlyACloseBoxTabbingThroughItsButtons)
{
    class ChooseExamWindow& chooser = ChooseExamWindow();
    QWidget& top = *chooser.widget();
    EXPECT_EQ(chooser.Frame(), kFrameDocument);
    EXPECT_EQ(top.windowType(), Qt::Window);
    EXPECT_EQ(top.windowModality(), Qt::NonModal);
    EXPECT_TRUE(top.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(top.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(top.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(top.minimumSize(), top.maximumSize()) << "the user can resize it";
    EXPECT_EQ(chooser.Title(), "Choose Exam");

    QWidget* technician = chooser.PushButton1().widget();
    QWidget* general = chooser.PushButton2().widget();
    QWidget* extra = chooser.PushButton3().widget();
    EXPECT_EQ(NextTabStop(technician), general);
    EXPECT_EQ(NextTabStop(general), extra);
    EXPECT_EQ(NextTabStop(extra), technician) << "Tab goes round the three buttons only";
}

TEST_F(ShellTest, AboutBoxIsAFixedMovableModalDialogWithTheTagline)
{
    EXPECT_FALSE(App().InvokeMenuHandler("AppleAboutVarno"));
    class AboutDialog& about = AboutDialog();
    QWidget& top = *about.widget();
    EXPECT_EQ(about.Width(), 343);
    EXPECT_EQ(about.Height(), 244);
    EXPECT_EQ(top.size(), QSize(343, 244)) << "no menu bar in the about box";
    EXPECT_EQ(top.minimumSize(), top.maximumSize()) << "the user can resize it";
    EXPECT_EQ(about.Frame(), kFrameMovableModal);
    EXPECT_EQ(top.windowType(), Qt::Dialog);
    EXPECT_EQ(top.windowModality(), Qt::ApplicationModal);
    EXPECT_TRUE(top.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(top.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(top.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(about.Title(), "Varno, from the Varno project");
    EXPECT_EQ(top.windowTitle(), QStringLiteral("Varno, from the Varno project"));
    EXPECT_EQ(about.StaticText6().Text(), "Preparation and Training For Your Amateur Radio Exam");
    EXPECT_TRUE(about.StaticText6().Multiline());
    EXPECT_TRUE(about.StaticText6().widget()->isVisible());
}

TEST_F(ShellTest, EnablingPassEnablesExactlyTheHandledItems)
{
    App().RaiseOpen();
    App().EnableMenuItems();
    for (const char* name : { "ExamTechnician", "ExamGeneral", "ExamExtra", "AppleAboutVarno",
             "FileShowExam", "FileShowFigures", "FileQuit", "AppleGoToVarnoWebsite",
             "AppleCheckForLatestVersion", "EditClearExamHistories", "HelpOpenHelp" })
        EXPECT_TRUE(Menu().Lookup(name)->Enabled()) << name;
    for (const char* name :
        { "EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear", "UntitledMenu1" })
        EXPECT_FALSE(Menu().Lookup(name)->Enabled()) << name;
}

TEST_F(ShellTest, ChooserButtonStartsThatExamAndStaysOpen)
{
    App().RaiseOpen();
    ChooseExamWindow().PushButton2().Push();

    EXPECT_EQ(App().classNumber, 2);
    EXPECT_EQ(App().examName, "General");
    EXPECT_EQ(App().numberQuestions, 2);
    ASSERT_NE(Window::FindOpen<class Window1>(), nullptr);
    EXPECT_EQ(Window1().Title(), "General Exam");
    EXPECT_TRUE(Window1().Visible());
    EXPECT_NE(Window::FindOpen<class PictureWindow>(), nullptr);
    EXPECT_NE(Window::FindOpen<class ChooseExamWindow>(), nullptr);

    // A second press draws a new exam of the other class in the same window.
    class Window1* examWindow = &Window1();
    ChooseExamWindow().PushButton1().Push();
    EXPECT_EQ(App().classNumber, 1);
    EXPECT_EQ(&Window1(), examWindow);
    EXPECT_EQ(Window1().Title(), "Technician Exam");
}

TEST_F(ShellTest, ExamMenuCommandsStartTheirClasses)
{
    App().RaiseOpen();
    EXPECT_FALSE(App().InvokeMenuHandler("ExamExtra"));
    EXPECT_EQ(App().classNumber, 3);
    EXPECT_EQ(Window1().Title(), "Extra Exam");

    // The Commercial Element handlers initialise the window for classes 4 to 6;
    // their pools are missing here, so the Extra exam stays, with its class.
    const Integer entries = App().numberQuestions;
    EXPECT_FALSE(App()._ExamFCCMarine8_Action());
    EXPECT_EQ(App().classNumber, 3);
    EXPECT_EQ(App().numberQuestions, entries);
    EXPECT_EQ(Window1().Title(), "Extra Exam");
    ASSERT_EQ(Sink().messages.size(), 1u);
    EXPECT_EQ(
        Sink().messages[0].rfind(
            "The question pool \"fccelement8.txt\" cannot be used for an exam: the file is missing",
            0),
        0u);
}

TEST_F(ShellTest, EachExamCommandStartsItsOwnClassWithItsOwnPool)
{
    for (const char* element : { "1", "8", "3" })
        WriteFileBytes(ResourceRoot() + "/Resources/fccelement" + element + ".txt",
            TwoSectionPool(std::string("Element ") + element));
    ForgetResourceFilesForTesting();
    struct Command {
        const char* item;
        Integer examClass;
        std::string pool;
    };
    const Command commands[] = {
        { "ExamTechnician", 1, "Technician" },
        { "ExamGeneral", 2, "General" },
        { "ExamExtra", 3, "Extra" },
        { "ExamFCCMarine1", 4, "Element 1" },
        { "ExamFCCMarine8", 5, "Element 8" },
        { "ExamFCCMarine3", 6, "Element 3" },
    };
    App().RaiseOpen();
    for (const Command& command : commands) {
        SCOPED_TRACE(command.item);
        EXPECT_FALSE(App().InvokeMenuHandler(command.item));
        EXPECT_EQ(App().classNumber, command.examClass);
        EXPECT_EQ(App().examName, command.pool);
        EXPECT_EQ(Window1().Title(), command.pool + " Exam");
        EXPECT_EQ(App().numberQuestions, 2) << "one question from each section of the pool";
    }
}

TEST_F(ShellTest, ClearExamHistoriesClearsClassesOneToFourOnly)
{
    for (Integer c = 1; c <= 14; ++c) {
        App().correct(c, 7) = 3;
        App().incorrect(c, 1000) = 4;
        App().historyDate(c, 1) = 1.5e9;
        App().historyCorrect(c, 1) = 20;
        App().historyIncorrect(c, 1) = 15;
    }
    EXPECT_FALSE(App().InvokeMenuHandler("EditClearExamHistories"));

    for (Integer c = 1; c <= 14; ++c) {
        SCOPED_TRACE(c);
        const bool cleared = c <= 4;
        EXPECT_EQ(App().correct(c, 7), cleared ? 0 : 3);
        EXPECT_EQ(App().incorrect(c, 1000), cleared ? 0 : 4);
        EXPECT_EQ(App().historyDate(c, 1), cleared ? 0.0 : 1.5e9);
        EXPECT_EQ(App().historyCorrect(c, 1), cleared ? 0 : 20);
        EXPECT_EQ(App().historyIncorrect(c, 1), cleared ? 0 : 15);
    }
    ASSERT_EQ(Sink().messages.size(), 1u);
    EXPECT_EQ(Sink().messages[0], "Exam histories cleared");
}

TEST_F(ShellTest, WebCommandsOpenTheProductAndVersionPages)
{
    EXPECT_FALSE(App().InvokeMenuHandler("AppleGoToVarnoWebsite"));
    EXPECT_FALSE(App().InvokeMenuHandler("AppleCheckForLatestVersion"));
    ASSERT_EQ(Sink().urls.size(), 2u);
    EXPECT_EQ(Sink().urls[0], "https://www.varno.example/software/varno.html");
    const std::string suffix = "/version.html?prog=varno&version=" + App().ShortVersion();
    ASSERT_GE(Sink().urls[1].size(), suffix.size());
    EXPECT_EQ(Sink().urls[1].substr(Sink().urls[1].size() - suffix.size()), suffix);
    EXPECT_FALSE(App().ShortVersion().empty());
}

TEST_F(ShellTest, WebCommandsThatNoBrowserCanOpenSayWhereToGo)
{
    Sink().openURLSucceeds = false;
    EXPECT_FALSE(App().InvokeMenuHandler("AppleGoToVarnoWebsite"));
    EXPECT_FALSE(App().InvokeMenuHandler("AppleCheckForLatestVersion"));
    ASSERT_EQ(Sink().urls.size(), 2u);
    ASSERT_EQ(Sink().messages.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(Sink().urls[i]);
        EXPECT_NE(Sink().messages[i].find("Could not open"), std::string::npos);
        EXPECT_NE(Sink().messages[i].find(Sink().urls[i]), std::string::npos);
    }

    // A browser that starts says nothing more.
    Sink().openURLSucceeds = true;
    App().InvokeMenuHandler("AppleGoToVarnoWebsite");
    EXPECT_EQ(Sink().messages.size(), 2u);
}

TEST_F(ShellTest, OpenHelpCopiesTheDocumentByteForByteAndLaunchesIt)
{
    const std::string document = std::string("%PDF-1.4\n\0\x01\xff binary\r\n", 21) + "%%EOF\n";
    WriteFileBytes(ResourceRoot() + "/Resources/Varno Docs.pdf", document);

    EXPECT_TRUE(App().InvokeMenuHandler("HelpOpenHelp"));
    const std::string copy = HelpCopy();
    EXPECT_EQ(ReadFileBytes(copy), document);
    ASSERT_EQ(Sink().documents.size(), 1u);
    EXPECT_EQ(std::filesystem::path(Sink().documents[0]), std::filesystem::path(copy));
    EXPECT_TRUE(Sink().messages.empty());

    // The second request replaces the copy without a word.
    EXPECT_TRUE(App().InvokeMenuHandler("HelpOpenHelp"));
    EXPECT_EQ(Sink().documents.size(), 2u);
    EXPECT_TRUE(Sink().messages.empty());
}

TEST_F(ShellTest, OpenHelpWithoutTheDocumentStillWritesAndLaunchesAnEmptyCopy)
{
    EXPECT_TRUE(App().InvokeMenuHandler("HelpOpenHelp"));
    const std::string copy = HelpCopy();
    EXPECT_TRUE(std::filesystem::exists(copy));
    EXPECT_EQ(std::filesystem::file_size(copy), 0u);
    EXPECT_EQ(Sink().documents.size(), 1u);
}

TEST_F(ShellTest, OpenHelpReportsAViewerThatCannotOpenIt)
{
    Sink().openDocumentSucceeds = false;
    EXPECT_TRUE(App().InvokeMenuHandler("HelpOpenHelp"));
    ASSERT_EQ(Sink().messages.size(), 1u);
    EXPECT_EQ(Sink().messages[0], "Could not display help");
}

TEST_F(ShellTest, QuitWritesTheStatisticsFileOnce)
{
    std::filesystem::remove(PreferencesFile());
    App().RaiseOpen();
    App().correct(1, 3) = 9;
    App().Quit();
    ASSERT_TRUE(std::filesystem::exists(PreferencesFile()));
    EXPECT_EQ(std::filesystem::file_size(PreferencesFile()), 344002u);

    // Close runs once per run: a second quit writes nothing.
    std::filesystem::remove(PreferencesFile());
    App().Quit();
    EXPECT_FALSE(std::filesystem::exists(PreferencesFile()));
}

// Another local user may plant links or files of their own at the names Open
// Help uses, ahead of the user. None of them is written through or replaced,
// and the viewer still gets the shipped document, byte for byte.
TEST_F(ShellTest, OpenHelpNeverWritesThroughOrReplacesWhatWasPlanted)
{
    namespace fs = std::filesystem;
    const std::string document = std::string("%PDF-1.4\n\0\x02 shipped\n", 19) + "%%EOF\n";
    WriteFileBytes(ResourceRoot() + "/Resources/Varno Docs.pdf", document);
    const std::string temporary = getenv("TMPDIR");
    const std::string victims = MakeTempFolder("victims");
    const std::string privateFolder = fs::path(HelpCopy()).parent_path().string();

    enum Where { OldPathLink, OldPathFile, NewPathLink, PrivateFolderLink };
    for (Where where : { OldPathLink, OldPathFile, NewPathLink, PrivateFolderLink }) {
        SCOPED_TRACE(where);
        fs::remove_all(temporary + "/VarnoDocs.pdf");
        fs::remove_all(privateFolder);
        const std::string victim = victims + "/precious-" + std::to_string(where);
        WriteFileBytes(victim, "the user's own file");
        const std::string victimFolder = victims + "/folder-" + std::to_string(where);
        fs::create_directories(victimFolder);
        switch (where) {
        case OldPathLink:
            fs::create_symlink(victim, temporary + "/VarnoDocs.pdf");
            break;
        case OldPathFile:
            WriteFileBytes(temporary + "/VarnoDocs.pdf", "someone else's file");
            break;
        case NewPathLink:
            fs::create_directory(privateFolder);
            fs::permissions(privateFolder, fs::perms::owner_all, fs::perm_options::replace);
            fs::create_symlink(victim, HelpCopy());
            break;
        case PrivateFolderLink:
            fs::create_directory_symlink(victimFolder, privateFolder);
            break;
        }
        Sink().documents.clear();

        EXPECT_TRUE(App().InvokeMenuHandler("HelpOpenHelp"));

        EXPECT_EQ(ReadFileBytes(victim), "the user's own file");
        EXPECT_TRUE(fs::is_empty(victimFolder));
        if (where == OldPathLink) {
            EXPECT_TRUE(fs::is_symlink(temporary + "/VarnoDocs.pdf"));
        } else if (where == OldPathFile) {
            EXPECT_EQ(ReadFileBytes(temporary + "/VarnoDocs.pdf"), "someone else's file");
        } else if (where == PrivateFolderLink) {
            EXPECT_TRUE(fs::is_symlink(privateFolder));
        }

        ASSERT_EQ(Sink().documents.size(), 1u);
        const fs::path launched(Sink().documents[0]);
        EXPECT_EQ(launched.filename(), "VarnoDocs.pdf");
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(launched))) << launched;
        EXPECT_FALSE(fs::is_symlink(launched.parent_path())) << launched;
        EXPECT_EQ(ReadFileBytes(launched.string()), document);
        EXPECT_TRUE(Sink().messages.empty());
    }
    fs::remove(temporary + "/VarnoDocs.pdf");
}

// A preferences folder that cannot be used (a file in its place, or in the
// place of a folder on its way) keeps nobody out: the start says where and
// what it means, the program opens, and the quit says the results could not
// be saved and why, in place of the catch-all error box; the run then ends
// with a failure status.
TEST_F(ShellTest, AnUnusablePreferencesFolderIsToldAtStartAndAtQuit)
{
    const std::string saved = getenv("XDG_CONFIG_HOME");
    const std::string blocker = MakeTempFolder("blocked") + "/not-a-folder";
    WriteFileBytes(blocker, "a file where the folder should be");
    const struct {
        std::string folder;
        const char* why;
    } cases[] = {
        { blocker, "it is a file, not a folder" },
        { blocker + "/config", "a part of that path is a file, not a folder" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        // Each run is a program of its own, as main starts it.
        if (&c != &cases[0]) {
            StopProgram();
            RunStartupSteps(ResourceRoot() + "/bin/varno");
        }
        setenv("XDG_CONFIG_HOME", c.folder.c_str(), 1);
        Sink().messages.clear();
        bool mayRun = false;
        const auto lock = TakeSingleCopyLock(mayRun);
        EXPECT_TRUE(mayRun);
        App().RaiseOpen();
        EXPECT_NE(Window::FindOpen<class ChooseExamWindow>(), nullptr);
        App().Quit();
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);

        ASSERT_EQ(Sink().messages.size(), 2u);
        EXPECT_EQ(Sink().messages[0],
            "Varno cannot use its preferences folder " + c.folder + " (" + c.why
                + "), so it can neither keep your statistics and exam histories nor tell whether "
                  "another copy of Varno is open. Varno starts anyway, but the results of this "
                  "run cannot be saved when it quits.");
        EXPECT_EQ(Sink().messages[1],
            "Varno could not save its statistics file \"Varno Preferences\": its preferences "
            "folder "
                + c.folder + " cannot be used (" + c.why
                + "), so the exam results and statistics of this run are not saved.");
        EXPECT_EQ(App().ExitStatus(), 1);
        EXPECT_EQ(ReadFileBytes(blocker), "a file where the folder should be");
    }
}

// The run's status comes from inside the event loop as well: File > Quit,
// closing the last window and a SIGTERM (a logout) each end a run whose save
// failed with status 1.
TEST_F(ShellTest, AFailedSaveFailsTheRunHoweverItQuitsFromTheEventLoop)
{
    const std::string saved = getenv("XDG_CONFIG_HOME");
    const std::string blocker = MakeTempFolder("blocked") + "/not-a-folder";
    WriteFileBytes(blocker, "a file where the folder should be");
    setenv("XDG_CONFIG_HOME", (blocker + "/config").c_str(), 1);
    const std::function<void()> quits[] = {
        [] { Menu().Lookup("FileQuit")->Trigger(); },
        [] { ChooseExamWindow().Close(); },
        [] { std::raise(SIGTERM); },
    };
    for (std::size_t i = 0; i < std::size(quits); ++i) {
        SCOPED_TRACE(i);
        // Each run is a program of its own, as main starts it.
        if (i > 0) {
            StopProgram();
            RunStartupSteps(ResourceRoot() + "/bin/varno");
        }
        App().SetQuitOnLastWindowClosed(true);
        Sink().messages.clear();
        QTimer::singleShot(0, QCoreApplication::instance(), quits[i]);
        EXPECT_EQ(App().Run(), 1);
        ASSERT_EQ(Sink().messages.size(), 1u);
        EXPECT_NE(Sink().messages[0].find("could not save"), std::string::npos)
            << Sink().messages[0];
    }
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

TEST_F(ShellTest, AnUncaughtExceptionInAHandlerShowsTheErrorMessageOnceAndGoesOn)
{
    App()._AddMenuHandler("FileShowExam", []() -> bool { throw OutOfBoundsException(); });
    EXPECT_FALSE(App().InvokeMenuHandler("FileShowExam"));
    ASSERT_EQ(Sink().messages.size(), 1u);
    EXPECT_EQ(Sink().messages[0],
        "Error, please report what you did to cause this to the devleoper, thanks!");

    EXPECT_FALSE(App().InvokeMenuHandler("EditClearExamHistories"));
    ASSERT_EQ(Sink().messages.size(), 2u);
    EXPECT_EQ(Sink().messages[1], "Exam histories cleared");
}

TEST_F(ShellTest, AboutBoxShowsTheVersionAndIsSingle)
{
    EXPECT_FALSE(App().InvokeMenuHandler("AppleAboutVarno"));
    EXPECT_FALSE(App().InvokeMenuHandler("AppleAboutVarno"));
    int open = 0;
    for (Window* window : Window::OpenWindows())
        open += dynamic_cast<class AboutDialog*>(window) != nullptr;
    EXPECT_EQ(open, 1);
    EXPECT_EQ(AboutDialog().StaticText3().Text(), "Version " + App().ShortVersion() + " ");
    EXPECT_EQ(AboutDialog().StaticText1().Text(), "Varno");
    EXPECT_TRUE(AboutDialog().OKButton().Default());
    EXPECT_TRUE(AboutDialog().OKButton().Cancel());

    AboutDialog().OKButton().Push();
    Application::DoEvents();
    EXPECT_EQ(Window::FindOpen<class AboutDialog>(), nullptr);
}

TEST_F(ShellTest, ShowExamWithoutAnExamShowsAnUninitialisedWindow)
{
    EXPECT_FALSE(App().InvokeMenuHandler("FileShowExam"));
    ASSERT_NE(Window::FindOpen<class Window1>(), nullptr);
    EXPECT_EQ(Window1().Title(), "Varno");
    EXPECT_FALSE(App().InvokeMenuHandler("FileShowFigures"));
    EXPECT_NE(Window::FindOpen<class PictureWindow>(), nullptr);
}

} // namespace

// The start-up's lock: a second copy is told and stops; a lock that cannot be
// taken is told, with the folder and why, and the run goes on; a lock file
// left behind by an earlier run is taken in silence.
TEST_F(ShellTest, TheSingleCopyLockStopsOnlyASecondCopy)
{
    const std::string config = getenv("XDG_CONFIG_HOME");
    const std::string lockFile = config + "/Varno Preferences.lock";
    namespace fs = std::filesystem;

    WriteFileBytes(lockFile, std::string(16, '\0'));
    bool mayRun = false;
    auto first = TakeSingleCopyLock(mayRun);
    EXPECT_TRUE(mayRun);
    EXPECT_TRUE(Sink().messages.empty());

    auto second = TakeSingleCopyLock(mayRun);
    EXPECT_FALSE(mayRun);
    ASSERT_EQ(Sink().messages.size(), 1u);
    EXPECT_EQ(Sink().messages[0].rfind("Varno is already running. ", 0), 0u) << Sink().messages[0];
    second.reset();
    first.reset();
    Sink().messages.clear();

    fs::remove(lockFile);
    fs::create_directory(lockFile);
    auto none = TakeSingleCopyLock(mayRun);
    EXPECT_TRUE(mayRun);
    EXPECT_EQ(Sink().messages,
        std::vector<std::string> { "Varno could not take its lock file \"Varno Preferences.lock\" "
                                   "in the folder "
            + config
            + " (it is a folder), so it cannot tell whether another copy of Varno is open. "
              "Varno starts anyway. If another copy is open, quit one of them: the results of both "
              "are kept, but each shows only its own until it is started again. Removing \"Varno "
              "Preferences.lock\" lets Varno use its lock again." });
    fs::remove(lockFile);
    // With nothing at the lock's name (no room, no rights), nothing is to be removed.
    const std::string noLock = LockUnavailableMessage(FolderItem(lockFile), "Permission denied");
    EXPECT_NE(noLock.find("(Permission denied), so it cannot tell"), std::string::npos) << noLock;
    EXPECT_EQ(noLock.find("Removing"), std::string::npos) << noLock;
}
