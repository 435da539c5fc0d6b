#include "about_dialog.h"

#include "control_records.h"
#include "label.h"
#include "push_button.h"
#include "text.h"
#include "varno.h"

namespace {

const std::string kCreditLine = "Varno, from the Varno project";

} // namespace

void AboutDialog::Layout()
{
    ApplyPropertyRecord(*this,
        WindowRecord { .width = 343,
            .height = 244,
            .frame = kFrameMovableModal,
            .title = kCreditLine,
            .resizeable = false,
            .maximizeButton = false,
            .minimizeButton = true,
            .liveResize = false,
            .menuBarVisible = false }
            .Encode());
}

void AboutDialog::CreateControls()
{
    AddControl<Label>("StaticText1",
        LabelRecord { .place = Placement::At("StaticText1", 69, 8, 189, 36, 0),
            .style = TextStyle { .textFont = "Times", .textSize = 24, .bold = true },
            .text = "Varno" }
            .Encode());
    AddControl<Label>("StaticText2",
        LabelRecord { .place = Placement::At("StaticText2", 141, 86, 182, 91, 1),
            .style = TextStyle { .textFont = "Geneva", .textSize = 10 },
            .text = "Written by the Varno project" + Chr(13) + "Question pools, figures and help"
                + Chr(13) + "written for Varno",
            .textAlign = 2,
            .multiline = true }
            .Encode());
    AddControl<PushButton>("OKButton",
        PushButtonRecord { .place = Placement::At("OKButton", 265, 204, 62, 20, 2),
            .caption = "OK",
            .isDefault = true,
            .cancel = true }
            .Encode())
        .OnAction([this](PushButton& button) { OKButton_Action(button); });
    AddControl<Label>("StaticText6",
        LabelRecord { .place = Placement::At("StaticText6", 72, 44, 186, 37, 3),
            .text = "Preparation and Training For Your Amateur Radio Exam",
            .multiline = true }
            .Encode());
    AddControl<Label>("StaticText3",
        LabelRecord {
            .place = Placement::At("StaticText3", 13, 157, 135, 20, 4), .text = "Version" }
            .Encode());
}

Label& AboutDialog::StaticText1() const
{
    return Find<Label>("StaticText1");
}

Label& AboutDialog::StaticText2() const
{
    return Find<Label>("StaticText2");
}

PushButton& AboutDialog::OKButton() const
{
    return Find<PushButton>("OKButton");
}

Label& AboutDialog::StaticText6() const
{
    return Find<Label>("StaticText6");
}

Label& AboutDialog::StaticText3() const
{
    return Find<Label>("StaticText3");
}

void AboutDialog::OKButton_Action(PushButton&)
{
    Close();
}

void AboutDialog::Event_Open()
{
    StaticText3().SetText("Version " + App().ShortVersion() + " ");
}

class AboutDialog& AboutDialog()
{
    return Window::SingleInstance<class AboutDialog>();
}
