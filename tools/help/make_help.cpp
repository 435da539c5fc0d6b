// Turns the user guide (HTML) into the help document the program opens from
// Help > Open Help.
//
//   varno_make_help GUIDE.html OUTPUT.pdf
//
// Qt lays the guide out as rich text and prints it to a PDF file, so the help
// document needs nothing beyond the libraries the program already uses.

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QString>
#include <QStringList>
#include <QTextDocument>

#include <cstdio>

namespace {

// The layout of the rich text: a plain sans-serif body, headings set apart.
const char* const kStyleSheet = R"(
body { font-family: "DejaVu Sans"; font-size: 10.5pt; }
h1 { font-size: 20pt; font-weight: bold; margin-bottom: 14px; }
h2 { font-size: 14pt; font-weight: bold; margin-top: 22px; margin-bottom: 8px; }
p { margin-top: 0px; margin-bottom: 9px; line-height: 125%; }
li { margin-bottom: 4px; }
)";

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: varno_make_help GUIDE.html OUTPUT.pdf\n");
        return 2;
    }

    QFile source(arguments[1]);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(
            stderr, "error: %s: %s\n", qPrintable(arguments[1]), qPrintable(source.errorString()));
        return 1;
    }
    const QString html = QString::fromUtf8(source.readAll());

    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    document.setDefaultStyleSheet(QString::fromLatin1(kStyleSheet));
    document.setHtml(html);
    const QString title = document.metaInformation(QTextDocument::DocumentTitle);

    // QPdfWriter writes straight to its file; write beside the target and
    // rename, so a failed run never leaves half a help document behind.
    const QString target = arguments[2];
    const QString partial = target + QStringLiteral(".partial");
    QFile::remove(partial);
    {
        QPdfWriter writer(partial);
        writer.setTitle(title.isEmpty() ? QStringLiteral("Varno User Guide") : title);
        writer.setCreator(QStringLiteral("Varno"));
        writer.setResolution(300);
        // The rich-text printer keeps a margin of its own around the text.
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
            QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        document.print(&writer);
    }
    QFile written(partial);
    if (!written.exists() || written.size() == 0) {
        std::fprintf(stderr, "error: %s: the PDF writer produced nothing\n", qPrintable(target));
        QFile::remove(partial);
        return 1;
    }
    QFile::remove(target);
    if (!QFile::rename(partial, target)) {
        std::fprintf(stderr, "error: %s: cannot replace the help document\n", qPrintable(target));
        return 1;
    }
    std::printf(
        "%s: %lld bytes\n", qPrintable(target), static_cast<long long>(QFile(target).size()));
    return 0;
}
