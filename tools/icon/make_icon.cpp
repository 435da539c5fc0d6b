// Draws the program's icon for the desktop's application list: a radio mast
// sending waves, over an answer sheet with a check mark, on a blue tile.
//
//   varno_make_icon OUTPUT_FOLDER    writes varno-48.png, varno-128.png and
//                                    varno-256.png, then reads each back
//
// Each size is drawn from the same shapes at its own resolution, so the small
// ones stay sharp instead of being scaled down from the large one.

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <cstdio>

namespace {

constexpr int kSizes[] = { 48, 128, 256 };

// The shapes are laid out on a 256-unit square and scaled to the size.
QImage DrawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);

    // The tile.
    QPainterPath tile;
    tile.addRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    painter.fillPath(tile, QColor(28, 84, 160));

    // The answer sheet, tilted a little, with three answer lines.
    painter.save();
    painter.translate(164, 152);
    painter.rotate(-6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 250, 245));
    painter.drawRoundedRect(QRectF(-62, -70, 124, 140), 10, 10);
    painter.setBrush(QColor(170, 180, 195));
    for (int row = 0; row < 3; ++row)
        painter.drawRoundedRect(QRectF(-22, -44 + row * 36, 66, 12), 6, 6);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(120, 130, 145), 5));
    for (int row = 0; row < 3; ++row)
        painter.drawEllipse(QPointF(-40, -38 + row * 36), 8, 8);
    // The chosen answer, checked.
    painter.setPen(QPen(QColor(30, 150, 60), 13, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath check;
    check.moveTo(-48, 0);
    check.lineTo(-38, 12);
    check.lineTo(-18, -16);
    painter.drawPath(check);
    painter.restore();

    // The mast: a slim lattice triangle with a ball on top.
    const QColor white(255, 255, 255);
    painter.setPen(QPen(white, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF({ QPointF(44, 212), QPointF(80, 78), QPointF(116, 212) }));
    painter.setPen(QPen(white, 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(62, 146), QPointF(98, 146));
    painter.drawLine(QPointF(54, 176), QPointF(106, 176));
    painter.setPen(Qt::NoPen);
    painter.setBrush(white);
    painter.drawEllipse(QPointF(80, 66), 12, 12);

    // The waves.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 205, 60), 9, Qt::SolidLine, Qt::RoundCap));
    for (int ring = 1; ring <= 2; ++ring) {
        const double radius = 14.0 + ring * 20.0;
        const QRectF box(80 - radius, 66 - radius, 2 * radius, 2 * radius);
        painter.drawArc(box, 30 * 16, 60 * 16);
        painter.drawArc(box, 90 * 16, 60 * 16);
    }
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: varno_make_icon OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists()) {
        std::fprintf(stderr, "varno_make_icon: no folder %s\n", argv[1]);
        return 1;
    }
    for (int size : kSizes) {
        const QString path = folder.filePath(QStringLiteral("varno-%1.png").arg(size));
        const QImage icon = DrawIcon(size);
        if (!icon.save(path, "PNG")) {
            std::fprintf(stderr, "varno_make_icon: cannot write %s\n", qPrintable(path));
            return 1;
        }
        const QImage back(path);
        if (back.size() != icon.size()
            || back.convertToFormat(QImage::Format_ARGB32)
                != icon.convertToFormat(QImage::Format_ARGB32)) {
            std::fprintf(
                stderr, "varno_make_icon: %s does not read back as drawn\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
