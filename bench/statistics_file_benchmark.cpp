#include "file_types.h"
#include "varno.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// The benchmark writes into a folder of its own, never the user's preferences.
std::string PrivatePreferencesFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "varno-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        std::abort();
    setenv("XDG_CONFIG_HOME", pattern.c_str(), 1);
    return pattern;
}

} // namespace

namespace {

// An application object whose statistics fill the file with varied values,
// saving into a preferences folder of its own that goes with it.
class StatisticsBench {
public:
    StatisticsBench()
        : folder_(PrivatePreferencesFolder())
    {
        FileTypes::_Initialize();
        for (Integer c = 1; c <= 14; ++c) {
            for (Integer j = 1; j <= 1000; ++j) {
                app.correct(c, j) = c + j;
                app.historyDate(c, j) = 3.0e9 + j;
            }
        }
    }
    ~StatisticsBench() { std::filesystem::remove_all(folder_); }
    StatisticsBench(const StatisticsBench&) = delete;
    StatisticsBench& operator=(const StatisticsBench&) = delete;

    Varno app;

private:
    std::string folder_;
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
