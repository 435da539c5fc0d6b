#include "varno.h"

#include "debug_messages_testing.h"

#include <utility>

namespace {

std::function<void(const std::string&)>& DebugMessageObserver()
{
    static std::function<void(const std::string&)> observer;
    return observer;
}

} // namespace

void SetDebugMessageObserver(std::function<void(const std::string&)> observer)
{
    DebugMessageObserver() = std::move(observer);
}

bool DebugMessagesObserved()
{
    return static_cast<bool>(DebugMessageObserver());
}

// The arrays are members with their bounds and zeros already; the object
// needs nothing more to start.
Varno::Varno() = default;

Varno& App()
{
    auto* app = dynamic_cast<Varno*>(Application::CurrentOrNull());
    if (app == nullptr)
        throw NilObjectException("no Varno application object");
    return *app;
}

std::string Varno::GetStringNumber(Integer, Integer)
{
    return {};
}

std::string Varno::GetExamQuestion(Integer poolQuestion)
{
    return exam->question(poolQuestion);
}

std::string Varno::GetAnswerNumber(Integer poolQuestion, Integer answerNumber)
{
    return exam->questionAnswer(poolQuestion, answerNumber);
}

Integer Varno::GetAnswer(Integer poolQuestion)
{
    return exam->questionCorrectAnswer(poolQuestion);
}

std::string Varno::GetQuestionCode(Integer poolQuestion)
{
    return exam->questionNumber(poolQuestion);
}

void Varno::WriteDebugMessage(const std::string& text)
{
    // Debug texts go nowhere in the program; only a test may be listening.
    if (const auto& observer = DebugMessageObserver())
        observer(text);
}
