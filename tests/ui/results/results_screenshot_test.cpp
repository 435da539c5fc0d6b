#include "clipped_labels.h"
#include "history_window.h"
#include "label.h"
#include "listbox.h"
#include "mark_canvas.h"
#include "question_review_window.h"
#include "results_fixture.h"
#include "stats_window.h"

#include "gif_writer.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QString>

#include <string>

namespace {

// The shipped file of the build's resource folder, or "" when the build has
// none yet.
std::string ShippedResource(const std::string& name)
{
    return ReadFileBytes(std::string(VARNO_BUILD_DIR) + "/Resources/" + name);
}

// A green check on white, as the answer mark looks.
void WriteCheckMark(const std::string& path)
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setPen(QPen(QColor(0, 150, 0), 4));
        painter.drawLine(5, 17, 13, 25);
        painter.drawLine(13, 25, 27, 7);
    }
    ASSERT_TRUE(WriteGif(image, QString::fromStdString(path)));
}

} // namespace

// Each window filled from a real pool, kept as a picture to look at after the
// run (build/screenshots).
class ResultsScreenshotTest : public ResultsTest {
protected:
    void SetUp() override
    {
        ResultsTest::SetUp();
        std::string pool = ShippedResource("TechFile.txt");
        if (pool.empty())
            pool = ResultsPool("Technician Class Question Pool", { 12, 9, 14 });
        std::string mark = ShippedResource("Pic200.gif");
        if (mark.empty())
            WriteCheckMark(Root() + "/Resources/Pic200.gif");
        else
            WriteFileBytes(Root() + "/Resources/Pic200.gif", mark);
        LoadPool(pool);
        ASSERT_GT(App().numberSections, 0);
    }
};

TEST_F(ResultsScreenshotTest, StatisticsWindow)
{
    for (Integer q = 1; q <= 20; ++q) {
        App().correct(1, q) = q % 5;
        App().incorrect(1, q) = (q * 7) % 4;
    }
    class StatsWindow& window = StatsWindow();
    Application::DoEvents();
    EXPECT_GT(window.ListBox1().ListCount(), 20);
    EXPECT_EQ(window.ListBox1().Cell(0, 4), "25 %"); // 1 right, 3 wrong
    EXPECT_TRUE(window.SaveScreenshot(ScreenshotFolder() + "/stats_window.png"));
    EXPECT_TRUE(Unhandled().empty());
}

TEST_F(ResultsScreenshotTest, HistoryWindow)
{
    const double firstExam = 1709647620.0;
    const Integer results[][2] = { { 24, 11 }, { 28, 7 }, { 31, 4 }, { 35, 0 }, { 19, 16 } };
    for (Integer slot = 1; slot <= 5; ++slot) {
        App().historyDate(1, slot) = firstExam + static_cast<double>(slot) * 90000.0;
        App().historyCorrect(1, slot) = results[slot - 1][0];
        App().historyIncorrect(1, slot) = results[slot - 1][1];
    }
    class HistoryWindow& window = HistoryWindow();
    Application::DoEvents();
    ASSERT_EQ(window.ListBox1().ListCount(), 5);
    EXPECT_EQ(window.ListBox1().Cell(1, 3), "80 %");
    EXPECT_TRUE(window.SaveScreenshot(ScreenshotFolder() + "/history_window.png"));
}

TEST_F(ResultsScreenshotTest, QuestionReviewWindow)
{
    StatsWindow().ListBox1().DoubleClickRow(2);
    const std::vector<QuestionReviewWindow*> reviews = OpenWindowsOf<QuestionReviewWindow>();
    ASSERT_EQ(reviews.size(), 1U);
    Application::DoEvents();
    const Integer correct = App().GetAnswer(3);
    ASSERT_GE(correct, 1);
    ASSERT_LE(correct, 4);
    EXPECT_TRUE(reviews.front()->Canvas1(correct).Visible());
    EXPECT_EQ(reviews.front()->QuestionText().Text(), App().GetExamQuestion(3));
    EXPECT_TRUE(
        reviews.front()->SaveScreenshot(ScreenshotFolder() + "/question_review_window.png"));
    EXPECT_EQ(ClippedLabels(*reviews.front()), "");
    EXPECT_TRUE(Unhandled().empty());
}
