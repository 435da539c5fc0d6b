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

// An application object whose statistics fill the file with varied values.
void FillStatistics(Varno& app)
{
    for (Integer c = 1; c <= 14; ++c) {
        for (Integer j = 1; j <= 1000; ++j) {
            app.correct(c, j) = c + j;
            app.historyDate(c, j) = 3.0e9 + j;
        }
    }
}

} // namespace

// The file's speed is its CPU time: the wall time beside it also holds the
// disk's, which depends on the machine.

// The quit's write and the next start's read of the whole statistics file.
static void BM_WriteThenReadStatisticsFile(benchmark::State& state)
{
    const std::string folder = PrivatePreferencesFolder();
    FileTypes::_Initialize();
    Varno app;
    FillStatistics(app);
    for (auto _ : state) {
        app.WritePrefs();
        app.ReadPrefs();
        benchmark::DoNotOptimize(app.correct(14, 1000));
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_WriteThenReadStatisticsFile)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// The save of the Close event, alone.
static void BM_WriteStatisticsFile(benchmark::State& state)
{
    const std::string folder = PrivatePreferencesFolder();
    FileTypes::_Initialize();
    Varno app;
    FillStatistics(app);
    for (auto _ : state) {
        app.WritePrefs();
        benchmark::ClobberMemory();
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_WriteStatisticsFile)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// The start's read, alone.
static void BM_ReadStatisticsFile(benchmark::State& state)
{
    const std::string folder = PrivatePreferencesFolder();
    FileTypes::_Initialize();
    Varno app;
    FillStatistics(app);
    app.WritePrefs();
    for (auto _ : state) {
        app.ReadPrefs();
        benchmark::DoNotOptimize(app.correct(14, 1000));
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ReadStatisticsFile)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
