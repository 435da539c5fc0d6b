#include "picture_window.h"

#include "program_fixture.h"

#include "application.h"
#include "canvas.h"
#include "exceptions.h"
#include "folder_item.h"
#include "label.h"
#include "message_sink.h"
#include "ref.h"
#include "resource_files_testing.h"
#include "slider.h"
#include "test_support.h"
#include "text.h"
#include "varno.h"
#include "window.h"

#include "figure_list.h"
#include "gif_writer.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr Color kRed { 255, 0, 0, 0 };
constexpr Color kBlue { 0, 0, 255, 0 };
constexpr Color kGreen { 0, 255, 0, 0 };

// 300 x 200 in four quarters: red, blue on top; green, black below.
QImage Quarters()
{
    QImage image(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 300; ++x) {
            QColor colour
                = y < 100 ? (x < 150 ? Qt::red : Qt::blue) : (x < 150 ? Qt::green : Qt::black);
            image.setPixelColor(x, y, colour);
        }
    }
    return image;
}

QImage Solid(const QColor& colour)
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

bool Near(Color a, Color b)
{
    const auto close = [](int p, int q) { return p - q <= 24 && q - p <= 24; };
    return close(a.red, b.red) && close(a.green, b.green) && close(a.blue, b.blue);
}

} // namespace

// The viewer's tests: the program with a resource folder holding only the
// figures a test writes.
class PictureWindowTest : public ProgramTest {
protected:
    PictureWindowTest()
        : ProgramTest("figures")
    {
    }

    void WriteFigure(Integer figure, const QImage& image) const
    {
        const QString path
            = QString::fromStdString(Root() + "/Resources/Pic" + Str(figure) + ".gif");
        ASSERT_TRUE(WriteGif(image, path));
    }
};

TEST_F(PictureWindowTest, ANewViewerShowsFigureOneOfSixteen)
{
    class PictureWindow& viewer = PictureWindow();
    EXPECT_EQ(viewer.Title(), "Figures");
    EXPECT_EQ(viewer.minPictID, 1001);
    EXPECT_EQ(viewer.maxPictID, 1016);
    EXPECT_EQ(viewer.Slider1().Minimum(), 1001);
    EXPECT_EQ(viewer.Slider1().Maximum(), 1016);
    EXPECT_EQ(viewer.Slider1().Value(), 1001);
    EXPECT_EQ(viewer.StaticText1().Text(), "Figure 1 out of 16");
    EXPECT_EQ(viewer.ScrollBar1().Value(), 0);
    EXPECT_EQ(viewer.ScrollBar1().Maximum(), 1000);
    EXPECT_EQ(viewer.ScrollBar2().Maximum(), 1000);
    EXPECT_EQ(viewer.ScrollBar2().PageStep(), 20);
    EXPECT_EQ(viewer.oldXScroll, 0);
    EXPECT_EQ(viewer.oldYScroll, 0);
    EXPECT_EQ(viewer.Canvas1().Width(), 604);
}

TEST_F(PictureWindowTest, TheLabelCountsFromTheSlidersBounds)
{
    class PictureWindow& viewer = PictureWindow();
    const std::vector<std::pair<Integer, std::string>> cases {
        { 1016, "Figure 16 out of 16" },
        { 1003, "Figure 3 out of 16" },
        { 1001, "Figure 1 out of 16" },
        { 2000, "Figure 16 out of 16" }, // the slider stops at its end
        { 0, "Figure 1 out of 16" },
    };
    for (const auto& [value, label] : cases) {
        viewer.Slider1().SetValue(value);
        EXPECT_EQ(viewer.StaticText1().Text(), label) << "slider set to " << value;
    }
}

TEST_F(PictureWindowTest, TheFigureIsDrawnAtNaturalSizeOnWhite)
{
    WriteFigure(1002, Quarters());
    class PictureWindow& viewer = PictureWindow();
    viewer.Slider1().SetValue(1002);
    Canvas& canvas = viewer.Canvas1();
    EXPECT_EQ(canvas.PixelAt(0, 0), kRed);
    EXPECT_EQ(canvas.PixelAt(149, 99), kRed);
    EXPECT_EQ(canvas.PixelAt(150, 0), kBlue);
    EXPECT_EQ(canvas.PixelAt(0, 100), kGreen);
    EXPECT_EQ(canvas.PixelAt(299, 199), kBlack);
    EXPECT_EQ(canvas.PixelAt(300, 0), kWhite);
    EXPECT_EQ(canvas.PixelAt(0, 200), kWhite);
    EXPECT_EQ(canvas.PixelAt(603, 290), kWhite);
}

TEST_F(PictureWindowTest, TheScrollBarsPanTheFigureLeftAndUp)
{
    WriteFigure(1002, Quarters());
    class PictureWindow& viewer = PictureWindow();
    viewer.Slider1().SetValue(1002);
    Canvas& canvas = viewer.Canvas1();

    viewer.ScrollBar1().SetValue(200);
    EXPECT_EQ(viewer.oldXScroll, 200);
    // Figure column 200 is now at canvas column 0; the strip uncovered at the
    // right is white.
    EXPECT_EQ(canvas.PixelAt(0, 0), kBlue);
    EXPECT_EQ(canvas.PixelAt(99, 0), kBlue);
    EXPECT_EQ(canvas.PixelAt(100, 0), kWhite);
    EXPECT_EQ(canvas.PixelAt(0, 150), kBlack);

    viewer.ScrollBar2().SetValue(150);
    EXPECT_EQ(viewer.oldYScroll, 150);
    EXPECT_EQ(canvas.PixelAt(0, 0), kBlack);
    EXPECT_EQ(canvas.PixelAt(0, 49), kBlack);
    EXPECT_EQ(canvas.PixelAt(0, 50), kWhite);

    // Pushed wholly out of view, the figure leaves the canvas white.
    viewer.ScrollBar1().SetValue(1000);
    EXPECT_EQ(canvas.PixelAt(0, 0), kWhite);
    EXPECT_TRUE(Unhandled().empty());
}

TEST_F(PictureWindowTest, ChoosingAnotherFigureKeepsThePan)
{
    WriteFigure(1002, Quarters());
    WriteFigure(1016, Quarters().mirrored(true, false)); // left and right swapped
    class PictureWindow& viewer = PictureWindow();
    viewer.Slider1().SetValue(1002);
    viewer.ScrollBar1().SetValue(160);

    viewer.Slider1().SetValue(1016);
    EXPECT_EQ(viewer.StaticText1().Text(), "Figure 16 out of 16");
    EXPECT_EQ(viewer.ScrollBar1().Value(), 160);
    EXPECT_EQ(viewer.oldXScroll, 160);
    EXPECT_EQ(viewer.Canvas1().PixelAt(0, 0), kRed); // column 160 of the mirrored figure
    EXPECT_EQ(viewer.Canvas1().PixelAt(140, 0), kWhite);
}

TEST_F(PictureWindowTest, EachSliderValueShowsTheFigureOfThatNumber)
{
    const std::vector<std::pair<Integer, QColor>> figures { { 1003, Qt::red }, { 1004, Qt::green },
        { 1009, Qt::blue }, { 1015, Qt::black } };
    for (const auto& [figure, colour] : figures)
        WriteFigure(figure, Solid(colour));
    class PictureWindow& viewer = PictureWindow();
    const std::vector<std::pair<Integer, Color>> expected { { 1003, kRed }, { 1004, kGreen },
        { 1009, kBlue }, { 1015, kBlack }, { 1005, kWhite } };
    for (const auto& [figure, colour] : expected) {
        viewer.Slider1().SetValue(figure);
        EXPECT_EQ(viewer.Canvas1().PixelAt(10, 10), colour) << "figure " << figure;
    }
}

TEST_F(PictureWindowTest, AMissingFigureLeavesTheCanvasWhiteWithNoMessage)
{
    class PictureWindow& viewer = PictureWindow();
    viewer.Slider1().SetValue(1003);
    EXPECT_EQ(viewer.StaticText1().Text(), "Figure 3 out of 16");
    for (const auto& [x, y] :
        std::vector<std::pair<Integer, Integer>> { { 0, 0 }, { 300, 150 }, { 603, 318 } })
        EXPECT_EQ(viewer.Canvas1().PixelAt(x, y), kWhite);
    Application::DoEvents();
    EXPECT_TRUE(Sink().messages.empty());
    EXPECT_TRUE(Unhandled().empty());

    // The file is looked for again at the next paint.
    WriteFigure(1003, Solid(Qt::red));
    EXPECT_EQ(viewer.Canvas1().PixelAt(0, 0), kRed);
}

TEST_F(PictureWindowTest, ResizingSizesTheCanvasAndTheOtherControlsFollowTheirLocks)
{
    class PictureWindow& viewer = PictureWindow();
    Application::DoEvents();

    viewer.SetWidth(800);
    viewer.SetHeight(500);
    Application::DoEvents();
    EXPECT_EQ(viewer.Canvas1().Width(), 782);
    EXPECT_EQ(viewer.Canvas1().Height(), 419);
    EXPECT_EQ(viewer.Canvas1().Left(), 0);
    EXPECT_EQ(viewer.Canvas1().Top(), 0);
    EXPECT_EQ(viewer.ScrollBar2().Left(), 782);
    EXPECT_EQ(viewer.ScrollBar2().Height(), 439);
    EXPECT_EQ(viewer.ScrollBar1().Width(), 784);
    EXPECT_EQ(viewer.ScrollBar1().Top(), 439);
    EXPECT_EQ(viewer.Slider1().Width(), 558);
    EXPECT_EQ(viewer.StaticText1().Left(), 590);

    viewer.SetWidth(622);
    viewer.SetHeight(375);
    Application::DoEvents();
    EXPECT_EQ(viewer.Canvas1().Width(), 604);
    EXPECT_EQ(viewer.Canvas1().Height(), 294);
    EXPECT_EQ(viewer.ScrollBar2().Left(), 604);
    EXPECT_EQ(viewer.ScrollBar1().Top(), 314);
}

// At the viewer's stored size every figure shows whole: the scroll bars are
// never needed to see one. The canvas keeps the size it is created with until
// the first resize, so the window is resized away and back to its stored
// size for the canvas the viewer gives that size. (The resource tests hold
// the shipped files to the sizes of the list.)
TEST_F(PictureWindowTest, EveryFigureFitsTheCanvasAtTheStoredSize)
{
    class PictureWindow& viewer = PictureWindow();
    const Integer storedWidth = viewer.Width();
    const Integer storedHeight = viewer.Height();
    viewer.SetWidth(storedWidth + 100);
    viewer.SetHeight(storedHeight + 100);
    Application::DoEvents();
    viewer.SetWidth(storedWidth);
    viewer.SetHeight(storedHeight);
    Application::DoEvents();
    const Integer width = viewer.Canvas1().Width();
    const Integer height = viewer.Canvas1().Height();
    for (const PictureEntry& entry : kFigurePictures) {
        SCOPED_TRACE(entry.fileName);
        EXPECT_LE(entry.width, width);
        EXPECT_LE(entry.height, height);
    }
}

TEST_F(PictureWindowTest, TheAccessorKeepsTheOpenViewerAsItIs)
{
    WriteFigure(1002, Quarters());
    class PictureWindow& viewer = PictureWindow();
    viewer.Slider1().SetValue(1007);
    viewer.ScrollBar1().SetValue(30);
    viewer.ScrollBar2().SetValue(40);

    class PictureWindow& again = PictureWindow();
    EXPECT_EQ(&again, &viewer);
    EXPECT_EQ(again.Slider1().Value(), 1007);
    EXPECT_EQ(again.StaticText1().Text(), "Figure 7 out of 16");
    EXPECT_EQ(again.oldXScroll, 30);
    EXPECT_EQ(again.oldYScroll, 40);

    viewer.Close();
    Application::DoEvents();
    class PictureWindow& fresh = PictureWindow();
    EXPECT_EQ(fresh.Slider1().Value(), 1001);
    EXPECT_EQ(fresh.ScrollBar1().Value(), 0);
    EXPECT_EQ(fresh.oldXScroll, 0);
    EXPECT_EQ(fresh.oldYScroll, 0);
}

TEST_F(PictureWindowTest, Screenshot)
{
    // The shipped figure when the build has one, else a drawn stand-in.
    const std::string shipped
        = ReadFileBytes(std::string(VARNO_BUILD_DIR) + "/Resources/Pic1001.jpg");
    const std::string figurePath = Root() + "/Resources/Pic1001.jpg";
    if (!shipped.empty()) {
        WriteFileBytes(figurePath, shipped);
    } else {
        ASSERT_TRUE(Quarters().save(QString::fromStdString(figurePath), "JPEG"));
    }
    class PictureWindow& viewer = PictureWindow();
    Application::DoEvents();
    if (shipped.empty()) {
        EXPECT_TRUE(Near(viewer.Canvas1().PixelAt(10, 10), kRed));
    }
    EXPECT_TRUE(viewer.SaveScreenshot(ScreenshotFolder() + "/picture_window.png"));
    EXPECT_TRUE(Unhandled().empty());
}
