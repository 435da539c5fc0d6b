// Pictures of the exam window at its opening size, answering and in review, so
// the window can be looked at without a display (build/screenshots/).

#include "window1.h"

#include "application.h"
#include "bevel_button.h"
#include "exam_window_fixture.h"
#include "folder_item.h"
#include "label.h"
#include "mark_canvas.h"
#include "picture.h"
#include "radio_button.h"
#include "resource_files_testing.h"
#include "test_pictures.h"
#include "test_support.h"
#include "text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// A green disc and a red cross on white, 32 x 32.
std::string CorrectMarkPicture()
{
    return PpmPicture(32, 32, [](int x, int y) {
        const int dx = x - 16;
        const int dy = y - 16;
        return dx * dx + dy * dy <= 121 ? kGreen : kWhite;
    });
}

std::string WrongMarkPicture()
{
    return PpmPicture(32, 32, [](int x, int y) {
        const bool onCross = std::abs(x - y) <= 2 || std::abs(x + y - 31) <= 2;
        return onCross && x >= 5 && x <= 26 ? kRed : kWhite;
    });
}

bool ShippedResourcesExist()
{
    const std::string folder = std::string(VARNO_BUILD_DIR) + "/Resources/";
    return std::filesystem::exists(folder + "TechFile.txt")
        && std::filesystem::exists(folder + "Pic200.gif")
        && std::filesystem::exists(folder + "Pic201.gif");
}

} // namespace

TEST_F(ExamWindowTest, ScreenshotsInAnsweringAndReviewMode)
{
    if (ShippedResourcesExist()) {
        // The real Technician pool and marks, as the program ships them.
        app.SetExecutableFile(MakeRef<FolderItem>(std::string(VARNO_BUILD_DIR) + "/bin/varno"));
        ForgetResourceFilesForTesting();
    } else {
        TestPool pool = SmallPool();
        pool.title = "Technician Class";
        pool.questions[0].text
            = "Which agency regulates and enforces the rules for the amateur radio service in "
              "the United States?";
        pool.questions[0].answers
            = { "FEMA", "Homeland Security", "The FCC", "All of these choices are correct" };
        pool.questions[0].correct = 3;
        for (std::size_t i = 0; i < 3; ++i)
            pool.questions[i].code = "T1A0" + Str(static_cast<Integer>(i) + 1) + " (C)";
        WritePool(pool);
        WriteResource("Pic200.gif", CorrectMarkPicture());
        WriteResource("Pic201.gif", WrongMarkPicture());
    }
    const std::string folder = ScreenshotFolder();
    std::filesystem::create_directories(folder);

    class Window1& window = StartExam(1);
    ASSERT_GT(app.numberQuestions, 0);
    ASSERT_EQ(window.Width(), 685);
    ASSERT_EQ(window.Height(), 470);
    const Integer correct = app.GetAnswer(app.question(1));
    const Integer wrong = correct % 4 + 1;
    app.answer(1) = wrong;
    window.DoQuestion();
    Application::DoEvents();
    const std::string answering = folder + "/exam-window-answering.png";
    ASSERT_TRUE(window.SaveScreenshot(answering));

    window.GradeButton().Push();
    CloseScoreDialog();
    Application::DoEvents();
    ASSERT_TRUE(window.Canvas1(correct).Visible());
    ASSERT_TRUE(window.Canvas1(wrong).Visible());
    const std::string review = folder + "/exam-window-review.png";
    ASSERT_TRUE(window.SaveScreenshot(review));

    for (const std::string& path : { answering, review }) {
        const Ref<Picture> shot = Picture::Open(FolderItem(path));
        ASSERT_FALSE(shot.IsNil()) << path;
        EXPECT_GE(shot->Width(), 685) << path;
        EXPECT_GE(shot->Height(), 470) << path;
    }
    EXPECT_TRUE(unhandled.empty());
}
