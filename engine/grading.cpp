#include "varno.h"

#include "date.h"
#include "message_sink.h"
#include "score_dialog.h"
#include "text.h"

namespace {

// The slots of one class's exam history.
constexpr Integer kMostHistoryEntries = 1000;

// What grading says when a class's history has no slot left for the result.
std::string HistoryFullMessage(const std::string& examName, Integer classNumber)
{
    const std::string history = examName.empty() ? std::string("exam") : examName + " exam";
    std::string message = "This result was not added to the " + history
        + " history: it already holds " + Str(kMostHistoryEntries)
        + " graded exams, as many as Varno keeps.";
    // Edit > Clear Exam Histories clears classes 1 to 4 only, and asks nothing:
    // the user must know what else goes before choosing it.
    if (classNumber >= 1 && classNumber <= 4)
        message += " Edit > Clear Exam Histories makes room for new results, but it clears at "
                   "once, without asking, every exam history and every question's statistics "
                   "of the Technician, General, Extra and Element 1 exams.";
    return message;
}

} // namespace

void Varno::GradeExam()
{
    // A list of no questions is no exam: nothing to score, nothing to record.
    if (numberQuestions < 1)
        return;
    Integer right = 0;
    Integer wrong = 0;
    // An unanswered entry (0) is wrong. A question without a correct answer
    // 1 to 4 (a damaged pool) is wrong whatever was chosen, or leaving it
    // unanswered would score.
    for (Integer n = 1; n <= numberQuestions; ++n) {
        const Integer q = question(n);
        const Integer key = GetAnswer(q);
        if (key >= 1 && key <= 4 && key == answer(n)) {
            ++right;
            ++correct(classNumber, q);
        } else {
            ++wrong;
            ++incorrect(classNumber, q);
        }
    }
    const bool stored = AddExamResults(right, wrong);
    ScoreDialog().init(right, wrong, numberNeeded);
    if (!stored)
        MsgBox(HistoryFullMessage(examName, classNumber));
}

bool Varno::AddExamResults(Integer right, Integer wrong)
{
    const Date now;
    // The first free slot takes the result; a full history keeps what it has.
    for (Integer k = 1; k <= kMostHistoryEntries; ++k) {
        if (historyDate(classNumber, k) == 0.0) {
            historyDate(classNumber, k) = now.TotalSeconds();
            historyCorrect(classNumber, k) = right;
            historyIncorrect(classNumber, k) = wrong;
            return true;
        }
    }
    return false;
}
