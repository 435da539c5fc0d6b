#include "varno.h"

#include "byte_scan.h"

#include "resource_files.h"
#include "text.h"

#include <algorithm>
#include <bitset>
#include <string_view>
#include <vector>

namespace {

constexpr Integer kMostSections = 100;
constexpr Integer kMostPoolQuestions = 1000;
constexpr Integer kMostExamQuestions = 200;

struct DrawnSection {
    Integer first;
    Integer last;
    Integer draws;
};

// The line of a pool file that holds the correct answer of question q: four
// header lines, a line and a label per section, then eight lines a question,
// the correct answer second.
Integer CorrectAnswerLine(const ExamClass& pool, Integer q)
{
    return 4 + 2 * pool.numSections + 8 * (q - 1) + 2;
}

// Why one of the questions first to last (within 1 to 1000) cannot be shown
// or asked: it has no record in the file (a pool cut short), or no correct
// answer 1 to 4 to grade it by. Either would be graded as right when left
// unanswered, and grading counts it under its number. `shownBy` says where
// the range comes from: "section 2 draws from", "the entire pool covers".
std::string RecordProblem(
    const ExamClass& pool, const std::string& shownBy, Integer first, Integer last)
{
    for (Integer q = first; q <= last; ++q) {
        if (q >= pool.gettingQuestionNumber)
            return "question " + Str(q) + ", which " + shownBy
                + ", has no record: the file ends at line "
                + Str(std::max<Integer>(pool.lineNumber - 1, 0)) + ".";
        const Integer key = pool.questionCorrectAnswer(q);
        if (key < 1 || key > 4)
            return "question " + Str(q) + " ("
                + std::string(WithoutTerminator(pool.questionNumber(q))) + ") gives " + Str(key)
                + " as its correct answer on line " + Str(CorrectAnswerLine(pool, q))
                + "; it must be 1 to 4.";
    }
    return {};
}

// What a pool check looks at: the section tables, the exam length, the pass
// mark and, where there is a parsed pool, its question records.
struct PoolLayout {
    Integer sections;
    const FixedArray<Integer, 100>& draws;
    const FixedArray<Integer, 100>& first;
    const FixedArray<Integer, 100>& last;
    Integer examLength;
    Integer passMark;
    const ExamClass* records;
};

// A pool parsed from a file says which of its questions have records; a
// summary set up without one has nothing to check them against.
bool HasRecords(const ExamClass* pool)
{
    return pool != nullptr && pool->gettingQuestionNumber > 0;
}

std::string PoolProblemOf(const PoolLayout& layout)
{
    const Integer numberSections = layout.sections;
    const auto& numberInSection = layout.draws;
    const auto& sectionStart = layout.first;
    const auto& sectionEnd = layout.last;
    const ExamClass* const pool = layout.records;

    std::string file = "The question pool";
    if (pool != nullptr && !pool->poolFile.empty())
        file += " \"" + pool->poolFile + "\"";
    const std::string refusal = file + " cannot be used for an exam: ";

    if (numberSections > kMostSections)
        return refusal + "it has " + Str(numberSections) + " sections, more than "
            + Str(kMostSections) + ".";

    // A section draws its questions after the sections before it, and a
    // question is never drawn twice; so a section must hold its draw count
    // even after the earlier sections have taken from it all they can. What
    // they can take is bounded twice over: each earlier section at most its
    // own draws from the shared part of the ranges, and all of them together
    // at most the questions of this section that any of them covers.
    std::bitset<kMostPoolQuestions + 1> coveredEarlier;
    std::vector<DrawnSection> earlier;
    Integer totalDraws = 0;
    for (Integer s = 1; s <= numberSections; ++s) {
        const Integer draws = numberInSection(s);
        const Integer first = sectionStart(s);
        const Integer last = sectionEnd(s);
        const std::string section = "section " + Str(s);
        if (draws < 0)
            return refusal + section + " draws " + Str(draws) + " questions.";
        if (draws == 0) {
            // The section pop-up still shows such a section, and Grade Exam
            // counts what it shows, so the questions it holds must be there
            // as well. One that holds none is refused by the window alone.
            if (first > last)
                continue;
            if (first < 1 || last > kMostPoolQuestions)
                return refusal + section + " runs from question " + Str(first) + " to question "
                    + Str(last) + ", outside 1 to " + Str(kMostPoolQuestions) + ".";
            if (HasRecords(pool)) {
                if (const std::string problem
                    = RecordProblem(*pool, section + " holds", first, last);
                    !problem.empty())
                    return refusal + problem;
            }
            continue;
        }
        if (first > last)
            return refusal + section + " holds no questions (it runs from " + Str(first) + " to "
                + Str(last) + ") but the exam draws " + Str(draws) + " from it.";
        if (first < 1 || last > kMostPoolQuestions)
            return refusal + section + " runs from question " + Str(first) + " to question "
                + Str(last) + ", outside 1 to " + Str(kMostPoolQuestions) + ".";

        const Integer size = last - first + 1;
        Integer takenBySections = 0;
        for (const DrawnSection& other : earlier) {
            const Integer shared = std::min(last, other.last) - std::max(first, other.first) + 1;
            if (shared > 0)
                takenBySections += std::min(other.draws, shared);
        }
        Integer covered = 0;
        for (Integer q = first; q <= last; ++q)
            covered += coveredEarlier.test(static_cast<std::size_t>(q)) ? 1 : 0;
        const Integer mayBeTaken = std::min(takenBySections, covered);
        if (size - mayBeTaken < draws) {
            if (mayBeTaken == 0)
                return refusal + section + " holds " + Str(size) + " questions but the exam draws "
                    + Str(draws) + " from it.";
            return refusal + section + " holds " + Str(size) + " questions, of which earlier "
                + "sections may already draw " + Str(mayBeTaken) + ", but the exam draws "
                + Str(draws) + " from it.";
        }

        if (HasRecords(pool)) {
            if (const std::string problem
                = RecordProblem(*pool, section + " draws from", first, last);
                !problem.empty())
                return refusal + problem;
        }

        for (Integer q = first; q <= last; ++q)
            coveredEarlier.set(static_cast<std::size_t>(q));
        earlier.push_back({ first, last, draws });
        totalDraws += draws;
    }

    // No draws at all is no exam, whatever the reason: say which, so the user
    // is not left with an empty window. A pool file that is missing or cannot
    // be read gives an empty text, which parses as a pool of no questions.
    if (totalDraws == 0) {
        std::string reason;
        if (pool != nullptr && !pool->poolFile.empty())
            reason = ResourceFileProblem(pool->poolFile);
        return refusal + (reason.empty() ? "it holds no questions." : reason);
    }
    if (totalDraws > kMostExamQuestions)
        return refusal + "its sections draw " + Str(totalDraws) + " questions, more than the "
            + Str(kMostExamQuestions) + " an exam can hold.";
    // The exam length is the pool's own: numberQuestions follows whatever list
    // the exam window shows.
    const Integer examLength = layout.examLength;
    if (examLength != totalDraws)
        return refusal + "its exam length is " + Str(examLength) + " but its sections draw "
            + Str(totalDraws) + " questions.";

    // Entire Pool shows questions 1 to the last section's end, gaps between
    // the sections included; an end beyond 1000 has no record either.
    if (HasRecords(pool)) {
        const Integer last = sectionEnd(numberSections);
        if (const std::string problem = RecordProblem(*pool, "the entire pool covers", 1,
                std::min<Integer>(last, kMostPoolQuestions + 1));
            !problem.empty())
            return refusal + problem;
    }

    // An editor's byte-order mark stands in front of the pass mark, which then
    // reads as 0 and every exam would pass: the user is told of the mark, the
    // cause, rather than of the 0.
    if (pool != nullptr && pool->beginsWithByteOrderMark)
        return refusal + "it begins with a UTF-8 byte-order mark, so the pass mark on line 1 "
            + "reads as 0; save it without one.";
    // A pass mark of 0 or less passes an exam left blank; one above the exam
    // length can never be reached.
    const Integer passMark = layout.passMark;
    if (passMark < 1 || passMark > examLength)
        return refusal + "it gives " + Str(passMark)
            + " as its pass mark on line 1; it must be 1 to " + Str(examLength)
            + ", the exam length.";
    return {};
}

} // namespace

std::string Varno::PoolProblem() const
{
    return PoolProblemOf({ numberSections, numberInSection, sectionStart, sectionEnd,
        exam.IsNil() ? numberQuestions : exam->numQuestions, numberNeeded, exam.Pointer() });
}

std::string Varno::PoolProblem(const ExamClass& pool) const
{
    return PoolProblemOf({ pool.numSections, pool.numInSection, pool.sectionStart, pool.sectionEnd,
        pool.numQuestions, pool.minCorrect, &pool });
}
