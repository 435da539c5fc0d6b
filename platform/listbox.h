#pragma once

#include "control.h"

#include <functional>
#include <memory>

// A list of rows and columns with an optional heading row. Rows and columns
// count from 0. Cells hold byte strings shown as UTF-8; Cell gives back the
// bytes exactly as set (a trailing line end included, which the screen does
// not show).
class Listbox : public RectControl {
public:
    explicit Listbox(Window& window);

    Integer ColumnCount() const;
    void SetColumnCount(Integer count);
    bool HasHeading() const;
    void SetHasHeading(bool hasHeading);
    // Column -1 sets every heading at once from one Tab-separated text.
    void SetHeading(Integer column, const std::string& text);
    std::string Heading(Integer column) const;
    // 0 default, 1 left, 2 centred, 3 right.
    void SetColumnAlignment(Integer column, Integer alignment);
    Integer ColumnAlignment(Integer column) const;
    // Style 0 none (the default), 1 solid, 2 thin dotted lines.
    void SetGridLinesHorizontal(Integer style);
    void SetGridLinesVertical(Integer style);
    Integer GridLinesHorizontal() const { return gridHorizontal_; }
    Integer GridLinesVertical() const { return gridVertical_; }
    // A comma-separated list of widths, each in pixels ("80") or as a share of
    // the list's width ("31%"); empty shares the visible width equally among
    // the columns. Shares follow the list's size and the scroll bar's coming
    // and going.
    void SetColumnWidths(const std::string& widths);
    const std::string& ColumnWidths() const { return columnWidths_; }
    // The width a column has on screen now, in pixels.
    Integer ColumnWidthActual(Integer column) const;

    void AddRow(const std::string& firstCell);
    void DeleteAllRows();
    Integer ListCount() const;
    // OutOfBoundsException outside the rows and columns.
    std::string Cell(Integer row, Integer column) const;
    void SetCell(Integer row, Integer column, const std::string& text);
    // What a heading click sorts the cell by in place of its text, as a date
    // cell sorts by its moment. Without one, a cell whose text reads as a
    // number ("25", "25 %") sorts by that number, any other by its text.
    void SetCellSortKey(Integer row, Integer column, double key);
    // The selected row, -1 for none.
    Integer ListIndex() const;
    void SetListIndex(Integer row);
    // The first visible row.
    Integer ScrollPosition() const;
    void SetScrollPosition(Integer row);

    // A click on a heading: a handler returning True keeps the rows as they
    // are; with no handler, or False, the list sorts by that column, in
    // ascending order, reversed by a second click on the same heading, and the
    // heading shows the order.
    void OnSortColumn(std::function<bool(Listbox&, Integer)> handler)
    {
        sortColumn_ = std::move(handler);
    }
    void OnDoubleClick(std::function<void(Listbox&)> handler) { doubleClick_ = std::move(handler); }
    // User actions, as the user would make them.
    void ClickHeading(Integer column);
    void DoubleClickRow(Integer row); // selects the row (-1: none), then DoubleClick

    PropertyKind KindOf(std::string_view name) const override;
    void SetProperty(std::string_view name, const PropertyValue& value) override;

private:
    struct Private;
    std::shared_ptr<Private> d;
    Integer gridHorizontal_ = 0;
    Integer gridVertical_ = 0;
    std::string columnWidths_;
    std::function<bool(Listbox&, Integer)> sortColumn_;
    std::function<void(Listbox&)> doubleClick_;
};
