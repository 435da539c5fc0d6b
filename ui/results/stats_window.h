#pragma once

#include "types.h"
#include "window.h"

class Listbox;

// The per-question statistics of the current examination class, one row per
// pool question; a double-click opens a review window for that question.
class StatsWindow : public Window {
public:
    void Layout() override;
    void CreateControls() override;

    Listbox& ListBox1() const;

    bool ListBox1_SortColumn(Listbox& list, Integer column);
    void ListBox1_DoubleClick(Listbox& list);

protected:
    void Event_Open() override;
};

StatsWindow& StatsWindow();
