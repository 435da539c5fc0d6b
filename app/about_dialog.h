#pragma once

#include "window.h"

class Label;
class PushButton;

// The about box: name, tagline, credit and the running version.
class AboutDialog final : public Window {
public:
    void Layout() override;
    void CreateControls() override;

    Label& StaticText1() const;
    Label& StaticText2() const;
    PushButton& OKButton() const;
    Label& StaticText6() const;
    Label& StaticText3() const;

    void OKButton_Action(PushButton& button);

protected:
    void Event_Open() override;
};

AboutDialog& AboutDialog();
