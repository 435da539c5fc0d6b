#include "test_support.h"

#include "message_sink.h"
#include "runtime.h"

#include <QString>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string& RootFolder()
{
    static std::string root;
    return root;
}

void MakePrivateEnvironment()
{
    std::string pattern = (fs::temp_directory_path() / "varno-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        perror("mkdtemp");
        std::exit(2);
    }
    RootFolder() = pattern;
    const fs::path root(pattern);
    for (const char* sub : { "home", "config", "tmp" })
        fs::create_directories(root / sub);
    setenv("HOME", (root / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    setenv("TMPDIR", (root / "tmp").c_str(), 1);
    if (getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

QtMessageHandler& PreviousMessageHandler()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

// The offscreen display cannot raise windows or pass on size hints and says so
// each time; those notes would drown what a failing test prints.
void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QStringLiteral("This plugin does not support")))
        return;
    if (QtMessageHandler previous = PreviousMessageHandler())
        previous(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

const std::string& TestRootFolder()
{
    return RootFolder();
}

int main(int argc, char** argv)
{
    MakePrivateEnvironment();
    testing::InitGoogleTest(&argc, argv);
    PreviousMessageHandler() = qInstallMessageHandler(QuietOffscreenNotes);
    int status = 0;
    {
        Runtime runtime(argc, argv, "Varno", VARNO_SHORT_VERSION);
        InstallRecordingMessageSink();
        status = RUN_ALL_TESTS();
        SetMessageSink(nullptr);
    }
    std::error_code ignored;
    fs::remove_all(RootFolder(), ignored);
    return status;
}
