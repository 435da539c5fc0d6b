#pragma once

#include "types.h"
#include "window.h"

class Label;
class PushButton;

// "Results": the score of one grading and the verdict. Modal-dialog frame,
// shown as soon as it is created; init writes the message afterwards.
class ScoreDialog final : public Window {
public:
    void Layout() override;
    void CreateControls() override;

    Label& StaticText1() const;
    PushButton& PushButton1() const;

    void PushButton1_Action(PushButton& button);
    void init(Integer right, Integer wrong, Integer passMark);
};

// The open score dialog, else a new one (which shows itself).
ScoreDialog& ScoreDialog();
