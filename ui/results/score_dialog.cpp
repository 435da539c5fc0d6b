#include "score_dialog.h"

#include "control_records.h"
#include "label.h"
#include "property_record.h"
#include "push_button.h"
#include "text.h"

#include <cstdint>

void ScoreDialog::Layout()
{
    const WindowRecord record {
        .width = 293,
        .height = 162,
        .frame = kFrameModalDialog,
        .title = "Results",
        .closeButton = true,
        .resizeable = false,
        .maximizeButton = true,
        .minimizeButton = true,
        .visible = true,
        .liveResize = false,
        .menuBarVisible = false,
    };
    ApplyPropertyRecord(*this, record.Encode());
}

void ScoreDialog::CreateControls()
{
    LabelRecord message;
    message.place = Placement::At("StaticText1", 15, 14, 265, 107, 0);
    message.style.textFont = "System";
    message.style.textSize = 12;
    message.text = "-";
    message.multiline = true;
    AddControl<Label>("StaticText1", message.Encode());

    PushButtonRecord ok;
    ok.place = Placement::At("PushButton1", 116, 127, 69, 20, 1);
    ok.style.textFont = "System";
    ok.style.textSize = 12;
    ok.caption = "OK";
    ok.isDefault = false;
    ok.cancel = false;
    AddControl<PushButton>("PushButton1", ok.Encode()).OnAction([this](PushButton& pressed) {
        PushButton1_Action(pressed);
    });
}

Label& ScoreDialog::StaticText1() const
{
    return Find<Label>("StaticText1");
}

PushButton& ScoreDialog::PushButton1() const
{
    return Find<PushButton>("PushButton1");
}

void ScoreDialog::PushButton1_Action(PushButton&)
{
    Close();
}

void ScoreDialog::init(Integer right, Integer wrong, Integer passMark)
{
    // Summed as the counts' own 64-bit arithmetic would, wrapping rather than
    // overflowing for numbers no grading can produce.
    const auto graded = static_cast<Integer>(
        static_cast<std::uint64_t>(right) + static_cast<std::uint64_t>(wrong));
    const std::string paragraphBreak = Chr(13) + Chr(13);
    Label& message = StaticText1();
    message.SetText("You correctly answered " + Str(right) + " out of " + Str(graded)
        + " questions. A passing score is " + Str(passMark) + " correct.");
    message.SetText(message.Text() + paragraphBreak);
    if (passMark <= right)
        message.SetText(message.Text() + "You passed!");
    else
        message.SetText(message.Text() + "Unfortunately, you did not pass.");
    message.SetText(message.Text() + paragraphBreak);
    message.SetText(message.Text() + "You may now review the exam.");
}

class ScoreDialog& ScoreDialog()
{
    return Window::SingleInstance<class ScoreDialog>();
}
