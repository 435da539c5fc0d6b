#pragma once

#include "control.h"

#include <functional>
#include <vector>

// A pop-up menu of text rows, counted from 0. ListIndex is the selected row,
// -1 for none. Choosing a row, by the user or by setting ListIndex from code,
// raises Change once when the selection changes. Adding or removing rows
// raises nothing.
class PopupMenu : public RectControl {
public:
    explicit PopupMenu(Window& window);

    void DeleteAllRows(); // the selection becomes -1
    void AddRow(const std::string& text);
    Integer ListCount() const;
    // The text of a row; OutOfBoundsException outside 0 to ListCount - 1.
    std::string List(Integer row) const;
    Integer ListIndex() const { return listIndex_; }
    // An index outside the rows selects nothing (-1).
    void SetListIndex(Integer index);
    // The selected row's text, or "".
    std::string Text() const;

    void OnChange(std::function<void(PopupMenu&)> handler) { change_ = std::move(handler); }
    // Chooses a row as the user would.
    void Choose(Integer row);

    PropertyKind KindOf(std::string_view name) const override;
    void SetProperty(std::string_view name, const PropertyValue& value) override;

private:
    void Select(Integer index);
    std::vector<std::string> rows_;
    Integer listIndex_ = -1;
    std::function<void(PopupMenu&)> change_;
};
