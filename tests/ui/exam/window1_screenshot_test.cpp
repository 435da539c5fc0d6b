// Pictures of the exam window at its opening size, answering and in review, so
// the window can be looked at without a display (build/screenshots/).

#include "window1.h"

#include "application.h"
#include "bevel_button.h"
#include "clipped_labels.h"
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

#include <QImage>
#include <QRect>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

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

bool Greenish(QRgb colour)
{
    return qGreen(colour) > 100 && qGreen(colour) > qRed(colour) + 60
        && qGreen(colour) > qBlue(colour) + 60;
}

bool Reddish(QRgb colour)
{
    return qRed(colour) > 150 && qRed(colour) > qGreen(colour) + 80
        && qRed(colour) > qBlue(colour) + 80;
}

// The smallest rectangle holding every pixel of the colour; empty when none.
QRect Ink(const QImage& image, bool (*isColour)(QRgb))
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isColour(image.pixel(x, y)))
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// Where a control lies in a picture of the whole window (menu bar included).
QRect PlaceInShot(const Window& window, const RectControl& control)
{
    const QWidget* widget = control.widget();
    return QRect(widget->mapTo(window.widget(), QPoint(0, 0)), widget->size());
}

// The row of answer k: its button and its text.
QRect AnswerRow(const class Window1& window, Integer k)
{
    return PlaceInShot(window, AnswerButtonNumber(window, k))
        | PlaceInShot(window, AnswerTextNumber(window, k));
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
    EXPECT_EQ(ClippedLabels(window), "") << "answering";

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

    // Before grading no mark shows; after it, the green mark stands beside
    // the correct answer's row and the red one beside the answer chosen.
    const QImage before(QString::fromStdString(answering));
    EXPECT_TRUE(Ink(before, Greenish).isEmpty());
    EXPECT_TRUE(Ink(before, Reddish).isEmpty());
    const QImage after(QString::fromStdString(review));
    for (const auto& [isColour, answer] :
        { std::pair { &Greenish, correct }, std::pair { &Reddish, wrong } }) {
        SCOPED_TRACE(isColour == &Greenish ? "correct answer mark" : "wrong choice mark");
        const QRect ink = Ink(after, isColour);
        const QRect row = AnswerRow(window, answer);
        ASSERT_FALSE(ink.isEmpty()) << "not painted";
        EXPECT_TRUE(PlaceInShot(window, window.Canvas1(answer)).contains(ink));
        EXPECT_GE(ink.center().y(), row.top());
        EXPECT_LE(ink.center().y(), row.bottom());
        EXPECT_LE(ink.right(), PlaceInShot(window, AnswerTextNumber(window, answer)).left());
    }
    EXPECT_EQ(ClippedLabels(window), "") << "in review";
    EXPECT_TRUE(unhandled.empty());
}
