#include "program_session.h"

#include "application.h"
#include "folder_item.h"
#include "ref.h"
#include "resource_files_testing.h"
#include "startup.h"
#include "startup_testing.h"
#include "varno.h"
#include "window.h"

#include <cstdlib>

void RunStartupSteps(const std::string& programFile)
{
    ResetMenuBarForTesting();
    ForgetResourceFilesForTesting();
    _EarlyStartup();
    App().SetExecutableFile(MakeRef<FolderItem>(programFile));
    _LateStartup();
}

void StartProgram()
{
    RunStartupSteps(std::string(VARNO_BUILD_DIR) + "/bin/varno");
    App().RaiseOpen();
}

void StopProgram()
{
    for (Window* window : Window::OpenWindows())
        window->Close();
    LetEventsRun();
    // Safe without an application object: it only lets go of the one the
    // start-up made, if any.
    DisposeAppInstanceForTesting();
    ResetMenuBarForTesting();
    ForgetResourceFilesForTesting();
}

void LetEventsRun()
{
    Application::DoEvents();
}

std::string StatisticsFilePath()
{
    return std::string(std::getenv("XDG_CONFIG_HOME")) + "/Varno Preferences";
}
