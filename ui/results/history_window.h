#pragma once

#include "types.h"
#include "window.h"

class Listbox;

// The graded exams of the current examination class: date, counts, percent.
class HistoryWindow : public Window {
public:
    void Layout() override;
    void CreateControls() override;

    Listbox& ListBox1() const;

protected:
    void Event_Open() override;
};

HistoryWindow& HistoryWindow();
