#include "application.h"

#include "exceptions.h"
#include "folder_item.h"
#include "menu_item.h"
#include "runtime.h"
#include "termination_signals.h"
#include "window.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <stdexcept>

namespace {

// A registered application that counts what reaches its UnhandledException event.
class ApplicationTest : public testing::Test {
protected:
    void SetUp() override
    {
        Application::Register(&app);
        app.BindUnhandledException([this](RuntimeException& exception) {
            ++unhandled;
            lastMessage = exception.Message();
            lastWasNil = dynamic_cast<NilObjectException*>(&exception) != nullptr;
            return false;
        });
    }
    void TearDown() override { Application::Register(nullptr); }

    Application app;
    int unhandled = 0;
    std::string lastMessage;
    bool lastWasNil = false;
};

// The handler in place for the signal.
void (*HandlerOf(int signalNumber))(int)
{
    struct sigaction current { };
    ::sigaction(signalNumber, nullptr, &current);
    return current.sa_handler;
}

// A handler of the process's own, installed before a run.
void HandlerOfOurOwn(int) { }

std::unique_ptr<MenuItem> Item(const std::string& name, bool autoEnable, bool enabled)
{
    auto item = std::make_unique<MenuItem>();
    item->SetName(name);
    item->SetText(name);
    item->SetAutoEnable(autoEnable);
    item->SetEnabled(enabled);
    return item;
}

} // namespace

TEST(ApplicationRegistry, CurrentWithoutRegistrationRaisesNilObject)
{
    Application::Register(nullptr);
    EXPECT_THROW(Application::Current(), NilObjectException);
    EXPECT_EQ(Application::CurrentOrNull(), nullptr);
}

TEST(ApplicationRegistry, ADestroyedApplicationIsNoLongerCurrent)
{
    {
        Application app;
        Application::Register(&app);
        EXPECT_EQ(&Application::Current(), &app);
    }
    EXPECT_EQ(Application::CurrentOrNull(), nullptr);
}

TEST(ApplicationRegistry, ShortVersionIsTheRuntimes)
{
    Application app;
    EXPECT_TRUE(Runtime::Exists());
    EXPECT_FALSE(app.ShortVersion().empty());
    EXPECT_EQ(app.ShortVersion(), QCoreApplication::applicationVersion().toStdString());
}

TEST(ApplicationRegistry, ExecutableFileIsTheRealRunningFileUnlessOverridden)
{
    Application app;
    Ref<FolderItem> executable = app.ExecutableFile();
    ASSERT_TRUE(executable);
    EXPECT_EQ(executable->NativePath(), std::filesystem::canonical("/proc/self/exe").string());
    app.SetExecutableFile(MakeRef<FolderItem>("/opt/varno/bin/varno"));
    EXPECT_EQ(app.ExecutableFile()->NativePath(), "/opt/varno/bin/varno");
}

TEST_F(ApplicationTest, MenuHandlerResultIsReturned)
{
    int calls = 0;
    app._AddMenuHandler("HelpOpenHelp", [&] {
        ++calls;
        return true;
    });
    app._AddMenuHandler("FileShowExam", [&] {
        ++calls;
        return false;
    });
    EXPECT_TRUE(app.HasMenuHandler("HelpOpenHelp"));
    EXPECT_FALSE(app.HasMenuHandler("ExamHistoryMissing"));
    EXPECT_TRUE(app.InvokeMenuHandler("HelpOpenHelp"));
    EXPECT_FALSE(app.InvokeMenuHandler("FileShowExam"));
    EXPECT_FALSE(app.InvokeMenuHandler("ExamHistoryMissing"));
    EXPECT_EQ(calls, 2);
}

TEST_F(ApplicationTest, ALaterBindingReplacesTheEarlierOne)
{
    app._AddMenuHandler("ExamExtra", [] { return false; });
    app._AddMenuHandler("ExamExtra", [] { return true; });
    EXPECT_TRUE(app.InvokeMenuHandler("ExamExtra"));
}

TEST_F(ApplicationTest, ExceptionInAMenuHandlerReachesUnhandledExceptionOnce)
{
    bool afterThrow = false;
    app._AddMenuHandler("ExamTechnician", [&]() -> bool {
        throw NilObjectException("no pool");
        afterThrow = true;
        return true;
    });
    EXPECT_FALSE(app.InvokeMenuHandler("ExamTechnician"));
    EXPECT_EQ(unhandled, 1);
    EXPECT_TRUE(lastWasNil);
    EXPECT_EQ(lastMessage, "no pool");
    EXPECT_FALSE(afterThrow);

    // The program goes on: the next command runs normally.
    app._AddMenuHandler("ExamGeneral", [] { return true; });
    EXPECT_TRUE(app.InvokeMenuHandler("ExamGeneral"));
    EXPECT_EQ(unhandled, 1);
}

TEST_F(ApplicationTest, ExceptionInOpenReachesUnhandledExceptionOnce)
{
    int steps = 0;
    app.BindOpen([&] {
        ++steps;
        throw OutOfBoundsException("index 1001");
    });
    app.RaiseOpen();
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(unhandled, 1);
    EXPECT_EQ(lastMessage, "index 1001");
}

TEST_F(ApplicationTest, ForeignExceptionsArriveAsRuntimeExceptionsWithTheirText)
{
    CallWithExceptionHandling([] { throw std::runtime_error("disk on fire"); });
    EXPECT_EQ(unhandled, 1);
    EXPECT_EQ(lastMessage, "disk on fire");
    EXPECT_FALSE(lastWasNil);
    CallWithExceptionHandling([] { throw 42; });
    EXPECT_EQ(unhandled, 2);
}

TEST_F(ApplicationTest, ExceptionFromTheUnhandledExceptionHandlerIsStopped)
{
    app.BindUnhandledException([](RuntimeException&) -> bool { throw std::logic_error("again"); });
    EXPECT_NO_THROW(CallWithExceptionHandling([] { throw RuntimeException("first"); }));
}

TEST(ApplicationHook, WithoutAnApplicationTheExceptionIsStopped)
{
    Application::Register(nullptr);
    EXPECT_NO_THROW(CallWithExceptionHandling([] { throw NilObjectException(); }));
}

TEST_F(ApplicationTest, QuitRaisesCloseOnceEvenWhenCalledTwice)
{
    int closes = 0;
    app.BindClose([&] { ++closes; });
    EXPECT_FALSE(app.HasQuit());
    app.Quit();
    app.Quit();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(app.HasQuit());
}

TEST_F(ApplicationTest, ExceptionInCloseTakesTheSameRoad)
{
    app.BindClose([] { throw NilObjectException("no preferences folder"); });
    app.Quit();
    EXPECT_EQ(unhandled, 1);
    EXPECT_TRUE(app.HasQuit());
}

TEST_F(ApplicationTest, RunWhoseOpenQuitsReturnsAfterOneClose)
{
    int closes = 0;
    app.BindOpen([&] { app.Quit(); });
    app.BindClose([&] { ++closes; });
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(closes, 1);
}

TEST_F(ApplicationTest, RunWhoseOpenFailedBeforeAnyWindowEndsWithoutClose)
{
    int closes = 0;
    app.BindOpen([] { throw NilObjectException("statistics file unreadable"); });
    app.BindClose([&] { ++closes; });
    EXPECT_NE(app.Run(), 0);
    EXPECT_EQ(unhandled, 1);
    EXPECT_EQ(closes, 0);
}

TEST_F(ApplicationTest, ClosingTheLastWindowQuitsThroughClose)
{
    int closes = 0;
    app.BindOpen([] {
        Window& window = Window::Create<Window>();
        window.Show();
        QTimer::singleShot(0, QCoreApplication::instance(), [&window] { window.Close(); });
    });
    app.BindClose([&] { ++closes; });
    // A safety net so that a fault ends the test instead of hanging it.
    QObject safetyNet;
    QTimer::singleShot(10000, &safetyNet, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(Window::OpenWindows().empty());
}

TEST(ApplicationEvents, DoEventsDeliversDeferredDeletes)
{
    QPointer<QObject> object = new QObject; // owned by its deleteLater below
    object->deleteLater();
    Application::DoEvents();
    EXPECT_TRUE(object.isNull());
}

TEST_F(ApplicationTest, EnablingPassEnablesExactlyAutoEnableItemsWithHandlersAndQuit)
{
    MenuBar bar;
    auto file = Item("FileMenu", false, false);
    file->Append(Item("FileShowExam", true, false)); // handler, AutoEnable: enabled
    file->Append(Item("FileNoHandler", true, true)); // AutoEnable, no handler: disabled
    file->Append(Item("-", false, true)); // separator: disabled
    auto quit = std::make_unique<QuitMenuItem>();
    quit->SetName("FileQuit");
    quit->SetEnabled(false);
    file->Append(std::move(quit));
    auto exam = Item("ExamMenu0", false, false);
    exam->Append(Item("ExamTechnician", false, true)); // handler, no AutoEnable: disabled
    auto sub = Item("ExamMore", false, false); // has children: a title, stays enabled
    sub->Append(Item("ExamDeep", true, false));
    exam->Append(std::move(sub));
    bar.Append(std::move(file));
    bar.Append(std::move(exam));
    app.SetMenuBar(&bar);
    app._AddMenuHandler("FileShowExam", [] { return false; });
    app._AddMenuHandler("ExamTechnician", [] { return false; });
    app._AddMenuHandler("ExamDeep", [] { return false; });

    bool technicianDuringEvent = true;
    int events = 0;
    app.BindEnableMenuItems([&] {
        ++events;
        technicianDuringEvent = bar.Lookup("ExamTechnician")->Enabled();
        bar.Lookup("ExamTechnician")->SetEnabled(true);
    });
    app.EnableMenuItems();

    EXPECT_EQ(events, 1);
    EXPECT_FALSE(technicianDuringEvent); // the pass ran before the event
    EXPECT_TRUE(bar.Lookup("ExamTechnician")->Enabled());
    EXPECT_TRUE(bar.Lookup("FileMenu")->Enabled());
    EXPECT_TRUE(bar.Lookup("ExamMenu0")->Enabled());
    EXPECT_TRUE(bar.Lookup("ExamMore")->Enabled());
    EXPECT_TRUE(bar.Lookup("FileShowExam")->Enabled());
    EXPECT_TRUE(bar.Lookup("FileQuit")->Enabled());
    EXPECT_TRUE(bar.Lookup("ExamDeep")->Enabled());
    EXPECT_FALSE(bar.Lookup("FileNoHandler")->Enabled());
    EXPECT_FALSE(bar.Lookup("-")->Enabled());
    app.SetMenuBar(nullptr);
}

TEST_F(ApplicationTest, ExceptionInEnableMenuItemsTakesTheExceptionRoad)
{
    app.BindEnableMenuItems([] { throw NilObjectException(); });
    EXPECT_NO_THROW(app.EnableMenuItems());
    EXPECT_EQ(unhandled, 1);
}

// SIGTERM (logout, kill), SIGHUP (terminal closed) and SIGINT (Ctrl+C) while
// the program runs: each quits the way the Quit item does, with Close run once,
// instead of ending the process on the spot.
TEST_F(ApplicationTest, TerminationSignalsQuitThroughCloseOnce)
{
    for (int signalNumber : { SIGTERM, SIGHUP, SIGINT }) {
        SCOPED_TRACE(signalNumber);
        int closes = 0;
        app.BindOpen([signalNumber] {
            Window::Create<Window>().Show();
            // Twice: the second arrives while the first is being handled.
            QTimer::singleShot(0, QCoreApplication::instance(), [signalNumber] {
                std::raise(signalNumber);
                std::raise(signalNumber);
            });
        });
        app.BindClose([&] { ++closes; });
        QObject safetyNet;
        QTimer::singleShot(10000, &safetyNet, [] { QCoreApplication::exit(99); });
        EXPECT_EQ(app.Run(), 0);
        EXPECT_EQ(closes, 1);
        for (Window* window : Window::OpenWindows())
            window->Close();
        Application::DoEvents();
    }
}

// A signal the program was started with ignored (nohup ignores SIGHUP) stays
// ignored while the program runs and afterwards; the others are handled.
TEST(TerminationSignals, ASignalIgnoredAtTheStartStaysIgnored)
{
    struct sigaction ignore { };
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    struct sigaction before { };
    ASSERT_EQ(::sigaction(SIGHUP, &ignore, &before), 0);
    int calls = 0;
    {
        TerminationSignals handling([&calls] { ++calls; });
        EXPECT_EQ(HandlerOf(SIGHUP), SIG_IGN);
        EXPECT_NE(HandlerOf(SIGTERM), SIG_DFL);
        std::raise(SIGHUP);
        Application::DoEvents();
        EXPECT_EQ(calls, 0);
    }
    EXPECT_EQ(HandlerOf(SIGHUP), SIG_IGN);
    ::sigaction(SIGHUP, &before, nullptr);
}

// The run takes the three signals over only while its event loop runs: the
// handlers the process had before are back once the run has ended.
TEST_F(ApplicationTest, TheHandlersOfBeforeTheRunAreBackAfterIt)
{
    const int signalNumbers[] = { SIGTERM, SIGHUP, SIGINT };
    struct sigaction own { };
    own.sa_handler = HandlerOfOurOwn;
    sigemptyset(&own.sa_mask);
    struct sigaction saved[std::size(signalNumbers)] {};
    for (std::size_t i = 0; i < std::size(signalNumbers); ++i)
        ASSERT_EQ(::sigaction(signalNumbers[i], &own, &saved[i]), 0);

    int takenOver = 0;
    app.BindOpen([&] {
        for (int signalNumber : signalNumbers)
            takenOver += HandlerOf(signalNumber) != HandlerOfOurOwn ? 1 : 0;
        app.Quit();
    });
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(takenOver, 3);
    for (std::size_t i = 0; i < std::size(signalNumbers); ++i) {
        EXPECT_EQ(HandlerOf(signalNumbers[i]), HandlerOfOurOwn) << signalNumbers[i];
        ::sigaction(signalNumbers[i], &saved[i], nullptr);
    }
}

TEST_F(ApplicationTest, ACloseThatSetsAFailureStatusEndsTheRunWithIt)
{
    app.BindOpen([this] { app.Quit(); });
    app.BindClose([this] { app.SetExitStatus(1); });
    EXPECT_EQ(app.Run(), 1);
    // The next run starts from success again.
    app.BindClose([] {});
    EXPECT_EQ(app.Run(), 0);
}
