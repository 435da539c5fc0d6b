#include "program_session.h"

#include "about_dialog.h"
#include "application.h"
#include "choose_exam_window.h"
#include "date.h"
#include "exam_start.h"
#include "history_window.h"
#include "listbox.h"
#include "picture_window.h"
#include "push_button.h"
#include "question_review_window.h"
#include "score_dialog.h"
#include "stats_window.h"
#include "varno.h"
#include "window.h"
#include "window1.h"

#include <benchmark/benchmark.h>

#include <functional>

namespace {

// Opening a window as the user waits for it: built, filled, shown and
// painted once. Closing it again is not measured. The program is started
// once per benchmark and brought to the state the window needs. Resource
// files (pools, pictures) are read once a run and kept, so these are the
// openings after the first: the reading of those files is not in them.
void MeasureOpening(
    benchmark::State& state, const std::function<void()>& prepare,
    const std::function<Window&()>& open,
    const std::function<bool(Window&)>& filled = [](Window&) { return true; })
{
    StartProgram();
    prepare();
    LetEventsRun();
    for (auto _ : state) {
        Window& window = open();
        LetEventsRun();
        state.PauseTiming();
        if (!window.Visible() || !filled(window)) {
            state.SkipWithError("the window was not shown as it should be");
            break;
        }
        window.Close();
        LetEventsRun();
        state.ResumeTiming();
    }
    StopProgram();
}

void Nothing() { }

// A Technician exam started as the chooser starts it; the results windows
// read its pool and its examination class.
void DrawTechnicianExam()
{
    StartAmateurExam(1);
}

Integer ListRows(Window& window)
{
    if (auto* stats = dynamic_cast<class StatsWindow*>(&window))
        return stats->ListBox1().ListCount();
    if (auto* history = dynamic_cast<class HistoryWindow*>(&window))
        return history->ListBox1().ListCount();
    return -1;
}

} // namespace

// A new exam window with Window1.Init: the Technician pool parsed, an exam
// drawn, the first question shown.
static void BM_OpenExamWindow(benchmark::State& state)
{
    MeasureOpening(state, Nothing, []() -> Window& {
        class Window1& window = Window1();
        window.Init(1);
        return window;
    });
}
BENCHMARK(BM_OpenExamWindow)->Unit(benchmark::kMillisecond);

// What a press on "Technician" in the chooser costs with the exam and figure
// windows already open: a new draw into the open exam window.
static void BM_ChooserStartsAnotherExam(benchmark::State& state)
{
    StartProgram();
    ChooseExamWindow().PushButton1().Push();
    LetEventsRun();
    for (auto _ : state) {
        ChooseExamWindow().PushButton1().Push();
        LetEventsRun();
    }
    if (App().classNumber != 1 || Window::FindOpen<class Window1>() == nullptr)
        state.SkipWithError("the press started no Technician exam");
    StopProgram();
}
BENCHMARK(BM_ChooserStartsAnotherExam)->Unit(benchmark::kMillisecond);

// The statistics list of the whole Technician pool.
static void BM_OpenQuestionHistory(benchmark::State& state)
{
    MeasureOpening(
        state, DrawTechnicianExam, []() -> Window& { return StatsWindow(); },
        [](Window& window) { return ListRows(window) == App().sectionEnd(App().numberSections); });
}
BENCHMARK(BM_OpenQuestionHistory)->Unit(benchmark::kMillisecond);

// Fills the Technician history with exams graded a day apart, the last one
// now; each a further step of the clock later in its day than the one before.
void GradeExams(Integer exams, double secondsLaterEachDay)
{
    DrawTechnicianExam();
    Varno& app = App();
    const double now = Date().TotalSeconds();
    for (Integer slot = 1; slot <= exams; ++slot) {
        const auto daysBack = static_cast<double>(exams - slot);
        app.historyDate(1, slot) = now - (86400.0 + secondsLaterEachDay) * daysBack;
        app.historyCorrect(1, slot) = 20 + slot % 15;
        app.historyIncorrect(1, slot) = 15 - slot % 15;
    }
}

// The exam history with as many graded exams as it can list.
static void BM_OpenExamHistory(benchmark::State& state)
{
    const Integer exams = state.range(0);
    MeasureOpening(
        state, [exams] { GradeExams(exams, 0); }, []() -> Window& { return HistoryWindow(); },
        [exams](Window& window) { return ListRows(window) == exams; });
}
BENCHMARK(BM_OpenExamHistory)
    ->ArgName("graded_exams")
    ->Arg(10)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);

// The same, with no two exams at the same time of day (the one above grades
// them all at the time of day of the last), as a real history has them.
static void BM_OpenExamHistoryAtVariedTimes(benchmark::State& state)
{
    const Integer exams = state.range(0);
    MeasureOpening(
        state, [exams] { GradeExams(exams, 61); }, []() -> Window& { return HistoryWindow(); },
        [exams](Window& window) { return ListRows(window) == exams; });
}
BENCHMARK(BM_OpenExamHistoryAtVariedTimes)
    ->ArgName("graded_exams")
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);

// One question by itself, as a double-click in the question history opens it.
static void BM_OpenQuestionReview(benchmark::State& state)
{
    MeasureOpening(state, DrawTechnicianExam, []() -> Window& {
        Varno& app = App();
        auto& window = Window::Create<QuestionReviewWindow>();
        window.init(app.GetQuestionCode(1), app.GetExamQuestion(1), app.GetAnswer(1),
            app.GetAnswerNumber(1, 1), app.GetAnswerNumber(1, 2), app.GetAnswerNumber(1, 3),
            app.GetAnswerNumber(1, 4));
        return window;
    });
}
BENCHMARK(BM_OpenQuestionReview)->Unit(benchmark::kMillisecond);

// The figure viewer with its first figure painted.
static void BM_OpenFigureViewer(benchmark::State& state)
{
    MeasureOpening(state, Nothing, []() -> Window& { return PictureWindow(); });
}
BENCHMARK(BM_OpenFigureViewer)->Unit(benchmark::kMillisecond);

// "Results" after grading.
static void BM_OpenScoreDialog(benchmark::State& state)
{
    MeasureOpening(state, DrawTechnicianExam, []() -> Window& {
        class ScoreDialog& dialog = ScoreDialog();
        dialog.init(20, 15, 26);
        return dialog;
    });
}
BENCHMARK(BM_OpenScoreDialog)->Unit(benchmark::kMillisecond);

// The exam chooser by itself.
static void BM_OpenChooser(benchmark::State& state)
{
    const auto closeStartupChooser = [] { ChooseExamWindow().Close(); };
    MeasureOpening(state, closeStartupChooser, []() -> Window& { return ChooseExamWindow(); });
}
BENCHMARK(BM_OpenChooser)->Unit(benchmark::kMillisecond);

// The about box, with its version line.
static void BM_OpenAboutBox(benchmark::State& state)
{
    MeasureOpening(state, Nothing, []() -> Window& { return AboutDialog(); });
}
BENCHMARK(BM_OpenAboutBox)->Unit(benchmark::kMillisecond);
