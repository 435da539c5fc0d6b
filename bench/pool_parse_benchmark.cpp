#include "benchmark_pools.h"
#include "exam_class.h"

#include <benchmark/benchmark.h>

#include <memory>

// Every exam choice parses its pool afresh. The pool object is made and
// destroyed outside the timing: that cost is reported apart, below, and the
// user's wait is the two together.
static void BM_ParseThousandQuestionPool(benchmark::State& state)
{
    const std::string text = ThousandQuestionPool();
    for (auto _ : state) {
        state.PauseTiming();
        auto pool = std::make_unique<ExamClass>();
        state.ResumeTiming();
        pool->PopulateFromText(text);
        benchmark::DoNotOptimize(pool->gettingQuestionNumber);
        state.PauseTiming();
        pool.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(
        static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParseThousandQuestionPool)->Unit(benchmark::kMicrosecond);

// Making an empty pool object and destroying a full one: the rest of an exam
// choice's cost of the pool.
static void BM_MakeAndDestroyPoolObject(benchmark::State& state)
{
    const std::string text = ThousandQuestionPool();
    for (auto _ : state) {
        auto pool = std::make_unique<ExamClass>();
        state.PauseTiming();
        pool->PopulateFromText(text);
        state.ResumeTiming();
        pool.reset();
        benchmark::DoNotOptimize(pool);
    }
}
BENCHMARK(BM_MakeAndDestroyPoolObject)->Unit(benchmark::kMicrosecond);
