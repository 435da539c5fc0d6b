#include "history_window.h"

#include "control_records.h"
#include "date.h"
#include "listbox.h"
#include "property_record.h"
#include "result_list.h"
#include "text.h"
#include "varno.h"

#include <string>

namespace {

// Every class has this many history slots.
constexpr Integer kHistorySlots = 1000;

} // namespace

void HistoryWindow::Layout()
{
    WindowRecord record;
    record.width = 500;
    record.height = 300;
    record.title = "Exam History";
    record.liveResize = false;
    ApplyPropertyRecord(*this, record.Encode());
}

void HistoryWindow::CreateControls()
{
    // No handlers: selecting or double-clicking a row only highlights it, and
    // a heading click sorts as the list does by default.
    AddControl<Listbox>("ListBox1", ResultListRecord(4).Encode());
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
    const DateFormatter format;
    Integer row = 0;
    for (Integer slot = 1; slot <= kHistorySlots; ++slot) {
        const Integer examClass = app.classNumber;
        // 0 marks a free slot; a negative date (a damaged file) is passed over too.
        if (!(app.historyDate(examClass, slot) > 0))
            continue;
        moment.SetTotalSeconds(app.historyDate(examClass, slot));
        list.AddRow(format.ShortDateAndTime(moment));
        // Sorting by the first column orders by the moment, not by its text.
        list.SetCellSortKey(row, 0, moment.TotalSeconds());

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
