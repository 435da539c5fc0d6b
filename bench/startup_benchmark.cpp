#include "program_session.h"

#include "application.h"
#include "choose_exam_window.h"
#include "varno.h"
#include "window.h"

#include <benchmark/benchmark.h>

#include <filesystem>

// From the start of main's start-up to the exam chooser on the screen: the
// file type, the application object, the menu bar and its handlers, the Open
// event's reading of the statistics file, and the chooser shown and painted.
// The first start of all finds no statistics file; every later one reads the
// 344,002-byte file that quitting writes. The process, Qt's runtime and the
// offscreen display stay up between starts, so this is the program's own
// start-up as a warm start sees it: loading the libraries, the platform
// plug-in and the fonts of a cold start is not in it.
static void BM_StartUpToChooserShown(benchmark::State& state)
{
    const bool withStatistics = state.range(0) != 0;
    std::filesystem::remove(StatisticsFilePath());
    if (withStatistics) {
        StartProgram();
        App().Quit(); // writes the statistics file
        StopProgram();
    }
    for (auto _ : state) {
        StartProgram();
        LetEventsRun();
        const auto* chooser = Window::FindOpen<class ChooseExamWindow>();
        if (chooser == nullptr || !chooser->Visible()) {
            state.SkipWithError("the exam chooser was not shown");
            break;
        }
        state.PauseTiming();
        StopProgram();
        state.ResumeTiming();
    }
    std::filesystem::remove(StatisticsFilePath());
}
BENCHMARK(BM_StartUpToChooserShown)
    ->ArgName("statistics_file")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
