#pragma once

#include "types.h"
#include "window.h"

class BevelButton;
class Label;
class MarkCanvas;
class PopupMenu;
class PushButton;
class RadioButton;
class Timer;

// The radio button of answer k (1 to 4) of the window; OutOfBoundsException
// for any other k.
RadioButton& AnswerButtonNumber(const class Window1& window, Integer k);
// The label of answer k (1 to 4) of the window; OutOfBoundsException for any
// other k.
Label& AnswerTextNumber(const class Window1& window, Integer k);

// The exam window: one entry of the current question list at a time, with its
// four answers, navigation, grading, the section pop-up and the history buttons.
class Window1 : public Window {
public:
    void Layout() override;
    void CreateControls() override;

    // Control accessors: each finds its control anew by name.
    Label& QuestionNumField() const;
    RadioButton& Answer1() const;
    RadioButton& Answer2() const;
    RadioButton& Answer3() const;
    RadioButton& Answer4() const;
    BevelButton& BackButton() const;
    BevelButton& NextButton() const;
    BevelButton& GradeButton() const;
    MarkCanvas& Canvas1(Integer index) const;
    Label& StaticText1() const;
    BevelButton& PushButton4() const;
    BevelButton& PushButton5() const;
    Label& AnswerText1() const;
    Label& AnswerText2() const;
    Label& AnswerText3() const;
    Label& AnswerText4() const;
    PushButton& CheatPushButton() const;
    BevelButton& LastButton() const;
    BevelButton& FirstButton() const;
    PushButton& PushButton1() const;
    Timer& Timer1() const;
    PopupMenu& SectionButton() const;

    // Control handlers.
    void Answer1_Action(RadioButton& control);
    void Answer2_Action(RadioButton& control);
    void Answer3_Action(RadioButton& control);
    void Answer4_Action(RadioButton& control);
    void BackButton_Action(BevelButton& control);
    void NextButton_Action(BevelButton& control);
    void GradeButton_Action(BevelButton& control);
    void PushButton4_Action(BevelButton& control);
    void PushButton5_Action(BevelButton& control);
    void CheatPushButton_Action(PushButton& control);
    void LastButton_Action(BevelButton& control);
    void FirstButton_Action(BevelButton& control);
    void PushButton1_Action(PushButton& control);
    void Timer1_Action(Timer& control);
    void SectionButton_Change(PopupMenu& control);

    void DoQuestion();
    void Init(Integer examClass);
    void ShowAnswers();
    void UpdateSectionButton();
    void SetControlSizes();

    Integer question = 0;
    bool reviewMode = false;
    Integer previousExamMode = 0;

protected:
    void Event_Close() override;
    void Event_Open() override;
    void Event_Resized() override;
    void Event_Resizing() override;

private:
    // Shows, in place of an entry, why the window has none, and disables what
    // only an exam can answer to.
    void ShowWhyNoExam();

    // Whether Init has drawn an exam into this window. The list the
    // application holds before that is no exam of this window's: there is
    // none yet, or it ended when the window it belonged to was closed.
    bool holdsExam_ = false;
    // The pop-up row whose list is shown, put back when a choice is refused.
    Integer shownSectionRow_ = -1;
    bool restoringSectionRow_ = false;
};

// The open exam window, else a new one (which shows itself, uninitialised).
Window1& Window1();
