#include "window.h"

#include "bevel_button.h"
#include "canvas.h"
#include "label.h"
#include "popup_menu.h"
#include "push_button.h"
#include "radio_button.h"
#include "test_support.h"
#include "widget_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using WindowTest = WidgetTest;

WindowRecord Hidden(Integer width = 400, Integer height = 300)
{
    return With<WindowRecord>([&](auto& r) {
        r.width = width;
        r.height = height;
        r.visible = false;
    });
}

void WaitFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        Application::DoEvents();
}

} // namespace

TEST_F(WindowTest, RecordGivesTitleSizeAndVisibility)
{
    TestWindow& window = OpenTestWindow(With<WindowRecord>([&](auto& r) {
        r.width = 685;
        r.height = 470;
        r.title = "Varno";
    }));
    EXPECT_EQ(window.Title(), "Varno");
    EXPECT_EQ(window.widget()->windowTitle(), QStringLiteral("Varno"));
    EXPECT_EQ(window.Width(), 685);
    EXPECT_EQ(window.Height(), 470);
    EXPECT_EQ(window.ContentWidget()->width(), 685);
    EXPECT_EQ(window.ContentWidget()->height(), 470);
    EXPECT_TRUE(window.Visible());
    EXPECT_TRUE(window.IsOpen());
    EXPECT_EQ(window.opens, 1);
    EXPECT_EQ(window.resizeds + window.resizings, 0) << "no resize event while building";
}

TEST_F(WindowTest, RecordWithVisibleFalseStaysHiddenUntilShown)
{
    TestWindow& window = OpenTestWindow(Hidden());
    EXPECT_FALSE(window.Visible());
    EXPECT_EQ(window.opens, 1);
    window.Show();
    EXPECT_TRUE(window.Visible());
    window.Hide();
    EXPECT_FALSE(window.Visible());
}

TEST_F(WindowTest, SizesStayWithinTheLimits)
{
    TestWindow& window = OpenTestWindow(Hidden(1LL << 40, -5));
    EXPECT_EQ(window.Width(), 32000);
    EXPECT_EQ(window.Height(), 64);
    window.SetWidth(10);
    EXPECT_EQ(window.Width(), 64);
    WindowRecord narrow = Hidden();
    narrow.maxWidth = 500;
    TestWindow& limited = OpenTestWindow(narrow);
    limited.SetWidth(800);
    EXPECT_EQ(limited.Width(), 500);
}

TEST_F(WindowTest, FixedSizeWindowCannotBeResizedByTheUser)
{
    WindowRecord record = Hidden(202, 186);
    record.resizeable = false;
    TestWindow& window = OpenTestWindow(record);
    EXPECT_EQ(window.widget()->minimumSize(), window.widget()->maximumSize());
    EXPECT_EQ(window.Width(), 202);
    window.SetWidth(300); // code still may
    EXPECT_EQ(window.Width(), 300);
    EXPECT_EQ(window.widget()->minimumWidth(), window.widget()->maximumWidth());
}

TEST_F(WindowTest, BuildingRunsNoControlHandler)
{
    int changes = 0;
    int actions = 0;
    TestWindow& window = OpenTestWindow(Hidden(), [&](Window& w) {
        auto& popup = w.AddControl<PopupMenu>("SectionButton", With<PopupMenuRecord>([&](auto& r) {
            r.initialValue = "One\rTwo";
            r.listIndex = 1;
        }).Encode());
        popup.OnChange([&](PopupMenu&) { ++changes; });
        auto& radio = w.AddControl<RadioButton>(
            "Answer1", With<RadioButtonRecord>([&](auto& r) { r.value = true; }).Encode());
        radio.OnAction([&](RadioButton&) { ++actions; });
    });
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(actions, 0);
    EXPECT_EQ(window.Find<PopupMenu>("SectionButton").ListIndex(), 1);
    EXPECT_TRUE(window.Find<RadioButton>("Answer1").Value());
    window.Find<PopupMenu>("SectionButton").Choose(0);
    EXPECT_EQ(changes, 1) << "the handler is attached once the window is built";
}

TEST_F(WindowTest, FindsControlsByNameAndIndex)
{
    TestWindow& window = OpenTestWindow(Hidden(), [](Window& w) {
        w.AddControl<Label>(
            "QuestionNumField", With<LabelRecord>([&](auto& r) { r.text = "Label:"; }).Encode());
        for (Integer index = 1; index <= 4; ++index) {
            CanvasRecord record = With<CanvasRecord>(
                [&](auto& r) { r.place = At("Canvas1", 5, 85 + 60 * index, 32, 32); });
            record.place.index = index;
            w.AddControl<Canvas>("Canvas1", record.Encode());
        }
    });
    EXPECT_EQ(window.Find<Label>("QuestionNumField").Text(), "Label:");
    for (Integer index = 1; index <= 4; ++index) {
        Canvas& member = window.Find<Canvas>("Canvas1", index);
        EXPECT_EQ(member.Index(), index);
        EXPECT_EQ(member.Top(), 85 + 60 * index);
    }
    EXPECT_NE(&window.Find<Canvas>("Canvas1", 1), &window.Find<Canvas>("Canvas1", 2));
    EXPECT_THROW(window.Find<Canvas>("Canvas1", 5), NilObjectException);
    EXPECT_THROW(window.Find<Label>("Canvas1", 1), NilObjectException);
    EXPECT_THROW(window.Find<Label>("Nothing"), NilObjectException);
}

TEST_F(WindowTest, FailedBuildLeavesNoWindowOpen)
{
    const std::size_t before = Window::OpenWindows().size();
    EXPECT_THROW(OpenTestWindow(Hidden(),
                     [](Window& w) {
                         w.AddControl<Label>("Good", LabelRecord {}.Encode());
                         w.AddControl<Label>("Bad", "Text \x09\x00");
                     }),
        OutOfBoundsException);
    EXPECT_EQ(Window::OpenWindows().size(), before);
}

TEST_F(WindowTest, OpenWindowsListsWindowsInCreationOrder)
{
    TestWindow& first = OpenTestWindow(Hidden());
    TestWindow& second = OpenTestWindow(Hidden());
    const std::vector<Window*> open = Window::OpenWindows();
    ASSERT_EQ(open.size(), 2u);
    EXPECT_EQ(open[0], &first);
    EXPECT_EQ(open[1], &second);
}

// What the runtime does with the windows still open as the run ends.
TEST_F(WindowTest, DisposeAllDeletesEveryOpenWindow)
{
    TestWindow& first = OpenTestWindow(Hidden());
    TestWindow& second = OpenTestWindow(Hidden());
    second.Show();
    QPointer<QWidget> firstWidget = first.widget();
    QPointer<QWidget> secondWidget = second.widget();

    Window::DisposeAll();
    EXPECT_TRUE(Window::OpenWindows().empty());
    EXPECT_TRUE(firstWidget.isNull());
    EXPECT_TRUE(secondWidget.isNull());
}

TEST_F(WindowTest, CloseRunsCloseOnceAndTheNextRequestBuildsANewWindow)
{
    TestWindow& window = TestWindow::SingleInstance<TestWindow>();
    EXPECT_EQ(&TestWindow::SingleInstance<TestWindow>(), &window) << "an open window is reused";
    EXPECT_EQ(window.opens, 1);
    QPointer<QWidget> widget = window.widget();
    window.Close();
    EXPECT_EQ(window.closes, 1);
    window.Close();
    EXPECT_EQ(window.closes, 1);
    EXPECT_FALSE(window.IsOpen());
    EXPECT_EQ(Window::FindOpen<TestWindow>(), nullptr);
    Application::DoEvents();
    EXPECT_TRUE(widget.isNull()) << "the closed window is deleted in the event loop";
    TestWindow& again = TestWindow::SingleInstance<TestWindow>();
    EXPECT_EQ(again.opens, 1);
    EXPECT_EQ(again.closes, 0);
    EXPECT_TRUE(again.IsOpen());
}

TEST_F(WindowTest, CloseFromItsOwnButtonIsSafe)
{
    TestWindow& window = OpenTestWindow(WindowRecord {}, [](Window& w) {
        w.AddControl<PushButton>(
             "OKButton", With<PushButtonRecord>([&](auto& r) { r.caption = "OK"; }).Encode())
            .OnAction([&w](PushButton&) { w.Close(); });
    });
    QPointer<QWidget> widget = window.widget();
    window.Find<PushButton>("OKButton").Push();
    EXPECT_EQ(window.closes, 1);
    EXPECT_FALSE(widget->isVisible());
    Application::DoEvents();
    EXPECT_TRUE(widget.isNull());
    EXPECT_TRUE(unhandled.empty());
}

TEST_F(WindowTest, UserClosingTheWindowRunsClose)
{
    TestWindow& window = OpenTestWindow(WindowRecord {});
    window.widget()->close();
    EXPECT_EQ(window.closes, 1);
    EXPECT_TRUE(Window::OpenWindows().empty());
}

namespace {

struct LockCase {
    const char* what;
    bool left, top, right, bottom;
    Integer expectLeft, expectTop, expectWidth, expectHeight;
};

} // namespace

TEST_F(WindowTest, LockedControlsFollowTheWindowEdges)
{
    // A control at (100, 50) of 80 x 20 in a 400 x 300 window grown to 500 x 350.
    const std::vector<LockCase> cases {
        { "no locks", false, false, false, false, 100, 50, 80, 20 },
        { "left and top", true, true, false, false, 100, 50, 80, 20 },
        { "right", false, false, true, false, 200, 50, 80, 20 },
        { "bottom", false, false, false, true, 100, 100, 80, 20 },
        { "left and right", true, false, true, false, 100, 50, 180, 20 },
        { "top and bottom", false, true, false, true, 100, 50, 80, 70 },
        { "all four", true, true, true, true, 100, 50, 180, 70 },
        { "right and bottom", false, false, true, true, 200, 100, 80, 20 },
    };
    TestWindow& window = OpenTestWindow(With<WindowRecord>([&](auto& r) {
        r.width = 400;
        r.height = 300;
    }),
        [&](Window& w) {
            for (const LockCase& c : cases) {
                LabelRecord record
                    = With<LabelRecord>([&](auto& r) { r.place = At(c.what, 100, 50, 80, 20); });
                record.place.lockLeft = c.left;
                record.place.lockTop = c.top;
                record.place.lockRight = c.right;
                record.place.lockBottom = c.bottom;
                w.AddControl<Label>(c.what, record.Encode());
            }
        });
    window.widget()->resize(500, window.widget()->height() + 50);
    Application::DoEvents();
    EXPECT_EQ(window.Width(), 500);
    EXPECT_EQ(window.Height(), 350);
    for (const LockCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Label& label = window.Find<Label>(c.what);
        EXPECT_EQ(label.Left(), c.expectLeft);
        EXPECT_EQ(label.Top(), c.expectTop);
        EXPECT_EQ(label.Width(), c.expectWidth);
        EXPECT_EQ(label.Height(), c.expectHeight);
    }
    // And back: the locks undo what they did.
    window.SetWidth(400);
    window.SetHeight(300);
    Application::DoEvents();
    EXPECT_EQ(window.Find<Label>("all four").Width(), 80);
    EXPECT_EQ(window.Find<Label>("right and bottom").Left(), 100);
}

TEST_F(WindowTest, ResizeWithoutLiveResizeRaisesResizedAtOnce)
{
    WindowRecord record;
    record.liveResize = false;
    TestWindow& window = OpenTestWindow(record);
    window.SetWidth(420);
    Application::DoEvents();
    EXPECT_EQ(window.resizeds, 1);
    EXPECT_EQ(window.resizings, 0);
}

TEST_F(WindowTest, LiveResizeRaisesResizingThenResizedWhenTheDragRests)
{
    TestWindow& window = OpenTestWindow(WindowRecord {});
    window.SetWidth(420);
    window.SetWidth(440);
    Application::DoEvents();
    EXPECT_EQ(window.resizings, 2);
    EXPECT_EQ(window.resizeds, 0);
    WaitFor(250);
    EXPECT_EQ(window.resizeds, 1);
}

TEST_F(WindowTest, ResizedHandlerSeesTheNewSize)
{
    WindowRecord record;
    record.liveResize = false;
    Integer seenWidth = 0;
    TestWindow& window = OpenTestWindow(record);
    window.onResized = [&] { seenWidth = window.Width(); };
    window.widget()->resize(800, window.widget()->height());
    Application::DoEvents();
    EXPECT_EQ(seenWidth, 800);
}

TEST_F(WindowTest, ExceptionInAWindowEventReachesTheApplication)
{
    WindowRecord record;
    record.liveResize = false;
    TestWindow& window = OpenTestWindow(record);
    window.onResized = [] { throw OutOfBoundsException("resized failed"); };
    window.SetWidth(350);
    window.SetWidth(360);
    ASSERT_EQ(unhandled.size(), 2u);
    EXPECT_EQ(unhandled[0], "resized failed");
    EXPECT_EQ(window.Width(), 360);
}

TEST_F(WindowTest, DialogFramesAreModalAndShowWithoutWaiting)
{
    WindowRecord record = With<WindowRecord>([&](auto& r) {
        r.width = 293;
        r.height = 162;
        r.frame = kFrameModalDialog;
        r.title = "Results";
    });
    TestWindow& dialog = OpenTestWindow(record);
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(dialog.widget()->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(dialog.Frame(), kFrameModalDialog);
    EXPECT_EQ(dialog.Height(), 162);
}

namespace {

// The next widget after from that Tab would reach.
QWidget* NextTabStop(QWidget* from)
{
    QWidget* next = from->nextInFocusChain();
    while (next != from && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

} // namespace

TEST_F(WindowTest, FocusFollowsTabIndexNotCreationOrder)
{
    const std::vector<std::string> names { "One", "Two", "Three" };
    TestWindow& window = OpenTestWindow(WindowRecord {}, [&](Window& w) {
        for (int tab = 3; tab >= 1; --tab) {
            const std::string& name = names[static_cast<std::size_t>(tab - 1)];
            PushButtonRecord record = With<PushButtonRecord>(
                [&](auto& r) { r.place = At(name, 10, 30 * tab, 60, 20); });
            record.place.tabIndex = tab;
            w.AddControl<PushButton>(name, record.Encode());
        }
    });
    QWidget* one = window.Find<PushButton>("One").widget();
    QWidget* two = window.Find<PushButton>("Two").widget();
    QWidget* three = window.Find<PushButton>("Three").widget();
    EXPECT_EQ(NextTabStop(one), two);
    EXPECT_EQ(NextTabStop(two), three);
    window.Find<PushButton>("Three").SetTabIndex(0);
    EXPECT_EQ(NextTabStop(three), one) << "a later TabIndex reorders";
    EXPECT_EQ(NextTabStop(one), two);
}

TEST_F(WindowTest, ScreenshotIsWrittenAsPng)
{
    TestWindow& window = OpenTestWindow(With<WindowRecord>([&](auto& r) {
        r.width = 200;
        r.height = 100;
    }),
        [](Window& w) {
            w.AddControl<Label>("Text", With<LabelRecord>([&](auto& r) {
                r.place = At("Text", 10, 10, 150, 20);
                r.text = "Screenshot";
            }).Encode());
        });
    const std::string path = MakeTempFolder("shots") + "/window.png";
    ASSERT_TRUE(window.SaveScreenshot(path));
    EXPECT_EQ(ReadFileBytes(path).substr(1, 3), "PNG");
}

TEST_F(WindowTest, ClosingTheLastWindowTellsTheRuntime)
{
    TestWindow& window = OpenTestWindow(WindowRecord {});
    bool lastClosed = false;
    QObject context;
    QObject::connect(
        qApp, &QGuiApplication::lastWindowClosed, &context, [&] { lastClosed = true; });
    QTimer::singleShot(0, &context, [&] { window.Close(); });
    QTimer::singleShot(300, &context, [] { QCoreApplication::exit(0); });
    const bool quitOnLast = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    QCoreApplication::exec();
    QApplication::setQuitOnLastWindowClosed(quitOnLast);
    EXPECT_TRUE(lastClosed) << "the application's quit-on-last-window hangs on this";
}
