#include "varno.h"

#include "resource_files.h"
#include "text.h"

#include <algorithm>
#include <bitset>
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

} // namespace

std::string Varno::PoolProblem() const
{
    std::string pool = "The question pool";
    if (!exam.IsNil() && !exam->poolFile.empty())
        pool += " \"" + exam->poolFile + "\"";
    const std::string refusal = pool + " cannot be used for an exam: ";

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
        if (draws == 0)
            continue;
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
        if (!exam.IsNil() && !exam->poolFile.empty())
            reason = ResourceFileProblem(exam->poolFile);
        return refusal + (reason.empty() ? "it holds no questions." : reason);
    }
    if (totalDraws > kMostExamQuestions)
        return refusal + "its sections draw " + Str(totalDraws) + " questions, more than the "
            + Str(kMostExamQuestions) + " an exam can hold.";
    // The exam length is the pool's own: numberQuestions follows whatever list
    // the exam window shows, and a refused pool has it at 0.
    const Integer examLength = exam.IsNil() ? numberQuestions : exam->numQuestions;
    if (examLength != totalDraws)
        return refusal + "its exam length is " + Str(examLength) + " but its sections draw "
            + Str(totalDraws) + " questions.";
    return {};
}
