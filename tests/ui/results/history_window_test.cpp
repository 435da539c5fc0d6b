#include "history_window.h"

#include "listbox.h"
#include "results_fixture.h"

#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

// 2024-03-05 14:07:00 UTC, and one day apart after it.
constexpr double kGradedAt = 1709647620.0;
constexpr double kDay = 86400.0;

// What the date cells read in the zones the test runs in (ctest sets TZ, and
// LC_ALL=en_US.UTF-8): kGradedAt and the five days after it (New York moves
// its clocks on the sixth), and kGradedAt plus 1000 minutes.
struct ZoneTexts {
    std::vector<std::string> gradedDays;
    std::string thousandMinutesLater;
};

const std::map<std::string, ZoneTexts> kZoneTexts {
    { "America/New_York",
        { { "3/5/24 9:07 AM", "3/6/24 9:07 AM", "3/7/24 9:07 AM", "3/8/24 9:07 AM",
              "3/9/24 9:07 AM", "3/10/24 10:07 AM" },
            "3/6/24 1:47 AM" } },
    { "Australia/Adelaide",
        { { "3/6/24 12:37 AM", "3/7/24 12:37 AM", "3/8/24 12:37 AM", "3/9/24 12:37 AM",
              "3/10/24 12:37 AM", "3/11/24 12:37 AM" },
            "3/6/24 5:17 PM" } },
};

// The texts of the zone the test runs in; nullptr in any other zone (the
// binary run by hand), where the dates go unchecked.
const ZoneTexts* TextsOfThisZone()
{
    const char* zone = std::getenv("TZ");
    const auto found = kZoneTexts.find(zone == nullptr ? "" : zone);
    return found == kZoneTexts.end() ? nullptr : &found->second;
}

constexpr const char* kDatesUnchecked
    = "dates unchecked: run through ctest, which sets TZ and LC_ALL";

void Grade(Integer examClass, Integer slot, double when, Integer right, Integer wrong)
{
    App().historyDate(examClass, slot) = when;
    App().historyCorrect(examClass, slot) = right;
    App().historyIncorrect(examClass, slot) = wrong;
}

struct HistoryCase {
    Integer right;
    Integer wrong;
    std::string percent;
};

const std::vector<HistoryCase> kHistoryCases {
    { 2, 1, "66 %" },
    { 1, 2, "33 %" },
    { 28, 7, "80 %" },
    { 35, 0, "100 %" },
    { 0, 35, "0 %" },
    { 0, 0, "-" },
};

} // namespace

using HistoryWindowTest = ResultsTest;

TEST_F(HistoryWindowTest, OpensWithFourCentredColumnsAtTheirSharesAndTheTitle)
{
    App().examName = "Technician Pool";
    App().classNumber = 1;
    class HistoryWindow& window = HistoryWindow();
    Application::DoEvents();
    Listbox& list = window.ListBox1();

    EXPECT_EQ(window.Title(), "Technician Pool Exam History");
    EXPECT_EQ(window.Width(), 500);
    EXPECT_EQ(window.Height(), 300);
    ASSERT_EQ(list.ColumnCount(), 4);
    const std::vector<std::string> headings { "Date", "Correct", "Incorrect", "Percent" };
    for (Integer column = 0; column < 4; ++column) {
        EXPECT_EQ(list.Heading(column), headings[static_cast<std::size_t>(column)]);
        EXPECT_EQ(list.ColumnAlignment(column), 2) << "column " << column;
    }
    EXPECT_EQ(list.GridLinesHorizontal(), 2);
    EXPECT_EQ(list.GridLinesVertical(), 2);
    EXPECT_EQ(list.ColumnWidths(), "31%,23%,23%,23%");
    EXPECT_GT(list.ColumnWidthActual(0), list.ColumnWidthActual(1));
    EXPECT_EQ(list.ColumnWidthActual(1), list.ColumnWidthActual(3));
    EXPECT_TRUE(list.HasFocus());
    EXPECT_EQ(list.ListCount(), 0);
}

TEST_F(HistoryWindowTest, RowsShowDateCountsAndTruncatedPercentages)
{
    App().classNumber = 2;
    for (std::size_t i = 0; i < kHistoryCases.size(); ++i)
        Grade(2, static_cast<Integer>(i) + 1, kGradedAt + kDay * static_cast<double>(i),
            kHistoryCases[i].right, kHistoryCases[i].wrong);
    Listbox& list = HistoryWindow().ListBox1();

    ASSERT_EQ(list.ListCount(), static_cast<Integer>(kHistoryCases.size()));
    const ZoneTexts* texts = TextsOfThisZone();
    for (std::size_t i = 0; i < kHistoryCases.size(); ++i) {
        const HistoryCase& c = kHistoryCases[i];
        const auto row = static_cast<Integer>(i);
        SCOPED_TRACE("right " + Str(c.right) + ", wrong " + Str(c.wrong));
        if (texts != nullptr) {
            EXPECT_EQ(list.Cell(row, 0), texts->gradedDays[i]);
        }
        EXPECT_EQ(list.Cell(row, 1), Str(c.right));
        EXPECT_EQ(list.Cell(row, 2), Str(c.wrong));
        EXPECT_EQ(list.Cell(row, 3), c.percent);
    }
    // The date cell is a date, a blank and a time, not an empty pair.
    EXPECT_GT(list.Cell(0, 0).size(), 4U);
    EXPECT_NE(list.Cell(0, 0), list.Cell(1, 0));
    if (texts == nullptr)
        GTEST_SKIP() << kDatesUnchecked;
}

TEST_F(HistoryWindowTest, OnlyDatedSlotsAreListedInSlotOrder)
{
    App().classNumber = 1;
    Grade(1, 3, kGradedAt + 5 * kDay, 3, 0);
    Grade(1, 5, kGradedAt, 5, 0); // older than slot 3, still after it
    Grade(1, 7, -kDay, 7, 0); // a damaged date is passed over
    Grade(1, 9, 0, 9, 0); // a free slot
    Grade(1, 1000, kGradedAt + kDay, 10, 0);
    Grade(2, 4, kGradedAt, 4, 0); // another class
    Listbox& list = HistoryWindow().ListBox1();

    ASSERT_EQ(list.ListCount(), 3);
    EXPECT_EQ(list.Cell(0, 1), "3");
    EXPECT_EQ(list.Cell(1, 1), "5");
    EXPECT_EQ(list.Cell(2, 1), "10");
}

TEST_F(HistoryWindowTest, AllThousandSlotsGiveAThousandRowsInSlotOrder)
{
    App().classNumber = 3;
    for (Integer slot = 1; slot <= 1000; ++slot)
        Grade(3, slot, kGradedAt + static_cast<double>(slot) * 60, slot, 1000 - slot);
    Listbox& list = HistoryWindow().ListBox1();

    ASSERT_EQ(list.ListCount(), 1000);
    for (Integer row = 0; row < 1000; ++row)
        ASSERT_EQ(list.Cell(row, 1), Str(row + 1)) << "row " << row;
    EXPECT_EQ(list.Cell(0, 3), "0 %");
    EXPECT_EQ(list.Cell(499, 3), "50 %");
    EXPECT_EQ(list.Cell(999, 2), "0");
    EXPECT_EQ(list.Cell(999, 3), "100 %");
    const ZoneTexts* texts = TextsOfThisZone();
    if (texts == nullptr)
        GTEST_SKIP() << kDatesUnchecked;
    EXPECT_EQ(list.Cell(999, 0), texts->thousandMinutesLater);
}

TEST_F(HistoryWindowTest, ClassZeroAndAnEmptyNameStillFillTheWindow)
{
    App().classNumber = 0;
    Grade(0, 1, kGradedAt, 1, 1);
    class HistoryWindow& window = HistoryWindow();
    EXPECT_EQ(window.Title(), " Exam History");
    ASSERT_EQ(window.ListBox1().ListCount(), 1);
    EXPECT_EQ(window.ListBox1().Cell(0, 3), "50 %");
    EXPECT_TRUE(Unhandled().empty());
}

TEST_F(HistoryWindowTest, TheAccessorReturnsTheOpenWindowWithoutRefillingIt)
{
    App().classNumber = 1;
    App().examName = "Technician Pool";
    Grade(1, 1, kGradedAt, 20, 15);
    class HistoryWindow& first = HistoryWindow();
    Grade(1, 2, kGradedAt + kDay, 30, 5);
    class HistoryWindow& again = HistoryWindow();
    EXPECT_EQ(&again, &first);
    EXPECT_EQ(again.ListBox1().ListCount(), 1);
    EXPECT_EQ(OpenWindowsOf<class HistoryWindow>().size(), 1U);

    first.Close();
    Application::DoEvents();
    class HistoryWindow& fresh = HistoryWindow();
    ASSERT_EQ(fresh.ListBox1().ListCount(), 2);
    EXPECT_EQ(fresh.ListBox1().Cell(1, 1), "30");
}

namespace {

// The four cells of every row, in row order.
std::vector<std::vector<std::string>> Rows(const Listbox& list)
{
    std::vector<std::vector<std::string>> rows;
    for (Integer row = 0; row < list.ListCount(); ++row)
        rows.push_back(
            { list.Cell(row, 0), list.Cell(row, 1), list.Cell(row, 2), list.Cell(row, 3) });
    return rows;
}

std::vector<std::string> Column(const Listbox& list, Integer column)
{
    std::vector<std::string> cells;
    for (Integer row = 0; row < list.ListCount(); ++row)
        cells.push_back(list.Cell(row, column));
    return cells;
}

} // namespace

TEST_F(HistoryWindowTest, AHeadingSortsByTimeAndByNumberAndASecondClickReverses)
{
    App().classNumber = 1;
    // 15:30 UTC on each day; slot order is not date order.
    Grade(1, 1, 1772379000.0, 1, 49); // 1 Mar 2026, 2 %
    Grade(1, 2, 1768059000.0, 10, 30); // 10 Jan 2026, 25 %
    Grade(1, 3, 1770046200.0, 0, 0); // 2 Feb 2026, -
    Grade(1, 4, 1795188600.0, 100, 0); // 20 Nov 2026, 100 %
    Grade(1, 5, 1796657400.0, 0, 9); // 7 Dec 2026, 0 %
    Grade(1, 6, 1765294200.0, 35, 5); // 9 Dec 2025, 87 %
    class HistoryWindow& window = HistoryWindow();
    Listbox& list = window.ListBox1();
    ASSERT_EQ(list.ListCount(), 6);
    auto opened = Rows(list);
    std::sort(opened.begin(), opened.end());
    const auto& header = *static_cast<const QTableWidget*>(list.widget())->horizontalHeader();

    struct Expected {
        Integer column;
        Integer shownColumn; // the column whose cells tell the order
        std::vector<std::string> ascending;
    };
    const Expected columns[] = {
        { 0, 1, { "35", "10", "0", "1", "100", "0" } },
        { 1, 1, { "0", "0", "1", "10", "35", "100" } },
        { 2, 2, { "0", "0", "5", "9", "30", "49" } },
        { 3, 3, { "-", "0 %", "2 %", "25 %", "87 %", "100 %" } },
    };
    for (const Expected& e : columns) {
        SCOPED_TRACE("heading " + list.Heading(e.column));
        list.ClickHeading(e.column);
        EXPECT_EQ(Column(list, e.shownColumn), e.ascending);
        EXPECT_TRUE(header.isSortIndicatorShown());
        EXPECT_EQ(header.sortIndicatorSection(), e.column);
        EXPECT_EQ(header.sortIndicatorOrder(), Qt::AscendingOrder);

        list.ClickHeading(e.column);
        const std::vector<std::string> descending(e.ascending.rbegin(), e.ascending.rend());
        EXPECT_EQ(Column(list, e.shownColumn), descending);
        EXPECT_EQ(header.sortIndicatorOrder(), Qt::DescendingOrder);

        auto rows = Rows(list);
        std::sort(rows.begin(), rows.end());
        EXPECT_EQ(rows, opened) << "rows move whole";
    }
}
