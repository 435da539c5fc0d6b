#include "varno.h"

#include "message_sink.h"
#include "random.h"
#include "text.h"

#include <algorithm>
#include <bitset>
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

// The questions the exam holds so far, for the test of a repeat.
using DrawnQuestions = std::bitset<1001>;

bool Holds(const DrawnQuestions& drawn, Integer question)
{
    return question >= 0 && question <= 1000 && drawn.test(static_cast<std::size_t>(question));
}

// One section's questions weighed as PickQuestion weighs them. In front of
// each question stands the total weight of the questions before it, so a pick
// is a binary search; the weights only change with the statistics, so a whole
// exam is drawn with one table per section.
struct SectionWeights {
    Integer section = 0;
    Integer first = 0;
    Integer last = 0;
    Integer top = 0; // the weight of a question never answered right
    std::vector<Integer> before; // at i - first: the weights of first .. i - 1
    Integer total = 0;
};

SectionWeights WeighSection(const Varno& app, Integer section)
{
    SectionWeights weights;
    weights.section = section;
    weights.first = app.sectionStart(section);
    weights.last = app.sectionEnd(section);

    // Questions answered right more often weigh less: the most-known question
    // of the section weighs 2, every other one more.
    Integer max = 0;
    for (Integer i = weights.first; i <= weights.last; ++i)
        max = std::max(max, app.correct(app.classNumber, i));
    weights.top = max + 2;

    if (weights.last >= weights.first)
        weights.before.reserve(static_cast<std::size_t>(weights.last - weights.first + 1));
    for (Integer i = weights.first; i <= weights.last; ++i) {
        weights.before.push_back(weights.total);
        weights.total += weights.top - app.correct(app.classNumber, i);
    }
    return weights;
}

// The pick falls on the question before the first one whose weights in front
// reach r (question 1 itself at the start of the pool), or on the last one.
Integer PickByWeights(Varno& app, const SectionWeights& weights)
{
    const Integer r = app.Random(0, weights.total);
    const auto reached = std::lower_bound(weights.before.begin(), weights.before.end(), r);
    if (reached == weights.before.end())
        return weights.last;
    const Integer i = weights.first + static_cast<Integer>(reached - weights.before.begin());
    return i > 1 ? i - 1 : 1;
}

// A question of the section that the exam does not hold yet, picked by the
// weights PickQuestion gives it.
Integer PickOpenQuestion(Varno& app, const SectionWeights& weights, const DrawnQuestions& drawn)
{
    std::vector<std::pair<Integer, Integer>> open; // question, weight
    Integer total = 0;
    for (Integer i = weights.first; i <= weights.last; ++i) {
        if (!Holds(drawn, i)) {
            open.emplace_back(i, weights.top - app.correct(app.classNumber, i));
            total += open.back().second;
        }
    }
    if (open.empty())
        throw OutOfBoundsException(
            "section " + Str(weights.section) + " has no question left to draw");

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
    // The pool is parsed and checked on its own first: one that fails to
    // parse, or that no exam can be drawn from, leaves the loaded pool, its
    // summary and the exam drawn from it as they were, so the exam window goes
    // on showing a pool and an exam that belong together.
    Ref<ExamClass> pool = MakeRef<ExamClass>();
    std::string problem;
    try {
        pool->PopulateExam(examClass);
        problem = PoolProblem(*pool);
    } catch (const OutOfBoundsException& error) {
        problem = "The question pool \"" + pool->poolFile
            + "\" cannot be used for an exam: from line " + Str(pool->lineNumber)
            + " on it holds more than a pool can (100 sections, 1000 questions).";
        MsgBox(problem);
        throw PoolUnreadableException(problem + " (" + error.Message() + ")");
    }
    if (!problem.empty()) {
        MsgBox(problem);
        throw PoolUnreadableException(problem);
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

    // The debug texts are built only for a listener; they cost more than the
    // drawing itself.
    const bool debugging = DebugMessagesObserved();
    DrawnQuestions drawn;
    Integer n = 1;
    for (Integer s = 1; s <= numberSections; ++s) {
        if (numberInSection(s) < 1)
            continue;
        const SectionWeights weights = WeighSection(*this, s);
        for (Integer j = 1; j <= numberInSection(s); ++j) {
            Integer q = 0;
            bool rejected = true;
            Integer candidates = 0;
            while (rejected) {
                if (++candidates > kMostCandidates) {
                    q = PickOpenQuestion(*this, weights, drawn);
                    if (debugging)
                        WriteDebugMessage(Str(n) + " " + Str(q));
                    break;
                }
                q = PickByWeights(*this, weights);
                if (q == 0)
                    q = 1;
                if (debugging)
                    WriteDebugMessage(Str(n) + " " + Str(q));
                // The exam holds each question once, so a repeat is found once.
                rejected = Holds(drawn, q);
                if (rejected && debugging)
                    WriteDebugMessage("Duplicate");
                if (sectionStart(s) > q || sectionEnd(s) < q) {
                    rejected = true;
                    if (debugging)
                        WriteDebugMessage("Not in correct section");
                }
            }
            question(n) = q;
            answer(n) = 0;
            testQuestion(n) = q;
            testAnswer(n) = 0;
            if (q >= 0 && q <= 1000)
                drawn.set(static_cast<std::size_t>(q));
            ++n;
        }
    }
    testNumberQuestions = numberQuestions;
}

Integer Varno::PickQuestion(Integer section)
{
    return PickByWeights(*this, WeighSection(*this, section));
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
