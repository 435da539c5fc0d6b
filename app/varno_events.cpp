// The application object's events: open, close, menu enabling and the one
// catch-all for exceptions nobody handled.

#include "varno.h"

#include "choose_exam_window.h"
#include "exceptions.h"
#include "menu_item.h"
#include "message_sink.h"
#include "startup.h"

#include <utility>

void Varno::Event_Close()
{
    try {
        WritePrefs();
        // A file another copy saved meanwhile was added to, or left alone
        // with this run's results beside it: the user hears which.
        ShowPreferencesNotice();
    } catch (const StatisticsNotSavedException& error) {
        // The run's results are lost: say so in words the user can act on, and
        // let the run end with a failure status.
        SetExitStatus(1);
        MsgBox(error.Message());
    }
}

bool Varno::Event_UnhandledException(RuntimeException&)
{
    MsgBox("Error, please report what you did to cause this to the devleoper, thanks!");
    return false;
}

void Varno::Event_EnableMenuItems()
{
    if (examFilename.empty()) {
        ExamTechnician()->SetEnabled(true);
        ExamGeneral()->SetEnabled(true);
        ExamExtra()->SetEnabled(true);
    } else {
        MenuBar* bar = GetMenuBar();
        if (bar == nullptr)
            throw NilObjectException("the application has no menu bar");
        bar->Lookup("FileShowFigures")->SetEnabled(true);
        bar->Lookup("FileShowExam")->SetEnabled(true);
    }
    AppleAboutVarno()->SetEnabled(true);
}

void Varno::Event_Open()
{
    examFilename.clear();
    ReadPrefs();
    ChooseExamWindow().Show();

    // The Commercial Element examinations are built into the menu but not
    // offered: the last index first, so the earlier indices stay valid.
    ExamMenu0()->Remove(5);
    ExamMenu0()->Remove(4);
    ExamMenu0()->Remove(3);

    ExamTechnician()->SetEnabled(true);
    ExamGeneral()->SetEnabled(true);
    ExamExtra()->SetEnabled(true);
    EnableMenuItems();

    // A statistics file that could not be used was kept aside by ReadPrefs;
    // say so once, after the chooser is up.
    ShowPreferencesNotice();
}

void Varno::ShowPreferencesNotice()
{
    if (preferencesNotice.empty())
        return;
    const std::string notice = std::move(preferencesNotice);
    preferencesNotice.clear();
    MsgBox(notice);
}
