#include "gif_writer.h"

#include "test_support.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// Decodes GIF bytes with Qt's own reader, the one the program uses.
QImage DecodeGif(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

// An image whose pixels take `colours` distinct values, in a pattern chosen
// by `seed`: random noise defeats the compressor's table, so the table fills
// and starts again many times.
QImage NoiseImage(int width, int height, int colours, unsigned seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> pick(0, colours - 1);
    int next = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Every colour appears at least once, then at random.
            const int index = next < colours ? next++ : pick(generator);
            image.setPixel(
                x, y, qRgb(index % 256, (index / 256) * 128 + (index * 7) % 64, 255 - index % 256));
        }
    }
    return image;
}

void ExpectRoundTrip(const QImage& image)
{
    const QByteArray data = EncodeGif(image);
    ASSERT_FALSE(data.isEmpty());
    const QImage decoded = DecodeGif(data);
    ASSERT_FALSE(decoded.isNull());
    ASSERT_EQ(decoded.size(), image.size());
    int differing = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            differing
                += (decoded.pixel(x, y) | 0xFF000000u) != (image.pixel(x, y) | 0xFF000000u) ? 1 : 0;
    }
    EXPECT_EQ(differing, 0);
}

} // namespace

TEST(GifWriter, WritesAGif89aFileWithItsSizeAndTrailer)
{
    QImage image(300, 17, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QByteArray data = EncodeGif(image);
    ASSERT_GE(data.size(), 13);
    EXPECT_EQ(data.left(6), QByteArray("GIF89a"));
    EXPECT_EQ(static_cast<unsigned char>(data[6]) | static_cast<unsigned char>(data[7]) << 8, 300);
    EXPECT_EQ(static_cast<unsigned char>(data[8]) | static_cast<unsigned char>(data[9]) << 8, 17);
    EXPECT_EQ(data.back(), ';');
}

TEST(GifWriter, NoisePicturesComeBackPixelForPixel)
{
    // Noise fills the 4096-entry code table again and again, and covers code
    // widths from 3 to 12 bits, with palettes on both sides of each power of two.
    for (int colours : { 2, 3, 4, 5, 16, 17, 128, 129, 255, 256 }) {
        SCOPED_TRACE(colours);
        ExpectRoundTrip(NoiseImage(211, 97, colours, static_cast<unsigned>(colours)));
    }
}

TEST(GifWriter, LongRunsComeBackPixelForPixel)
{
    // Large flat areas build long strings; the table grows to its limit
    // through long codes rather than through noise.
    QImage image(900, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 3));
    for (int i = 0; i < 40; ++i)
        painter.drawLine(i * 23, 0, 900 - i * 11, 600);
    painter.fillRect(100, 100, 300, 200, QColor(0, 150, 0));
    painter.end();
    ExpectRoundTrip(image);
}

TEST(GifWriter, TinyPicturesComeBack)
{
    QImage one(1, 1, QImage::Format_RGB32);
    one.fill(qRgb(12, 34, 56));
    ExpectRoundTrip(one);

    QImage column(1, 300, QImage::Format_RGB32);
    for (int y = 0; y < 300; ++y)
        column.setPixel(0, y, y % 3 == 0 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    ExpectRoundTrip(column);
}

TEST(GifWriter, SameImageGivesTheSameBytes)
{
    const QImage image = NoiseImage(64, 64, 40, 7);
    EXPECT_EQ(EncodeGif(image), EncodeGif(image.copy()));
}

TEST(GifWriter, RefusesMoreThan256ColoursAndEmptyImages)
{
    EXPECT_TRUE(EncodeGif(NoiseImage(40, 40, 257, 1)).isEmpty());
    EXPECT_TRUE(EncodeGif(QImage()).isEmpty());
    QString error;
    EXPECT_FALSE(WriteGif(
        NoiseImage(40, 40, 300, 1), QString::fromStdString(MakeTempFolder() + "/x.gif"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(GifWriter, WriteGifWritesAFileQtCanRead)
{
    const std::string path = MakeTempFolder() + "/mark.gif";
    const QImage image = NoiseImage(32, 32, 6, 3);
    ASSERT_TRUE(WriteGif(image, QString::fromStdString(path)));
    const std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(
        DecodeGif(QByteArray::fromStdString(bytes)), image.convertToFormat(QImage::Format_RGB32));
}

TEST(GifWriter, CountColoursCountsDistinctColours)
{
    EXPECT_EQ(CountColours(NoiseImage(50, 50, 37, 5)), 37);
    QImage white(10, 10, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(CountColours(white), 1);
}

TEST(GifWriter, InkShadesKeepWhiteAndInkAndFewStepsBetween)
{
    // An antialiased black drawing: many greys before, 16 after, with pure
    // white and pure black kept.
    QImage drawing(200, 100, QImage::Format_RGB32);
    drawing.fill(Qt::white);
    QPainter painter(&drawing);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.3));
    for (int i = 0; i < 30; ++i)
        painter.drawEllipse(QPointF(100, 50), 3.1 * i, 1.7 * i);
    painter.fillRect(0, 0, 20, 20, Qt::black);
    painter.end();
    ASSERT_GT(CountColours(drawing), 16);

    const QImage reduced = ReduceToInkShades(drawing, Qt::black, 16);
    EXPECT_LE(CountColours(reduced), 16);
    EXPECT_EQ(reduced.pixel(199, 99) | 0xFF000000u, qRgb(255, 255, 255));
    EXPECT_EQ(reduced.pixel(5, 5) | 0xFF000000u, qRgb(0, 0, 0));

    // A coloured ink: every shade is a mix of white and that ink.
    const QColor green(0, 150, 0);
    QImage mark(32, 32, QImage::Format_RGB32);
    mark.fill(Qt::white);
    QPainter markPainter(&mark);
    markPainter.setRenderHint(QPainter::Antialiasing);
    markPainter.setPen(QPen(green, 4));
    markPainter.drawLine(QPointF(3, 17), QPointF(27, 6));
    markPainter.end();
    const QImage shades = ReduceToInkShades(mark, green, 5);
    EXPECT_LE(CountColours(shades), 5);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb pixel = shades.pixel(x, y);
            EXPECT_EQ(qRed(pixel), qBlue(pixel));
            EXPECT_GE(qGreen(pixel), qRed(pixel));
        }
    }
}
