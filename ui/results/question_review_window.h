#pragma once

#include "types.h"
#include "window.h"

#include <string>

class Label;
class MarkCanvas;
class PushButton;

// One question by itself with its correct answer marked; a new window for
// every request (no accessor).
class QuestionReviewWindow : public Window {
public:
    void Layout() override;
    void CreateControls() override;

    Label& QuestionCodeText() const;
    Label& QuestionText() const;
    Label& AnswerText1() const;
    Label& AnswerText2() const;
    Label& AnswerText3() const;
    Label& AnswerText4() const;
    PushButton& PushButton1() const;
    MarkCanvas& Canvas1(Integer index) const;

    void PushButton1_Action(PushButton& button);
    void init(const std::string& code, const std::string& questionText, Integer correctAnswer,
        const std::string& answer1, const std::string& answer2, const std::string& answer3,
        const std::string& answer4);
};
