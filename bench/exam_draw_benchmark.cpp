#include "benchmark_pools.h"
#include "random.h"
#include "varno.h"

#include <benchmark/benchmark.h>

namespace {

// A registered application object with the pool loaded and right-answer
// counts that give the questions different weights.
class DrawingApp {
public:
    explicit DrawingApp(const std::string& poolText)
    {
        Application::Register(&app);
        app.exam = MakeRef<ExamClass>();
        app.exam->PopulateFromText(poolText);
        app.classNumber = 1;
        app.CopyPoolSummary();
        for (Integer q = 1; q <= 1000; ++q)
            app.correct(1, q) = q % 7;
        SeedRnd(1);
    }
    ~DrawingApp() { Application::Register(nullptr); }
    DrawingApp(const DrawingApp&) = delete;
    DrawingApp& operator=(const DrawingApp&) = delete;

    Varno app;
};

} // namespace

// A 200-question exam from a 1000-question pool of 50 sections of 20.
static void BM_DrawTwoHundredQuestionExam(benchmark::State& state)
{
    DrawingApp drawing(ThousandQuestionPool());
    for (auto _ : state) {
        drawing.app.CreateExam();
        benchmark::DoNotOptimize(drawing.app.question(200));
    }
}
BENCHMARK(BM_DrawTwoHundredQuestionExam)->Unit(benchmark::kMicrosecond);

// 200 questions from one section of 1000: the redraws for repeats grow with
// the share of the section already drawn.
static void BM_DrawTwoHundredFromOneSection(benchmark::State& state)
{
    DrawingApp drawing(OneSectionPool());
    for (auto _ : state) {
        drawing.app.CreateExam();
        benchmark::DoNotOptimize(drawing.app.question(200));
    }
}
BENCHMARK(BM_DrawTwoHundredFromOneSection)->Unit(benchmark::kMicrosecond);
