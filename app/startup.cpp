#include "startup.h"
#include "startup_testing.h"

#include "application.h"
#include "exceptions.h"
#include "file_types.h"
#include "folder_item.h"
#include "instance_lock.h"
#include "menu.h"
#include "menu_item.h"
#include "message_sink.h"
#include "varno.h"

#include <cstdio>
#include <sys/stat.h>
#include <memory>

namespace {

const char* const kLockFileName = "Varno Preferences.lock";
const char* const kAlreadyRunningMessage
    = "Varno is already running. Only one copy of Varno can keep your statistics at a time: "
      "use the copy that is open, or quit it before you start Varno again.";

// Said when the preferences folder cannot hold the statistics file or the lock.
std::string PreferencesFolderMessage(const FolderItem& folder, const std::string& why)
{
    return "Varno cannot use its preferences folder " + folder.NativePath() + " (" + why
        + "), so it can neither keep your statistics and exam histories nor tell whether another "
          "copy of Varno is open. Varno starts anyway, but the results of this run cannot be "
          "saved when it quits.";
}

// The one application object of the run; it lives until the program ends.
std::unique_ptr<Varno>& AppInstance()
{
    static std::unique_ptr<Varno> instance;
    return instance;
}

Ref<MenuItem> MenuItemNamed(const char* name)
{
    MenuBar* bar = App().GetMenuBar();
    if (bar == nullptr)
        throw NilObjectException("the application has no menu bar");
    return bar->Lookup(name);
}

// What the start-up does with an exception nobody caught: the application's
// own handler if there is an application yet, else the terminal.
void ReportStartupFailure(RuntimeException& error)
{
    if (Application* app = Application::CurrentOrNull()) {
        app->RaiseUnhandledException(error);
        return;
    }
    std::fprintf(stderr, "varno: %s\n", error.what());
}

} // namespace

// Said when no lock can be taken at all, so that two copies could run.
std::string LockUnavailableMessage(const FolderItem& lockFile, const std::string& why)
{
    Ref<FolderItem> folder = lockFile.Parent();
    const std::string where = folder ? " in the folder " + folder->NativePath() : std::string();
    std::string message = "Varno could not take its lock file \"" + std::string(kLockFileName)
        + "\"" + where + " (" + why
        + "), so it cannot tell whether another copy of Varno is open. Varno starts anyway. If "
          "another copy is open, quit one of them: the results of both are kept, but each "
          "shows only its own until it is started again.";
    // Only something that is there can be in the way.
    struct stat status { };
    if (::lstat(lockFile.NativePath().c_str(), &status) == 0)
        message
            += std::string(" Removing \"") + kLockFileName + "\" lets Varno use its lock again.";
    return message;
}

std::unique_ptr<InstanceLock> TakeSingleCopyLock(bool& mayRun)
{
    // One copy at a time owns the statistics file: a second one would show
    // statistics that miss the first one's results. It leaves before the file
    // is read. A lock that cannot be taken at all (a link or a pipe in its
    // place, a full disk, no rights) must not keep the user out, but the user
    // hears what it means; the save then adds each copy's results to the
    // file, whichever quits last.
    mayRun = true;
    Ref<FolderItem> folder = SpecialFolder::Preferences();
    Ref<FolderItem> lockFile = folder->Child(kLockFileName);
    if (const std::string problem = SpecialFolder::PreferencesProblem();
        !problem.empty() || !lockFile) {
        MsgBox(PreferencesFolderMessage(*folder, problem.empty() ? "it is not a folder" : problem));
        return nullptr;
    }
    auto lock = std::make_unique<InstanceLock>(*lockFile);
    switch (lock->TryAcquire()) {
    case InstanceLock::Outcome::Acquired:
        break;
    case InstanceLock::Outcome::HeldByAnother:
        MsgBox(kAlreadyRunningMessage);
        mayRun = false;
        break;
    case InstanceLock::Outcome::Unavailable:
        MsgBox(LockUnavailableMessage(*lockFile, lock->Problem()));
        break;
    }
    return lock;
}

int _Main()
{
    try {
        // The exception hook is the platform's CallWithExceptionHandling, which
        // every event and handler already runs through; nothing to install.
        _EarlyStartup();
        _LateStartup();
        bool mayRun = true;
        const std::unique_ptr<InstanceLock> lock = TakeSingleCopyLock(mayRun);
        if (!mayRun)
            return 1;
        return App().Run();
    } catch (RuntimeException& error) {
        ReportStartupFailure(error);
    } catch (std::exception& error) {
        RuntimeException wrapped(error.what());
        ReportStartupFailure(wrapped);
    }
    return 1;
}

void _EarlyStartup()
{
    // The platform's own classes and the control set need no set-up of their
    // own; the program's start with the statistics file's type.
    _InitFileTypes();
    _NewAppInstance();
    _ApplicationAddMenuHandlers();
}

void _InitFileTypes()
{
    FileTypes::_Initialize();
}

void _NewAppInstance()
{
    auto app = std::make_unique<Varno>();
    Varno* self = app.get();
    self->BindOpen([self] { self->Event_Open(); });
    self->BindClose([self] { self->Event_Close(); });
    self->BindEnableMenuItems([self] { self->Event_EnableMenuItems(); });
    self->BindUnhandledException(
        [self](RuntimeException& error) { return self->Event_UnhandledException(error); });
    self->SetMenuBar(&Menu());
    AppInstance() = std::move(app);
    Application::Register(self);
}

void _ApplicationAddMenuHandlers()
{
    struct Binding {
        const char* itemName;
        bool (Varno::*handler)();
    };
    static constexpr Binding kBindings[] = {
        { "ExamTechnician", &Varno::_ExamTechnician_Action },
        { "ExamGeneral", &Varno::_ExamGeneral_Action },
        { "ExamExtra", &Varno::_ExamExtra_Action },
        { "FileShowFigures", &Varno::_FileShowFigures_Action },
        { "FileShowExam", &Varno::_FileShowExam_Action },
        { "AppleAboutVarno", &Varno::_AppleAboutVarno_Action },
        { "ExamHistory", &Varno::_ExamHistory_Action },
        { "AppleGoToVarnoWebsite", &Varno::_AppleGoToVarnoWebsite_Action },
        { "AppleCheckForLatestVersion", &Varno::_AppleCheckForLatestVersion_Action },
        { "EditClearExamHistories", &Varno::_EditClearExamHistories_Action },
        { "ExamFCCMarine1", &Varno::_ExamFCCMarine1_Action },
        { "ExamFCCMarine8", &Varno::_ExamFCCMarine8_Action },
        { "ExamFCCMarine3", &Varno::_ExamFCCMarine3_Action },
        { "HelpOpenHelp", &Varno::_HelpOpenHelp_Action },
    };
    for (const Binding& binding : kBindings) {
        Varno& app = App();
        auto handler = binding.handler;
        app._AddMenuHandler(binding.itemName, [&app, handler] { return (app.*handler)(); });
    }
}

void _LateStartup() { }

Ref<MenuItem> ExamMenu0()
{
    return MenuItemNamed("ExamMenu0");
}

Ref<MenuItem> ExamTechnician()
{
    return MenuItemNamed("ExamTechnician");
}

Ref<MenuItem> ExamGeneral()
{
    return MenuItemNamed("ExamGeneral");
}

Ref<MenuItem> ExamExtra()
{
    return MenuItemNamed("ExamExtra");
}

Ref<AppleMenuItem> AppleAboutVarno()
{
    Ref<MenuItem> item = MenuItemNamed("AppleAboutVarno");
    return Ref<AppleMenuItem>::Borrow(dynamic_cast<AppleMenuItem*>(item.Pointer()));
}

void DisposeAppInstanceForTesting()
{
    if (Application::CurrentOrNull() == AppInstance().get())
        Application::Register(nullptr);
    AppInstance().reset();
}
