// The answer mark: its stored "type" and how it paints the two mark pictures.

#include "mark_canvas.h"

#include "application.h"
#include "control_records.h"
#include "exceptions.h"
#include "folder_item.h"
#include "message_sink.h"
#include "graphics.h"
#include "picture.h"
#include "property_record.h"
#include "resource_files.h"
#include "resource_files_testing.h"
#include "test_pictures.h"
#include "test_support.h"
#include "varno.h"
#include "window.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

// Pictures of 40 x 40 whose top-left 32 x 32 has four quadrants: top-left in
// the picture's own colour, top-right white, bottom-left blue, bottom-right
// white. Everything beyond the 32 x 32 square is red and must never show.
std::string QuadrantPicture(Color topLeft)
{
    return PpmPicture(40, 40, [topLeft](int x, int y) {
        if (x >= 32 || y >= 32)
            return kRed;
        if (y < 16)
            return x < 16 ? topLeft : kWhite;
        return x < 16 ? kBlue : kWhite;
    });
}

std::string MarkRecordWithType(Integer index, Integer type)
{
    CanvasRecord record;
    record.place.name = "Canvas1";
    record.place.index = index;
    record.place.left = 5;
    record.place.top = 145;
    record.place.width = 64;
    record.place.height = 40;
    record.transparent = true;
    return record.Encode() + PropertyRecord().Int("type", type).Bytes();
}

// Marks on a plain window, with the pictures in a resource folder of their
// own; exceptions that reach the application are recorded.
class MarkCanvasTest : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string root = MakeTempFolder("marks");
        resourceFolder = root + "/Resources";
        app.SetExecutableFile(MakeRef<FolderItem>(root + "/bin/varno"));
        app.BindUnhandledException([this](RuntimeException& error) {
            unhandled.push_back(error.Message());
            return true;
        });
        Application::Register(&app);
        ForgetResourceFilesForTesting();
    }
    void TearDown() override
    {
        Application::Register(nullptr);
        ForgetResourceFilesForTesting();
    }
    void WriteResource(const std::string& name, const std::string& bytes) const
    {
        WriteFileBytes(resourceFolder + "/" + name, bytes);
    }
    MarkCanvas& AddMark(Integer type)
    {
        return host.AddControl<MarkCanvas>("Canvas1", MarkRecordWithType(1, type));
    }

    Varno app;
    std::string resourceFolder;
    std::vector<std::string> unhandled;
    Window host;
};

} // namespace

TEST_F(MarkCanvasTest, RecordEntryTypeIsAnInteger)
{
    MarkCanvas& mark = AddMark(2);
    EXPECT_EQ(mark.type, 2);
    EXPECT_EQ(mark.KindOf("type"), PropertyKind::Integer);
    EXPECT_EQ(mark.Index(), 1);
    EXPECT_EQ(mark.Width(), 64);
    EXPECT_TRUE(mark.Transparent());
    EXPECT_EQ(mark.KindOf("Transparent"), PropertyKind::Boolean);
    EXPECT_THROW(mark.KindOf("Caption"), OutOfBoundsException);

    ApplyPropertyRecord(mark, PropertyRecord().Int("type", -5).Int("Left", 9).Bytes());
    EXPECT_EQ(mark.type, -5);
    EXPECT_EQ(mark.Left(), 9);
}

TEST_F(MarkCanvasTest, NewMarkHasNoType)
{
    MarkCanvas mark(host);
    EXPECT_EQ(mark.type, 0);
}

TEST_F(MarkCanvasTest, CorrectMarkStretchesTheTopLeftSquareOverTheControl)
{
    WriteResource("Pic200.gif", QuadrantPicture(kBlack));
    MarkCanvas& mark = AddMark(1);
    // 64 x 40: each quadrant of the source square covers 32 x 20 pixels.
    EXPECT_EQ(mark.PixelAt(0, 0), kBlack);
    EXPECT_EQ(mark.PixelAt(31, 19), kBlack);
    EXPECT_EQ(mark.PixelAt(32, 0), kWhite);
    EXPECT_EQ(mark.PixelAt(63, 19), kWhite);
    EXPECT_EQ(mark.PixelAt(0, 20), kBlue);
    EXPECT_EQ(mark.PixelAt(31, 39), kBlue);
    EXPECT_EQ(mark.PixelAt(63, 39), kWhite);
    EXPECT_EQ(Pic200()->Transparent(), 1);
    EXPECT_TRUE(unhandled.empty());
}

TEST_F(MarkCanvasTest, WrongChoiceMarkDrawsTheSecondPicture)
{
    WriteResource("Pic200.gif", QuadrantPicture(kBlack));
    WriteResource("Pic201.gif", QuadrantPicture(kGreen));
    MarkCanvas& mark = AddMark(2);
    EXPECT_EQ(mark.PixelAt(10, 10), kGreen);
    EXPECT_EQ(mark.PixelAt(10, 30), kBlue);
    EXPECT_EQ(Pic201()->Transparent(), 1);
}

TEST_F(MarkCanvasTest, WhiteOfTheMarkLeavesTheWindowShowing)
{
    constexpr Color kWindowColour { 0, 200, 200, 0 };
    WindowRecord window;
    window.width = 300;
    window.height = 300;
    window.hasBackColor = true;
    window.backColor = kWindowColour;
    ApplyPropertyRecord(host, window.Encode());
    WriteResource("Pic200.gif", QuadrantPicture(kBlack));
    AddMark(1); // at 5, 145, 64 x 40
    const std::string shotPath = resourceFolder + "/shot.png";
    ASSERT_TRUE(host.SaveScreenshot(shotPath));
    const Ref<Picture> shot = Picture::Open(FolderItem(shotPath));
    ASSERT_FALSE(shot.IsNil());

    // Reads the screenshot back pixel by pixel through a canvas that draws it.
    Window readerHost;
    Canvas& reader = readerHost.AddControl<Canvas>("Reader", "");
    reader.SetWidth(shot->Width());
    reader.SetHeight(shot->Height());
    reader.OnPaint([shot](Canvas&, Graphics& g) { g.DrawPicture(shot, 0, 0); });
    EXPECT_EQ(reader.PixelAt(5 + 5, 145 + 5), kBlack);
    EXPECT_EQ(reader.PixelAt(5 + 5, 145 + 30), kBlue);
    EXPECT_EQ(reader.PixelAt(5 + 50, 145 + 5), kWindowColour);
    EXPECT_EQ(reader.PixelAt(5 + 50, 145 + 30), kWindowColour);
    EXPECT_EQ(reader.PixelAt(150, 150), kWindowColour);
    EXPECT_TRUE(unhandled.empty());
}

TEST_F(MarkCanvasTest, OtherTypesDrawNothingAndNeedNoPicture)
{
    for (Integer type : { Integer { 0 }, Integer { 3 }, Integer { -1 } }) {
        MarkCanvas& mark = AddMark(type);
        for (Integer x : { 0, 10, 40, 63 })
            for (Integer y : { 0, 10, 30, 39 })
                EXPECT_EQ(mark.PixelAt(x, y), kWhite) << type << " at " << x << "," << y;
    }
    EXPECT_TRUE(unhandled.empty());
}

// A message box opened from inside a paint would itself make the window
// repaint; the missing picture is reported once the paint is over, once.
TEST_F(MarkCanvasTest, MissingPictureIsReportedOnceAfterThePaint)
{
    MarkCanvas& mark = AddMark(1);
    RecordingMessageSink& sink = InstallRecordingMessageSink();
    EXPECT_EQ(mark.PixelAt(5, 5), kWhite);
    EXPECT_EQ(mark.PixelAt(20, 20), kWhite);
    EXPECT_TRUE(sink.messages.empty()) << "no message box from inside the paint";
    Application::DoEvents();
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].find("\"Pic200.gif\""), std::string::npos) << sink.messages[0];
    EXPECT_TRUE(unhandled.empty());

    mark.PixelAt(5, 5);
    Application::DoEvents();
    EXPECT_EQ(sink.messages.size(), 1u) << "told once, not at every repaint";

    // Tried again on the next paint, once the file is there.
    WriteResource("Pic200.gif", QuadrantPicture(kBlack));
    EXPECT_EQ(mark.PixelAt(5, 5), kBlack);

    // The other mark's picture is a file of its own.
    mark.type = 2;
    EXPECT_EQ(mark.PixelAt(5, 5), kWhite);
    Application::DoEvents();
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_NE(sink.messages[1].find("\"Pic201.gif\""), std::string::npos) << sink.messages[1];
    EXPECT_TRUE(unhandled.empty());
}

// A mark picture that is not an ordinary file is refused as it is read; that
// is the one thing the user hears about it.
TEST_F(MarkCanvasTest, RefusedPictureIsReportedOnlyAsRefused)
{
    std::filesystem::create_directories(resourceFolder);
    ASSERT_EQ(mkfifo((resourceFolder + "/Pic200.gif").c_str(), 0600), 0);
    MarkCanvas& mark = AddMark(1);
    RecordingMessageSink& sink = InstallRecordingMessageSink();
    EXPECT_EQ(mark.PixelAt(5, 5), kWhite);
    Application::DoEvents();
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].find("not an ordinary file"), std::string::npos) << sink.messages[0];

    mark.PixelAt(5, 5);
    Application::DoEvents();
    EXPECT_EQ(sink.messages.size(), 1u);
    EXPECT_TRUE(unhandled.empty());
}
