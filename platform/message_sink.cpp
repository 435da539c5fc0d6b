#include "message_sink.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>

#include <cstdio>

namespace {

// The desktop: real message boxes, the browser and the document viewer.
class DesktopMessageSink final : public MessageSink {
public:
    void ShowMessage(const std::string& text) override
    {
        // Program texts break lines with a carriage return.
        QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
            std::fprintf(stderr, "%s\n", shown.toLocal8Bit().constData());
            return;
        }
        QMessageBox box;
        // Messages carry file names and other text from outside, never markup.
        box.setTextFormat(Qt::PlainText);
        box.setText(shown);
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
    }

    bool OpenURL(const std::string& url) override
    {
        const QUrl address(
            QString::fromUtf8(url.data(), static_cast<qsizetype>(url.size())), QUrl::TolerantMode);
        return address.isValid() && QDesktopServices::openUrl(address);
    }

    bool OpenDocument(const std::string& nativePath, bool) override
    {
        return QDesktopServices::openUrl(
            QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(nativePath))));
    }
};

DesktopMessageSink& DesktopSink()
{
    static DesktopMessageSink sink;
    return sink;
}

std::unique_ptr<MessageSink>& InstalledSink()
{
    static std::unique_ptr<MessageSink> sink;
    return sink;
}

} // namespace

MessageSink& CurrentMessageSink()
{
    if (InstalledSink())
        return *InstalledSink();
    return DesktopSink();
}

void SetMessageSink(std::unique_ptr<MessageSink> sink)
{
    InstalledSink() = std::move(sink);
}

RecordingMessageSink& InstallRecordingMessageSink()
{
    auto sink = std::make_unique<RecordingMessageSink>();
    RecordingMessageSink& result = *sink;
    SetMessageSink(std::move(sink));
    return result;
}

void MsgBox(const std::string& text)
{
    CurrentMessageSink().ShowMessage(text);
}

void MsgBoxLater(const std::string& text)
{
    QCoreApplication* runtime = QCoreApplication::instance();
    if (runtime == nullptr) {
        MsgBox(text);
        return;
    }
    QTimer::singleShot(0, runtime, [text] { MsgBox(text); });
}

bool ShowURL(const std::string& url)
{
    return CurrentMessageSink().OpenURL(url);
}
