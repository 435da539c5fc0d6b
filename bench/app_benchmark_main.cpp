// The main of the start-up and window benchmarks: a private home, preferences
// and temporary folder, the offscreen display unless another is asked for,
// the GUI runtime, and message boxes recorded instead of shown.

#include "message_sink.h"
#include "private_environment.h"
#include "runtime.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    const std::string root = MakePrivateEnvironment("varno-bench");

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    InstallQuietOffscreenNotes();
    {
        Runtime runtime(argc, argv, "Varno", VARNO_SHORT_VERSION);
        InstallRecordingMessageSink();
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        SetMessageSink(nullptr);
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}
