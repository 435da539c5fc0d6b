#include "history_window.h"

#include "control_records.h"
#include "date.h"
#include "listbox.h"
#include "property_record.h"
#include "text.h"
#include "varno.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

// Every class has this many history slots.
constexpr Integer kHistorySlots = 1000;

// Counts come from the statistics file, which a damaged copy may fill with any
// number: sums and products wrap as 64-bit counts would instead of overflowing.
Integer WrappingAdd(Integer a, Integer b)
{
    return static_cast<Integer>(static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b));
}

Integer WrappingTimes100(Integer a)
{
    return static_cast<Integer>(static_cast<std::uint64_t>(a) * 100U);
}

// Share of right answers in whole percent, truncated toward zero; a quotient
// beyond the Integer range (only wrapped counts give one) is held at its ends.
std::string PercentText(Integer right, Integer total)
{
    if (total <= 0)
        return "-";
    const double share
        = std::trunc(static_cast<double>(WrappingTimes100(right)) / static_cast<double>(total));
    constexpr double kIntegerEnd = 9223372036854775808.0; // 2^63
    Integer percent = 0;
    if (share >= kIntegerEnd)
        percent = std::numeric_limits<Integer>::max();
    else if (share < -kIntegerEnd)
        percent = std::numeric_limits<Integer>::min();
    else
        percent = static_cast<Integer>(share);
    return Str(percent) + " %";
}

} // namespace

void HistoryWindow::Layout()
{
    const WindowRecord record {
        .width = 500,
        .height = 300,
        .minWidth = 64,
        .minHeight = 64,
        .maxWidth = 32000,
        .maxHeight = 32000,
        .frame = kFrameDocument,
        .title = "Exam History",
        .closeButton = true,
        .resizeable = true,
        .maximizeButton = true,
        .minimizeButton = true,
        .fullScreenButton = false,
        .composite = false,
        .placement = 0,
        .visible = true,
        .liveResize = false,
        .fullScreen = false,
        .hasBackColor = false,
        .menuBarVisible = true,
    };
    ApplyPropertyRecord(*this, record.Encode());
}

void HistoryWindow::CreateControls()
{
    // No handlers: selecting or double-clicking a row only highlights it, and
    // a heading click sorts as the list does by default.
    const ListboxRecord list {
        .place = { .name = "ListBox1",
            .left = 0,
            .top = 0,
            .width = 499,
            .height = 285,
            .lockLeft = true,
            .lockTop = true,
            .lockRight = true,
            .lockBottom = true,
            .tabIndex = 0,
            .helpTag = "",
            .initialParent = "" },
        .style = { .textFont = "System", .textSize = 12 },
        .columnCount = 4,
        .hasHeading = true,
        .headingIndex = -1,
        .columnWidths = "",
        .selectionType = 0,
        .requiresSelection = false,
        .border = true,
        .scrollBarVertical = true,
        .scrollBarHorizontal = false,
        .autoHideScrollbars = true,
        .gridLinesHorizontal = 0,
        .gridLinesVertical = 0,
        .defaultRowHeight = -1,
        .useFocusRing = true,
        .columnsResizable = false,
        .initialValue = "",
    };
    AddControl<Listbox>("ListBox1", list.Encode());
}

Listbox& HistoryWindow::ListBox1() const
{
    return Find<Listbox>("ListBox1");
}

void HistoryWindow::Event_Open()
{
    Listbox& list = ListBox1();
    list.SetHeading(-1, "Date\tCorrect\tIncorrect\tPercent");
    for (Integer column = 0; column <= 3; ++column)
        list.SetColumnAlignment(column, 2);
    list.SetGridLinesHorizontal(2);
    list.SetGridLinesVertical(2);
    list.SetColumnWidths("31%,23%,23%,23%");
    list.SetFocus();

    // Slot order is the order of grading: every graded exam takes the first
    // free slot of its class.
    Varno& app = App();
    Date moment;
    Integer row = 0;
    for (Integer slot = 1; slot <= kHistorySlots; ++slot) {
        const Integer examClass = app.classNumber;
        // 0 marks a free slot; a negative date (a damaged file) is passed over too.
        if (!(app.historyDate(examClass, slot) > 0))
            continue;
        moment.SetTotalSeconds(app.historyDate(examClass, slot));
        list.AddRow(moment.ShortDate() + " " + moment.ShortTime());

        const Integer right = app.historyCorrect(examClass, slot);
        const Integer wrong = app.historyIncorrect(examClass, slot);
        list.SetCell(row, 1, Str(right));
        list.SetCell(row, 2, Str(wrong));
        list.SetCell(row, 3, PercentText(right, WrappingAdd(right, wrong)));
        ++row;
    }

    SetTitle(app.examName + " Exam History");
}

class HistoryWindow& HistoryWindow()
{
    return Window::SingleInstance<class HistoryWindow>();
}
