#include "stats_window.h"

#include "control_records.h"
#include "listbox.h"
#include "property_record.h"
#include "question_review_window.h"
#include "result_list.h"
#include "text.h"
#include "varno.h"

#include <cstdint>
#include <string>

namespace {

// The statistics arrays and the pool's code array end at question 1000, so the
// list never has more rows than that, whatever the sections add up to.
constexpr Integer kMaxRows = 1000;

// How many rows a section adds: none when its range runs backwards, and never
// more than the list can hold (a damaged range may span the whole number line).
Integer RowsOfSection(Integer first, Integer last)
{
    if (last < first)
        return 0;
    const std::uint64_t spanMinusOne
        = static_cast<std::uint64_t>(last) - static_cast<std::uint64_t>(first);
    if (spanMinusOne >= static_cast<std::uint64_t>(kMaxRows))
        return kMaxRows;
    return static_cast<Integer>(spanMinusOne) + 1;
}

} // namespace

void StatsWindow::Layout()
{
    WindowRecord record;
    record.width = 500;
    record.height = 300;
    record.title = "Technician Examination Question History";
    record.liveResize = false;
    ApplyPropertyRecord(*this, record.Encode());
}

void StatsWindow::CreateControls()
{
    Listbox& listBox = AddControl<Listbox>("ListBox1", ResultListRecord(5).Encode());
    listBox.OnSortColumn(
        [this](Listbox& l, Integer column) { return ListBox1_SortColumn(l, column); });
    listBox.OnDoubleClick([this](Listbox& l) { ListBox1_DoubleClick(l); });
}

Listbox& StatsWindow::ListBox1() const
{
    return Find<Listbox>("ListBox1");
}

bool StatsWindow::ListBox1_SortColumn(Listbox&, Integer)
{
    // The rows stay in pool order: row r is pool question r + 1, which the
    // double-click relies on.
    return true;
}

void StatsWindow::ListBox1_DoubleClick(Listbox& list)
{
    // A double-click below the last row, or in an empty list, selects nothing:
    // there is no question to review.
    const Integer row = list.ListIndex();
    if (row < 0)
        return;

    // Everything is gathered before the window exists, so a failure on the way
    // leaves no half-filled review window behind.
    Varno& app = App();
    const Integer poolQuestion = row + 1;
    const Integer correctAnswer = app.GetAnswer(poolQuestion);
    const std::string code = list.Cell(row, 0);
    const std::string text = app.GetExamQuestion(poolQuestion);
    const std::string answer1 = app.GetAnswerNumber(poolQuestion, 1);
    const std::string answer2 = app.GetAnswerNumber(poolQuestion, 2);
    const std::string answer3 = app.GetAnswerNumber(poolQuestion, 3);
    const std::string answer4 = app.GetAnswerNumber(poolQuestion, 4);

    Window::Create<QuestionReviewWindow>().init(
        code, text, correctAnswer, answer1, answer2, answer3, answer4);
}

void StatsWindow::Event_Open()
{
    Listbox& list = ListBox1();
    list.SetHeading(-1, "Question\tCorrect\tIncorrect\tTotal\tPercent");
    for (Integer column = 0; column <= 4; ++column)
        list.SetColumnAlignment(column, 2);
    list.SetGridLinesHorizontal(2);
    list.SetGridLinesVertical(2);

    // The sections only decide how many rows there are: row r always shows
    // pool question r + 1, so the code, the counts and a double-click agree.
    Varno& app = App();
    Integer row = 0;
    Integer poolQuestion = 1;
    for (Integer section = 1; section <= app.numberSections && row < kMaxRows; ++section) {
        const Integer passes = RowsOfSection(app.sectionStart(section), app.sectionEnd(section));
        for (Integer pass = 0; pass < passes && row < kMaxRows; ++pass) {
            const std::string code = app.exam->questionNumber(poolQuestion);
            ++poolQuestion;
            list.AddRow(code);

            const Integer examClass = app.classNumber;
            const Integer n = row + 1;
            const Integer right = app.correct(examClass, n);
            const Integer wrong = app.incorrect(examClass, n);
            list.SetCell(row, 1, Str(right));
            list.SetCell(row, 2, Str(wrong));
            const Integer total = WrappingAdd(right, wrong);
            list.SetCell(row, 3, Str(total));
            list.SetCell(row, 4, PercentText(right, total));
            ++row;
        }
    }

    SetTitle(app.examName + " Question History ");
    list.SetScrollPosition(0);
}

class StatsWindow& StatsWindow()
{
    return Window::SingleInstance<class StatsWindow>();
}
