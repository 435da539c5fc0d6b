#include "picture.h"

#include "application.h"
#include "folder_item.h"
#include "test_support.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

namespace {

// A 2 x 1 GIF89a: a white pixel, then a black one (two-colour table, LZW
// codes clear, 0, 1, end).
const std::string kTwoPixelGif("GIF89a"
                               "\x02\x00\x01\x00\x80\x00\x00"
                               "\xFF\xFF\xFF\x00\x00\x00"
                               "\x2C\x00\x00\x00\x00\x02\x00\x01\x00\x00"
                               "\x02\x02\x44\x0A\x00"
                               "\x3B",
    6 + 7 + 6 + 10 + 5 + 1);

} // namespace

TEST(Picture, LoadsAGif)
{
    const std::string path = MakeTempFolder("pictures") + "/Pic200.gif";
    WriteFileBytes(path, kTwoPixelGif);
    Ref<Picture> picture = Picture::Open(FolderItem(path));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(), 2);
    EXPECT_EQ(picture->Height(), 1);
    EXPECT_EQ(QColor(picture->Image().pixel(0, 0)), QColor(Qt::white));
    EXPECT_EQ(QColor(picture->Image().pixel(1, 0)), QColor(Qt::black));
}

TEST(Picture, LoadsAJpeg)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    const std::string path = MakeTempFolder("pictures") + "/Pic1001.jpg";
    ASSERT_TRUE(image.save(QString::fromStdString(path), "JPEG"));
    Ref<Picture> picture = Picture::Open(FolderItem(path));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(), 40);
    EXPECT_EQ(picture->Height(), 30);
}

TEST(Picture, MissingOrUndecodableFilesGiveNil)
{
    const std::string folder = MakeTempFolder("pictures");
    WriteFileBytes(folder + "/garbage.gif", "this is not a picture");
    WriteFileBytes(folder + "/cut.gif", kTwoPixelGif.substr(0, 12));
    WriteFileBytes(folder + "/empty.jpg", "");
    EXPECT_FALSE(Picture::Open(FolderItem(folder + "/missing.gif")));
    EXPECT_FALSE(Picture::Open(FolderItem(folder + "/garbage.gif")));
    EXPECT_FALSE(Picture::Open(FolderItem(folder + "/cut.gif")));
    EXPECT_FALSE(Picture::Open(FolderItem(folder + "/empty.jpg")));
    EXPECT_FALSE(Picture::Open(FolderItem(folder)));
}

TEST(Picture, TransparentModeOneClearsWhiteAndNearWhiteOnly)
{
    QImage image(4, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 255, 255));
    image.setPixel(1, 0, qRgb(251, 250, 253)); // JPEG noise on white
    image.setPixel(2, 0, qRgb(249, 255, 255));
    image.setPixel(3, 0, qRgb(0, 0, 0));
    Picture picture(image);

    EXPECT_EQ(&picture.DrawnImage(), &picture.Image()); // mode 0 draws every pixel
    picture.SetTransparent(1);
    const QImage& drawn = picture.DrawnImage();
    EXPECT_EQ(qAlpha(drawn.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(drawn.pixel(1, 0)), 0);
    EXPECT_EQ(qAlpha(drawn.pixel(2, 0)), 255);
    EXPECT_EQ(drawn.pixel(3, 0), qRgba(0, 0, 0, 255));
    EXPECT_EQ(&picture.DrawnImage(), &drawn); // cached
    EXPECT_EQ(qAlpha(picture.Image().pixel(0, 0)), 255); // the original is untouched
}

class ResourcePictureTest : public testing::Test {
protected:
    void SetUp() override
    {
        root = MakeTempFolder("install");
        WriteFileBytes(root + "/bin/varno", "");
        WriteFileBytes(root + "/Resources/Pic201.gif", kTwoPixelGif);
        app.SetExecutableFile(MakeRef<FolderItem>(root + "/bin/varno"));
        Application::Register(&app);
    }
    void TearDown() override { Application::Register(nullptr); }

    std::string root;
    Application app;
};

TEST_F(ResourcePictureTest, ResourceFolderLiesBesideTheExecutablesFolder)
{
    EXPECT_EQ(ResourceFolder()->NativePath(), root + "/Resources");
    Ref<Picture> picture = Picture::FromResources("Pic201.gif");
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(), 2);
    EXPECT_FALSE(Picture::FromResources("Pic999.gif"));
}

TEST_F(ResourcePictureTest, NoResourceFolderWithoutAnApplication)
{
    Application::Register(nullptr);
    EXPECT_THROW(ResourceFolder(), NilObjectException);
    EXPECT_FALSE(Picture::FromResources("Pic201.gif"));
}

TEST_F(ResourcePictureTest, ExecutableAtTheRootHasNoResourceFolder)
{
    app.SetExecutableFile(MakeRef<FolderItem>("/varno"));
    EXPECT_THROW(ResourceFolder(), NilObjectException);
}
