#include "menu.h"
#include "startup_testing.h"

#include <memory>
#include <string>

namespace {

struct ItemSpec {
    enum Kind { Plain, Apple, Quit };
    Kind kind;
    const char* name;
    const char* text;
    bool autoEnable;
    const char* shortcut; // nullptr: no shortcut is set (the separator)
};

std::unique_ptr<MenuItem> MakeItem(const ItemSpec& spec)
{
    std::unique_ptr<MenuItem> item;
    switch (spec.kind) {
    case ItemSpec::Apple:
        item = std::make_unique<AppleMenuItem>();
        break;
    case ItemSpec::Quit:
        item = std::make_unique<QuitMenuItem>();
        break;
    case ItemSpec::Plain:
        item = std::make_unique<MenuItem>();
        break;
    }
    item->SetName(spec.name);
    item->SetAutoEnable(spec.autoEnable);
    item->SetText(spec.text);
    item->SetVisible(true);
    if (spec.shortcut != nullptr)
        item->SetKeyboardShortcut(spec.shortcut);
    return item;
}

// Puts the title item on the bar, then each item under it, every item complete
// before it is appended, so an item's index is its place in the list.
template <std::size_t N>
void BuildMenu(MenuBar& bar, const ItemSpec& title, const ItemSpec (&items)[N])
{
    bar.Append(MakeItem(title));
    for (const ItemSpec& spec : items) {
        auto item = MakeItem(spec);
        bar.Child(title.name)->Append(std::move(item));
    }
}

} // namespace

Menu::Menu()
{
    Untitled0();
    Untitled1();
    Untitled2();
    Untitled3();
}

void Menu::Untitled0()
{
    static constexpr ItemSpec kTitle { ItemSpec::Plain, "UntitledMenu3", "File", false, "" };
    static constexpr ItemSpec kItems[] = {
        { ItemSpec::Plain, "FileShowExam", "Show Exam", true, "" },
        { ItemSpec::Plain, "FileShowFigures", "Show Figures", true, "" },
        { ItemSpec::Quit, "FileQuit", "Quit", true, "Cmd+Q" },
    };
    BuildMenu(*this, kTitle, kItems);
}

void Menu::Untitled1()
{
    static constexpr ItemSpec kTitle { ItemSpec::Plain, "ExamMenu0", "Exam", false, "" };
    static constexpr ItemSpec kItems[] = {
        { ItemSpec::Plain, "ExamTechnician", "Technician", false, "" },
        { ItemSpec::Plain, "ExamGeneral", "General", false, "" },
        { ItemSpec::Plain, "ExamExtra", "Extra", false, "" },
        { ItemSpec::Plain, "ExamFCCMarine1", "FCC Commercial Element 1", false, "" },
        { ItemSpec::Plain, "ExamFCCMarine3", "FCC Commercial Element 3", false, "" },
        { ItemSpec::Plain, "ExamFCCMarine8", "FCC Commercial Element 8", false, "" },
        { ItemSpec::Apple, "AppleAboutVarno", "About Varno...", false, "" },
        { ItemSpec::Apple, "AppleGoToVarnoWebsite", "Go To Varno Website...", true, "" },
        { ItemSpec::Apple, "AppleCheckForLatestVersion", "Check For Latest Version...", true, "" },
    };
    BuildMenu(*this, kTitle, kItems);
}

void Menu::Untitled2()
{
    static constexpr ItemSpec kTitle { ItemSpec::Plain, "EditMenu1", "Edit", false, "" };
    static constexpr ItemSpec kItems[] = {
        { ItemSpec::Plain, "EditUndo", "Undo", false, "Cmd+Z" },
        { ItemSpec::Plain, "UntitledMenu2", "-", false, nullptr },
        { ItemSpec::Plain, "EditCut", "Cut", false, "Cmd+X" },
        { ItemSpec::Plain, "EditCopy", "Copy", false, "Cmd+C" },
        { ItemSpec::Plain, "EditPaste", "Paste", false, "Cmd+V" },
        { ItemSpec::Plain, "EditClear", "Clear", false, "" },
        { ItemSpec::Plain, "EditClearExamHistories", "Clear Exam Histories", true, "" },
        { ItemSpec::Plain, "UntitledMenu1", "", false, "" },
    };
    BuildMenu(*this, kTitle, kItems);
}

void Menu::Untitled3()
{
    static constexpr ItemSpec kTitle { ItemSpec::Plain, "HelpMenu", "Help", true, "" };
    static constexpr ItemSpec kItems[] = {
        { ItemSpec::Plain, "HelpOpenHelp", "Open Help", true, "" },
    };
    BuildMenu(*this, kTitle, kItems);
}

namespace {

std::unique_ptr<class Menu>& MenuSlot()
{
    static std::unique_ptr<class Menu> slot;
    return slot;
}

} // namespace

class Menu& Menu()
{
    // Built once; a construction that fails leaves the slot empty, so the next
    // call builds a whole bar again.
    auto& slot = MenuSlot();
    if (!slot)
        slot = std::make_unique<class Menu>();
    return *slot;
}

void ResetMenuBarForTesting()
{
    MenuSlot().reset();
}
