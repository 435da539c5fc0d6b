#include "benchmark_pools.h"
#include "exam_class.h"

#include <benchmark/benchmark.h>

#include <memory>

// Every exam choice parses its pool afresh, so this is the wait the user sees.
static void BM_ParseThousandQuestionPool(benchmark::State& state)
{
    const std::string text = ThousandQuestionPool();
    for (auto _ : state) {
        auto pool = std::make_unique<ExamClass>();
        pool->PopulateFromText(text);
        benchmark::DoNotOptimize(pool->gettingQuestionNumber);
    }
    state.SetBytesProcessed(
        static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParseThousandQuestionPool)->Unit(benchmark::kMillisecond);
