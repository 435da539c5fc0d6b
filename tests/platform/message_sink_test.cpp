#include "message_sink.h"

#include "folder_item.h"
#include "test_support.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

class MessageSinkTest : public testing::Test {
protected:
    void SetUp() override { sink = &InstallRecordingMessageSink(); }
    RecordingMessageSink* sink = nullptr;
};

TEST_F(MessageSinkTest, MsgBoxAndShowUrlReachTheSink)
{
    MsgBox("Exam histories cleared");
    MsgBox("two\rlines");
    ShowURL("https://example.org/version.html?prog=varno&version=1.0");
    EXPECT_EQ(
        sink->messages, (std::vector<std::string> { "Exam histories cleared", "two\rlines" }));
    EXPECT_EQ(sink->urls,
        std::vector<std::string> { "https://example.org/version.html?prog=varno&version=1.0" });
    EXPECT_TRUE(sink->documents.empty());
}

TEST_F(MessageSinkTest, MsgBoxLaterWaitsForTheEventLoop)
{
    MsgBoxLater("after the paint");
    EXPECT_TRUE(sink->messages.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(sink->messages, std::vector<std::string> { "after the paint" });
}

TEST_F(MessageSinkTest, LaunchHandsTheDocumentToTheSink)
{
    const std::string path = MakeTempFolder("launch") + "/VarnoDocs.pdf";
    WriteFileBytes(path, "%PDF");
    FolderItem item(path);
    item.Launch(true);
    EXPECT_EQ(sink->documents, std::vector<std::string> { path });
    EXPECT_EQ(item.LastErrorCode(), 0);
}

TEST_F(MessageSinkTest, RefusedLaunchSetsLastErrorCode)
{
    const std::string path = MakeTempFolder("launch") + "/VarnoDocs.pdf";
    WriteFileBytes(path, "%PDF");
    sink->openDocumentSucceeds = false;
    FolderItem item(path);
    item.Launch(true);
    EXPECT_NE(item.LastErrorCode(), 0);

    // A later success clears it again.
    sink->openDocumentSucceeds = true;
    item.Launch(true);
    EXPECT_EQ(item.LastErrorCode(), 0);
}

TEST_F(MessageSinkTest, LaunchOfAMissingFileFailsWithoutAskingTheDesktop)
{
    FolderItem item(MakeTempFolder("launch") + "/missing.pdf");
    item.Launch(true);
    EXPECT_NE(item.LastErrorCode(), 0);
    EXPECT_TRUE(sink->documents.empty());
}

TEST_F(MessageSinkTest, NullRestoresTheDesktopSink)
{
    EXPECT_EQ(&CurrentMessageSink(), sink);
    SetMessageSink(nullptr);
    EXPECT_EQ(dynamic_cast<RecordingMessageSink*>(&CurrentMessageSink()), nullptr);
    RecordingMessageSink& again = InstallRecordingMessageSink();
    EXPECT_EQ(&CurrentMessageSink(), &again);
}

// Messages often carry a folder or file name from outside; a name that looks
// like markup must show as it is, character for character, so the user can
// copy the real path.
TEST(DesktopMessageSink, MessagesShowAsPlainTextNeverAsMarkup)
{
    SetMessageSink(nullptr);
    QString shownText;
    Qt::TextFormat shownFormat = Qt::RichText;
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
            shownText = label->text();
            shownFormat = label->textFormat();
            seen = true;
        }
        box->accept();
    });
    poll.start(10);
    QTimer safetyNet;
    safetyNet.setSingleShot(true);
    QObject::connect(&safetyNet, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    safetyNet.start(5000);
    MsgBox("The file \"Varno Preferences\" in /home/<h1>ham</h1>/.config<br>was kept.");
    InstallRecordingMessageSink();
    ASSERT_TRUE(seen);
    EXPECT_EQ(shownFormat, Qt::PlainText);
    EXPECT_EQ(shownText,
        QStringLiteral(
            "The file \"Varno Preferences\" in /home/<h1>ham</h1>/.config<br>was kept."));
}
