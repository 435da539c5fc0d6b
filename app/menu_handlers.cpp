// The menu commands, bound to their items' names at start-up.

#include "varno.h"

#include "about_dialog.h"
#include "binary_stream.h"
#include "exam_start.h"
#include "folder_item.h"
#include "message_sink.h"
#include "picture_window.h"
#include "resource_files.h"
#include "web_pages.h"
#include "window1.h"

#include <string>

namespace {

// Opens a page of the product's web site. A desktop that cannot start a
// browser tells the user nothing, so we do, with the address to go to by hand.
void ShowWebPage(const std::string& url)
{
    if (!ShowURL(url))
        MsgBox("Could not open the web page in a browser. Its address is:\r" + url);
}

} // namespace

bool Varno::_ExamTechnician_Action()
{
    StartAmateurExam(1);
    return false;
}

bool Varno::_ExamGeneral_Action()
{
    StartAmateurExam(2);
    return false;
}

bool Varno::_ExamExtra_Action()
{
    StartAmateurExam(3);
    return false;
}

bool Varno::_FileShowFigures_Action()
{
    PictureWindow().Show();
    return false;
}

bool Varno::_FileShowExam_Action()
{
    Window1().Show();
    return false;
}

bool Varno::_AppleAboutVarno_Action()
{
    AboutDialog().Show();
    return false;
}

bool Varno::_ExamHistory_Action()
{
    return false;
}

bool Varno::_AppleGoToVarnoWebsite_Action()
{
    ShowWebPage(std::string(kProductWebHost) + "/software/varno.html");
    return false;
}

bool Varno::_AppleCheckForLatestVersion_Action()
{
    const std::string version = App().ShortVersion();
    ShowWebPage(std::string(kProductWebHost) + "/version.html?prog=varno&version=" + version);
    return false;
}

bool Varno::_EditClearExamHistories_Action()
{
    for (Integer examClass = 1; examClass <= 4; ++examClass) {
        for (Integer j = 1; j <= 1000; ++j) {
            correct(examClass, j) = 0;
            incorrect(examClass, j) = 0;
            historyDate(examClass, j) = 0.0;
            historyCorrect(examClass, j) = 0;
            historyIncorrect(examClass, j) = 0;
        }
    }
    MsgBox("Exam histories cleared");
    return false;
}

bool Varno::_ExamFCCMarine1_Action()
{
    // The Commercial Element examinations initialise the exam window only.
    InitExamWindow(4);
    return false;
}

bool Varno::_ExamFCCMarine8_Action()
{
    InitExamWindow(5);
    return false;
}

bool Varno::_ExamFCCMarine3_Action()
{
    InitExamWindow(6);
    return false;
}

bool Varno::_HelpOpenHelp_Action()
{
    // The copy goes to a folder of this user's alone, never to a fixed name in
    // the shared temporary folder, where anyone could plant a link there
    // first; and a link found in its place is replaced, not followed.
    Ref<FolderItem> folder = SpecialFolder::PrivateTemporary();
    Ref<FolderItem> copy = folder ? folder->Child("VarnoDocs.pdf") : Ref<FolderItem>();
    if (!copy) {
        MsgBox("Could not display help1");
        return true;
    }
    Ref<BinaryStream> stream = BinaryStream::Create(*copy, "", nullptr, false);
    if (!stream) {
        MsgBox("Could not display help");
        return true;
    }
    stream->Write(VarnoDocs());
    // A copy that did not reach the disk whole would open as a broken
    // document; report it instead of launching it.
    if (!stream->Close()) {
        MsgBox("Could not display help");
        return true;
    }
    copy->Launch(true);
    if (copy->LastErrorCode() != 0)
        MsgBox("Could not display help");
    return true;
}
