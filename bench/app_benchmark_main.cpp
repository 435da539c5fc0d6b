// The main of the start-up and window benchmarks: a private home, preferences
// and temporary folder, the offscreen display unless another is asked for,
// the GUI runtime, and message boxes recorded instead of shown.

#include "message_sink.h"
#include "runtime.h"

#include <benchmark/benchmark.h>

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The offscreen display cannot raise windows and says so at every Show; the
// benchmarks' own output would drown in it.
void QuietAboutRaising(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (message.contains(QLatin1String("does not support raise()")))
        return;
    if (type != QtDebugMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv)
{
    std::string root = (fs::temp_directory_path() / "varno-bench-XXXXXX").string();
    if (mkdtemp(root.data()) == nullptr) {
        std::perror("mkdtemp");
        return 2;
    }
    for (const char* sub : { "home", "config", "tmp" })
        fs::create_directories(fs::path(root) / sub);
    setenv("HOME", (fs::path(root) / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (fs::path(root) / "config").c_str(), 1);
    setenv("TMPDIR", (fs::path(root) / "tmp").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    qInstallMessageHandler(QuietAboutRaising);
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
