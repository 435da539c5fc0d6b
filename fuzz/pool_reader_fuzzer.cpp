// The pool reader on arbitrary bytes, then the exam drawing on whatever pool
// it parsed, as choosing an examination does; then the exam window on the
// same pool file: every section and the whole pool browsed from the section
// pop-up, and the exam graded.
#include "fuzz_support.h"

#include "bevel_button.h"
#include "exam_class.h"
#include "folder_item.h"
#include "popup_menu.h"
#include "radio_button.h"
#include "ref.h"
#include "resource_files_testing.h"
#include "varno.h"
#include "window1.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

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

// The resource folder the exam window loads its pool from.
std::filesystem::path PoolFile()
{
    return std::filesystem::path(std::getenv("TMPDIR")) / "program" / "Resources" / "TechFile.txt";
}

// What the user can do with the exam window on this pool: start the exam,
// answer every entry, look at every row of the section pop-up, come back to
// the exam and grade it. Whatever the pool holds, the exam keeps its answers,
// a refused choice changes nothing, and a grading records one result of the
// exam's own length, or nothing for an exam of no questions.
void BrowseAndGrade(Varno& app, const std::string& text)
{
    {
        std::ofstream file(PoolFile(), std::ios::binary | std::ios::trunc);
        file << text;
    }
    ForgetResourceFilesForTesting();
    // Each input starts from no statistics, so it draws the same every time.
    for (Integer q = 1; q <= 1000; ++q) {
        app.correct(1, q) = 0;
        app.incorrect(1, q) = 0;
    }
    app.historyDate(1, 1) = 0.0;
    app.historyCorrect(1, 1) = 0;
    app.historyIncorrect(1, 1) = 0;
    app.classNumber = 1;

    class Window1& window = Window1();
    if (!RunWithSpecifiedExceptions([&] { window.Init(1); }))
        return;
    ForgetMessages();

    // Answer 1, 2, 3, 4, 1, ... as the user clicks through the exam.
    window.FirstButton().Push();
    for (Integer n = 1; n <= app.numberQuestions; ++n) {
        AnswerButtonNumber(window, (n - 1) % 4 + 1).Push();
        window.NextButton().Push();
    }

    PopupMenu& popup = window.SectionButton();
    const Integer examRow = popup.ListCount() - 1;
    const std::vector<Integer> saved = [&] {
        std::vector<Integer> questions;
        for (Integer n = 1; n <= app.testNumberQuestions && n <= app.testQuestion.UBound(); ++n)
            questions.push_back(app.testQuestion(n));
        return questions;
    }();
    std::vector<Integer> answers;
    for (Integer n = 1; n <= app.numberQuestions; ++n)
        answers.push_back(app.answer(n));

    for (Integer row = 0; row < examRow; ++row) {
        const Integer shownRow = popup.ListIndex();
        const std::size_t messages = RecordedMessages().size();
        popup.Choose(row);
        if (RecordedMessages().size() > messages) {
            if (popup.ListIndex() != shownRow)
                FuzzFault("a refused pop-up choice left the pop-up on it");
            continue;
        }
        // Every entry of a section or of the pool is a question of the pool.
        for (Integer n = 1; n <= app.numberQuestions; ++n) {
            if (app.question(n) < 1 || app.question(n) > 1000 || app.answer(n) != 0)
                FuzzFault("browsing row " + std::to_string(row) + " listed entry "
                    + std::to_string(n) + " as question " + std::to_string(app.question(n)));
        }
    }
    popup.Choose(examRow);
    if (window.previousExamMode != 1)
        FuzzFault("the exam could not be shown again");
    for (Integer n = 1; n <= app.numberQuestions; ++n) {
        if (app.question(n) != saved.at(static_cast<std::size_t>(n - 1)))
            FuzzFault("the exam came back with other questions");
    }
    for (Integer n = 1; n <= app.numberQuestions; ++n) {
        if (app.answer(n) != answers.at(static_cast<std::size_t>(n - 1)))
            FuzzFault("browsing the pool cost the exam its answer " + std::to_string(n));
    }

    Integer right = 0;
    for (Integer n = 1; n <= app.numberQuestions; ++n)
        right += app.GetAnswer(app.question(n)) == app.answer(n) ? 1 : 0;
    window.GradeButton().Push();
    if (app.numberQuestions < 1) {
        if (app.historyDate(1, 1) != 0.0)
            FuzzFault("an exam of no questions was graded");
        return;
    }
    if (app.historyDate(1, 1) == 0.0 || app.historyCorrect(1, 1) != right
        || app.historyIncorrect(1, 1) != app.numberQuestions - right)
        FuzzFault("the graded exam was recorded as " + std::to_string(app.historyCorrect(1, 1))
            + " right and " + std::to_string(app.historyIncorrect(1, 1)) + " wrong, not "
            + std::to_string(right) + " of " + std::to_string(app.numberQuestions));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartFuzzRuntime();
    Varno& app = FuzzApp();
    std::filesystem::create_directories(PoolFile().parent_path());
    app.SetExecutableFile(
        MakeRef<FolderItem>((PoolFile().parent_path().parent_path() / "bin" / "varno").string()));
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
        BrowseAndGrade(app, text);
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
    BrowseAndGrade(app, text);
    return 0;
}
