#include "runtime.h"

#include "exceptions.h"
#include "folder_item.h"
#include "window.h"

#include <QApplication>
#include <QString>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

bool& RuntimeExists()
{
    static bool exists = false;
    return exists;
}

std::string& StoredShortVersion()
{
    static std::string version;
    return version;
}

// Without XDG_RUNTIME_DIR, Qt makes a runtime folder of its own in TMPDIR
// while the application object is made: a relative TMPDIR would put it in
// the folder the program was started from, one that names nothing at the
// root. The programs we start would fare no better with it. Such a TMPDIR
// gives way to the temporary folder we use ourselves, before anyone reads it.
void ReplaceUnusableTemporaryFolder()
{
    const char* variable = std::getenv("TMPDIR");
    if (variable == nullptr || variable[0] == '\0')
        return;
    std::error_code error;
    if (variable[0] == '/' && std::filesystem::is_directory(variable, error))
        return;
    ::setenv("TMPDIR", SpecialFolder::Temporary()->NativePath().c_str(), 1);
}

} // namespace

struct Runtime::Private {
    std::unique_ptr<QApplication> application;
};

Runtime::Runtime(
    int& argc, char** argv, const std::string& applicationName, const std::string& shortVersion)
    : d(std::make_unique<Private>())
{
    if (RuntimeExists())
        throw RuntimeException("a second Runtime was made");
    ReplaceUnusableTemporaryFolder();
    // The platform plug-in comes from QT_QPA_PLATFORM, which Qt reads itself.
    d->application = std::make_unique<QApplication>(argc, argv);
    // Quitting is the application object's business (it raises Close first).
    QApplication::setQuitOnLastWindowClosed(false);
    QCoreApplication::setApplicationName(QString::fromStdString(applicationName));
    QCoreApplication::setApplicationVersion(QString::fromStdString(shortVersion));
    StoredShortVersion() = shortVersion;
    RuntimeExists() = true;
}

Runtime::~Runtime()
{
    if (d->application) {
        // The windows still open at the end are ours to delete, while their
        // widgets can still go.
        Window::DisposeAll();
        // A window closed just before the end (closing the last one quits)
        // still waits in the event queue to be deleted. Qt would delete that
        // event while holding the queue's lock, and the window's widgets,
        // going with it, would wait for the same lock for ever: deliver it
        // while the queue is still ours.
        QCoreApplication::sendPostedEvents();
        d->application.reset();
        RuntimeExists() = false;
    }
}

bool Runtime::Exists()
{
    return RuntimeExists();
}

std::string Runtime::ShortVersion()
{
    return StoredShortVersion();
}
