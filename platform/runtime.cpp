#include "runtime.h"

#include "exceptions.h"
#include "window.h"

#include <QApplication>
#include <QString>

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
