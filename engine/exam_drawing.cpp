#include "varno.h"

#include "message_sink.h"
#include "random.h"
#include "text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace {

// The integer part of value, held to the range of Integer (a cast of a Double
// beyond it would be undefined).
Integer TruncatedToInteger(double value)
{
    constexpr double kTwoToThe63 = 9223372036854775808.0;
    if (std::isnan(value))
        return 0;
    if (value >= kTwoToThe63)
        return std::numeric_limits<Integer>::max();
    if (value < -kTwoToThe63)
        return std::numeric_limits<Integer>::min();
    return static_cast<Integer>(value);
}

// Every question weighs at least 2, so the redraws for an entry end; but
// statistics whose counts lie far apart (a damaged file holds any 32-bit
// counts) can leave the questions still open so light that the redraws would
// run for hours. Past this many candidates for one entry, the entry is drawn
// from the open questions alone, by the same weights: the choice the redraws
// would have come to.
constexpr Integer kMostCandidates = 1000;

// A question of the section that none of the first `drawn` entries holds,
// picked by the weights PickQuestion gives it.
Integer PickOpenQuestion(Varno& app, Integer section, Integer drawn)
{
    const Integer first = app.sectionStart(section);
    const Integer last = app.sectionEnd(section);
    Integer max = 0;
    for (Integer i = first; i <= last; ++i)
        max = std::max(max, app.correct(app.classNumber, i));
    const Integer top = max + 2;

    std::vector<std::pair<Integer, Integer>> open; // question, weight
    Integer total = 0;
    for (Integer i = first; i <= last; ++i) {
        bool taken = false;
        for (Integer m = 1; m <= drawn && !taken; ++m)
            taken = app.question(m) == i;
        if (!taken) {
            open.emplace_back(i, top - app.correct(app.classNumber, i));
            total += open.back().second;
        }
    }
    if (open.empty())
        throw OutOfBoundsException("section " + Str(section) + " has no question left to draw");

    Integer r = app.Random(1, total);
    for (const auto& [question, weight] : open) {
        if (r <= weight)
            return question;
        r -= weight;
    }
    return open.back().first;
}

} // namespace

void Varno::SetExam(Integer examClass)
{
    // The pool is parsed on its own first: one that fails to parse leaves the
    // loaded pool, its summary and the exam drawn from it as they were, so
    // the exam window goes on showing a pool and an exam that belong together.
    Ref<ExamClass> pool = MakeRef<ExamClass>();
    try {
        pool->PopulateExam(examClass);
    } catch (const OutOfBoundsException& error) {
        const std::string problem = "The question pool \"" + pool->poolFile
            + "\" cannot be used for an exam: from line " + Str(pool->lineNumber)
            + " on it holds more than a pool can (100 sections, 1000 questions).";
        MsgBox(problem);
        throw PoolUnreadableException(problem + " (" + error.Message() + ")");
    }
    exam = pool;
    CopyPoolSummary();
    CreateExam();
}

void Varno::CopyPoolSummary()
{
    examName = exam->name;
    numberNeeded = exam->minCorrect;
    numberQuestions = exam->numQuestions;
    numberSections = exam->numSections;
    for (Integer s = 1; s <= numberSections; ++s) {
        questionsPerSection(s) = exam->numInSection(s);
        sectionStart(s) = exam->sectionStart(s);
        sectionEnd(s) = exam->sectionEnd(s);
        numberInSection(s) = exam->numInSection(s);
    }
}

void Varno::CreateExam()
{
    // The redraw loop below only ends for pool data that can give every section
    // its draw count of new questions; anything else is refused here, with the
    // pool kept loaded for browsing but no exam drawn from it.
    const std::string problem = PoolProblem();
    if (!problem.empty()) {
        numberQuestions = 0;
        testNumberQuestions = 0;
        MsgBox(problem);
        return;
    }

    Integer n = 1;
    for (Integer s = 1; s <= numberSections; ++s) {
        for (Integer j = 1; j <= numberInSection(s); ++j) {
            Integer q = 0;
            bool rejected = true;
            Integer candidates = 0;
            while (rejected) {
                if (++candidates > kMostCandidates) {
                    q = PickOpenQuestion(*this, s, n - 1);
                    App().WriteDebugMessage(Str(n) + " " + Str(q));
                    break;
                }
                q = PickQuestion(s);
                if (q == 0)
                    q = 1;
                App().WriteDebugMessage(Str(n) + " " + Str(q));
                rejected = false;
                for (Integer m = 1; m <= n - 1; ++m) {
                    if (question(m) == q) {
                        rejected = true;
                        App().WriteDebugMessage("Duplicate");
                    }
                }
                if (sectionStart(s) > q || sectionEnd(s) < q) {
                    rejected = true;
                    App().WriteDebugMessage("Not in correct section");
                }
            }
            question(n) = q;
            answer(n) = 0;
            testQuestion(n) = q;
            testAnswer(n) = 0;
            ++n;
        }
    }
    testNumberQuestions = numberQuestions;
}

Integer Varno::PickQuestion(Integer section)
{
    const Integer first = sectionStart(section);
    const Integer last = sectionEnd(section);

    // Questions answered right more often weigh less: the most-known question
    // of the section weighs 2, every other one more.
    Integer max = 0;
    for (Integer i = first; i <= last; ++i)
        max = std::max(max, correct(classNumber, i));
    const Integer top = max + 2;

    std::vector<Integer> cumulative; // w(i) at i - first
    Integer total = 0;
    for (Integer i = first; i <= last; ++i) {
        cumulative.push_back(total);
        total += top - correct(classNumber, i);
    }

    const Integer r = Random(0, total);
    for (Integer i = first; i <= last; ++i) {
        if (r <= cumulative[static_cast<std::size_t>(i - first)])
            return i > 1 ? i - 1 : 1;
    }
    return last;
}

Integer Varno::Random(Integer low, Integer high)
{
    if (low == 0)
        return TruncatedToInteger(Rnd() * static_cast<double>(high) + 0.5);
    const Integer offset
        = TruncatedToInteger(Rnd() * (static_cast<double>(high) - static_cast<double>(low)) + 0.5);
    Integer result = 0;
    if (__builtin_add_overflow(low, offset, &result))
        return offset > 0 ? std::numeric_limits<Integer>::max()
                          : std::numeric_limits<Integer>::min();
    return result;
}

void Varno::CreateSectionExam(Integer section)
{
    const Integer count = exam->sectionEnd(section) - exam->sectionStart(section) + 1;
    // A section longer than the question list is refused before the list
    // changes, rather than half-way through it.
    if (count > question.UBound())
        throw OutOfBoundsException("section " + Str(section) + " holds " + Str(count)
            + " questions, more than the list holds");
    numberQuestions = count;
    for (Integer i = 1; i <= numberQuestions; ++i) {
        question(i) = exam->sectionStart(section) + i - 1;
        answer(i) = 0;
    }
}
