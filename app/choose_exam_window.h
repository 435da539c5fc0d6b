#pragma once

#include "window.h"

class Label;
class PushButton;

// "Choose Exam": the three buttons that start a Technician, General or Extra
// practice exam; it stays open after a press.
class ChooseExamWindow final : public Window {
public:
    void Layout() override;
    void CreateControls() override;

    PushButton& PushButton1() const;
    PushButton& PushButton2() const;
    PushButton& PushButton3() const;
    Label& Label1() const;

    void PushButton1_Action(PushButton& button);
    void PushButton2_Action(PushButton& button);
    void PushButton3_Action(PushButton& button);
};

ChooseExamWindow& ChooseExamWindow();
