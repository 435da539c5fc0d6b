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

// The quit's write and the next start's read of the whole statistics file.
static void BM_WriteThenReadStatisticsFile(benchmark::State& state)
{
    const std::string folder = PrivatePreferencesFolder();
    FileTypes::_Initialize();
    Varno app;
    for (Integer c = 1; c <= 14; ++c) {
        for (Integer j = 1; j <= 1000; ++j) {
            app.correct(c, j) = c + j;
            app.historyDate(c, j) = 3.0e9 + j;
        }
    }
    for (auto _ : state) {
        app.WritePrefs();
        app.ReadPrefs();
        benchmark::DoNotOptimize(app.correct(14, 1000));
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_WriteThenReadStatisticsFile)->Unit(benchmark::kMillisecond);
