#include "window1.h"

#include "bevel_button.h"
#include "control_records.h"
#include "exceptions.h"
#include "history_window.h"
#include "label.h"
#include "mark_canvas.h"
#include "message_sink.h"
#include "popup_menu.h"
#include "property_record.h"
#include "push_button.h"
#include "radio_button.h"
#include "stats_window.h"
#include "text.h"
#include "timer.h"
#include "varno.h"

#include <string>

namespace {

// The list views the section pop-up switches between.
constexpr Integer kModeNewExam = -1;
constexpr Integer kModeExam = 1;
constexpr Integer kModeWholePool = 2;
constexpr Integer kModeSection = 3;

// The size the stored layout was drawn for; the re-layout scales from it.
constexpr double kReferenceWidth = 640.0;
constexpr double kReferenceHeight = 420.0;
constexpr Integer kReferenceTextSize = 12;

std::string QuestionLabelRecord(std::string name, Integer left, Integer top, Integer width,
    Integer height, Integer tabIndex, bool multiline)
{
    LabelRecord record;
    record.place = Placement::At(std::move(name), left, top, width, height, tabIndex);
    record.text = "Label:";
    record.multiline = multiline;
    return record.Encode();
}

std::string AnswerButtonRecord(std::string name, Integer top, Integer tabIndex)
{
    RadioButtonRecord record;
    record.place = Placement::At(std::move(name), 40, top, 20, 60, tabIndex);
    record.caption = "";
    record.value = false;
    return record.Encode();
}

std::string NavigationButtonRecord(
    std::string name, Integer left, Integer width, Integer tabIndex, std::string caption)
{
    BevelButtonRecord record;
    record.place = Placement::At(std::move(name), left, 406, width, 20, tabIndex);
    record.caption = std::move(caption);
    return record.Encode();
}

// The two buttons nobody can see or press.
std::string HiddenButtonRecord(std::string name, Integer left, Integer top, Integer width,
    Integer tabIndex, std::string caption)
{
    PushButtonRecord record;
    record.place = Placement::At(std::move(name), left, top, width, 20, tabIndex);
    record.place.visible = false;
    record.style.textSize = 0;
    record.caption = std::move(caption);
    record.isDefault = false;
    record.cancel = false;
    record.buttonStyle = 0;
    return record.Encode();
}

std::string SectionMenuRecord()
{
    PopupMenuRecord record;
    record.place = Placement::At("SectionButton", 10, 430, 105, 20, 24);
    record.place.lockLeft = true;
    record.place.lockTop = true;
    record.style.textSize = 0;
    record.initialValue = "";
    record.listIndex = 0;
    return record.Encode();
}

std::string RepeatingTimerRecord()
{
    TimerRecord record;
    record.mode = kTimerModeMultiple;
    record.period = 1000;
    return record.Encode();
}

// c + X*k/d: the whole-number product, divided as a double, truncated.
Integer Scaled(Integer offset, Integer extent, Integer factor, double reference)
{
    return static_cast<Integer>(
        static_cast<double>(extent * factor) / reference + static_cast<double>(offset));
}

// Why the pool questions first to last cannot make a list for the window,
// or "" when they can: every one must be a pool question number (1 to 1000,
// which is also the room of the question list), and there must be one.
std::string ListProblem(const std::string& what, Integer first, Integer last)
{
    constexpr Integer kMostPoolQuestions = decltype(Varno::question)::UBound();
    const std::string refusal = what + " cannot be shown: ";
    if (first < 1 || last > kMostPoolQuestions)
        return refusal + "it runs from question " + Str(first) + " to question " + Str(last)
            + ", outside 1 to " + Str(kMostPoolQuestions) + ".";
    if (last < first)
        return refusal + "it holds no questions.";
    return {};
}

bool IsLineEnd(char c)
{
    return c == '\n' || c == '\r' || c == '\0';
}

} // namespace

Label& AnswerTextNumber(const class Window1& window, Integer k)
{
    switch (k) {
    case 1:
        return window.AnswerText1();
    case 2:
        return window.AnswerText2();
    case 3:
        return window.AnswerText3();
    case 4:
        return window.AnswerText4();
    default:
        throw OutOfBoundsException("no answer text " + Str(k));
    }
}

RadioButton& AnswerButtonNumber(const class Window1& window, Integer k)
{
    switch (k) {
    case 1:
        return window.Answer1();
    case 2:
        return window.Answer2();
    case 3:
        return window.Answer3();
    case 4:
        return window.Answer4();
    default:
        throw OutOfBoundsException("no answer button " + Str(k));
    }
}

// ---- Building ----

void Window1::Layout()
{
    WindowRecord record;
    record.width = 685;
    record.height = 470;
    record.minWidth = 64;
    record.minHeight = 64;
    record.maxWidth = 32000;
    record.maxHeight = 32000;
    record.frame = kFrameDocument;
    record.title = "Varno";
    record.closeButton = true;
    record.resizeable = true;
    record.maximizeButton = true;
    record.minimizeButton = true;
    record.fullScreenButton = false;
    record.composite = false;
    record.macProcID = 0;
    record.placement = 0;
    record.visible = true;
    record.liveResize = true;
    record.fullScreen = false;
    record.hasBackColor = false;
    record.backColor = kWhite;
    record.menuBarVisible = true;
    ApplyPropertyRecord(*this, record.Encode());
}

void Window1::CreateControls()
{
    // Each record goes on before the handler is attached, so nothing that
    // applying a record raises can reach the window's handlers.
    AddControl<Label>(
        "QuestionNumField", QuestionLabelRecord("QuestionNumField", 40, 4, 250, 20, 0, false));
    AddControl<RadioButton>("Answer1", AnswerButtonRecord("Answer1", 151, 1))
        .OnAction([this](RadioButton& b) { Answer1_Action(b); });
    AddControl<RadioButton>("Answer2", AnswerButtonRecord("Answer2", 211, 2))
        .OnAction([this](RadioButton& b) { Answer2_Action(b); });
    AddControl<RadioButton>("Answer3", AnswerButtonRecord("Answer3", 271, 3))
        .OnAction([this](RadioButton& b) { Answer3_Action(b); });
    AddControl<RadioButton>("Answer4", AnswerButtonRecord("Answer4", 331, 4))
        .OnAction([this](RadioButton& b) { Answer4_Action(b); });
    AddControl<BevelButton>("BackButton", NavigationButtonRecord("BackButton", 65, 50, 5, "Back"))
        .OnAction([this](BevelButton& b) { BackButton_Action(b); });
    AddControl<BevelButton>("NextButton", NavigationButtonRecord("NextButton", 127, 50, 6, "Next"))
        .OnAction([this](BevelButton& b) { NextButton_Action(b); });
    AddControl<BevelButton>(
        "GradeButton", NavigationButtonRecord("GradeButton", 261, 100, 7, "Grade Exam"))
        .OnAction([this](BevelButton& b) { GradeButton_Action(b); });
    AddControl<MarkCanvas>("Canvas1", MarkCanvas::StoredRecord(1, 145, 8));
    AddControl<MarkCanvas>("Canvas1", MarkCanvas::StoredRecord(2, 205, 9));
    AddControl<MarkCanvas>("Canvas1", MarkCanvas::StoredRecord(3, 265, 10));
    AddControl<MarkCanvas>("Canvas1", MarkCanvas::StoredRecord(4, 325, 11));
    AddControl<Label>(
        "StaticText1", QuestionLabelRecord("StaticText1", 40, 24, 625, 111, 12, true));
    AddControl<BevelButton>(
        "PushButton4", NavigationButtonRecord("PushButton4", 373, 100, 13, "Exam History"))
        .OnAction([this](BevelButton& b) { PushButton4_Action(b); });
    AddControl<BevelButton>(
        "PushButton5", NavigationButtonRecord("PushButton5", 485, 130, 14, "Question History"))
        .OnAction([this](BevelButton& b) { PushButton5_Action(b); });
    AddControl<Label>(
        "AnswerText1", QuestionLabelRecord("AnswerText1", 72, 153, 550, 55, 15, true));
    AddControl<Label>(
        "AnswerText2", QuestionLabelRecord("AnswerText2", 72, 213, 550, 55, 16, true));
    AddControl<Label>(
        "AnswerText3", QuestionLabelRecord("AnswerText3", 72, 273, 550, 55, 17, true));
    AddControl<Label>(
        "AnswerText4", QuestionLabelRecord("AnswerText4", 72, 333, 550, 55, 18, true));
    AddControl<PushButton>(
        "CheatPushButton", HiddenButtonRecord("CheatPushButton", 7, 375, 60, 19, "Cheat"))
        .OnAction([this](PushButton& b) { CheatPushButton_Action(b); });
    AddControl<BevelButton>("LastButton", NavigationButtonRecord("LastButton", 182, 50, 21, "Last"))
        .OnAction([this](BevelButton& b) { LastButton_Action(b); });
    AddControl<BevelButton>(
        "FirstButton", NavigationButtonRecord("FirstButton", 7, 50, 22, "First"))
        .OnAction([this](BevelButton& b) { FirstButton_Action(b); });
    AddControl<PushButton>(
        "PushButton1", HiddenButtonRecord("PushButton1", 82, 376, 80, 23, "Break"))
        .OnAction([this](PushButton& b) { PushButton1_Action(b); });
    AddControl<Timer>("Timer1", RepeatingTimerRecord()).OnAction([this](Timer& t) {
        Timer1_Action(t);
    });
    AddControl<PopupMenu>("SectionButton", SectionMenuRecord()).OnChange([this](PopupMenu& m) {
        SectionButton_Change(m);
    });
}

// ---- Control accessors ----

Label& Window1::QuestionNumField() const
{
    return Find<Label>("QuestionNumField");
}

RadioButton& Window1::Answer1() const
{
    return Find<RadioButton>("Answer1");
}

RadioButton& Window1::Answer2() const
{
    return Find<RadioButton>("Answer2");
}

RadioButton& Window1::Answer3() const
{
    return Find<RadioButton>("Answer3");
}

RadioButton& Window1::Answer4() const
{
    return Find<RadioButton>("Answer4");
}

BevelButton& Window1::BackButton() const
{
    return Find<BevelButton>("BackButton");
}

BevelButton& Window1::NextButton() const
{
    return Find<BevelButton>("NextButton");
}

BevelButton& Window1::GradeButton() const
{
    return Find<BevelButton>("GradeButton");
}

MarkCanvas& Window1::Canvas1(Integer index) const
{
    // Matched on the exact index: a wildcard lookup would hand an answer
    // number like -1 from bad pool data some member instead of failing.
    for (const auto& control : Controls()) {
        if (control->Name() == "Canvas1" && control->Index() == index) {
            if (auto* mark = dynamic_cast<MarkCanvas*>(control.get()))
                return *mark;
        }
    }
    throw NilObjectException("no Canvas1 member with index " + Str(index));
}

Label& Window1::StaticText1() const
{
    return Find<Label>("StaticText1");
}

BevelButton& Window1::PushButton4() const
{
    return Find<BevelButton>("PushButton4");
}

BevelButton& Window1::PushButton5() const
{
    return Find<BevelButton>("PushButton5");
}

Label& Window1::AnswerText1() const
{
    return Find<Label>("AnswerText1");
}

Label& Window1::AnswerText2() const
{
    return Find<Label>("AnswerText2");
}

Label& Window1::AnswerText3() const
{
    return Find<Label>("AnswerText3");
}

Label& Window1::AnswerText4() const
{
    return Find<Label>("AnswerText4");
}

PushButton& Window1::CheatPushButton() const
{
    return Find<PushButton>("CheatPushButton");
}

BevelButton& Window1::LastButton() const
{
    return Find<BevelButton>("LastButton");
}

BevelButton& Window1::FirstButton() const
{
    return Find<BevelButton>("FirstButton");
}

PushButton& Window1::PushButton1() const
{
    return Find<PushButton>("PushButton1");
}

Timer& Window1::Timer1() const
{
    return Find<Timer>("Timer1");
}

PopupMenu& Window1::SectionButton() const
{
    return Find<PopupMenu>("SectionButton");
}

// ---- Control handlers ----

void Window1::Answer1_Action(RadioButton&)
{
    App().answer(question) = 1;
}

void Window1::Answer2_Action(RadioButton&)
{
    App().answer(question) = 2;
}

void Window1::Answer3_Action(RadioButton&)
{
    App().answer(question) = 3;
}

void Window1::Answer4_Action(RadioButton&)
{
    App().answer(question) = 4;
}

void Window1::BackButton_Action(BevelButton&)
{
    question = question - 1;
    if (question < 1)
        question = 1;
    DoQuestion();
}

void Window1::NextButton_Action(BevelButton&)
{
    question = question + 1;
    if (question > App().numberQuestions)
        question = App().numberQuestions;
    DoQuestion();
}

void Window1::GradeButton_Action(BevelButton& control)
{
    // A window without an exam says why in place of a question. One whose
    // list holds no questions has nothing to grade; that is said here.
    if (!holdsExam_)
        return;
    if (App().numberQuestions < 1 || question < 1) {
        MsgBox("There is no exam to grade. Choose an exam from the Exam menu first.");
        return;
    }
    reviewMode = true;
    Answer1().SetEnabled(false);
    Answer2().SetEnabled(false);
    Answer3().SetEnabled(false);
    Answer4().SetEnabled(false);
    App().GradeExam();
    DoQuestion();
    control.SetEnabled(false);
}

// Both history windows list the examination class of the exam shown: without
// an exam there is no class, and they would list nothing under no name.
void Window1::PushButton4_Action(BevelButton&)
{
    if (holdsExam_)
        HistoryWindow().Show();
}

void Window1::PushButton5_Action(BevelButton&)
{
    if (holdsExam_)
        StatsWindow().Show();
}

void Window1::CheatPushButton_Action(PushButton&)
{
    Varno& app = App();
    for (Integer i = 1; i <= app.numberQuestions; ++i)
        app.answer(i) = app.GetAnswer(app.question(i));
    DoQuestion();
}

void Window1::LastButton_Action(BevelButton&)
{
    question = App().numberQuestions;
    DoQuestion();
}

void Window1::FirstButton_Action(BevelButton&)
{
    question = 1;
    DoQuestion();
}

void Window1::PushButton1_Action(PushButton&) { }

void Window1::Timer1_Action(Timer&) { }

void Window1::SectionButton_Change(PopupMenu& control)
{
    // Putting back the row of the list still shown raises Change again.
    if (restoringSectionRow_)
        return;
    const Integer row = control.ListIndex();
    // With no row chosen (only while the rows are being replaced) there is no
    // list to load; the fill ends by choosing "Current Exam" anyway.
    if (row < 0)
        return;

    Varno& app = App();
    const Integer sections = app.exam->numSections;

    // The new list is worked out and checked before anything changes: pool
    // data that names questions the list cannot hold (a refused pool stays
    // loaded for browsing) must not cost the exam its answers.
    Integer first = 1;
    Integer count = 0;
    std::string problem;
    if (row > sections) {
        count = app.testNumberQuestions;
        if (count < 0 || count > app.testQuestion.UBound())
            problem = "The exam cannot be shown: it holds " + Str(count) + " questions.";
    } else if (row == sections) {
        const Integer last = app.exam->sectionEnd(sections);
        problem = ListProblem("The entire pool", 1, last);
        if (problem.empty())
            count = last;
    } else {
        const Integer section = row + 1;
        first = app.sectionStart(section);
        const Integer last = app.sectionEnd(section);
        problem
            = ListProblem("The section \"" + app.exam->sectionPrefix(section) + "\"", first, last);
        if (problem.empty())
            count = last - first + 1;
    }
    if (!problem.empty()) {
        MsgBox(problem);
        restoringSectionRow_ = true;
        control.SetListIndex(shownSectionRow_);
        restoringSectionRow_ = false;
        return;
    }

    // Answers given in the drawn exam survive a visit to the pool; answers
    // given while browsing the pool or a section do not.
    if (previousExamMode == kModeExam) {
        for (Integer i = 1; i <= app.numberQuestions; ++i)
            app.testAnswer(i) = app.answer(i);
    }

    app.numberQuestions = count;
    if (row > sections) {
        for (Integer i = 1; i <= app.numberQuestions; ++i) {
            app.question(i) = app.testQuestion(i);
            app.answer(i) = app.testAnswer(i);
        }
        previousExamMode = kModeExam;
    } else {
        for (Integer i = 1; i <= app.numberQuestions; ++i) {
            app.question(i) = first + i - 1;
            app.answer(i) = 0;
        }
        previousExamMode = row == sections ? kModeWholePool : kModeSection;
    }
    shownSectionRow_ = row;

    question = 1;
    DoQuestion();
}

// ---- Window events ----

void Window1::Event_Close()
{
    App().examFilename = "";
    App().classNumber = 0;
}

void Window1::Event_Open()
{
    SetControlSizes();
    ShowWhyNoExam();
}

void Window1::Event_Resized()
{
    SetControlSizes();
}

void Window1::Event_Resizing()
{
    SetControlSizes();
}

// ---- Methods ----

void Window1::DoQuestion()
{
    if (!holdsExam_) {
        ShowWhyNoExam();
        return;
    }
    Varno& app = App();
    const Integer poolQuestion = app.question(question);

    // The code keeps the line end it had in the pool file.
    StaticText1().SetText(app.GetQuestionCode(poolQuestion) + Chr(13));
    std::string text = app.GetExamQuestion(poolQuestion);
    if (!text.empty() && IsLineEnd(text.back()))
        text.pop_back();
    StaticText1().SetText(StaticText1().Text() + text);

    QuestionNumField().SetText("Question " + Str(question) + " of " + Str(app.numberQuestions));

    for (Integer k = 1; k <= 4; ++k)
        AnswerTextNumber(*this, k).SetText(app.GetAnswerNumber(poolQuestion, k));
    for (Integer k = 1; k <= 4; ++k)
        AnswerButtonNumber(*this, k).SetValue(app.answer(question) == k);

    if (reviewMode) {
        ShowAnswers();
    } else {
        for (Integer k = 1; k <= 4; ++k)
            Canvas1(k).SetVisible(false);
    }

    BackButton().SetEnabled(question >= 2);
    NextButton().SetEnabled(question < app.numberQuestions);
}

void Window1::Init(Integer examClass)
{
    App().SetExam(examClass);
    holdsExam_ = true;
    question = 1;
    SetTitle(App().examName + " Exam");
    reviewMode = false;
    Answer1().SetEnabled(true);
    Answer2().SetEnabled(true);
    Answer3().SetEnabled(true);
    Answer4().SetEnabled(true);
    GradeButton().SetEnabled(true);
    PushButton4().SetEnabled(true);
    PushButton5().SetEnabled(true);
    DoQuestion();
    previousExamMode = kModeNewExam;
    // Its choice of "Current Exam" loads the drawn exam and shows entry 1.
    UpdateSectionButton();
}

void Window1::ShowWhyNoExam()
{
    // A list the application still holds belongs to an exam whose window was
    // closed; it is not shown, since it can no longer be answered or graded.
    if (App().numberQuestions > 0)
        StaticText1().SetText(
            "The exam shown before ended when its window was closed, so it can no longer be "
            "answered or graded. Choose an exam from the Exam menu to start a new one.");
    else
        StaticText1().SetText("There is no exam to show. Choose an exam from the Exam menu first.");
    QuestionNumField().SetText("");
    for (Integer k = 1; k <= 4; ++k) {
        AnswerTextNumber(*this, k).SetText("");
        AnswerButtonNumber(*this, k).SetValue(false);
        AnswerButtonNumber(*this, k).SetEnabled(false);
    }
    BackButton().SetEnabled(false);
    NextButton().SetEnabled(false);
    GradeButton().SetEnabled(false);
    PushButton4().SetEnabled(false);
    PushButton5().SetEnabled(false);
}

void Window1::ShowAnswers()
{
    // Bad pool data (a correct answer outside 1 to 4) must not take the
    // window down: the question is shown without marks and the user told.
    try {
        Canvas1(1).SetVisible(false);
        Canvas1(2).SetVisible(false);
        Canvas1(3).SetVisible(false);
        Canvas1(4).SetVisible(false);

        Varno& app = App();
        const Integer correctAnswer = app.GetAnswer(app.question(question));
        const Integer chosenAnswer = app.answer(question);

        MarkCanvas& correctMark = Canvas1(correctAnswer);
        correctMark.SetVisible(true);
        correctMark.type = 1;
        correctMark.Refresh(true);

        if (chosenAnswer != correctAnswer && chosenAnswer > 0) {
            MarkCanvas& wrongMark = Canvas1(chosenAnswer);
            wrongMark.SetVisible(true);
            wrongMark.type = 2;
            wrongMark.Refresh(true);
        }
    } catch (...) {
        MsgBox("oops!");
    }
}

void Window1::UpdateSectionButton()
{
    SectionButton().DeleteAllRows();
    const ExamClass& pool = *App().exam;
    for (Integer k = 1; k <= pool.numSections; ++k)
        SectionButton().AddRow(pool.sectionPrefix(k));
    SectionButton().AddRow("Entire Pool");
    SectionButton().AddRow("Current Exam");
    // Choosing the last row raises Change, which loads the drawn exam.
    SectionButton().SetListIndex(SectionButton().ListCount() - 1);
}

void Window1::SetControlSizes()
{
    const Integer W = Width();
    const Integer H = Height();

    // The text follows the smaller of the two scale factors.
    const double widthScale = static_cast<double>(W) / kReferenceWidth;
    const double heightScale = static_cast<double>(H) / kReferenceHeight;
    Integer fs = 0;
    if (widthScale > heightScale)
        fs = static_cast<Integer>(static_cast<double>(H * kReferenceTextSize) / kReferenceHeight)
            + 1;
    else
        fs = static_cast<Integer>(static_cast<double>(W * kReferenceTextSize) / kReferenceWidth)
            + 1;
    const Single textSize = static_cast<Single>(fs);
    const Single numberTextSize = static_cast<Single>(static_cast<double>(fs * 10) / 12.0);

    auto across = [W](Integer offset, Integer factor) {
        return Scaled(offset, W, factor, kReferenceWidth);
    };
    auto down = [H](Integer offset, Integer factor) {
        return Scaled(offset, H, factor, kReferenceHeight);
    };

    QuestionNumField().SetWidth(across(0, 250));
    QuestionNumField().SetHeight(across(0, 20));
    QuestionNumField().SetTextSize(numberTextSize);

    StaticText1().SetWidth(across(0, 580));
    StaticText1().SetHeight(across(0, 104));
    StaticText1().SetTop(down(4, 22));
    StaticText1().SetTextSize(textSize);

    // The four answer rows repeat every 60 reference units of height.
    for (Integer k = 1; k <= 4; ++k) {
        Label& text = AnswerTextNumber(*this, k);
        text.SetWidth(across(0, 550));
        text.SetLeft(across(5, 65));
        text.SetHeight(across(0, 55));
        text.SetTop(down(4, 116 + 60 * (k - 1)));
        text.SetTextSize(textSize);
    }

    for (Integer k = 1; k <= 3; ++k) {
        Canvas1(k).SetWidth(across(0, 32));
        Canvas1(k).SetHeight(across(0, 32));
        Canvas1(k).SetLeft(5);
        Canvas1(k).SetTop(down(4, 108 + 60 * (k - 1)));
    }
    Canvas1(4).SetWidth(across(0, 32));
    Canvas1(4).SetHeight(across(0, 32));
    Canvas1(4).SetLeft(5);
    Canvas1(4).SetTop(static_cast<Integer>(4 + static_cast<double>(H) * 0.6857142857142857));

    for (Integer k = 1; k <= 3; ++k) {
        RadioButton& button = AnswerButtonNumber(*this, k);
        button.SetLeft(across(5, 33));
        button.SetHeight(down(0, 60));
        button.SetTop(down(4, 94 + 60 * (k - 1)));
    }
    Answer4().SetLeft(across(5, 33));
    Answer4().SetHeight(down(0, 60));
    Answer4().SetTop(static_cast<Integer>(4 + static_cast<double>(H) * 0.6523809523809524));

    FirstButton().SetWidth(across(0, 50));
    FirstButton().SetLeft(7);
    FirstButton().SetHeight(down(0, 20));
    FirstButton().SetTop(down(4, 369));
    FirstButton().SetTextSize(textSize);

    auto placeButton = [&](BevelButton& button, Integer leftFactor, Integer widthFactor) {
        button.SetWidth(across(0, widthFactor));
        button.SetLeft(across(7, leftFactor));
        button.SetHeight(down(0, 20));
        button.SetTop(down(4, 369));
        button.SetTextSize(textSize);
    };
    placeButton(BackButton(), 58, 50);
    placeButton(NextButton(), 120, 50);
    placeButton(LastButton(), 175, 50);
    placeButton(GradeButton(), 254, 100);
    placeButton(PushButton4(), 366, 100);
    placeButton(PushButton5(), 478, 130);

    SectionButton().SetWidth(across(0, 130));
    SectionButton().SetLeft(7);
    SectionButton().SetHeight(down(0, 20));
    SectionButton().SetTop(down(4, 391));
    SectionButton().SetTextSize(textSize);
}

class Window1& Window1()
{
    return Window::SingleInstance<class Window1>();
}
