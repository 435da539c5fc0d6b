#include "application.h"

#include "exceptions.h"
#include "folder_item.h"
#include "menu_item.h"
#include "runtime.h"
#include "termination_signals.h"
#include "window.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QObject>

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

Application*& CurrentApplication()
{
    static Application* current = nullptr;
    return current;
}

void WriteToStandardError(const char* what, const std::string& message)
{
    std::fprintf(stderr, "Varno: %s: %s\n", what, message.c_str());
}

// The end of the exception road: the application's UnhandledException event.
// Whatever that handler throws itself is stopped here, since nothing may reach
// Qt's event loop.
void ReportUnhandled(RuntimeException& exception)
{
    Application* app = Application::CurrentOrNull();
    if (app == nullptr) {
        WriteToStandardError("unhandled exception", exception.Message());
        return;
    }
    try {
        if (!app->RaiseUnhandledException(exception))
            WriteToStandardError("unhandled exception", exception.Message());
    } catch (const std::exception& inner) {
        WriteToStandardError("exception in the UnhandledException event", inner.what());
    } catch (...) {
        WriteToStandardError("exception in the UnhandledException event", "unknown exception");
    }
}

// The enabling pass over one item and everything below it.
void EnableItems(const Application& app, MenuItem& item, bool isTitle)
{
    bool enabled = true;
    if (!isTitle && item.Count() == 0) {
        const bool quitItem = dynamic_cast<QuitMenuItem*>(&item) != nullptr;
        enabled = quitItem || (item.AutoEnable() && app.HasMenuHandler(item.Name()));
    }
    if (item.Enabled() != enabled)
        item.SetEnabled(enabled);
    for (Integer index = 0; index < item.Count(); ++index)
        EnableItems(app, item.Item(index), item.Item(index).Count() > 0);
}

std::string RunningExecutablePath()
{
    if (QCoreApplication::instance() != nullptr) {
        const QString canonical
            = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
        if (!canonical.isEmpty())
            return QFile::encodeName(canonical).toStdString();
    }
    std::error_code error;
    const std::filesystem::path path = std::filesystem::canonical("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

} // namespace

void CallWithExceptionHandling(const std::function<void()>& code)
{
    if (!code)
        return;
    try {
        code();
    } catch (RuntimeException& exception) {
        ReportUnhandled(exception);
    } catch (const std::exception& other) {
        RuntimeException exception(other.what());
        ReportUnhandled(exception);
    } catch (...) {
        RuntimeException exception("unknown exception");
        ReportUnhandled(exception);
    }
}

Application::Application() = default;

Application::~Application()
{
    if (CurrentApplication() == this)
        CurrentApplication() = nullptr;
}

Application& Application::Current()
{
    if (CurrentApplication() == nullptr)
        throw NilObjectException("no application object");
    return *CurrentApplication();
}

Application* Application::CurrentOrNull()
{
    return CurrentApplication();
}

void Application::Register(Application* app)
{
    CurrentApplication() = app;
}

void Application::BindOpen(std::function<void()> handler)
{
    open_ = std::move(handler);
}

void Application::BindClose(std::function<void()> handler)
{
    close_ = std::move(handler);
}

void Application::BindEnableMenuItems(std::function<void()> handler)
{
    enableMenuItems_ = std::move(handler);
}

void Application::BindUnhandledException(std::function<bool(RuntimeException&)> handler)
{
    unhandledException_ = std::move(handler);
}

void Application::RaiseOpen()
{
    // A copy: the handler may rebind its own event while it runs.
    const std::function<void()> handler = open_;
    CallWithExceptionHandling(handler);
}

void Application::RaiseEnableMenuItems()
{
    const std::function<void()> handler = enableMenuItems_;
    if (handler)
        handler();
}

bool Application::RaiseUnhandledException(RuntimeException& exception)
{
    const std::function<bool(RuntimeException&)> handler = unhandledException_;
    return handler ? handler(exception) : false;
}

std::string Application::ShortVersion() const
{
    return Runtime::ShortVersion();
}

void Application::SetMenuBar(MenuBar* bar)
{
    menuBar_ = bar;
}

void Application::_AddMenuHandler(const std::string& itemName, std::function<bool()> handler)
{
    menuHandlers_[itemName] = std::move(handler);
}

bool Application::HasMenuHandler(const std::string& itemName) const
{
    const auto found = menuHandlers_.find(itemName);
    return found != menuHandlers_.end() && found->second;
}

bool Application::InvokeMenuHandler(const std::string& itemName)
{
    const auto found = menuHandlers_.find(itemName);
    if (found == menuHandlers_.end() || !found->second)
        return false;
    const std::function<bool()> handler = found->second;
    bool handled = false;
    CallWithExceptionHandling([&] { handled = handler(); });
    return handled;
}

void Application::EnableMenuItems()
{
    if (menuBar_ != nullptr) {
        // The bar's direct children are the menu titles: they stay enabled so
        // that every menu opens, whatever their AutoEnable says.
        for (Integer index = 0; index < menuBar_->Count(); ++index)
            EnableItems(*this, menuBar_->Item(index), true);
    }
    CallWithExceptionHandling([this] { RaiseEnableMenuItems(); });
}

Ref<FolderItem> Application::ExecutableFile() const
{
    if (executableOverride_)
        return executableOverride_;
    const std::string path = RunningExecutablePath();
    if (path.empty())
        return {};
    return MakeRef<FolderItem>(path);
}

void Application::SetExecutableFile(Ref<FolderItem> item)
{
    executableOverride_ = std::move(item);
}

int Application::Run()
{
    quit_ = false;
    exitStatus_ = 0;
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (application == nullptr)
        throw NilObjectException("no runtime");

    // Qt must never quit behind our back: the last window closing quits
    // through Quit, so that Close runs.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject runContext;
    QObject::connect(application, &QGuiApplication::lastWindowClosed, &runContext, [this] {
        if (quitOnLastWindowClosed_ && !quit_)
            CallWithExceptionHandling([this] { Quit(); });
    });

    // A signal to end the program is a quit like any other: Close runs, once.
    TerminationSignals quitOnSignal([this] { CallWithExceptionHandling([this] { Quit(); }); });

    RaiseOpen();
    if (quit_)
        return exitStatus_;
    // An Open that failed before any window was shown leaves the user nothing
    // to act on, not even a Quit item; the run ends there, without Close, so
    // that a start-up that failed to read the statistics cannot write over them.
    if (Window::OpenWindows().empty()) {
        std::fprintf(stderr, "Varno: no window is open after start-up; ending\n");
        return 1;
    }
    return QCoreApplication::exec();
}

void Application::Quit()
{
    if (quit_)
        return;
    quit_ = true;
    const std::function<void()> handler = close_;
    CallWithExceptionHandling(handler);
    QCoreApplication::exit(exitStatus_);
}

void Application::DoEvents()
{
    if (QCoreApplication::instance() == nullptr)
        return;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
