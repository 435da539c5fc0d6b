#include "question_review_window.h"

#include "control_records.h"
#include "exceptions.h"
#include "label.h"
#include "mark_canvas.h"
#include "property_record.h"
#include "push_button.h"
#include "text.h"

#include <string>

namespace {

constexpr Integer kFirstAnswer = 1;
constexpr Integer kLastAnswer = 4;
constexpr Integer kCorrectAnswerMark = 1;

std::string TextLabelRecord(const std::string& name, Integer left, Integer top, Integer width,
    Integer height, Integer tabIndex, bool multiline)
{
    LabelRecord record;
    record.place = Placement::At(name, left, top, width, height, tabIndex);
    record.text = "Label:";
    record.multiline = multiline;
    return record.Encode();
}

// A line end or NUL that ends a question text is part of how the pool stored
// it, not of the question.
bool IsTrailingTerminator(char last)
{
    return last == '\r' || last == '\n' || last == '\0';
}

} // namespace

void QuestionReviewWindow::Layout()
{
    WindowRecord record;
    record.width = 548;
    record.height = 378;
    record.title = "Question";
    record.liveResize = false;
    ApplyPropertyRecord(*this, record.Encode());
}

void QuestionReviewWindow::CreateControls()
{
    AddControl<Label>(
        "QuestionCodeText", TextLabelRecord("QuestionCodeText", 40, 7, 121, 20, 0, false));
    AddControl<Label>("QuestionText", TextLabelRecord("QuestionText", 40, 39, 485, 66, 1, true));
    AddControl<Label>("AnswerText1", TextLabelRecord("AnswerText1", 40, 115, 485, 50, 2, true));
    AddControl<Label>("AnswerText2", TextLabelRecord("AnswerText2", 40, 170, 485, 50, 3, true));
    AddControl<Label>("AnswerText3", TextLabelRecord("AnswerText3", 40, 225, 485, 50, 4, true));
    AddControl<Label>("AnswerText4", TextLabelRecord("AnswerText4", 40, 280, 485, 50, 5, true));

    // Return closes the window; Escape does not.
    PushButtonRecord ok;
    ok.place = Placement::At("PushButton1", 227, 347, 69, 20, 6);
    ok.caption = "OK";
    ok.isDefault = true;
    AddControl<PushButton>("PushButton1", ok.Encode()).OnAction([this](PushButton& button) {
        PushButton1_Action(button);
    });

    AddControl<MarkCanvas>("Canvas1", MarkCanvas::StoredRecord(1, 106, 7));
    AddControl<MarkCanvas>("Canvas1", MarkCanvas::StoredRecord(2, 163, 8));
    AddControl<MarkCanvas>("Canvas1", MarkCanvas::StoredRecord(3, 218, 9));
    AddControl<MarkCanvas>("Canvas1", MarkCanvas::StoredRecord(4, 271, 10));
}

Label& QuestionReviewWindow::QuestionCodeText() const
{
    return Find<Label>("QuestionCodeText");
}

Label& QuestionReviewWindow::QuestionText() const
{
    return Find<Label>("QuestionText");
}

Label& QuestionReviewWindow::AnswerText1() const
{
    return Find<Label>("AnswerText1");
}

Label& QuestionReviewWindow::AnswerText2() const
{
    return Find<Label>("AnswerText2");
}

Label& QuestionReviewWindow::AnswerText3() const
{
    return Find<Label>("AnswerText3");
}

Label& QuestionReviewWindow::AnswerText4() const
{
    return Find<Label>("AnswerText4");
}

PushButton& QuestionReviewWindow::PushButton1() const
{
    return Find<PushButton>("PushButton1");
}

MarkCanvas& QuestionReviewWindow::Canvas1(Integer index) const
{
    // Matched on the exact index: the platform's lookup takes -1 for "any
    // member", which must not turn a bad answer number into some mark.
    for (const auto& control : Controls()) {
        if (control->Name() == "Canvas1" && control->Index() == index) {
            if (auto* mark = dynamic_cast<MarkCanvas*>(control.get()))
                return *mark;
        }
    }
    throw NilObjectException("no Canvas1 member with index " + Str(index));
}

void QuestionReviewWindow::PushButton1_Action(PushButton&)
{
    Close();
}

void QuestionReviewWindow::init(const std::string& code, const std::string& questionText,
    Integer correctAnswer, const std::string& answer1, const std::string& answer2,
    const std::string& answer3, const std::string& answer4)
{
    QuestionCodeText().SetText(code);

    // Only the question text loses its terminator, and only one character of
    // it: the code and answers are shown as the pool holds them.
    std::string shownQuestion = questionText;
    if (!shownQuestion.empty() && IsTrailingTerminator(shownQuestion.back()))
        shownQuestion.pop_back();
    QuestionText().SetText(shownQuestion);

    AnswerText1().SetText(answer1);
    AnswerText2().SetText(answer2);
    AnswerText3().SetText(answer3);
    AnswerText4().SetText(answer4);

    for (Integer answer = kFirstAnswer; answer <= kLastAnswer; ++answer)
        Canvas1(answer).SetVisible(false);

    // Any other number (0 from a question beyond the pool, or bad pool data)
    // marks nothing. The newly shown mark paints at the next update, with its
    // type already set.
    if (correctAnswer >= kFirstAnswer && correctAnswer <= kLastAnswer) {
        MarkCanvas& mark = Canvas1(correctAnswer);
        mark.SetVisible(true);
        mark.type = kCorrectAnswerMark;
    }
}
