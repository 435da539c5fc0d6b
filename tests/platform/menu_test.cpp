#include "menu_item.h"

#include "widget_fixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

std::unique_ptr<MenuItem> Item(const std::string& name, const std::string& text,
    bool autoEnable = false, const std::string& shortcut = "")
{
    auto item = std::make_unique<MenuItem>();
    item->SetName(name);
    item->SetText(text);
    item->SetAutoEnable(autoEnable);
    item->SetKeyboardShortcut(shortcut);
    return item;
}

// A small bar: File (Show, Quit), Edit (Undo, separator, empty entry).
std::unique_ptr<MenuBar> SmallBar()
{
    auto bar = std::make_unique<MenuBar>();
    bar->Append(Item("FileMenu", "File"));
    bar->Append(Item("EditMenu", "Edit"));
    bar->Child("FileMenu")->Append(Item("FileShow", "Show", true));
    auto quit = std::make_unique<QuitMenuItem>();
    quit->SetName("FileQuit");
    quit->SetText("Quit");
    quit->SetKeyboardShortcut("Cmd+Q");
    bar->Child("FileMenu")->Append(std::move(quit));
    bar->Child("EditMenu")->Append(Item("EditUndo", "Undo", false, "Cmd+Z"));
    bar->Child("EditMenu")->Append(Item("Separator", "-"));
    bar->Child("EditMenu")->Append(Item("Empty", ""));
    return bar;
}

QMenuBar* BarOf(Window& window)
{
    return window.widget()->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
}

QStringList Titles(QMenuBar& bar)
{
    QStringList titles;
    for (QAction* action : bar.actions()) {
        if (action->isVisible())
            titles << action->text();
    }
    return titles;
}

QAction* ActionNamed(QMenuBar& bar, const QString& text)
{
    for (QAction* title : bar.actions()) {
        for (QAction* action : title->menu()->actions()) {
            if (action->text() == text)
                return action;
        }
    }
    return nullptr;
}

class MenuTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        bar = SmallBar();
        app.SetMenuBar(bar.get());
    }
    void TearDown() override
    {
        WidgetTest::TearDown();
        app.SetMenuBar(nullptr);
    }
    std::unique_ptr<MenuBar> bar;
};

} // namespace

TEST(MenuItem, AppendChildLookupAndIndices)
{
    std::unique_ptr<MenuBar> bar = SmallBar();
    EXPECT_EQ(bar->Count(), 2);
    EXPECT_EQ(bar->Item(1).Name(), "EditMenu");
    EXPECT_EQ(bar->Child("EditMenu")->Count(), 3);
    EXPECT_TRUE(bar->Child("FileShow").IsNil()) << "Child looks at direct children only";
    Ref<MenuItem> quit = bar->Lookup("FileQuit");
    ASSERT_FALSE(quit.IsNil());
    EXPECT_NE(dynamic_cast<QuitMenuItem*>(quit.Pointer()), nullptr);
    EXPECT_EQ(quit->Parent(), bar->Child("FileMenu").Pointer());
    EXPECT_TRUE(bar->Lookup("Nothing").IsNil());
    EXPECT_THROW(bar->Lookup("Nothing")->Text(), NilObjectException);
    EXPECT_THROW(bar->Item(2), OutOfBoundsException);
    EXPECT_THROW(bar->Item(-1), OutOfBoundsException);
}

TEST(MenuItem, RemoveByIndexShiftsTheRest)
{
    auto exam = std::make_unique<MenuItem>();
    for (const char* name : { "Technician", "General", "Extra", "E1", "E3", "E8", "About" })
        exam->Append(Item(name, name));
    exam->Remove(5);
    exam->Remove(4);
    exam->Remove(3);
    ASSERT_EQ(exam->Count(), 4);
    EXPECT_EQ(exam->Item(2).Name(), "Extra");
    EXPECT_EQ(exam->Item(3).Name(), "About");
    EXPECT_THROW(exam->Remove(4), OutOfBoundsException);
    EXPECT_EQ(exam->Count(), 4);
}

TEST(MenuItem, ChangesBumpTheBarsGeneration)
{
    std::unique_ptr<MenuBar> bar = SmallBar();
    const Integer before = bar->Generation();
    bar->Lookup("EditUndo")->SetEnabled(false);
    EXPECT_GT(bar->Generation(), before);
    const Integer afterEnable = bar->Generation();
    bar->Child("EditMenu")->Remove(0);
    EXPECT_GT(bar->Generation(), afterEnable);
}

TEST_F(MenuTest, DocumentWindowShowsTheBarsTitles)
{
    TestWindow& window = OpenTestWindow(With<WindowRecord>([&](auto& r) {
        r.width = 300;
        r.height = 200;
    }));
    QMenuBar* menus = BarOf(window);
    ASSERT_NE(menus, nullptr);
    EXPECT_EQ(Titles(*menus), (QStringList { "File", "Edit" }));
    EXPECT_EQ(window.Height(), 200) << "the bar sits above the content area";
    EXPECT_EQ(window.widget()->height(), 200 + menus->height());
    // Tall enough to read its titles, not the pixel an empty bar would take.
    EXPECT_GE(menus->height(), menus->fontMetrics().height());
    EXPECT_EQ(window.ContentWidget()->geometry().top(), menus->height());
    QAction* quit = ActionNamed(*menus, "Quit");
    ASSERT_NE(quit, nullptr);
    EXPECT_EQ(quit->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    QMenu* edit = menus->actions().at(1)->menu();
    ASSERT_EQ(edit->actions().size(), 3);
    EXPECT_TRUE(edit->actions().at(1)->isSeparator());
    EXPECT_FALSE(edit->actions().at(2)->isEnabled()) << "an entry without text";
}

TEST_F(MenuTest, DialogsAndHiddenBarsShowNoMenus)
{
    TestWindow& dialog
        = OpenTestWindow(With<WindowRecord>([&](auto& r) { r.frame = kFrameMovableModal; }));
    EXPECT_EQ(BarOf(dialog), nullptr);
    TestWindow& plain
        = OpenTestWindow(With<WindowRecord>([&](auto& r) { r.menuBarVisible = false; }));
    EXPECT_EQ(BarOf(plain), nullptr);
}

TEST_F(MenuTest, RemovedItemsLeaveEveryWindowsMenus)
{
    TestWindow& first = OpenTestWindow(WindowRecord {});
    TestWindow& second = OpenTestWindow(WindowRecord {});
    bar->Child("EditMenu")->Remove(0);
    bar->Child("FileMenu")->SetVisible(false);
    Application::DoEvents();
    for (TestWindow* window : { &first, &second }) {
        QMenuBar* menus = BarOf(*window);
        ASSERT_NE(menus, nullptr);
        EXPECT_EQ(Titles(*menus), QStringList { "Edit" });
        EXPECT_EQ(ActionNamed(*menus, "Undo"), nullptr);
    }
}

TEST_F(MenuTest, OpeningAMenuRunsTheEnablingPass)
{
    int enablePasses = 0;
    app.BindEnableMenuItems([&] { ++enablePasses; });
    app._AddMenuHandler("FileShow", [] { return false; });
    bar->Lookup("FileShow")->SetEnabled(false);
    TestWindow& window = OpenTestWindow(WindowRecord {});
    QMenuBar* menus = BarOf(window);
    ASSERT_NE(menus, nullptr);
    EXPECT_FALSE(ActionNamed(*menus, "Show")->isEnabled());
    emit menus->actions().at(0)->menu()->aboutToShow();
    EXPECT_EQ(enablePasses, 1);
    EXPECT_TRUE(ActionNamed(*menus, "Show")->isEnabled())
        << "AutoEnable with a handler is enabled by the pass";
    EXPECT_FALSE(ActionNamed(*menus, "Undo")->isEnabled());
}

TEST_F(MenuTest, ChoosingAnItemRunsItsHandlerAndQuitQuits)
{
    int shows = 0;
    int closes = 0;
    app._AddMenuHandler("FileShow", [&] {
        ++shows;
        return true;
    });
    app.BindClose([&] { ++closes; });
    TestWindow& window = OpenTestWindow(WindowRecord {});
    QMenuBar* menus = BarOf(window);
    ASSERT_NE(menus, nullptr);
    ActionNamed(*menus, "Show")->trigger();
    EXPECT_EQ(shows, 1);
    ActionNamed(*menus, "Quit")->trigger();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(app.HasQuit());
}

TEST_F(MenuTest, HandlerThatThrowsReachesTheApplicationOnce)
{
    app._AddMenuHandler("FileShow", []() -> bool { throw NilObjectException("no pool"); });
    TestWindow& window = OpenTestWindow(WindowRecord {});
    ActionNamed(*BarOf(window), "Show")->trigger();
    ASSERT_EQ(unhandled.size(), 1u);
    EXPECT_EQ(unhandled[0], "no pool");
}
