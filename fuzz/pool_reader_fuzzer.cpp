// The pool reader on arbitrary bytes, then the exam drawing on whatever pool
// it parsed, as choosing an examination does.
#include "fuzz_support.h"

#include "exam_class.h"
#include "ref.h"
#include "varno.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

Varno& FuzzApp()
{
    static std::unique_ptr<Varno> app;
    if (!app) {
        app = std::make_unique<Varno>();
        RegisterFuzzApplication(*app);
    }
    return *app;
}

// What a drawn exam must be whenever the pool passed the pool check: the
// pool's exam length of distinct questions, each section's draw count in a
// row, every question from its own section's range.
void CheckDrawnExam(const Varno& app)
{
    if (app.testNumberQuestions != app.numberQuestions)
        FuzzFault("the saved exam's length differs from the exam's");
    std::set<Integer> drawn;
    Integer entry = 1;
    for (Integer s = 1; s <= app.numberSections; ++s) {
        for (Integer j = 1; j <= app.numberInSection(s); ++j, ++entry) {
            const Integer q = app.question(entry);
            if (q < app.sectionStart(s) || q > app.sectionEnd(s))
                FuzzFault("question " + std::to_string(q) + " drawn outside section "
                    + std::to_string(s));
            if (!drawn.insert(q).second)
                FuzzFault("question " + std::to_string(q) + " drawn twice");
            if (app.answer(entry) != 0 || app.testQuestion(entry) != q
                || app.testAnswer(entry) != 0)
                FuzzFault("the drawn entry " + std::to_string(entry) + " is not saved as drawn");
        }
    }
    if (entry - 1 != app.numberQuestions)
        FuzzFault("the sections drew " + std::to_string(entry - 1)
            + " questions, the exam length is " + std::to_string(app.numberQuestions));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartFuzzRuntime();
    FuzzApp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Varno& app = FuzzApp();
    ForgetMessages();
    const std::string text = AsBytes(data, size);

    // SetExam with the text in place of the pool file.
    app.exam = MakeRef<ExamClass>();
    if (!RunWithSpecifiedExceptions([&] { app.exam->PopulateFromText(text); }))
        return 0;
    bool drawn = false;
    RunWithSpecifiedExceptions([&] {
        app.CopyPoolSummary();
        app.CreateExam();
        drawn = true;
    });
    if (!drawn)
        return 0;
    // A pool that cannot be drawn from is refused, and the user is told why.
    if (const std::string problem = app.PoolProblem(); !problem.empty()) {
        if (RecordedMessages() != std::vector<std::string> { problem })
            FuzzFault("a refused pool was not reported once with its problem");
        if (app.numberQuestions != 0 || app.testNumberQuestions != 0)
            FuzzFault("a refused pool left an exam to take");
        return 0;
    }
    CheckDrawnExam(app);

    // What the exam window then reads of every drawn question.
    for (Integer entry = 1; entry <= app.numberQuestions; ++entry) {
        RunWithSpecifiedExceptions([&] {
            const Integer q = app.question(entry);
            app.GetQuestionCode(q);
            app.GetExamQuestion(q);
            app.GetAnswer(q);
            for (Integer answer = 1; answer <= 4; ++answer)
                app.GetAnswerNumber(q, answer);
        });
    }
    return 0;
}
