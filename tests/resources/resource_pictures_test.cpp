#include "figure_list.h"
#include "test_support.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <gtest/gtest.h>

#include <cstdio>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <regex>
#include <string>

namespace {

std::string ResourcePath(const char* fileName)
{
    return std::string(VARNO_BUILD_DIR) + "/Resources/" + fileName;
}

struct Decoded {
    QImage image;
    QByteArray format;
    QString error;
};

Decoded Decode(const std::string& path)
{
    QImageReader reader(QString::fromStdString(path));
    Decoded decoded;
    decoded.format = reader.format();
    decoded.image = reader.read().convertToFormat(QImage::Format_RGB32);
    decoded.error = reader.errorString();
    return decoded;
}

bool NearWhite(QRgb pixel)
{
    return qRed(pixel) > 235 && qGreen(pixel) > 235 && qBlue(pixel) > 235;
}

// Share of pixels in a band of rows that are clearly inked.
double InkShare(const QImage& image, int firstRow, int lastRow)
{
    int inked = 0;
    int all = 0;
    for (int y = firstRow; y <= lastRow && y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x, ++all)
            inked += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    }
    return all == 0 ? 0 : static_cast<double>(inked) / all;
}

} // namespace

// The figure viewer shows Pic1001.jpg and Pic1002.gif to Pic1016.gif (and has
// accessors up to Pic1020.gif); each must decode at the size it was drawn.
TEST(ResourcePictures, EveryFigureDecodesAtItsDrawnSize)
{
    for (const PictureEntry& entry : kFigurePictures) {
        SCOPED_TRACE(entry.fileName);
        const Decoded decoded = Decode(ResourcePath(entry.fileName));
        ASSERT_FALSE(decoded.image.isNull()) << decoded.error.toStdString();
        const bool jpeg = std::string(entry.fileName).ends_with(".jpg");
        EXPECT_EQ(decoded.format, QByteArray(jpeg ? "jpeg" : "gif"));
        EXPECT_EQ(decoded.image.width(), entry.width);
        EXPECT_EQ(decoded.image.height(), entry.height);
    }
}

TEST(ResourcePictures, FiguresAreBlackDrawingsOnWhiteWithTheirLabelAtTheTop)
{
    for (const PictureEntry& entry : kFigurePictures) {
        SCOPED_TRACE(entry.fileName);
        const QImage image = Decode(ResourcePath(entry.fileName)).image;
        ASSERT_FALSE(image.isNull());
        for (const QPoint corner : { QPoint(0, 0), QPoint(image.width() - 1, 0),
                 QPoint(0, image.height() - 1), QPoint(image.width() - 1, image.height() - 1) })
            EXPECT_TRUE(NearWhite(image.pixel(corner)))
                << "corner " << corner.x() << "," << corner.y();
        // The label sits in the top 30 rows, centred.
        const double label
            = InkShare(image.copy(image.width() / 3, 0, image.width() / 3, 30), 0, 29);
        EXPECT_GT(label, 0.02) << "no label at the top";
        const double drawing = InkShare(image, 30, image.height() - 1);
        EXPECT_GT(drawing, 0.005) << "nothing drawn under the label";
        EXPECT_LT(drawing, 0.5) << "not a drawing on white";
    }
}

// The answer marks are drawn scaled from their top-left 32 x 32 pixels with
// white left out, so they are exactly 32 x 32 on white with coloured strokes.
TEST(ResourcePictures, AnswerMarksAreColouredStrokesOn32By32White)
{
    for (const PictureEntry& entry : kMarkPictures) {
        SCOPED_TRACE(entry.fileName);
        const Decoded decoded = Decode(ResourcePath(entry.fileName));
        ASSERT_FALSE(decoded.image.isNull()) << decoded.error.toStdString();
        EXPECT_EQ(decoded.format, QByteArray("gif"));
        ASSERT_EQ(decoded.image.width(), 32);
        ASSERT_EQ(decoded.image.height(), 32);

        int border = 0;
        int green = 0;
        int red = 0;
        int white = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QRgb pixel = decoded.image.pixel(x, y);
                if (x == 0 || y == 0 || x == 31 || y == 31)
                    border += NearWhite(pixel) ? 0 : 1;
                if (qRed(pixel) == 255 && qGreen(pixel) == 255 && qBlue(pixel) == 255)
                    ++white;
                if (qGreen(pixel) > qRed(pixel) + 80 && qGreen(pixel) > qBlue(pixel) + 80)
                    ++green;
                if (qRed(pixel) > qGreen(pixel) + 80 && qRed(pixel) > qBlue(pixel) + 80)
                    ++red;
            }
        }
        EXPECT_EQ(border, 0) << "the edge must be white";
        EXPECT_GT(white, 32 * 32 / 2) << "mostly pure white, which is drawn transparent";
        if (entry.number == 200) {
            EXPECT_GT(green, 60) << "the correct-answer mark is a green check";
            EXPECT_EQ(red, 0);
        } else {
            EXPECT_GT(red, 60) << "the wrong-choice mark is a red cross";
            EXPECT_EQ(green, 0);
        }
    }
}

TEST(ResourcePictures, CheckMarkIsACheckAndCrossIsACross)
{
    // A cross is symmetric left to right; a check mark is not.
    auto mirrorDifference = [](const QImage& image) {
        int differing = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width() / 2; ++x)
                differing += NearWhite(image.pixel(x, y))
                        != NearWhite(image.pixel(image.width() - 1 - x, y))
                    ? 1
                    : 0;
        }
        return differing;
    };
    const QImage check = Decode(ResourcePath("Pic200.gif")).image;
    const QImage cross = Decode(ResourcePath("Pic201.gif")).image;
    ASSERT_FALSE(check.isNull());
    ASSERT_FALSE(cross.isNull());
    EXPECT_GT(mirrorDifference(check), 40);
    EXPECT_LT(mirrorDifference(cross), 8);
}

// Help > Open Help copies "Varno Docs.pdf" to the temporary folder and opens
// it in the PDF viewer; it must be a whole PDF file.
TEST(ResourceHelpDocument, IsACompletePdfWithPages)
{
    const std::string pdf = ReadFileBytes(ResourcePath("Varno Docs.pdf"));
    ASSERT_FALSE(pdf.empty()) << "Varno Docs.pdf is missing or empty";
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    std::string tail = pdf;
    while (!tail.empty() && std::isspace(static_cast<unsigned char>(tail.back())))
        tail.pop_back();
    ASSERT_GE(tail.size(), 5u);
    EXPECT_EQ(tail.substr(tail.size() - 5), "%%EOF");
    EXPECT_NE(pdf.find("startxref"), std::string::npos);

    // "/Type /Page" but not "/Type /Pages": one object per page.
    const std::regex page(R"(/Type\s*/Page(?![A-Za-z]))");
    const auto pages
        = std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator());
    EXPECT_GE(pages, 1);
}

// The text a reader sees in the PDF, as poppler's pdftotext extracts it.
std::string PdfText(const std::string& path)
{
    const std::string command = "pdftotext -enc UTF-8 '" + path + "' - 2>/dev/null";
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t got = 0;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            text.append(buffer, got);
        pclose(pipe);
    }
    // The typesetter joins "fi" and "fl" into ligature glyphs; read them as letters.
    for (const auto& [ligature, letters] :
        { std::pair<std::string, std::string> { "\xEF\xAC\x81", "fi" },
            { "\xEF\xAC\x82", "fl" } }) {
        for (std::size_t at = text.find(ligature); at != std::string::npos;
             at = text.find(ligature, at))
            text.replace(at, ligature.size(), letters);
    }
    return text;
}

TEST(ResourceHelpDocument, PdfShowsEverySectionHeading)
{
    const std::string text = PdfText(ResourcePath("Varno Docs.pdf"));
    ASSERT_FALSE(text.empty()) << "pdftotext (poppler-utils) read no text from the help document";
    for (const char* heading :
        { "Varno User Guide", "Choosing an exam", "Answering and moving between questions",
            "Sections and the whole pool", "Grading and the review marks", "Statistics and history",
            "The figure viewer", "Where your statistics are kept" })
        EXPECT_NE(text.find(heading), std::string::npos) << heading;
}

TEST(ResourceHelpDocument, GuideSourceHoldsEverySectionHeading)
{
    const std::string guide
        = ReadFileBytes(std::string(VARNO_SOURCE_DIR) + "/tools/help/varno-guide.html");
    ASSERT_FALSE(guide.empty());
    for (const char* heading : { "Choosing an exam", "Answering and moving between questions",
             "Sections and the whole pool", "Grading and the review marks",
             "Statistics and history", "The figure viewer", "Where your statistics are kept" }) {
        EXPECT_NE(guide.find(std::string("<h2>") + heading + "</h2>"), std::string::npos)
            << heading;
    }
    // The places the guide sends the user to, by their names in the program.
    for (const char* name :
        { "Varno Preferences", "XDG_CONFIG_HOME", "Clear Exam Histories", "Show Figures",
            "Entire Pool", "Current Exam", "Grade Exam", "Exam History", "Question History" })
        EXPECT_NE(guide.find(name), std::string::npos) << name;
}

// The guide's example of a section label is one the Technician pool has, as
// the section pop-up menu shows it, in the source and in the document.
TEST(ResourceHelpDocument, ExampleSectionLabelIsOneOfTheTechnicianPool)
{
    const std::string guide
        = ReadFileBytes(std::string(VARNO_SOURCE_DIR) + "/tools/help/varno-guide.html");
    std::smatch match;
    ASSERT_TRUE(
        std::regex_search(guide, match, std::regex(R"(for example\s+<i>(T1[A-Z] [^<]+)</i>)")));
    const std::string label = match[1].str();
    const std::string pool = ReadFileBytes(ResourcePath("TechFile.txt"));
    EXPECT_NE(pool.find("\n" + label + "\n"), std::string::npos) << label;

    std::string text = PdfText(ResourcePath("Varno Docs.pdf"));
    std::replace(text.begin(), text.end(), '\n', ' ');
    EXPECT_NE(text.find(label), std::string::npos) << label;
}
