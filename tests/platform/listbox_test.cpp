#include "listbox.h"

#include "widget_fixture.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QImage>
#include <QScrollBar>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ListboxTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        ListboxRecord record = With<ListboxRecord>([&](auto& r) {
            r.place = At("ListBox1", 0, 0, 499, 285);
            r.columnCount = 5;
            r.hasHeading = true;
        });
        record.place.lockLeft = record.place.lockTop = true;
        record.place.lockRight = record.place.lockBottom = true;
        window = &OpenTestWindow(With<WindowRecord>([&](auto& r) {
            r.width = 500;
            r.height = 300;
        }),
            [&](Window& w) { w.AddControl<Listbox>("ListBox1", record.Encode()); });
        list = &window->Find<Listbox>("ListBox1");
    }

    QTableWidget& Table() const { return *static_cast<QTableWidget*>(list->widget()); }

    void Fill(const std::vector<std::string>& firstCells)
    {
        for (const std::string& cell : firstCells) {
            list->AddRow(cell);
            list->SetCell(list->ListCount() - 1, 1, "x" + cell);
        }
    }

    std::vector<std::string> FirstColumn() const
    {
        std::vector<std::string> cells;
        for (Integer row = 0; row < list->ListCount(); ++row)
            cells.push_back(list->Cell(row, 0));
        return cells;
    }

    TestWindow* window = nullptr;
    Listbox* list = nullptr;
};

} // namespace

TEST_F(ListboxTest, HeadingsFromOneTabSeparatedText)
{
    list->SetHeading(-1, "Question\tCorrect\tIncorrect\tTotal\tPercent");
    EXPECT_EQ(list->ColumnCount(), 5);
    EXPECT_TRUE(list->HasHeading());
    EXPECT_FALSE(Table().horizontalHeader()->isHidden());
    EXPECT_EQ(list->Heading(0), "Question");
    EXPECT_EQ(list->Heading(4), "Percent");
    EXPECT_EQ(Table().horizontalHeaderItem(2)->text(), QStringLiteral("Incorrect"));
    EXPECT_THROW(list->Heading(5), OutOfBoundsException);
    EXPECT_FALSE(Table().verticalHeader()->isVisible());
}

TEST_F(ListboxTest, CellsKeepTheirBytesWhileTheScreenDropsTheLineEnd)
{
    list->AddRow("T1A01\r");
    list->SetCell(0, 4, "66 %");
    EXPECT_EQ(list->ListCount(), 1);
    EXPECT_EQ(list->Cell(0, 0), "T1A01\r");
    EXPECT_EQ(Table().item(0, 0)->text(), QStringLiteral("T1A01"));
    EXPECT_EQ(list->Cell(0, 4), "66 %");
    EXPECT_EQ(list->Cell(0, 2), "") << "a cell never set is empty";
    EXPECT_THROW(list->Cell(1, 0), OutOfBoundsException);
    EXPECT_THROW(list->Cell(0, 5), OutOfBoundsException);
    EXPECT_THROW(list->Cell(-1, 0), OutOfBoundsException);
    EXPECT_THROW(list->SetCell(0, -1, "x"), OutOfBoundsException);
    list->DeleteAllRows();
    EXPECT_EQ(list->ListCount(), 0);
}

TEST_F(ListboxTest, AlignmentAndGridLines)
{
    list->AddRow("a");
    list->SetColumnAlignment(0, 2);
    list->AddRow("b");
    EXPECT_EQ(list->ColumnAlignment(0), 2);
    EXPECT_EQ(list->ColumnAlignment(1), 0);
    EXPECT_TRUE(Table().item(0, 0)->textAlignment() & Qt::AlignHCenter);
    EXPECT_TRUE(Table().item(1, 0)->textAlignment() & Qt::AlignHCenter);
    EXPECT_FALSE(Table().showGrid());
    list->SetGridLinesHorizontal(2);
    list->SetGridLinesVertical(2);
    EXPECT_TRUE(Table().showGrid());
    EXPECT_EQ(Table().gridStyle(), Qt::DotLine);
    EXPECT_THROW(list->SetColumnAlignment(9, 2), OutOfBoundsException);
}

TEST_F(ListboxTest, PercentColumnWidthsFollowTheListsWidth)
{
    list->SetColumnCount(4);
    list->SetColumnWidths("31%,23%,23%,23%");
    Application::DoEvents();
    const int width = Table().viewport()->width();
    EXPECT_EQ(list->ColumnWidthActual(0), width * 31 / 100);
    EXPECT_EQ(list->ColumnWidthActual(3), width * 23 / 100);
    window->SetWidth(700);
    Application::DoEvents();
    const int wider = Table().viewport()->width();
    EXPECT_GT(wider, width) << "the list is locked to both sides";
    EXPECT_EQ(list->ColumnWidthActual(0), wider * 31 / 100);
    list->SetColumnWidths("80,40");
    EXPECT_EQ(list->ColumnWidthActual(1), 40);
}

TEST_F(ListboxTest, HeadingClickSortsUnlessTheHandlerSaysTrue)
{
    Fill({ "c", "a", "b" });
    int asked = 0;
    list->OnSortColumn([&](Listbox&, Integer column) {
        ++asked;
        EXPECT_EQ(column, 0);
        return true;
    });
    list->ClickHeading(0);
    emit Table().horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(FirstColumn(), (std::vector<std::string> { "c", "a", "b" }));

    list->OnSortColumn([](Listbox&, Integer) { return false; });
    list->ClickHeading(0);
    EXPECT_EQ(FirstColumn(), (std::vector<std::string> { "a", "b", "c" }));
    EXPECT_EQ(list->Cell(0, 1), "xa") << "rows move whole";
}

TEST_F(ListboxTest, HeadingClickWithoutHandlerSorts)
{
    Fill({ "2", "3", "1" });
    list->ClickHeading(0);
    EXPECT_EQ(FirstColumn(), (std::vector<std::string> { "1", "2", "3" }));
}

// The header turns its arrow over on a click before the list hears of it; a
// handler that keeps the rows must find the arrow still telling their order.
TEST_F(ListboxTest, KeptRowsKeepTheHeadingsArrow)
{
    window->Show();
    Fill({ "c", "a", "b" });
    Application::DoEvents();
    list->ClickHeading(0);
    QHeaderView& header = *Table().horizontalHeader();
    ASSERT_TRUE(header.isSortIndicatorShown());
    ASSERT_EQ(header.sortIndicatorOrder(), Qt::AscendingOrder);

    int asked = 0;
    list->OnSortColumn([&](Listbox&, Integer) {
        ++asked;
        return true;
    });
    for (const int column : { 0, 1 }) {
        SCOPED_TRACE("click on heading " + std::to_string(column));
        const QPoint at(header.sectionViewportPosition(column) + header.sectionSize(column) / 2,
            header.height() / 2);
        for (const QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease }) {
            QMouseEvent click(type, at, header.viewport()->mapToGlobal(at), Qt::LeftButton,
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(header.viewport(), &click);
        }
        EXPECT_EQ(header.sortIndicatorSection(), 0);
        EXPECT_EQ(header.sortIndicatorOrder(), Qt::AscendingOrder);
        EXPECT_TRUE(header.isSortIndicatorShown());
    }
    EXPECT_EQ(asked, 2) << "the clicks did not reach the list";
    EXPECT_EQ(FirstColumn(), (std::vector<std::string> { "a", "b", "c" }));
}

// A cell put in through the table itself is not one of the list's own; a sort
// key set on it counts all the same.
TEST_F(ListboxTest, SortKeyOnACellTheListDidNotMake)
{
    Fill({ "b", "a", "c" });
    const std::vector<double> keys { 1, 3, 2 };
    for (int row = 0; row < 3; ++row) {
        Table().setItem(row, 0, new QTableWidgetItem(Table().item(row, 0)->text()));
        list->SetCellSortKey(row, 0, keys[static_cast<std::size_t>(row)]);
    }
    list->ClickHeading(0);
    EXPECT_EQ(FirstColumn(), (std::vector<std::string> { "b", "c", "a" }));
    EXPECT_EQ(list->Cell(1, 1), "xc") << "rows move whole";
    list->ClickHeading(0);
    EXPECT_EQ(FirstColumn(), (std::vector<std::string> { "a", "c", "b" }));
}

TEST_F(ListboxTest, DoubleClickSelectsTheRowThenRaisesDoubleClick)
{
    Fill({ "q1", "q2", "q3" });
    std::vector<Integer> seen;
    list->OnDoubleClick([&](Listbox& l) { seen.push_back(l.ListIndex()); });
    EXPECT_EQ(list->ListIndex(), -1);
    list->DoubleClickRow(1);
    list->DoubleClickRow(-1);
    emit Table().cellDoubleClicked(2, 0);
    EXPECT_EQ(seen, (std::vector<Integer> { 1, -1, -1 }));
    list->SetListIndex(2);
    EXPECT_EQ(list->ListIndex(), 2);
}

TEST_F(ListboxTest, ScrollPositionIsTheFirstVisibleRow)
{
    for (int i = 0; i < 200; ++i)
        list->AddRow("row " + std::to_string(i));
    EXPECT_EQ(list->ScrollPosition(), 0);
    list->SetScrollPosition(50);
    EXPECT_EQ(list->ScrollPosition(), 50);
    EXPECT_EQ(Table().rowAt(0), 50);
    list->SetScrollPosition(0);
    EXPECT_EQ(list->ScrollPosition(), 0);
}

TEST_F(ListboxTest, ListIsNotEditable)
{
    list->AddRow("a");
    EXPECT_FALSE(Table().item(0, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(Table().selectionMode(), QAbstractItemView::SingleSelection);
}

namespace {

// A list of 35 rows in the 499 x 285 place of the results windows, its text
// size and DefaultRowHeight as given.
Listbox& OpenRowList(Single textSize, Integer defaultRowHeight)
{
    ListboxRecord record;
    record.place = At("ListBox1", 0, 0, 499, 285);
    record.style.textSize = textSize;
    record.columnCount = 2;
    record.hasHeading = true;
    record.defaultRowHeight = defaultRowHeight;
    TestWindow& window = OpenTestWindow(With<WindowRecord>([](auto& r) {
        r.width = 500;
        r.height = 300;
    }),
        [&](Window& w) { w.AddControl<Listbox>("ListBox1", record.Encode()); });
    Listbox& list = window.Find<Listbox>("ListBox1");
    for (int row = 0; row < 35; ++row)
        list.AddRow("row " + std::to_string(row));
    Application::DoEvents();
    return list;
}

QTableWidget& TableOf(const Listbox& list)
{
    return *static_cast<QTableWidget*>(list.widget());
}

} // namespace

TEST_F(ListboxTest, AutomaticRowHeightFollowsTheFont)
{
    int previousHeight = 0;
    for (const Single size : { 12.0F, 24.0F }) {
        SCOPED_TRACE("text size " + std::to_string(size));
        Listbox& list = OpenRowList(size, -1);
        QTableWidget& table = TableOf(list);
        const int textHeight = table.fontMetrics().height();
        EXPECT_GE(table.rowHeight(34), textHeight);
        EXPECT_LE(table.rowHeight(34), textHeight + 6) << "a row is its text and a small margin";
        EXPECT_GT(table.rowHeight(0), previousHeight);
        previousHeight = table.rowHeight(0);
    }

    // The height follows a font set later, too.
    Listbox& list = OpenRowList(12, -1);
    const int small = TableOf(list).rowHeight(0);
    list.SetTextSize(30);
    EXPECT_GT(TableOf(list).rowHeight(0), small + 10);
    EXPECT_GE(TableOf(list).rowHeight(0), TableOf(list).fontMetrics().height());

    // A height of its own stays as given.
    EXPECT_EQ(TableOf(OpenRowList(12, 40)).rowHeight(3), 40);
}

TEST_F(ListboxTest, NothingLooksPickedUntilTheUserPicksARow)
{
    Fill({ "a", "b", "c" });
    window->Show();
    list->SetFocus();
    Application::DoEvents();
    ASSERT_TRUE(list->HasFocus());
    EXPECT_FALSE(Table().currentIndex().isValid()) << "a cell is drawn as current";

    const QImage headings = Table().horizontalHeader()->grab().toImage();
    list->SetListIndex(1);
    Application::DoEvents();
    EXPECT_EQ(Table().currentIndex().row(), 1);
    EXPECT_TRUE(Table().horizontalHeader()->grab().toImage() == headings)
        << "picking a row changed the headings";
}

TEST_F(ListboxTest, EmptyWidthsShareTheWidthLeftBesideTheScrollBar)
{
    window->Show();
    Fill({ "a", "b" });
    Application::DoEvents();
    const auto columnsEnd = [this] {
        return Table().horizontalHeader()->sectionViewportPosition(4)
            + Table().horizontalHeader()->sectionSize(4);
    };
    ASSERT_FALSE(Table().verticalScrollBar()->isVisible());
    const int fullWidth = Table().viewport()->width();
    EXPECT_EQ(columnsEnd(), fullWidth);
    EXPECT_LE(list->ColumnWidthActual(0) - list->ColumnWidthActual(4), 1);

    for (int row = 0; row < 100; ++row)
        list->AddRow("more");
    Application::DoEvents();
    ASSERT_TRUE(Table().verticalScrollBar()->isVisible());
    EXPECT_LT(Table().viewport()->width(), fullWidth);
    EXPECT_EQ(columnsEnd(), Table().viewport()->width())
        << "the last column is under the scroll bar";
}
