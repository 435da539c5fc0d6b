#pragma once

#include "ref.h"

#include <functional>
#include <map>
#include <string>

class FolderItem;
class MenuBar;
class RuntimeException;

// The application object: one per run, registered at start-up and reached by
// the program through its own accessor. The framework raises its four events;
// the program binds its handlers to them at start-up, and binds its menu
// handlers to menu item names.
class Application {
public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The registered application object; NilObjectException when there is none.
    static Application& Current();
    static Application* CurrentOrNull();
    // Makes app the application object (nullptr: none).
    static void Register(Application* app);

    void BindOpen(std::function<void()> handler);
    void BindClose(std::function<void()> handler);
    void BindEnableMenuItems(std::function<void()> handler);
    // Returns True when it has handled the exception.
    void BindUnhandledException(std::function<bool(RuntimeException&)> handler);

    // Raises the Open event (through the exception hook).
    void RaiseOpen();
    // Raises the EnableMenuItems event directly (the enabling pass calls it).
    void RaiseEnableMenuItems();
    // Raises UnhandledException; false when nothing handled it.
    bool RaiseUnhandledException(RuntimeException& exception);

    // The short version text, from the build's project version.
    std::string ShortVersion() const;

    // The menu bar shown in the document windows; not owned.
    MenuBar* GetMenuBar() const { return menuBar_; }
    void SetMenuBar(MenuBar* bar);

    // Binds handler to the menu item of that name (a later binding replaces it).
    void _AddMenuHandler(const std::string& itemName, std::function<bool()> handler);
    bool HasMenuHandler(const std::string& itemName) const;
    // Runs the handler bound to that name through the exception hook; false when
    // there is none or it returned False.
    bool InvokeMenuHandler(const std::string& itemName);

    // The enabling pass: every item with AutoEnable and a handler (or the Quit
    // item) is enabled, every other item disabled, then EnableMenuItems is raised.
    void EnableMenuItems();

    // The running executable's file (its real path, links resolved).
    Ref<FolderItem> ExecutableFile() const;
    // Tests point the program at another executable path, and so at another
    // resource folder.
    void SetExecutableFile(Ref<FolderItem> item);

    // Raises Open, then runs the event loop until Quit. Returns the exit status.
    // While it runs, SIGTERM, SIGHUP and SIGINT quit the way Quit does.
    int Run();
    // Raises Close (once per run) and ends the event loop.
    void Quit();
    // The status Run returns once the loop has ended (0 unless set, e.g. by a
    // Close that could not save); Run starts each run at 0.
    void SetExitStatus(int status) { exitStatus_ = status; }
    int ExitStatus() const { return exitStatus_; }
    bool HasQuit() const { return quit_; }
    // When true (the default while Run is running), closing the last window
    // quits the same way as the Quit item.
    void SetQuitOnLastWindowClosed(bool quit) { quitOnLastWindowClosed_ = quit; }
    bool QuitOnLastWindowClosed() const { return quitOnLastWindowClosed_; }

    // Delivers pending events (tests call it after resizing or closing windows).
    static void DoEvents();

private:
    std::function<void()> open_;
    std::function<void()> close_;
    std::function<void()> enableMenuItems_;
    std::function<bool(RuntimeException&)> unhandledException_;
    std::map<std::string, std::function<bool()>> menuHandlers_;
    MenuBar* menuBar_ = nullptr;
    Ref<FolderItem> executableOverride_;
    bool quit_ = false;
    int exitStatus_ = 0;
    bool quitOnLastWindowClosed_ = true;
};

// The framework's exception hook. Every call from the framework into program
// code (events, menu handlers, control handlers, timers, paints) runs through
// it: an exception that escapes becomes the application's UnhandledException
// event, and the framework goes on running. Any other C++ exception is reported
// the same way as a RuntimeException carrying its text.
void CallWithExceptionHandling(const std::function<void()>& code);
