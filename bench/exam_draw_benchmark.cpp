#include "benchmark_pools.h"
#include "random.h"
#include "varno.h"

#include <benchmark/benchmark.h>

// Drawing a 200-question exam from a 1000-question pool, with right-answer
// counts that give the questions different weights.
static void BM_DrawTwoHundredQuestionExam(benchmark::State& state)
{
    Varno app;
    Application::Register(&app);
    app.exam = MakeRef<ExamClass>();
    app.exam->PopulateFromText(ThousandQuestionPool());
    app.classNumber = 1;
    app.numberQuestions = app.exam->numQuestions;
    app.numberSections = app.exam->numSections;
    for (Integer s = 1; s <= app.numberSections; ++s) {
        app.numberInSection(s) = app.exam->numInSection(s);
        app.sectionStart(s) = app.exam->sectionStart(s);
        app.sectionEnd(s) = app.exam->sectionEnd(s);
    }
    for (Integer q = 1; q <= 1000; ++q)
        app.correct(1, q) = q % 7;
    SeedRnd(1);
    for (auto _ : state) {
        app.CreateExam();
        benchmark::DoNotOptimize(app.question(200));
    }
    Application::Register(nullptr);
}
BENCHMARK(BM_DrawTwoHundredQuestionExam)->Unit(benchmark::kMicrosecond);
