// Building the exam window from its stored records: where every control
// starts, what building leaves alone, the hidden controls and the close event.

#include "window1.h"

#include "application.h"
#include "bevel_button.h"
#include "exam_window_fixture.h"
#include "exceptions.h"
#include "label.h"
#include "mark_canvas.h"
#include "popup_menu.h"
#include "push_button.h"
#include "radio_button.h"
#include "timer.h"
#include "window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

enum class Kind { Label, Radio, Bevel, Mark, Push, Timer, Popup };

struct StoredControl {
    std::string name;
    Integer index;
    Kind kind;
    Integer left, top, width, height, tabIndex;
    std::string text; // Text, Caption, or "" for none
    Single textSize;
    bool visible;
};

constexpr Integer kNoIndex = -2147483648LL;

// The controls as stored, in creation order.
const std::vector<StoredControl>& StoredControls()
{
    static const std::vector<StoredControl> table {
        { "QuestionNumField", kNoIndex, Kind::Label, 40, 4, 250, 20, 0, "Label:", 12, true },
        { "Answer1", kNoIndex, Kind::Radio, 40, 151, 20, 60, 1, "", 12, true },
        { "Answer2", kNoIndex, Kind::Radio, 40, 211, 20, 60, 2, "", 12, true },
        { "Answer3", kNoIndex, Kind::Radio, 40, 271, 20, 60, 3, "", 12, true },
        { "Answer4", kNoIndex, Kind::Radio, 40, 331, 20, 60, 4, "", 12, true },
        { "BackButton", kNoIndex, Kind::Bevel, 65, 406, 50, 20, 5, "Back", 12, true },
        { "NextButton", kNoIndex, Kind::Bevel, 127, 406, 50, 20, 6, "Next", 12, true },
        { "GradeButton", kNoIndex, Kind::Bevel, 261, 406, 100, 20, 7, "Grade Exam", 12, true },
        { "Canvas1", 1, Kind::Mark, 5, 145, 32, 32, 8, "", 0, true },
        { "Canvas1", 2, Kind::Mark, 5, 205, 32, 32, 9, "", 0, true },
        { "Canvas1", 3, Kind::Mark, 5, 265, 32, 32, 10, "", 0, true },
        { "Canvas1", 4, Kind::Mark, 5, 325, 32, 32, 11, "", 0, true },
        { "StaticText1", kNoIndex, Kind::Label, 40, 24, 625, 111, 12, "Label:", 12, true },
        { "PushButton4", kNoIndex, Kind::Bevel, 373, 406, 100, 20, 13, "Exam History", 12, true },
        { "PushButton5", kNoIndex, Kind::Bevel, 485, 406, 130, 20, 14, "Question History", 12,
            true },
        { "AnswerText1", kNoIndex, Kind::Label, 72, 153, 550, 55, 15, "Label:", 12, true },
        { "AnswerText2", kNoIndex, Kind::Label, 72, 213, 550, 55, 16, "Label:", 12, true },
        { "AnswerText3", kNoIndex, Kind::Label, 72, 273, 550, 55, 17, "Label:", 12, true },
        { "AnswerText4", kNoIndex, Kind::Label, 72, 333, 550, 55, 18, "Label:", 12, true },
        { "CheatPushButton", kNoIndex, Kind::Push, 7, 375, 60, 20, 19, "Cheat", 0, false },
        { "LastButton", kNoIndex, Kind::Bevel, 182, 406, 50, 20, 21, "Last", 12, true },
        { "FirstButton", kNoIndex, Kind::Bevel, 7, 406, 50, 20, 22, "First", 12, true },
        { "PushButton1", kNoIndex, Kind::Push, 82, 376, 80, 20, 23, "Break", 0, false },
        { "Timer1", kNoIndex, Kind::Timer, 0, 0, 0, 0, 0, "", 0, false },
        { "SectionButton", kNoIndex, Kind::Popup, 10, 430, 105, 20, 24, "", 0, true },
    };
    return table;
}

std::string ControlText(const Control& control, Kind kind)
{
    switch (kind) {
    case Kind::Label:
        return dynamic_cast<const Label&>(control).Text();
    case Kind::Radio:
        return dynamic_cast<const RadioButton&>(control).Caption();
    case Kind::Bevel:
        return dynamic_cast<const BevelButton&>(control).Caption();
    case Kind::Push:
        return dynamic_cast<const PushButton&>(control).Caption();
    default:
        return "";
    }
}

bool HasKind(const Control& control, Kind kind)
{
    switch (kind) {
    case Kind::Label:
        return dynamic_cast<const Label*>(&control) != nullptr;
    case Kind::Radio:
        return dynamic_cast<const RadioButton*>(&control) != nullptr;
    case Kind::Bevel:
        return dynamic_cast<const BevelButton*>(&control) != nullptr;
    case Kind::Mark:
        return dynamic_cast<const MarkCanvas*>(&control) != nullptr;
    case Kind::Push:
        return dynamic_cast<const PushButton*>(&control) != nullptr;
    case Kind::Timer:
        return dynamic_cast<const Timer*>(&control) != nullptr;
    case Kind::Popup:
        return dynamic_cast<const PopupMenu*>(&control) != nullptr;
    }
    return false;
}

// Built by hand, never opened: the records alone, without the Open event's
// re-layout.
std::unique_ptr<class Window1> BuildFromRecords()
{
    auto window = std::make_unique<class Window1>();
    window->Layout();
    window->CreateControls();
    return window;
}

} // namespace

TEST(ExamWindowRecords, WindowRecordGivesSizeTitleAndLimits)
{
    const auto window = BuildFromRecords();
    EXPECT_EQ(window->Width(), 685);
    EXPECT_EQ(window->Height(), 470);
    EXPECT_EQ(window->Title(), "Varno");
    EXPECT_EQ(window->MinWidth(), 64);
    EXPECT_EQ(window->MinHeight(), 64);
    EXPECT_EQ(window->MaxWidth(), 32000);
    EXPECT_EQ(window->MaxHeight(), 32000);
    EXPECT_EQ(window->Frame(), kFrameDocument);
    EXPECT_TRUE(window->Resizeable());
    EXPECT_TRUE(window->LiveResize());
    EXPECT_TRUE(window->MenuBarVisible());
}

TEST(ExamWindowRecords, WindowCannotBeSizedBeyondItsLimits)
{
    const auto window = BuildFromRecords();
    window->SetWidth(10);
    window->SetHeight(40000);
    EXPECT_EQ(window->Width(), 64);
    EXPECT_EQ(window->Height(), 32000);
}

TEST(ExamWindowRecords, ControlsAreMadeInTableOrderWithTheirStoredValues)
{
    const auto window = BuildFromRecords();
    const auto& table = StoredControls();
    ASSERT_EQ(window->Controls().size(), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const StoredControl& expected = table[i];
        const Control& control = *window->Controls()[i];
        SCOPED_TRACE(expected.name + " " + std::to_string(expected.index));
        EXPECT_EQ(control.Name(), expected.name);
        EXPECT_EQ(control.Index(), expected.index);
        ASSERT_TRUE(HasKind(control, expected.kind));
        EXPECT_EQ(ControlText(control, expected.kind), expected.text);
        const auto* rect = dynamic_cast<const RectControl*>(&control);
        if (rect == nullptr)
            continue;
        EXPECT_EQ(rect->Left(), expected.left);
        EXPECT_EQ(rect->Top(), expected.top);
        EXPECT_EQ(rect->Width(), expected.width);
        EXPECT_EQ(rect->Height(), expected.height);
        EXPECT_EQ(rect->TabIndex(), expected.tabIndex);
        EXPECT_EQ(rect->Visible(), expected.visible);
        EXPECT_TRUE(rect->Enabled());
        EXPECT_TRUE(rect->TabStop());
        if (expected.kind != Kind::Mark) {
            EXPECT_EQ(rect->TextFont(), "System");
            EXPECT_EQ(rect->TextSize(), expected.textSize);
            EXPECT_FALSE(rect->Bold());
            EXPECT_FALSE(rect->Italic());
            EXPECT_FALSE(rect->Underline());
        }
        const bool locked = expected.kind == Kind::Popup;
        EXPECT_EQ(rect->LockLeft(), locked);
        EXPECT_EQ(rect->LockTop(), locked);
        EXPECT_FALSE(rect->LockRight());
        EXPECT_FALSE(rect->LockBottom());
    }
}

TEST(ExamWindowRecords, ControlsCarryTheirClassSpecificValues)
{
    const auto window = BuildFromRecords();
    EXPECT_FALSE(window->QuestionNumField().Multiline());
    for (Label* label : { &window->StaticText1(), &window->AnswerText1(), &window->AnswerText2(),
             &window->AnswerText3(), &window->AnswerText4() })
        EXPECT_TRUE(label->Multiline());
    for (RadioButton* button :
        { &window->Answer1(), &window->Answer2(), &window->Answer3(), &window->Answer4() })
        EXPECT_FALSE(button->Value());
    for (Integer k = 1; k <= 4; ++k) {
        const MarkCanvas& mark = window->Canvas1(k);
        EXPECT_EQ(mark.type, 0);
        EXPECT_TRUE(mark.Transparent());
        EXPECT_FALSE(mark.DoubleBuffer());
        EXPECT_TRUE(mark.EraseBackground());
    }
    for (PushButton* button : { &window->CheatPushButton(), &window->PushButton1() }) {
        EXPECT_FALSE(button->Default());
        EXPECT_FALSE(button->Cancel());
    }
    EXPECT_EQ(window->Timer1().Mode(), kTimerModeMultiple);
    EXPECT_EQ(window->Timer1().Period(), 1000);
    // ListIndex 0 on a menu without rows selects nothing.
    EXPECT_EQ(window->SectionButton().ListCount(), 0);
    EXPECT_EQ(window->SectionButton().ListIndex(), -1);
}

TEST(ExamWindowRecords, Canvas1FindsFourDistinctMembersByIndex)
{
    const auto window = BuildFromRecords();
    std::vector<const MarkCanvas*> members;
    const Integer tops[] = { 145, 205, 265, 325 };
    for (Integer k = 1; k <= 4; ++k) {
        const MarkCanvas& mark = window->Canvas1(k);
        EXPECT_EQ(mark.Index(), k);
        EXPECT_EQ(mark.Top(), tops[k - 1]);
        for (const MarkCanvas* other : members)
            EXPECT_NE(other, &mark);
        members.push_back(&mark);
    }
}

TEST(ExamWindowRecords, Canvas1WithAnIndexOutsideOneToFourRaises)
{
    const auto window = BuildFromRecords();
    for (Integer index : { Integer { 0 }, Integer { 5 }, Integer { -1 }, kNoIndex })
        EXPECT_THROW(window->Canvas1(index), NilObjectException) << index;
}

TEST_F(ExamWindowTest, BuildingRunsNoControlHandler)
{
    app.numberQuestions = 3;
    app.question(0) = 7;
    class Window1& window = Window1();

    // A radio button's handler would have stored an answer at entry 0, the
    // pop-up's would have set the window's state and numbered an entry.
    for (Integer i = 0; i <= 3; ++i)
        EXPECT_EQ(app.answer(i), 0) << i;
    EXPECT_EQ(app.numberQuestions, 3);
    EXPECT_EQ(window.question, 0);
    EXPECT_FALSE(window.reviewMode);
    EXPECT_EQ(window.previousExamMode, 0);
    EXPECT_EQ(window.QuestionNumField().Text(), "");
    EXPECT_EQ(window.Title(), "Varno");
    EXPECT_TRUE(window.Visible());
    EXPECT_TRUE(unhandled.empty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ExamWindowTest, NewWindowShowsEmptyMarksAndNoAnswers)
{
    class Window1& window = Window1();
    for (Integer k = 1; k <= 4; ++k) {
        EXPECT_TRUE(window.Canvas1(k).Visible()) << k;
        EXPECT_EQ(window.Canvas1(k).type, 0) << k;
    }
    for (Label* label : { &window.AnswerText1(), &window.AnswerText2(), &window.AnswerText3(),
             &window.AnswerText4() })
        EXPECT_EQ(label->Text(), "");
    EXPECT_EQ(window.SectionButton().ListCount(), 0);
}

TEST_F(ExamWindowTest, AccessorReturnsTheOpenWindowUnchanged)
{
    WritePool(SmallPool());
    class Window1& first = StartExam();
    first.NextButton().Push();
    class Window1& again = Window1();
    EXPECT_EQ(&again, &first);
    EXPECT_EQ(again.question, 2);
    EXPECT_EQ(Window::OpenWindows().size(), 1u);
}

TEST_F(ExamWindowTest, TimerRunsAndItsActionChangesNothing)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    window.Answer2().Push();
    EXPECT_TRUE(window.Timer1().Running());
    const std::string shown = window.StaticText1().Text();
    window.Timer1().Fire();
    EXPECT_EQ(window.StaticText1().Text(), shown);
    EXPECT_EQ(window.question, 1);
    EXPECT_EQ(app.answer(1), 2);
    EXPECT_TRUE(unhandled.empty());
}

TEST_F(ExamWindowTest, HiddenButtonsCannotBePressed)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    window.CheatPushButton().Push();
    window.PushButton1().Push();
    for (Integer i = 1; i <= app.numberQuestions; ++i)
        EXPECT_EQ(app.answer(i), 0) << i;
    EXPECT_FALSE(window.CheatPushButton().Visible());
    EXPECT_FALSE(window.PushButton1().Visible());
}

TEST_F(ExamWindowTest, CheatHandlerAnswersEveryEntryCorrectly)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    window.CheatPushButton_Action(window.CheatPushButton());
    for (Integer i = 1; i <= app.numberQuestions; ++i)
        EXPECT_EQ(app.answer(i), app.GetAnswer(app.question(i))) << i;
    // The shown entry is redisplayed with its new answer.
    const Integer correct = app.GetAnswer(app.question(1));
    RadioButton* buttons[]
        = { &window.Answer1(), &window.Answer2(), &window.Answer3(), &window.Answer4() };
    for (Integer k = 1; k <= 4; ++k)
        EXPECT_EQ(buttons[k - 1]->Value(), k == correct) << k;
}

TEST_F(ExamWindowTest, ClosingResetsClassNumberAndFileNameOnly)
{
    WritePool(SmallPool());
    class Window1& window = StartExam(1);
    app.examFilename = "something";
    const Integer entries = app.numberQuestions;
    const Integer firstQuestion = app.question(1);
    window.Close();
    Application::DoEvents();
    EXPECT_EQ(app.classNumber, 0);
    EXPECT_EQ(app.examFilename, "");
    EXPECT_EQ(app.numberQuestions, entries);
    EXPECT_EQ(app.question(1), firstQuestion);
    EXPECT_FALSE(app.exam.IsNil());
    EXPECT_EQ(Window::FindOpen<class Window1>(), nullptr);
}

TEST_F(ExamWindowTest, RebuiltWindowStartsFromTheStoredValues)
{
    WritePool(SmallPool());
    class Window1& old = StartExam();
    old.LastButton().Push();
    old.GradeButton().Push();
    CloseScoreDialog();
    old.SetWidth(900);
    old.Close();
    Application::DoEvents();

    class Window1& window = Window1();
    EXPECT_NE(Window::FindOpen<class Window1>(), nullptr);
    EXPECT_EQ(window.question, 0);
    EXPECT_FALSE(window.reviewMode);
    EXPECT_EQ(window.previousExamMode, 0);
    EXPECT_EQ(window.Title(), "Varno");
    EXPECT_EQ(window.Width(), 685);
    EXPECT_EQ(window.Height(), 470);
    EXPECT_EQ(window.SectionButton().ListCount(), 0);
    for (Integer k = 1; k <= 4; ++k) {
        EXPECT_TRUE(window.Canvas1(k).Visible()) << k;
        EXPECT_EQ(window.Canvas1(k).type, 0) << k;
    }
    // Opening re-lays the stored layout for 685 x 470.
    EXPECT_EQ(window.StaticText1().Top(), 28);
    EXPECT_EQ(window.StaticText1().Width(), 620);
}

// The list the application still holds is that of the closed window's exam,
// which closing ended.
TEST_F(ExamWindowTest, WindowWithoutInitShowsNoEntryOfTheListTheApplicationHolds)
{
    WritePool(SmallPool());
    class Window1& first = StartExam();
    first.Close();
    Application::DoEvents();

    class Window1& window = Window1();
    window.LastButton().Push();
    EXPECT_EQ(window.QuestionNumField().Text(), "");
    EXPECT_EQ(window.AnswerText1().Text(), "");
    EXPECT_EQ(window.StaticText1().Text().rfind("The exam shown before ended", 0), 0u);
    EXPECT_TRUE(unhandled.empty());
}
