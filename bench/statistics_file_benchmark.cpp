#include "file_types.h"
#include "private_environment.h"
#include "varno.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

// The process's private home, preferences, temporary and runtime folders
// (never the user's), made at the first use and removed at the end.
void UsePrivateFolders()
{
    static const struct Folders {
        std::string root = MakePrivateEnvironment("varno-bench");
        ~Folders()
        {
            std::error_code ignored;
            std::filesystem::remove_all(root, ignored);
        }
    } folders;
}

// An application object whose statistics fill the file with varied values,
// saving into the private preferences folder.
class StatisticsBench {
public:
    StatisticsBench()
    {
        UsePrivateFolders();
        FileTypes::_Initialize();
        for (Integer c = 1; c <= 14; ++c) {
            for (Integer j = 1; j <= 1000; ++j) {
                app.correct(c, j) = c + j;
                app.historyDate(c, j) = 3.0e9 + j;
            }
        }
    }

    Varno app;
};

} // namespace

// The file's speed is its CPU time: the wall time beside it also holds the
// disk's, which depends on the machine.

// The quit's write and the next start's read of the whole statistics file.
static void BM_WriteThenReadStatisticsFile(benchmark::State& state)
{
    StatisticsBench bench;
    for (auto _ : state) {
        bench.app.WritePrefs();
        bench.app.ReadPrefs();
        benchmark::DoNotOptimize(bench.app.correct(14, 1000));
    }
}
BENCHMARK(BM_WriteThenReadStatisticsFile)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// The save of the Close event, alone.
static void BM_WriteStatisticsFile(benchmark::State& state)
{
    StatisticsBench bench;
    for (auto _ : state) {
        bench.app.WritePrefs();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WriteStatisticsFile)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// The start's read, alone.
static void BM_ReadStatisticsFile(benchmark::State& state)
{
    StatisticsBench bench;
    bench.app.WritePrefs();
    for (auto _ : state) {
        bench.app.ReadPrefs();
        benchmark::DoNotOptimize(bench.app.correct(14, 1000));
    }
}
BENCHMARK(BM_ReadStatisticsFile)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
