#include "canvas.h"

#include "graphics.h"
#include "label.h"
#include "picture.h"
#include "test_support.h"
#include "widget_fixture.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

constexpr Color kRed { 255, 0, 0, 0 };
constexpr Color kBlue { 0, 0, 255, 0 };

// A 4 x 2 picture: white left half, red right half.
Ref<Picture> HalfWhiteHalfRed()
{
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < 2; ++y)
        for (int x = 2; x < 4; ++x)
            image.setPixelColor(x, y, Qt::red);
    return MakeRef<Picture>(image);
}

class CanvasTest : public WidgetTest {
protected:
    Canvas& Make(bool transparent = false)
    {
        TestWindow& window = OpenTestWindow(With<WindowRecord>([&](auto& r) {
            r.width = 200;
            r.height = 100;
        }),
            [&](Window& w) {
                w.AddControl<Canvas>("Canvas1", With<CanvasRecord>([&](auto& r) {
                    r.place = At("Canvas1", 10, 10, 40, 30);
                    r.transparent = transparent;
                }).Encode());
            });
        return window.Find<Canvas>("Canvas1");
    }
};

} // namespace

TEST_F(CanvasTest, PaintHandlerDrawsWithTheCanvasSize)
{
    Canvas& canvas = Make();
    Integer seenWidth = 0;
    Integer seenHeight = 0;
    canvas.OnPaint([&](Canvas&, Graphics& g) {
        seenWidth = g.Width();
        seenHeight = g.Height();
        g.SetForeColor(kBlue);
        g.FillRect(0, 0, 20, g.Height());
    });
    EXPECT_EQ(canvas.PixelAt(5, 5), kBlue);
    EXPECT_EQ(canvas.PixelAt(25, 5), kWhite) << "what the code leaves is white";
    EXPECT_EQ(seenWidth, 40);
    EXPECT_EQ(seenHeight, 30);
    EXPECT_THROW(canvas.PixelAt(40, 0), OutOfBoundsException);
    EXPECT_THROW(canvas.PixelAt(0, -1), OutOfBoundsException);
}

TEST_F(CanvasTest, TransparentPictureLeavesWhiteUndrawn)
{
    Canvas& canvas = Make();
    Ref<Picture> picture = HalfWhiteHalfRed();
    picture->SetTransparent(1);
    canvas.OnPaint([&](Canvas&, Graphics& g) {
        g.SetForeColor(kBlue);
        g.FillRect(0, 0, g.Width(), g.Height());
        g.DrawPicture(picture, 10, 10);
    });
    EXPECT_EQ(canvas.PixelAt(10, 10), kBlue) << "white pixels of mode 1 are not drawn";
    EXPECT_EQ(canvas.PixelAt(12, 11), kRed);
    EXPECT_EQ(canvas.PixelAt(14, 10), kBlue) << "nothing beyond the picture";
}

TEST_F(CanvasTest, DrawPictureNaturalSizeWithOffsetAndScaled)
{
    Canvas& canvas = Make();
    Ref<Picture> picture = HalfWhiteHalfRed();
    Integer offset = 0;
    canvas.OnPaint([&](Canvas&, Graphics& g) { g.DrawPicture(picture, -offset, 0); });
    EXPECT_EQ(canvas.PixelAt(2, 0), kRed);
    offset = 2;
    EXPECT_EQ(canvas.PixelAt(0, 0), kRed) << "panned two pixels to the left";
    EXPECT_EQ(canvas.PixelAt(2, 0), kWhite);

    // The red half (2 x 2 from (2, 0)) scaled into 20 x 20 at (10, 5).
    canvas.OnPaint(
        [&](Canvas&, Graphics& g) { g.DrawPicture(picture, 10, 5, 20, 20, 2, 0, 2, 2); });
    EXPECT_EQ(canvas.PixelAt(10, 5), kRed);
    EXPECT_EQ(canvas.PixelAt(29, 24), kRed);
    EXPECT_EQ(canvas.PixelAt(9, 5), kWhite);
    EXPECT_EQ(canvas.PixelAt(30, 5), kWhite);
}

TEST_F(CanvasTest, NilPictureDrawsNothing)
{
    Canvas& canvas = Make();
    canvas.OnPaint([](Canvas&, Graphics& g) {
        g.SetForeColor(kBlue);
        g.FillRect(0, 0, g.Width(), g.Height());
        g.DrawPicture(Ref<Picture>(), 0, 0);
        g.DrawPicture(Ref<Picture>(), 0, 0, 10, 10, 0, 0, 4, 2);
    });
    EXPECT_EQ(canvas.PixelAt(0, 0), kBlue);
    EXPECT_TRUE(unhandled.empty());
}

TEST_F(CanvasTest, ExceptionInPaintReachesTheApplication)
{
    Canvas& canvas = Make();
    canvas.OnPaint([](Canvas&, Graphics&) { throw NilObjectException("no picture"); });
    EXPECT_EQ(canvas.PixelAt(0, 0), kWhite);
    ASSERT_EQ(unhandled.size(), 1u);
    EXPECT_EQ(unhandled[0], "no picture");
}

TEST_F(CanvasTest, RefreshRepaintsOnScreenAndTransparentShowsTheWindow)
{
    Canvas& canvas = Make(true);
    EXPECT_FALSE(canvas.widget()->autoFillBackground());
    int paints = 0;
    canvas.OnPaint([&](Canvas&, Graphics& g) {
        ++paints;
        g.SetForeColor(kRed);
        g.FillRect(0, 0, 5, 5);
    });
    const QImage shot = canvas.TrueWindow().widget()->grab().toImage();
    EXPECT_GT(paints, 0);
    const QPoint origin = canvas.widget()->mapTo(canvas.TrueWindow().widget(), QPoint(0, 0));
    EXPECT_EQ(shot.pixelColor(origin + QPoint(1, 1) * shot.devicePixelRatio()), QColor(Qt::red));
    const QColor background
        = canvas.TrueWindow().ContentWidget()->palette().color(QPalette::Window);
    EXPECT_EQ(shot.pixelColor((origin + QPoint(20, 20)) * shot.devicePixelRatio()), background);
    const int before = paints;
    canvas.Refresh(true);
    Application::DoEvents();
    EXPECT_GT(paints, before);
}

TEST_F(CanvasTest, SaveImageWritesThePaintedCanvas)
{
    Canvas& canvas = Make();
    canvas.OnPaint([](Canvas&, Graphics& g) {
        g.SetForeColor(kRed);
        g.FillRect(0, 0, g.Width(), g.Height());
    });
    const std::string path = MakeTempFolder("canvas") + "/canvas.png";
    ASSERT_TRUE(canvas.SaveImage(path));
    QImage image(QString::fromStdString(path));
    EXPECT_EQ(image.size(), QSize(40, 30));
    EXPECT_EQ(image.pixelColor(39, 29), QColor(Qt::red));
}
