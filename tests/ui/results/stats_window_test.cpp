#include "stats_window.h"

#include "label.h"
#include "listbox.h"
#include "mark_canvas.h"
#include "question_review_window.h"
#include "results_fixture.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>

#include <limits>
#include <string>
#include <vector>

namespace {

struct CountsCase {
    Integer right;
    Integer wrong;
    std::string total;
    std::string percent;
};

// The worked examples: truncated, never rounded up; "-" when nothing was
// answered, or when the counts (from a damaged file) do not add up above 0.
const std::vector<CountsCase> kCountsCases {
    { 2, 1, "3", "66 %" },
    { 1, 2, "3", "33 %" },
    { 28, 7, "35", "80 %" },
    { 5, 0, "5", "100 %" },
    { 0, 4, "4", "0 %" },
    { 0, 0, "0", "-" },
    { -3, 1, "-2", "-" },
};

std::vector<std::string> FirstColumn(const Listbox& list)
{
    std::vector<std::string> codes;
    for (Integer row = 0; row < list.ListCount(); ++row)
        codes.push_back(list.Cell(row, 0));
    return codes;
}

} // namespace

using StatsWindowTest = ResultsTest;

TEST_F(StatsWindowTest, OpensWithCentredHeadingsGridLinesAndThePoolTitle)
{
    LoadPool(ResultsPool("Technician Pool", { 3, 4 }));
    class StatsWindow& window = StatsWindow();
    Listbox& list = window.ListBox1();

    EXPECT_EQ(window.Title(), "Technician Pool Question History ");
    EXPECT_EQ(window.Width(), 500);
    EXPECT_EQ(window.Height(), 300);
    EXPECT_TRUE(window.Visible());
    ASSERT_EQ(list.ColumnCount(), 5);
    EXPECT_TRUE(list.HasHeading());
    const std::vector<std::string> headings { "Question", "Correct", "Incorrect", "Total",
        "Percent" };
    for (Integer column = 0; column < 5; ++column) {
        EXPECT_EQ(list.Heading(column), headings[static_cast<std::size_t>(column)]);
        EXPECT_EQ(list.ColumnAlignment(column), 2) << "column " << column;
    }
    EXPECT_EQ(list.GridLinesHorizontal(), 2);
    EXPECT_EQ(list.GridLinesVertical(), 2);
    EXPECT_EQ(list.ColumnWidths(), "");
    EXPECT_TRUE(list.LockLeft() && list.LockTop() && list.LockRight() && list.LockBottom());
    EXPECT_EQ(list.Width(), 499);
    EXPECT_EQ(list.Height(), 285);
    EXPECT_EQ(list.ListCount(), 7);
    EXPECT_EQ(list.ScrollPosition(), 0);
    EXPECT_TRUE(Unhandled().empty());
}

TEST_F(StatsWindowTest, RowsShowCountsTotalsAndTruncatedPercentages)
{
    LoadPool(ResultsPool("Technician Pool", { 7 }));
    for (std::size_t i = 0; i < kCountsCases.size(); ++i) {
        App().correct(1, static_cast<Integer>(i) + 1) = kCountsCases[i].right;
        App().incorrect(1, static_cast<Integer>(i) + 1) = kCountsCases[i].wrong;
    }
    Listbox& list = StatsWindow().ListBox1();

    ASSERT_EQ(list.ListCount(), static_cast<Integer>(kCountsCases.size()));
    for (std::size_t i = 0; i < kCountsCases.size(); ++i) {
        const CountsCase& c = kCountsCases[i];
        const auto row = static_cast<Integer>(i);
        SCOPED_TRACE("right " + Str(c.right) + ", wrong " + Str(c.wrong));
        EXPECT_EQ(list.Cell(row, 0), "C" + Str(row + 1) + "\r");
        EXPECT_EQ(list.Cell(row, 1), Str(c.right));
        EXPECT_EQ(list.Cell(row, 2), Str(c.wrong));
        EXPECT_EQ(list.Cell(row, 3), c.total);
        EXPECT_EQ(list.Cell(row, 4), c.percent);
    }
}

TEST_F(StatsWindowTest, CountsFromADamagedFileNeverFail)
{
    LoadPool(ResultsPool("Technician Pool", { 3 }));
    constexpr Integer kHuge = std::numeric_limits<Integer>::max();
    App().correct(1, 1) = kHuge;
    App().incorrect(1, 1) = 0;
    App().correct(1, 2) = kHuge;
    App().incorrect(1, 2) = kHuge; // the total wraps below 0
    App().correct(1, 3) = 1;
    App().incorrect(1, 3) = kHuge - 1;
    Listbox& list = StatsWindow().ListBox1();

    ASSERT_EQ(list.ListCount(), 3);
    EXPECT_EQ(list.Cell(0, 1), "9223372036854775807");
    EXPECT_EQ(list.Cell(1, 3), "-2");
    EXPECT_EQ(list.Cell(1, 4), "-");
    EXPECT_EQ(list.Cell(2, 3), "9223372036854775807");
    EXPECT_EQ(list.Cell(2, 4), "0 %");
    EXPECT_TRUE(Unhandled().empty());
}

TEST_F(StatsWindowTest, ThreeSectionsListEveryQuestionInPoolOrder)
{
    LoadPool(ResultsPool("Three", { 10, 15, 10 }));
    App().correct(1, 1) = 4;
    App().incorrect(1, 1) = 1;
    App().correct(1, 35) = 1;
    App().incorrect(1, 35) = 3;
    Listbox& list = StatsWindow().ListBox1();

    ASSERT_EQ(list.ListCount(), 35);
    EXPECT_EQ(list.Cell(0, 0), "C1\r");
    EXPECT_EQ(list.Cell(0, 1), "4");
    EXPECT_EQ(list.Cell(0, 4), "80 %");
    EXPECT_EQ(list.Cell(34, 0), "C35\r");
    EXPECT_EQ(list.Cell(34, 2), "3");
    EXPECT_EQ(list.Cell(34, 4), "25 %");
    for (Integer row = 0; row < 35; ++row)
        EXPECT_EQ(list.Cell(row, 0), "C" + Str(row + 1) + "\r");
}

TEST_F(StatsWindowTest, AReversedSectionAddsNoRowsAndTheCountGoesOnWithoutAGap)
{
    LoadPool(ResultsPool("Three", { 10, 15, 10 }));
    App().sectionStart(2) = 25;
    App().sectionEnd(2) = 11;
    App().correct(1, 11) = 6;
    Listbox& list = StatsWindow().ListBox1();

    ASSERT_EQ(list.ListCount(), 20);
    EXPECT_EQ(list.Cell(9, 0), "C10\r");
    EXPECT_EQ(list.Cell(10, 0), "C11\r");
    EXPECT_EQ(list.Cell(10, 1), "6");
    EXPECT_EQ(list.Cell(19, 0), "C20\r");
}

TEST_F(StatsWindowTest, NoPoolGivesHeadingsOnlyAndATitleWithABlankAtEachEnd)
{
    class StatsWindow& window = StatsWindow();
    EXPECT_EQ(window.Title(), " Question History ");
    EXPECT_EQ(window.ListBox1().ListCount(), 0);
    EXPECT_EQ(window.ListBox1().Heading(4), "Percent");
    EXPECT_TRUE(Unhandled().empty());
}

TEST_F(StatsWindowTest, ClassZeroReadsRowZeroOfTheStatistics)
{
    LoadPool(ResultsPool("Technician Pool", { 2 }));
    App().classNumber = 0;
    App().correct(0, 1) = 3;
    App().correct(1, 1) = 9;
    Listbox& list = StatsWindow().ListBox1();
    EXPECT_EQ(list.Cell(0, 1), "3");
    EXPECT_EQ(list.Cell(0, 4), "100 %");
}

TEST_F(StatsWindowTest, SectionsAddingUpToMoreThanAThousandListTheFirstThousand)
{
    LoadPool(ResultsPool("Big", { 500, 500 }));
    App().numberSections = 3;
    App().sectionStart(3) = 1;
    App().sectionEnd(3) = 400;
    App().correct(1, 1000) = 2;
    App().incorrect(1, 1000) = 2;
    Listbox& list = StatsWindow().ListBox1();

    ASSERT_EQ(list.ListCount(), 1000);
    EXPECT_EQ(list.Cell(999, 0), "C1000\r");
    EXPECT_EQ(list.Cell(999, 4), "50 %");
    EXPECT_TRUE(Unhandled().empty());
}

TEST_F(StatsWindowTest, ASectionSpanningTheWholeNumberRangeStopsAtAThousandRows)
{
    LoadPool(ResultsPool("Small", { 3 }));
    App().sectionStart(1) = std::numeric_limits<Integer>::min();
    App().sectionEnd(1) = std::numeric_limits<Integer>::max();
    Listbox& list = StatsWindow().ListBox1();

    EXPECT_EQ(list.ListCount(), 1000);
    EXPECT_EQ(list.Cell(2, 0), "C3\r");
    EXPECT_EQ(list.Cell(3, 0), ""); // beyond the pool's last question
    EXPECT_TRUE(Unhandled().empty());
}

TEST_F(StatsWindowTest, HeadingClicksNeverReorderTheRows)
{
    LoadPool(ResultsPool("Technician Pool", { 4 }));
    const std::vector<Integer> rights { 3, 9, 1, 5 };
    for (std::size_t i = 0; i < rights.size(); ++i)
        App().correct(1, static_cast<Integer>(i) + 1) = rights[i];
    Listbox& list = StatsWindow().ListBox1();
    const std::vector<std::string> poolOrder { "C1\r", "C2\r", "C3\r", "C4\r" };

    for (const Integer column : { 1, 1, 0, 0, 4, 2, 3 }) {
        list.ClickHeading(column);
        EXPECT_EQ(FirstColumn(list), poolOrder) << "after a click on column " << column;
    }
    EXPECT_EQ(list.Cell(1, 1), "9");
}

TEST_F(StatsWindowTest, ADoubleClickWithNoRowSelectedOpensNothing)
{
    LoadPool(ResultsPool("Technician Pool", { 4 }));
    Listbox& list = StatsWindow().ListBox1();
    list.DoubleClickRow(-1);
    EXPECT_TRUE(OpenWindowsOf<QuestionReviewWindow>().empty());
    EXPECT_TRUE(Unhandled().empty());
}

TEST_F(StatsWindowTest, ADoubleClickInAnEmptyListWithNoPoolOpensNothing)
{
    Listbox& list = StatsWindow().ListBox1();
    list.DoubleClickRow(0);
    EXPECT_TRUE(OpenWindowsOf<QuestionReviewWindow>().empty());
    EXPECT_TRUE(Unhandled().empty());
    EXPECT_TRUE(Sink().messages.empty());
}

TEST_F(StatsWindowTest, ADoubleClickOnRowFourReviewsPoolQuestionFive)
{
    LoadPool(ResultsPool("Technician Pool", { 3, 4 }));
    Listbox& list = StatsWindow().ListBox1();
    list.DoubleClickRow(4);

    const std::vector<QuestionReviewWindow*> reviews = OpenWindowsOf<QuestionReviewWindow>();
    ASSERT_EQ(reviews.size(), 1U);
    QuestionReviewWindow& review = *reviews.front();
    EXPECT_EQ(review.QuestionCodeText().Text(), "C5\r");
    EXPECT_EQ(review.QuestionText().Text(), "Question 5?");
    EXPECT_EQ(review.AnswerText1().Text(), "Answer 5.1\r");
    EXPECT_EQ(review.AnswerText4().Text(), "Answer 5.4\r");
    // Question 5's correct answer is 1.
    EXPECT_TRUE(review.Canvas1(1).Visible());
    EXPECT_EQ(review.Canvas1(1).type, 1);
    EXPECT_FALSE(review.Canvas1(2).Visible());
    EXPECT_TRUE(review.Visible());

    list.DoubleClickRow(4);
    EXPECT_EQ(OpenWindowsOf<QuestionReviewWindow>().size(), 2U);
    EXPECT_TRUE(Unhandled().empty());
}

TEST_F(StatsWindowTest, ADoubleClickPairsTheRowsCodeWithThePoolLoadedNow)
{
    LoadPool(ResultsPool("Technician Pool", { 4 }));
    Listbox& list = StatsWindow().ListBox1();
    std::string other = ResultsPool("Other Pool", { 4 });
    for (std::size_t at = other.find("Question "); at != std::string::npos;
         at = other.find("Question ", at))
        other.replace(at, 9, "Frage ");
    LoadPool(other);

    list.DoubleClickRow(2);
    const std::vector<QuestionReviewWindow*> reviews = OpenWindowsOf<QuestionReviewWindow>();
    ASSERT_EQ(reviews.size(), 1U);
    EXPECT_EQ(reviews.front()->QuestionCodeText().Text(), "C3\r");
    EXPECT_EQ(reviews.front()->QuestionText().Text(), "Frage 3?");
    EXPECT_TRUE(reviews.front()->Canvas1(3).Visible());
}

TEST_F(StatsWindowTest, TheAccessorReturnsTheOpenWindowWithoutRefillingIt)
{
    LoadPool(ResultsPool("Technician Pool", { 2 }));
    App().correct(1, 1) = 1;
    class StatsWindow& first = StatsWindow();
    App().correct(1, 1) = 7;
    App().examName = "Renamed";
    class StatsWindow& again = StatsWindow();
    EXPECT_EQ(&again, &first);
    EXPECT_EQ(again.ListBox1().Cell(0, 1), "1");
    EXPECT_EQ(again.Title(), "Technician Pool Question History ");
    EXPECT_EQ(OpenWindowsOf<class StatsWindow>().size(), 1U);

    first.Close();
    Application::DoEvents();
    class StatsWindow& fresh = StatsWindow();
    EXPECT_EQ(fresh.ListBox1().Cell(0, 1), "7");
    EXPECT_EQ(fresh.Title(), "Renamed Question History ");
}

namespace {

// Where a heading does not show whole: off the visible width, or narrower
// than its text and the header's margins. Empty when all show.
std::string HeadingsNotFullyVisible(const Listbox& list)
{
    const auto& table = *static_cast<const QTableWidget*>(list.widget());
    const QHeaderView& header = *table.horizontalHeader();
    const int visibleWidth = table.viewport()->width();
    const int margins = 2 * header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    std::string problems;
    for (int column = 0; column < table.columnCount(); ++column) {
        const int left = header.sectionViewportPosition(column);
        const int width = header.sectionSize(column);
        const int textWidth
            = header.fontMetrics().horizontalAdvance(table.horizontalHeaderItem(column)->text());
        if (left < 0 || left + width > visibleWidth || width < textWidth + margins)
            problems += " column " + std::to_string(column) + " at " + std::to_string(left)
                + " width " + std::to_string(width) + " (text " + std::to_string(textWidth)
                + ", visible " + std::to_string(visibleWidth) + ")";
    }
    return problems;
}

} // namespace

TEST_F(StatsWindowTest, AllFiveHeadingsShowWholeAtEveryWidth)
{
    LoadPool(ResultsPool("Technician Pool", { 35, 35, 35, 35, 35 }));
    class StatsWindow& window = StatsWindow();
    Listbox& list = window.ListBox1();
    ASSERT_EQ(list.ListCount(), 175);
    Application::DoEvents();
    const auto& table = *static_cast<const QTableWidget*>(list.widget());
    ASSERT_TRUE(table.verticalScrollBar()->isVisible()) << "175 rows need the scroll bar";

    for (const Integer width : { 500, 360, 800 }) {
        window.SetWidth(width);
        Application::DoEvents();
        SCOPED_TRACE("window width " + std::to_string(width));
        EXPECT_EQ(HeadingsNotFullyVisible(list), "");
        // The columns fill the visible width: no blank strip after the last.
        const QHeaderView& header = *table.horizontalHeader();
        EXPECT_EQ(
            header.sectionViewportPosition(4) + header.sectionSize(4), table.viewport()->width());
    }
}
