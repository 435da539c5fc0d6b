#include "varno.h"

#include "date.h"
#include "score_dialog.h"

void Varno::GradeExam()
{
    // A list of no questions is no exam: nothing to score, nothing to record.
    if (numberQuestions < 1)
        return;
    Integer right = 0;
    Integer wrong = 0;
    // An unanswered entry (0) is wrong: every question has an answer 1 to 4.
    for (Integer n = 1; n <= numberQuestions; ++n) {
        const Integer q = question(n);
        if (GetAnswer(q) == answer(n)) {
            ++right;
            ++correct(classNumber, q);
        } else {
            ++wrong;
            ++incorrect(classNumber, q);
        }
    }
    AddExamResults(right, wrong);
    ScoreDialog().init(right, wrong, numberNeeded);
}

void Varno::AddExamResults(Integer right, Integer wrong)
{
    const Date now;
    // The first free slot takes the result; a full history keeps what it has.
    for (Integer k = 1; k <= 1000; ++k) {
        if (historyDate(classNumber, k) == 0.0) {
            historyDate(classNumber, k) = now.TotalSeconds();
            historyCorrect(classNumber, k) = right;
            historyIncorrect(classNumber, k) = wrong;
            return;
        }
    }
}
