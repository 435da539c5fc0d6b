#include "menu.h"
#include "menu_item.h"
#include "startup_testing.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>
#include <vector>

namespace {

struct ExpectedItem {
    const char* parent;
    Integer index;
    const char* name;
    const char* text;
    bool autoEnable;
    const char* shortcut;
    enum { Plain, Apple, Quit } kind;
};

const std::vector<ExpectedItem> kBar = {
    { "", 0, "UntitledMenu3", "File", false, "", ExpectedItem::Plain },
    { "UntitledMenu3", 0, "FileShowExam", "Show Exam", true, "", ExpectedItem::Plain },
    { "UntitledMenu3", 1, "FileShowFigures", "Show Figures", true, "", ExpectedItem::Plain },
    { "UntitledMenu3", 2, "FileQuit", "Quit", true, "Cmd+Q", ExpectedItem::Quit },
    { "", 1, "ExamMenu0", "Exam", false, "", ExpectedItem::Plain },
    { "ExamMenu0", 0, "ExamTechnician", "Technician", false, "", ExpectedItem::Plain },
    { "ExamMenu0", 1, "ExamGeneral", "General", false, "", ExpectedItem::Plain },
    { "ExamMenu0", 2, "ExamExtra", "Extra", false, "", ExpectedItem::Plain },
    { "ExamMenu0", 3, "ExamFCCMarine1", "FCC Commercial Element 1", false, "",
        ExpectedItem::Plain },
    { "ExamMenu0", 4, "ExamFCCMarine3", "FCC Commercial Element 3", false, "",
        ExpectedItem::Plain },
    { "ExamMenu0", 5, "ExamFCCMarine8", "FCC Commercial Element 8", false, "",
        ExpectedItem::Plain },
    { "ExamMenu0", 6, "AppleAboutVarno", "About Varno...", false, "", ExpectedItem::Apple },
    { "ExamMenu0", 7, "AppleGoToVarnoWebsite", "Go To Varno Website...", true, "",
        ExpectedItem::Apple },
    { "ExamMenu0", 8, "AppleCheckForLatestVersion", "Check For Latest Version...", true, "",
        ExpectedItem::Apple },
    { "", 2, "EditMenu1", "Edit", false, "", ExpectedItem::Plain },
    { "EditMenu1", 0, "EditUndo", "Undo", false, "Cmd+Z", ExpectedItem::Plain },
    { "EditMenu1", 1, "UntitledMenu2", "-", false, "", ExpectedItem::Plain },
    { "EditMenu1", 2, "EditCut", "Cut", false, "Cmd+X", ExpectedItem::Plain },
    { "EditMenu1", 3, "EditCopy", "Copy", false, "Cmd+C", ExpectedItem::Plain },
    { "EditMenu1", 4, "EditPaste", "Paste", false, "Cmd+V", ExpectedItem::Plain },
    { "EditMenu1", 5, "EditClear", "Clear", false, "", ExpectedItem::Plain },
    { "EditMenu1", 6, "EditClearExamHistories", "Clear Exam Histories", true, "",
        ExpectedItem::Plain },
    { "EditMenu1", 7, "UntitledMenu1", "", false, "", ExpectedItem::Plain },
    { "", 3, "HelpMenu", "Help", true, "", ExpectedItem::Plain },
    { "HelpMenu", 0, "HelpOpenHelp", "Open Help", true, "", ExpectedItem::Plain },
};

class MenuBarTest : public testing::Test {
protected:
    void SetUp() override { ResetMenuBarForTesting(); }
    void TearDown() override { ResetMenuBarForTesting(); }
};

TEST_F(MenuBarTest, AccessorBuildsTheBarOnce)
{
    class Menu& first = Menu();
    class Menu& second = Menu();
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(first.Count(), 4);
}

TEST_F(MenuBarTest, EveryItemHasItsPlaceNameTextFlagsAndShortcut)
{
    class Menu& bar = Menu();
    ASSERT_EQ(bar.Count(), 4);
    EXPECT_EQ(bar.Item(0).Count(), 3);
    EXPECT_EQ(bar.Item(1).Count(), 9);
    EXPECT_EQ(bar.Item(2).Count(), 8);
    EXPECT_EQ(bar.Item(3).Count(), 1);

    for (const ExpectedItem& expected : kBar) {
        SCOPED_TRACE(expected.name);
        const MenuItem& parent = std::string(expected.parent).empty()
            ? static_cast<const MenuItem&>(bar)
            : *bar.Lookup(expected.parent);
        const MenuItem& item = parent.Item(expected.index);
        EXPECT_EQ(item.Name(), expected.name);
        EXPECT_EQ(item.Text(), expected.text);
        EXPECT_EQ(item.AutoEnable(), expected.autoEnable);
        EXPECT_EQ(item.KeyboardShortcut(), expected.shortcut);
        EXPECT_TRUE(item.Visible());
        EXPECT_EQ(dynamic_cast<const QuitMenuItem*>(&item) != nullptr,
            expected.kind == ExpectedItem::Quit);
        EXPECT_EQ(dynamic_cast<const AppleMenuItem*>(&item) != nullptr,
            expected.kind == ExpectedItem::Apple);
        // Names are unique across the bar: the lookup finds this very item.
        EXPECT_EQ(bar.Lookup(expected.name).Pointer(), &item);
    }
    EXPECT_TRUE(bar.Lookup("ExamHistory").IsNil());
}

TEST_F(MenuBarTest, RemovingIndicesFiveFourThreeLeavesTheAmateurExams)
{
    MenuItem& exam = *Menu().Lookup("ExamMenu0");
    exam.Remove(5);
    EXPECT_TRUE(Menu().Lookup("ExamFCCMarine8").IsNil());
    exam.Remove(4);
    EXPECT_TRUE(Menu().Lookup("ExamFCCMarine3").IsNil());
    exam.Remove(3);
    EXPECT_TRUE(Menu().Lookup("ExamFCCMarine1").IsNil());
    ASSERT_EQ(exam.Count(), 6);
    EXPECT_EQ(exam.Item(0).Text(), "Technician");
    EXPECT_EQ(exam.Item(1).Text(), "General");
    EXPECT_EQ(exam.Item(2).Text(), "Extra");
    EXPECT_EQ(exam.Item(3).Name(), "AppleAboutVarno");
}

} // namespace
