#include "listbox.h"

#include "exceptions.h"
#include "window.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace {

constexpr std::array kListboxProperties {
    PropertySpec { "ColumnCount", PropertyKind::Integer },
    PropertySpec { "HasHeading", PropertyKind::Boolean },
    PropertySpec { "HeadingIndex", PropertyKind::Integer },
    PropertySpec { "ColumnWidths", PropertyKind::String },
    PropertySpec { "SelectionType", PropertyKind::Integer },
    PropertySpec { "RequiresSelection", PropertyKind::Boolean },
    PropertySpec { "Border", PropertyKind::Boolean },
    PropertySpec { "ScrollBarVertical", PropertyKind::Boolean },
    PropertySpec { "ScrollBarHorizontal", PropertyKind::Boolean },
    PropertySpec { "AutoHideScrollbars", PropertyKind::Boolean },
    PropertySpec { "GridLinesHorizontal", PropertyKind::Integer },
    PropertySpec { "GridLinesVertical", PropertyKind::Integer },
    PropertySpec { "DefaultRowHeight", PropertyKind::Integer },
    PropertySpec { "UseFocusRing", PropertyKind::Boolean },
    PropertySpec { "ColumnsResizable", PropertyKind::Boolean },
    PropertySpec { "InitialValue", PropertyKind::String },
};

// More columns than any list shows; keeps a fuzzed record from building a
// table of millions of columns.
constexpr Integer kMaxColumns = 256;
constexpr int kBytesRole = Qt::UserRole + 1;
// The space above and below a row's text when the height follows the font.
constexpr int kRowTextMargin = 2;

QString FromBytes(const std::string& bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Printable ASCII without a line end: the shown text gives the bytes back.
bool IsPlainText(const std::string& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

// The bytes of a cell, as set.
std::string CellBytes(const QTableWidgetItem& item)
{
    const QVariant bytes = item.data(kBytesRole);
    if (bytes.isValid())
        return bytes.toByteArray().toStdString();
    return item.text().toStdString();
}

// The screen leaves out a trailing line end; the cell keeps it.
QString CellDisplay(const std::string& bytes)
{
    std::size_t end = bytes.size();
    while (end > 0 && (bytes[end - 1] == '\r' || bytes[end - 1] == '\n'))
        --end;
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(end));
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == separator) {
            parts.push_back(part);
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    parts.push_back(part);
    return parts;
}

Qt::Alignment CellAlignment(Integer alignment)
{
    switch (alignment) {
    case 2:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case 3:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

std::optional<double> SortKeyOf(const QTableWidgetItem& item);

// The number a cell sorts by: its sort key when it has one, else the number
// its text reads as ("25", "-3", "25 %"); none for any other text.
std::optional<double> SortNumber(const QTableWidgetItem& item)
{
    if (const std::optional<double> key = SortKeyOf(item))
        return std::isfinite(*key) ? key : std::nullopt;
    QString text = item.text().trimmed();
    if (text.endsWith(QLatin1Char('%')))
        text = text.chopped(1).trimmed();
    bool isNumber = false;
    const double value = text.toDouble(&isNumber);
    if (!isNumber || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A cell of the list. A heading click sorts numbers (and dates, by their
// keys) by value rather than by their text, with cells that hold no number
// before the others.
//
// Its alignment is its column's, read when the cell is drawn, so a cell stores
// no alignment of its own.
class ListItem final : public QTableWidgetItem {
public:
    ListItem(
        const QString& text, int column, std::shared_ptr<const std::vector<Integer>> alignments)
        : QTableWidgetItem(text)
        , column_(static_cast<std::size_t>(column))
        , alignments_(std::move(alignments))
    {
    }

    std::optional<double> sortKey;

    QVariant data(int role) const override
    {
        if (role == Qt::TextAlignmentRole) {
            const Integer alignment = column_ < alignments_->size() ? (*alignments_)[column_] : 0;
            return static_cast<int>(CellAlignment(alignment));
        }
        return QTableWidgetItem::data(role);
    }

    bool operator<(const QTableWidgetItem& other) const override
    {
        const std::optional<double> mine = SortNumber(*this);
        const std::optional<double> theirs = SortNumber(other);
        if (mine && theirs)
            return *mine < *theirs;
        if (mine || theirs)
            return !mine;
        return text() < other.text();
    }

private:
    std::size_t column_;
    std::shared_ptr<const std::vector<Integer>> alignments_;
};

std::optional<double> SortKeyOf(const QTableWidgetItem& item)
{
    const auto* cell = dynamic_cast<const ListItem*>(&item);
    return cell != nullptr ? cell->sortKey : std::nullopt;
}

class ListWidget final : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    std::function<void()> resized;
    std::function<void()> fontChanged;

    // Brings the scroll range up to date now instead of at the next layout
    // pass, so the first visible row can be read and set at once.
    void UpdateNow()
    {
        executeDelayedItemsLayout();
        updateGeometries();
    }

protected:
    // Also reached when the viewport alone changes size, as when the vertical
    // scroll bar comes or goes.
    void resizeEvent(QResizeEvent* event) override
    {
        QTableWidget::resizeEvent(event);
        if (resized)
            resized();
    }

    void changeEvent(QEvent* event) override
    {
        QTableWidget::changeEvent(event);
        if (event->type() == QEvent::FontChange && fontChanged)
            fontChanged();
    }

    // Taking the focus makes the first cell current, which draws it as
    // picked; the list shows no current cell until the user picks a row.
    void focusInEvent(QFocusEvent* event) override
    {
        const bool hadCurrent = currentIndex().isValid();
        QTableWidget::focusInEvent(event);
        if (!hadCurrent && currentIndex().isValid() && selectionModel()->selectedRows().isEmpty())
            selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
};

} // namespace

struct Listbox::Private {
    ListWidget* table = nullptr;
    std::shared_ptr<std::vector<Integer>> alignments = std::make_shared<std::vector<Integer>>();
    int sortedColumn = -1;
    Qt::SortOrder sortOrder = Qt::AscendingOrder;
    Integer defaultRowHeight = -1; // not above 0: follows the font

    void ApplyRowHeight() const
    {
        const int height = defaultRowHeight > 0
            ? static_cast<int>(std::min<Integer>(defaultRowHeight, 1000))
            : table->fontMetrics().height() + 2 * kRowTextMargin;
        QHeaderView* rows = table->verticalHeader();
        rows->setMinimumSectionSize(std::min(height, rows->minimumSectionSize()));
        rows->setDefaultSectionSize(height);
    }

    // Empty widths: every column an equal share of the visible width, the
    // pixels left over going one each to the first columns.
    void ShareWidthEqually() const
    {
        const int available = table->viewport()->width();
        const int columns = table->columnCount();
        if (available <= 0 || columns <= 0)
            return;
        for (int column = 0; column < columns; ++column)
            table->setColumnWidth(
                column, available / columns + (column < available % columns ? 1 : 0));
    }

    void Check(Integer row, Integer column) const
    {
        if (row < 0 || row >= table->rowCount() || column < 0 || column >= table->columnCount())
            throw OutOfBoundsException("list cell (" + std::to_string(row) + ", "
                + std::to_string(column) + ") outside the list");
    }

    void CheckColumn(Integer column) const
    {
        if (column < 0 || column >= table->columnCount())
            throw OutOfBoundsException(
                "list column " + std::to_string(column) + " outside the list");
    }

    // A list filled before it is shown (as the results windows fill theirs)
    // need not announce each cell: it draws them all when it appears.
    void PutItem(int row, int column, QTableWidgetItem* item) const
    {
        if (table->isVisible()) {
            table->setItem(row, column, item);
            return;
        }
        const QSignalBlocker quiet(table->model());
        table->setItem(row, column, item);
    }

    ListItem* MakeItem(const std::string& bytes, int column) const
    {
        auto* item = new ListItem(CellDisplay(bytes), column, alignments);
        // Most cells read back exactly from their text; only the others keep
        // their bytes beside it (a list may hold a thousand rows).
        if (!IsPlainText(bytes))
            item->setData(
                kBytesRole, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        return item;
    }
};

Listbox::Listbox(Window& window)
    : RectControl(window, new ListWidget(window.ContentWidget()))
    , d(std::make_shared<Private>())
{
    auto* table = static_cast<ListWidget*>(widget());
    d->table = table;
    table->setColumnCount(1);
    table->verticalHeader()->hide();
    table->horizontalHeader()->hide();
    table->horizontalHeader()->setSectionsClickable(true);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // A picked row leaves the headings as they are.
    table->horizontalHeader()->setHighlightSections(false);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    table->setShowGrid(false);
    table->setWordWrap(false);
    table->resized = [this] { SetColumnWidths(columnWidths_); };
    table->fontChanged = [this] { d->ApplyRowHeight(); };
    d->ApplyRowHeight();
    QObject::connect(table->horizontalHeader(), &QHeaderView::sectionClicked, table,
        [this](int column) { ClickHeading(column); });
    QObject::connect(table, &QTableWidget::cellDoubleClicked, table, [this](int, int) {
        Deliver([this] {
            if (doubleClick_)
                doubleClick_(*this);
        });
    });
}

Integer Listbox::ColumnCount() const
{
    return d->table->columnCount();
}

void Listbox::SetColumnCount(Integer count)
{
    d->table->setColumnCount(static_cast<int>(std::clamp<Integer>(count, 1, kMaxColumns)));
    SetColumnWidths(columnWidths_);
}

bool Listbox::HasHeading() const
{
    return !d->table->horizontalHeader()->isHidden();
}

void Listbox::SetHasHeading(bool hasHeading)
{
    d->table->horizontalHeader()->setVisible(hasHeading);
}

void Listbox::SetHeading(Integer column, const std::string& text)
{
    if (column == -1) {
        const std::vector<std::string> parts = Split(text, '\t');
        for (std::size_t i = 0; i < parts.size() && static_cast<Integer>(i) < ColumnCount(); ++i)
            SetHeading(static_cast<Integer>(i), parts[i]);
        return;
    }
    d->CheckColumn(column);
    auto* item = new QTableWidgetItem(FromBytes(text));
    item->setData(kBytesRole, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    d->table->setHorizontalHeaderItem(static_cast<int>(column), item);
}

std::string Listbox::Heading(Integer column) const
{
    d->CheckColumn(column);
    const QTableWidgetItem* item = d->table->horizontalHeaderItem(static_cast<int>(column));
    if (item == nullptr)
        return {};
    return item->data(kBytesRole).toByteArray().toStdString();
}

void Listbox::SetColumnAlignment(Integer column, Integer alignment)
{
    d->CheckColumn(column);
    const std::size_t index = static_cast<std::size_t>(column);
    std::vector<Integer>& alignments = *d->alignments;
    if (alignments.size() <= index)
        alignments.resize(index + 1, 0);
    alignments[index] = alignment;
    d->table->viewport()->update();
}

Integer Listbox::ColumnAlignment(Integer column) const
{
    d->CheckColumn(column);
    const std::size_t index = static_cast<std::size_t>(column);
    return index < d->alignments->size() ? (*d->alignments)[index] : 0;
}

namespace {

void ApplyGrid(QTableWidget& table, Integer horizontal, Integer vertical)
{
    // One grid style serves both directions here; dotted wins over solid.
    table.setShowGrid(horizontal != 0 || vertical != 0);
    table.setGridStyle(horizontal == 2 || vertical == 2 ? Qt::DotLine : Qt::SolidLine);
}

} // namespace

void Listbox::SetGridLinesHorizontal(Integer style)
{
    gridHorizontal_ = style;
    ApplyGrid(*d->table, gridHorizontal_, gridVertical_);
}

void Listbox::SetGridLinesVertical(Integer style)
{
    gridVertical_ = style;
    ApplyGrid(*d->table, gridHorizontal_, gridVertical_);
}

void Listbox::SetColumnWidths(const std::string& widths)
{
    columnWidths_ = widths;
    if (widths.empty()) {
        d->ShareWidthEqually();
        return;
    }
    const std::vector<std::string> parts = Split(widths, ',');
    const int available = d->table->viewport()->width();
    for (std::size_t i = 0; i < parts.size() && static_cast<Integer>(i) < ColumnCount(); ++i) {
        std::string part = parts[i];
        part.erase(0, part.find_first_not_of(' '));
        bool percent = !part.empty() && part.back() == '%';
        if (percent)
            part.pop_back();
        char* end = nullptr;
        const double value = std::strtod(part.c_str(), &end);
        if (part.empty() || end == part.c_str() || !std::isfinite(value) || value < 0)
            continue; // not a width: the column keeps its own
        const double pixels = percent ? available * value / 100.0 : value;
        d->table->setColumnWidth(static_cast<int>(i), static_cast<int>(std::min(pixels, 32000.0)));
    }
}

Integer Listbox::ColumnWidthActual(Integer column) const
{
    d->CheckColumn(column);
    return d->table->columnWidth(static_cast<int>(column));
}

void Listbox::AddRow(const std::string& firstCell)
{
    const int row = d->table->rowCount();
    d->table->insertRow(row);
    d->PutItem(row, 0, d->MakeItem(firstCell, 0));
}

void Listbox::DeleteAllRows()
{
    d->table->setRowCount(0);
}

Integer Listbox::ListCount() const
{
    return d->table->rowCount();
}

std::string Listbox::Cell(Integer row, Integer column) const
{
    d->Check(row, column);
    const QTableWidgetItem* item = d->table->item(static_cast<int>(row), static_cast<int>(column));
    if (item == nullptr)
        return {};
    return CellBytes(*item);
}

void Listbox::SetCell(Integer row, Integer column, const std::string& text)
{
    d->Check(row, column);
    d->PutItem(static_cast<int>(row), static_cast<int>(column),
        d->MakeItem(text, static_cast<int>(column)));
}

void Listbox::SetCellSortKey(Integer row, Integer column, double key)
{
    d->Check(row, column);
    QTableWidgetItem* item = d->table->item(static_cast<int>(row), static_cast<int>(column));
    auto* cell = dynamic_cast<ListItem*>(item);
    if (cell == nullptr) {
        // No cell yet, or one put in through the table itself, which has no
        // room for a key: one of ours takes its place, with its text.
        cell = d->MakeItem(
            item != nullptr ? CellBytes(*item) : std::string {}, static_cast<int>(column));
        d->PutItem(static_cast<int>(row), static_cast<int>(column), cell);
    }
    // Not shown, so the cell need not be drawn again.
    cell->sortKey = key;
}

Integer Listbox::ListIndex() const
{
    const QModelIndexList rows = d->table->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void Listbox::SetListIndex(Integer row)
{
    if (row < 0 || row >= ListCount()) {
        d->table->clearSelection();
        return;
    }
    d->table->selectRow(static_cast<int>(row));
}

Integer Listbox::ScrollPosition() const
{
    d->table->UpdateNow();
    return d->table->verticalScrollBar()->value();
}

void Listbox::SetScrollPosition(Integer row)
{
    d->table->UpdateNow();
    d->table->verticalScrollBar()->setValue(
        static_cast<int>(std::clamp<Integer>(row, 0, std::max<Integer>(0, ListCount()))));
}

void Listbox::ClickHeading(Integer column)
{
    d->CheckColumn(column);
    if (sortColumn_) {
        // A handler that fails keeps the rows as they are, like one that said so.
        bool keep = true;
        Deliver([this, column, &keep] { keep = sortColumn_(*this, column); });
        if (keep) {
            // A click on a heading has already turned the header's arrow over.
            QHeaderView* header = d->table->horizontalHeader();
            if (d->sortedColumn >= 0)
                header->setSortIndicator(d->sortedColumn, d->sortOrder);
            else
                header->setSortIndicatorShown(false);
            return;
        }
    }
    const int col = static_cast<int>(column);
    d->sortOrder = d->sortedColumn == col && d->sortOrder == Qt::AscendingOrder
        ? Qt::DescendingOrder
        : Qt::AscendingOrder;
    d->sortedColumn = col;
    d->table->sortItems(col, d->sortOrder);
    QHeaderView* header = d->table->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(col, d->sortOrder);
}

void Listbox::DoubleClickRow(Integer row)
{
    SetListIndex(row);
    Deliver([this] {
        if (doubleClick_)
            doubleClick_(*this);
    });
}

PropertyKind Listbox::KindOf(std::string_view name) const
{
    if (const PropertySpec* spec = FindPropertySpec(kListboxProperties, name))
        return spec->kind;
    return RectControl::KindOf(name);
}

void Listbox::SetProperty(std::string_view name, const PropertyValue& value)
{
    QTableWidget& table = *d->table;
    if (name == "ColumnCount") {
        SetColumnCount(IntegerValue(value));
    } else if (name == "HasHeading") {
        SetHasHeading(BooleanValue(value));
    } else if (name == "ColumnWidths") {
        SetColumnWidths(StringValue(value));
    } else if (name == "Border") {
        table.setFrameShape(BooleanValue(value) ? QFrame::StyledPanel : QFrame::NoFrame);
    } else if (name == "ScrollBarVertical") {
        table.setVerticalScrollBarPolicy(
            BooleanValue(value) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    } else if (name == "ScrollBarHorizontal") {
        table.setHorizontalScrollBarPolicy(
            BooleanValue(value) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    } else if (name == "GridLinesHorizontal") {
        SetGridLinesHorizontal(IntegerValue(value));
    } else if (name == "GridLinesVertical") {
        SetGridLinesVertical(IntegerValue(value));
    } else if (name == "DefaultRowHeight") {
        d->defaultRowHeight = IntegerValue(value);
        d->ApplyRowHeight();
    } else if (name == "ColumnsResizable") {
        table.horizontalHeader()->setSectionResizeMode(
            BooleanValue(value) ? QHeaderView::Interactive : QHeaderView::Fixed);
    } else if (name == "InitialValue") {
        // Rows separated by CR, cells by Tab.
        const std::string& text = StringValue(value);
        if (text.empty())
            return;
        for (const std::string& line : Split(text, '\r')) {
            const std::vector<std::string> cells = Split(line, '\t');
            AddRow(cells[0]);
            for (std::size_t c = 1; c < cells.size() && static_cast<Integer>(c) < ColumnCount();
                 ++c)
                SetCell(ListCount() - 1, static_cast<Integer>(c), cells[c]);
        }
    } else if (FindPropertySpec(kListboxProperties, name) == nullptr) {
        RectControl::SetProperty(name, value);
    }
    // HeadingIndex, SelectionType, RequiresSelection, AutoHideScrollbars,
    // UseFocusRing: one selection model and one look for every list.
}
