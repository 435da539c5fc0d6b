#pragma once

// For every process that runs the program's code outside a user's session
// (the tests, the benchmarks, the fuzzers): private folders in place of the
// user's own, and quiet about what the offscreen display cannot do.

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

// Makes a fresh folder <temp>/<prefix>-XXXXXX holding home/, config/, tmp/
// and runtime/ (mode 0700, as a session's runtime folder is), and points HOME,
// XDG_CONFIG_HOME (the preferences folder), TMPDIR and XDG_RUNTIME_DIR at them:
// a desktop session's own runtime folder would otherwise receive what the
// program puts there (Open Help's copy). The offscreen display unless
// QT_QPA_PLATFORM names another. Returns
// the folder, which the caller removes at the end; ends the process with
// status 2 when no folder can be made.
inline std::string MakePrivateEnvironment(const std::string& prefix)
{
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    const fs::path root(pattern);
    for (const char* sub : { "home", "config", "tmp", "runtime" })
        fs::create_directories(root / sub);
    fs::permissions(root / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    setenv("HOME", (root / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    setenv("TMPDIR", (root / "tmp").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (root / "runtime").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return pattern;
}

inline QtMessageHandler& PreviousMessageHandler()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

// The offscreen display cannot raise windows or pass on size hints and says so
// each time; those notes would drown what a failing test or a benchmark prints.
inline void QuietOffscreenNotes(
    QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QStringLiteral("This plugin does not support")))
        return;
    if (QtMessageHandler previous = PreviousMessageHandler())
        previous(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

// Puts QuietOffscreenNotes in front of the message handler in place.
inline void InstallQuietOffscreenNotes()
{
    PreviousMessageHandler() = qInstallMessageHandler(QuietOffscreenNotes);
}
