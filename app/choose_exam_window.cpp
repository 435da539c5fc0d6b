#include "choose_exam_window.h"

#include "control_records.h"
#include "exam_start.h"
#include "label.h"
#include "push_button.h"

namespace {

// Every control of the chooser stays where it is, at the window's top left.
Placement ChooserPlacement(
    const char* name, Integer left, Integer top, Integer width, Integer height, Integer tabIndex)
{
    Placement place = Placement::At(name, left, top, width, height, tabIndex);
    place.lockLeft = true;
    place.lockTop = true;
    return place;
}

PushButtonRecord ChooserButton(const char* name, Integer top, Integer tabIndex, const char* caption)
{
    PushButtonRecord button;
    button.place = ChooserPlacement(name, 56, top, 90, 20, tabIndex);
    button.style.textSize = 0;
    button.caption = caption;
    return button;
}

} // namespace

void ChooseExamWindow::Layout()
{
    ApplyPropertyRecord(*this,
        WindowRecord { .width = 202,
            .height = 186,
            .title = "Choose Exam",
            .resizeable = false,
            .maximizeButton = false,
            .minimizeButton = false }
            .Encode());
}

void ChooseExamWindow::CreateControls()
{
    AddControl<PushButton>(
        "PushButton1", ChooserButton("PushButton1", 64, 0, "Technician").Encode())
        .OnAction([this](PushButton& button) { PushButton1_Action(button); });
    AddControl<PushButton>("PushButton2", ChooserButton("PushButton2", 96, 1, "General").Encode())
        .OnAction([this](PushButton& button) { PushButton2_Action(button); });
    AddControl<PushButton>("PushButton3", ChooserButton("PushButton3", 128, 2, "Extra").Encode())
        .OnAction([this](PushButton& button) { PushButton3_Action(button); });
    AddControl<Label>("Label1",
        LabelRecord { .place = ChooserPlacement("Label1", 39, 14, 118, 20, 3),
            .style = TextStyle { .textSize = 0 },
            .text = "Choose The Exam:" }
            .Encode());
}

PushButton& ChooseExamWindow::PushButton1() const
{
    return Find<PushButton>("PushButton1");
}

PushButton& ChooseExamWindow::PushButton2() const
{
    return Find<PushButton>("PushButton2");
}

PushButton& ChooseExamWindow::PushButton3() const
{
    return Find<PushButton>("PushButton3");
}

Label& ChooseExamWindow::Label1() const
{
    return Find<Label>("Label1");
}

void ChooseExamWindow::PushButton1_Action(PushButton&)
{
    StartAmateurExam(1);
}

void ChooseExamWindow::PushButton2_Action(PushButton&)
{
    StartAmateurExam(2);
}

void ChooseExamWindow::PushButton3_Action(PushButton&)
{
    StartAmateurExam(3);
}

class ChooseExamWindow& ChooseExamWindow()
{
    return Window::SingleInstance<class ChooseExamWindow>();
}
