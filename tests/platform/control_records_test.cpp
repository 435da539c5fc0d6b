#include "control_records.h"

#include "bevel_button.h"
#include "canvas.h"
#include "label.h"
#include "listbox.h"
#include "popup_menu.h"
#include "push_button.h"
#include "radio_button.h"
#include "slider.h"
#include "timer.h"
#include "widget_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace std::string_literals;

std::vector<std::string> Names(const PropertyEntries& entries)
{
    std::vector<std::string> names;
    for (const auto& entry : entries)
        names.push_back(entry.first);
    return names;
}

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

const PropertyValue& ValueOf(const PropertyEntries& entries, const std::string& name)
{
    for (const auto& entry : entries) {
        if (entry.first == name)
            return entry.second;
    }
    throw std::runtime_error("no entry " + name);
}

class ControlRecords : public WidgetTest {
protected:
    Window window;
};

} // namespace

TEST_F(ControlRecords, WindowRecordHoldsTheLayoutOrder)
{
    WindowRecord record = With<WindowRecord>([&](auto& r) {
        r.width = 685;
        r.height = 470;
        r.title = "Varno";
    });
    const PropertyEntries entries = ParsePropertyRecord(record.Encode(), window);
    EXPECT_EQ(Names(entries),
        Words("Width Height MinWidth MinHeight MaxWidth MaxHeight Frame Title CloseButton "
              "Resizeable MaximizeButton MinimizeButton FullScreenButton Composite MacProcID "
              "Placement Visible LiveResize FullScreen HasBackColor BackColor MenuBarVisible"));
    EXPECT_EQ(std::get<Integer>(ValueOf(entries, "Width")), 685);
    EXPECT_EQ(std::get<std::string>(ValueOf(entries, "Title")), "Varno");
    EXPECT_EQ(std::get<Color>(ValueOf(entries, "BackColor")), kWhite);
}

TEST_F(ControlRecords, LabelRecordHoldsTheLayoutOrder)
{
    Label label(window);
    LabelRecord record = With<LabelRecord>([&](auto& r) {
        r.place = At("StaticText1", 40, 24, 625, 111);
        r.text = "Label:";
        r.multiline = true;
    });
    const PropertyEntries entries = ParsePropertyRecord(record.Encode(), label);
    EXPECT_EQ(Names(entries),
        Words("Name Index Left Top Width Height LockLeft LockTop LockRight LockBottom "
              "TabPanelIndex TabIndex TabStop Text TextAlign TextColor Multiline Enabled "
              "Visible Selectable Transparent HelpTag AutoDeactivate TextFont TextSize "
              "TextUnit Bold Italic Underline DataSource DataField InitialParent"));
    EXPECT_EQ(std::get<Integer>(ValueOf(entries, "Index")), Control::kNoIndex);
    EXPECT_EQ(std::get<Single>(ValueOf(entries, "TextSize")), 12.0f);
    EXPECT_EQ(std::get<bool>(ValueOf(entries, "Multiline")), true);
}

TEST_F(ControlRecords, RadioButtonRecordHoldsTheLayoutOrder)
{
    RadioButton button(window);
    const PropertyEntries entries = ParsePropertyRecord(RadioButtonRecord {}.Encode(), button);
    EXPECT_EQ(Names(entries),
        Words("Name Index Left Top Width Height LockLeft LockTop LockRight LockBottom "
              "TabPanelIndex TabIndex TabStop Caption Enabled Visible HelpTag AutoDeactivate "
              "TextFont TextSize TextUnit Bold Italic Underline Value InitialParent"));
    EXPECT_TRUE(std::holds_alternative<bool>(ValueOf(entries, "Value")));
}

TEST_F(ControlRecords, BevelButtonRecordHoldsTheLayoutOrderAndTheCaptionBytes)
{
    BevelButton button(window);
    BevelButtonRecord record = With<BevelButtonRecord>([&](auto& r) {
        r.place = At("BackButton", 65, 406, 50, 20);
        r.caption = "Back";
    });
    const std::string bytes = record.Encode();
    const PropertyEntries entries = ParsePropertyRecord(bytes, button);
    EXPECT_EQ(Names(entries),
        Words("Name Index Left Top Width Height LockLeft LockTop LockRight LockBottom "
              "TabPanelIndex TabIndex TabStop InitialParent Visible HelpTag AutoDeactivate "
              "Enabled Caption CaptionAlign CaptionPlacement CaptionDelta IconAlign IconDX "
              "IconDY Bevel HasMenu HasBackColor BackColor TextColor Value MenuValue "
              "ButtonType AcceptFocus TextFont TextSize TextUnit Bold Italic Underline"));
    EXPECT_NE(bytes.find("Caption \x04\x00\x00\x00"
                         "BackCaptionAlign "s),
        std::string::npos);
    EXPECT_EQ(std::get<Integer>(ValueOf(entries, "CaptionAlign")), 3);
}

TEST_F(ControlRecords, PushButtonRecordHoldsTheLayoutOrder)
{
    PushButton button(window);
    const PropertyEntries entries = ParsePropertyRecord(PushButtonRecord {}.Encode(), button);
    EXPECT_EQ(Names(entries),
        Words("Name Index Left Top Width Height LockLeft LockTop LockRight LockBottom "
              "TabPanelIndex TabIndex TabStop Caption Default Cancel Enabled Visible HelpTag "
              "AutoDeactivate ButtonStyle TextFont TextSize TextUnit Bold Italic Underline "
              "InitialParent"));
}

TEST_F(ControlRecords, PopupMenuRecordHoldsTheLayoutOrder)
{
    PopupMenu popup(window);
    const PropertyEntries entries = ParsePropertyRecord(PopupMenuRecord {}.Encode(), popup);
    EXPECT_EQ(Names(entries),
        Words("Name Index Left Top Width Height LockLeft LockTop LockRight LockBottom "
              "TabPanelIndex TabIndex TabStop Enabled InitialValue ListIndex Visible HelpTag "
              "AutoDeactivate TextFont TextSize TextUnit Bold Italic Underline DataSource "
              "DataField InitialParent"));
}

TEST_F(ControlRecords, CanvasRecordStartsWithTransparent)
{
    Canvas canvas(window);
    const PropertyEntries entries = ParsePropertyRecord(CanvasRecord {}.Encode(), canvas);
    EXPECT_EQ(Names(entries),
        Words("Transparent TabStop DoubleBuffer TabIndex Name Index Left Top Width Height "
              "LockLeft LockTop LockRight LockBottom TabPanelIndex Visible HelpTag "
              "AutoDeactivate Enabled UseFocusRing AcceptFocus AcceptTabs EraseBackground "
              "InitialParent"));
}

TEST_F(ControlRecords, ListboxAndRangeRecordsParseOnTheirControls)
{
    Listbox list(window);
    const PropertyEntries listEntries = ParsePropertyRecord(ListboxRecord {}.Encode(), list);
    EXPECT_EQ(listEntries.front().first, "Name");
    EXPECT_EQ(listEntries.back().first, "InitialParent");
    EXPECT_EQ(listEntries.size(), 17u + 16u + 6u + 1u);

    Slider slider(window);
    const PropertyEntries rangeEntries = ParsePropertyRecord(RangeRecord {}.Encode(), slider);
    EXPECT_EQ(rangeEntries.size(), 17u + 8u + 1u);
    EXPECT_TRUE(std::holds_alternative<Integer>(ValueOf(rangeEntries, "Value")));
}

TEST_F(ControlRecords, TimerRecordIsModeThenPeriod)
{
    EXPECT_EQ(TimerRecord {}.Encode(),
        "Mode \x02\x00\x00\x00\x00\x00\x00\x00"s
        "Period \xE8\x03\x00\x00\x00\x00\x00\x00"s);
}

TEST_F(ControlRecords, ValueIsBooleanOnButtonsAndIntegerOnRanges)
{
    RadioButton radio(window);
    BevelButton bevel(window);
    ScrollBar bar(window);
    EXPECT_EQ(radio.KindOf("Value"), PropertyKind::Boolean);
    EXPECT_EQ(bevel.KindOf("Value"), PropertyKind::Boolean);
    EXPECT_EQ(bar.KindOf("Value"), PropertyKind::Integer);
    EXPECT_THROW(bar.KindOf("Caption"), OutOfBoundsException);
}
