// Draws the figures of CATALOGUE.md and the two answer marks, and writes them
// into a resource folder: Pic1001.jpg, Pic1002.gif to Pic1020.gif, Pic200.gif
// and Pic201.gif.
//
//   varno_make_figures OUTPUT_FOLDER [--preview PNG_FOLDER]
//
// Questions name the figures by their label and their parts by the circled
// numbers, so a change here must keep CATALOGUE.md true.

#include "figure_list.h"
#include "gif_writer.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <functional>
#include <map>
#include <numbers>
#include <utility>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kLineWidth = 2.0;
const QColor kInk(0, 0, 0);
const QColor kGrid(150, 150, 150);
const QColor kFaintGrid(200, 200, 200);
const QColor kCheckGreen(0, 150, 0);
const QColor kCrossRed(210, 0, 0);
const QString kFontFamily = QStringLiteral("DejaVu Sans");

QFont Font(double pixelSize, bool bold = false)
{
    QFont font(kFontFamily);
    font.setPixelSize(static_cast<int>(pixelSize));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void UseInk(QPainter& p, double width = kLineWidth, const QColor& colour = kInk)
{
    QPen pen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
}

// Text centred on a point.
void CentredText(QPainter& p, QPointF centre, const QString& text, const QFont& font)
{
    p.save();
    p.setFont(font);
    p.setPen(kInk);
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);
    p.drawText(
        QPointF(centre.x() - width / 2, centre.y() + (metrics.ascent() - metrics.descent()) / 2),
        text);
    p.restore();
}

// Text whose left end sits at a point, centred vertically on it.
void LeftText(QPainter& p, QPointF start, const QString& text, const QFont& font)
{
    p.save();
    p.setFont(font);
    p.setPen(kInk);
    const QFontMetricsF metrics(font);
    p.drawText(QPointF(start.x(), start.y() + (metrics.ascent() - metrics.descent()) / 2), text);
    p.restore();
}

void RightText(QPainter& p, QPointF end, const QString& text, const QFont& font)
{
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    LeftText(p, QPointF(end.x() - width, end.y()), text, font);
}

void Title(QPainter& p, const QString& label, int width)
{
    CentredText(p, QPointF(width / 2.0, 16), label, Font(17, true));
}

// The small circled number by which questions name a part.
void PartNumber(QPainter& p, QPointF centre, int number)
{
    p.save();
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 10.5, 10.5);
    p.restore();
    CentredText(p, centre, QString::number(number), Font(13, true));
}

void Wire(QPainter& p, std::initializer_list<QPointF> points)
{
    UseInk(p);
    QPolygonF line;
    for (const QPointF& point : points)
        line << point;
    p.drawPolyline(line);
}

void Junction(QPainter& p, QPointF at)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(at, 3.5, 3.5);
    p.restore();
}

void OpenTerminal(QPainter& p, QPointF at)
{
    p.save();
    p.setPen(QPen(kInk, 1.8));
    p.setBrush(Qt::white);
    p.drawEllipse(at, 4, 4);
    p.restore();
}

void ArrowHead(QPainter& p, QPointF from, QPointF tip, double length = 9, double halfWidth = 4)
{
    const QPointF along = tip - from;
    const double size = std::hypot(along.x(), along.y());
    if (size == 0)
        return;
    const QPointF unit = along / size;
    const QPointF normal(-unit.y(), unit.x());
    QPolygonF head;
    head << tip << tip - unit * length + normal * halfWidth
         << tip - unit * length - normal * halfWidth;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(head);
    p.restore();
}

void Arrow(QPainter& p, QPointF from, QPointF tip, double width = 1.6)
{
    UseInk(p, width);
    const QPointF along = tip - from;
    const double size = std::hypot(along.x(), along.y());
    p.drawLine(from, tip - along / size * 6);
    ArrowHead(p, from, tip);
}

void Ground(QPainter& p, QPointF at)
{
    UseInk(p);
    p.drawLine(at, at + QPointF(0, 10));
    p.drawLine(at + QPointF(-14, 10), at + QPointF(14, 10));
    p.drawLine(at + QPointF(-9, 15), at + QPointF(9, 15));
    p.drawLine(at + QPointF(-4, 20), at + QPointF(4, 20));
}

// Draws a two-terminal part between a and b: the painter is moved so that the
// part lies along the x axis from -half to +half, centred on the origin.
class AlongLine final {
public:
    AlongLine(QPainter& p, QPointF a, QPointF b)
        : p_(p)
    {
        const QPointF along = b - a;
        half = std::hypot(along.x(), along.y()) / 2;
        p_.save();
        p_.translate((a + b) / 2);
        p_.rotate(std::atan2(along.y(), along.x()) * 180 / kPi);
        UseInk(p_);
    }
    ~AlongLine() { p_.restore(); }
    AlongLine(const AlongLine&) = delete;
    AlongLine& operator=(const AlongLine&) = delete;

    // Leads from both terminals to the body, which spans -body to +body.
    void Leads(double body) const
    {
        p_.drawLine(QPointF(-half, 0), QPointF(-body, 0));
        p_.drawLine(QPointF(body, 0), QPointF(half, 0));
    }

    double half = 0;

private:
    QPainter& p_;
};

void Resistor(QPainter& p, QPointF a, QPointF b, double body = 20)
{
    AlongLine part(p, a, b);
    part.Leads(body);
    QPolygonF zigzag;
    zigzag << QPointF(-body, 0);
    const int peaks = 6;
    for (int i = 0; i < peaks; ++i) {
        const double x = -body + (2 * i + 1) * body / peaks;
        zigzag << QPointF(x, i % 2 == 0 ? -7 : 7);
    }
    zigzag << QPointF(body, 0);
    p.drawPolyline(zigzag);
}

void DiagonalArrow(QPainter& p, double reach)
{
    Arrow(p, QPointF(-reach, reach), QPointF(reach, -reach));
}

// A potentiometer: a resistor whose wiper arrow comes from the side.
void Potentiometer(QPainter& p, QPointF a, QPointF b)
{
    Resistor(p, a, b);
    AlongLine part(p, a, b);
    p.drawLine(QPointF(0, -30), QPointF(0, -17));
    ArrowHead(p, QPointF(0, -30), QPointF(0, -8));
}

void Capacitor(QPainter& p, QPointF a, QPointF b, bool variable = false)
{
    AlongLine part(p, a, b);
    part.Leads(4);
    UseInk(p, 2.6);
    p.drawLine(QPointF(-4, -13), QPointF(-4, 13));
    p.drawLine(QPointF(4, -13), QPointF(4, 13));
    if (variable)
        DiagonalArrow(p, 17);
}

// Electrolytic capacitor: straight plate and "+" on the a side, curved plate
// on the b side.
void PolarizedCapacitor(QPainter& p, QPointF a, QPointF b)
{
    AlongLine part(p, a, b);
    p.drawLine(QPointF(-part.half, 0), QPointF(-4, 0));
    p.drawLine(QPointF(4, 0), QPointF(part.half, 0));
    UseInk(p, 2.6);
    p.drawLine(QPointF(-4, -13), QPointF(-4, 13));
    QPainterPath curve(QPointF(9, -13));
    curve.quadTo(QPointF(-1, 0), QPointF(9, 13));
    p.drawPath(curve);
    UseInk(p, 1.6);
    p.drawLine(QPointF(-15, -18), QPointF(-9, -18));
    p.drawLine(QPointF(-12, -21), QPointF(-12, -15));
}

// Coil bumps along the x axis from -body to +body, bulging to negative y.
void CoilBumps(QPainter& p, double body, int turns)
{
    const double width = 2 * body / turns;
    QPainterPath path(QPointF(-body, 0));
    for (int i = 0; i < turns; ++i)
        path.arcTo(QRectF(-body + i * width, -width / 2, width, width), 180, -180);
    p.drawPath(path);
}

void Inductor(QPainter& p, QPointF a, QPointF b, bool variable = false)
{
    AlongLine part(p, a, b);
    part.Leads(22);
    CoilBumps(p, 22, 4);
    if (variable)
        DiagonalArrow(p, 19);
}

// A coil with a lead from its middle.
void TappedInductor(QPainter& p, QPointF a, QPointF b)
{
    AlongLine part(p, a, b);
    part.Leads(22);
    CoilBumps(p, 22, 4);
    p.drawLine(QPointF(0, 0), QPointF(0, 26));
}

void Fuse(QPainter& p, QPointF a, QPointF b)
{
    AlongLine part(p, a, b);
    p.drawLine(QPointF(-part.half, 0), QPointF(part.half, 0));
    p.drawRect(QRectF(-16, -7, 32, 14));
}

void Switch(QPainter& p, QPointF a, QPointF b)
{
    AlongLine part(p, a, b);
    part.Leads(18);
    p.drawLine(QPointF(-15, 0), QPointF(14, -15));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(-16, 0), 3, 3);
    p.drawEllipse(QPointF(16, 0), 3, 3);
}

enum class DiodeKind { Rectifier, Zener, Varactor, Schottky, Tunnel, LightEmitting, Photo };

// Anode at a, cathode at b.
void Diode(QPainter& p, QPointF a, QPointF b, DiodeKind kind = DiodeKind::Rectifier)
{
    AlongLine part(p, a, b);
    const double cathodeEnd = kind == DiodeKind::Varactor ? 14 : 9;
    p.drawLine(QPointF(-part.half, 0), QPointF(-9, 0));
    p.drawLine(QPointF(cathodeEnd, 0), QPointF(part.half, 0));
    QPolygonF triangle;
    triangle << QPointF(-9, -10) << QPointF(-9, 10) << QPointF(9, 0);
    p.setBrush(kInk);
    p.drawPolygon(triangle);
    p.setBrush(Qt::NoBrush);
    UseInk(p, 2.4);
    p.drawLine(QPointF(9, -10), QPointF(9, 10));
    UseInk(p);
    switch (kind) {
    case DiodeKind::Zener:
        p.drawLine(QPointF(9, -10), QPointF(4, -14));
        p.drawLine(QPointF(9, 10), QPointF(14, 14));
        break;
    case DiodeKind::Tunnel:
        p.drawLine(QPointF(9, -10), QPointF(4, -10));
        p.drawLine(QPointF(9, 10), QPointF(4, 10));
        break;
    case DiodeKind::Schottky:
        p.drawPolyline(QPolygonF({ QPointF(9, -10), QPointF(14, -10), QPointF(14, -5) }));
        p.drawPolyline(QPolygonF({ QPointF(9, 10), QPointF(4, 10), QPointF(4, 5) }));
        break;
    case DiodeKind::Varactor:
        UseInk(p, 2.4);
        p.drawLine(QPointF(14, -10), QPointF(14, 10));
        break;
    case DiodeKind::LightEmitting:
        Arrow(p, QPointF(-2, -14), QPointF(8, -30));
        Arrow(p, QPointF(6, -12), QPointF(16, -28));
        break;
    case DiodeKind::Photo:
        Arrow(p, QPointF(10, -32), QPointF(0, -15));
        Arrow(p, QPointF(18, -29), QPointF(8, -13));
        break;
    case DiodeKind::Rectifier:
        break;
    }
}

void Crystal(QPainter& p, QPointF a, QPointF b)
{
    AlongLine part(p, a, b);
    part.Leads(12);
    UseInk(p, 2.4);
    p.drawLine(QPointF(-12, -12), QPointF(-12, 12));
    p.drawLine(QPointF(12, -12), QPointF(12, 12));
    UseInk(p);
    p.drawRect(QRectF(-6, -15, 12, 30));
}

// Two cells; the positive terminal is at a.
void Battery(QPainter& p, QPointF a, QPointF b)
{
    AlongLine part(p, a, b);
    part.Leads(12);
    for (double x : { -12.0, 4.0 }) {
        UseInk(p, 2);
        p.drawLine(QPointF(x, -16), QPointF(x, 16));
        UseInk(p, 5);
        p.drawLine(QPointF(x + 7, -8), QPointF(x + 7, 8));
    }
    UseInk(p, 2);
    p.drawLine(QPointF(-4, 0), QPointF(4, 0));
}

void Lamp(QPainter& p, QPointF a, QPointF b)
{
    AlongLine part(p, a, b);
    part.Leads(16);
    p.drawEllipse(QPointF(0, 0), 16, 16);
    const double r = 16 / std::numbers::sqrt2;
    p.drawLine(QPointF(-r, -r), QPointF(r, r));
    p.drawLine(QPointF(-r, r), QPointF(r, -r));
}

// An antenna whose feed point is at `feed`, mast upwards.
void Antenna(QPainter& p, QPointF feed, double height = 46)
{
    UseInk(p);
    const QPointF top = feed - QPointF(0, height);
    p.drawLine(feed, top + QPointF(0, 4));
    p.drawPolyline(
        QPolygonF({ top + QPointF(-16, -14), top + QPointF(0, 4), top + QPointF(16, -14) }));
    p.drawLine(top + QPointF(0, 4), top + QPointF(0, -14));
}

// Transformer with an iron core: primary on the left, secondary on the right.
void Transformer(QPainter& p, QPointF centre)
{
    p.save();
    p.translate(centre);
    UseInk(p);
    const double coil = 22;
    QPainterPath left(QPointF(-14, -coil));
    QPainterPath right(QPointF(14, -coil));
    const double turn = 2 * coil / 4;
    for (int i = 0; i < 4; ++i) {
        left.arcTo(QRectF(-14 - turn / 2, -coil + i * turn, turn, turn), 90, 180);
        right.arcTo(QRectF(14 - turn / 2, -coil + i * turn, turn, turn), 90, -180);
    }
    p.drawPath(left);
    p.drawPath(right);
    p.drawLine(QPointF(-3, -coil - 4), QPointF(-3, coil + 4));
    p.drawLine(QPointF(3, -coil - 4), QPointF(3, coil + 4));
    for (double y : { -coil, coil }) {
        p.drawLine(QPointF(-14, y), QPointF(-44, y));
        p.drawLine(QPointF(14, y), QPointF(44, y));
    }
    p.restore();
}

// Terminals of a three-terminal device, in figure coordinates.
struct Terminals {
    QPointF control; // base or gate
    QPointF upper; // collector or drain
    QPointF lower; // emitter or source
    QPointF extra; // second gate of a dual-gate MOSFET
};

// A bipolar transistor drawn with its base to the left, collector up and
// emitter down, then turned by `degrees` about its centre.
Terminals Bipolar(QPainter& p, QPointF centre, bool npn, double degrees = 0)
{
    QTransform place;
    place.translate(centre.x(), centre.y());
    place.rotate(degrees);
    p.save();
    p.setTransform(place, true);
    UseInk(p);
    p.drawEllipse(QPointF(0, 0), 24, 24);
    p.drawLine(QPointF(-40, 0), QPointF(-9, 0));
    UseInk(p, 3);
    p.drawLine(QPointF(-9, -13), QPointF(-9, 13));
    UseInk(p);
    p.drawPolyline(QPolygonF({ QPointF(-9, -6), QPointF(10, -18), QPointF(10, -40) }));
    p.drawPolyline(QPolygonF({ QPointF(-9, 6), QPointF(10, 18), QPointF(10, 40) }));
    if (npn)
        ArrowHead(p, QPointF(-9, 6), QPointF(9, 17), 10, 4.5);
    else
        ArrowHead(p, QPointF(10, 18), QPointF(-7, 7), 10, 4.5);
    p.restore();
    return { place.map(QPointF(-40, 0)), place.map(QPointF(10, -40)), place.map(QPointF(10, 40)),
        {} };
}

Terminals JunctionFet(QPainter& p, QPointF centre, bool nChannel)
{
    p.save();
    p.translate(centre);
    UseInk(p);
    p.drawEllipse(QPointF(2, 0), 24, 24);
    UseInk(p, 3);
    p.drawLine(QPointF(0, -16), QPointF(0, 16));
    UseInk(p);
    p.drawPolyline(QPolygonF({ QPointF(0, -10), QPointF(14, -10), QPointF(14, -40) }));
    p.drawPolyline(QPolygonF({ QPointF(0, 10), QPointF(14, 10), QPointF(14, 40) }));
    p.drawLine(QPointF(-40, 10), QPointF(0, 10));
    if (nChannel)
        ArrowHead(p, QPointF(-20, 10), QPointF(-1, 10), 10, 4.5);
    else
        ArrowHead(p, QPointF(-1, 10), QPointF(-20, 10), 10, 4.5);
    p.restore();
    return { centre + QPointF(-40, 10), centre + QPointF(14, -40), centre + QPointF(14, 40), {} };
}

enum class MosKind { NEnhancement, PEnhancement, NDepletion, DualGateN };

Terminals Mosfet(QPainter& p, QPointF centre, MosKind kind)
{
    p.save();
    p.translate(centre);
    UseInk(p, 3);
    if (kind == MosKind::NDepletion || kind == MosKind::DualGateN) {
        p.drawLine(QPointF(0, -16), QPointF(0, 16));
    } else {
        p.drawLine(QPointF(0, -16), QPointF(0, -7));
        p.drawLine(QPointF(0, -4.5), QPointF(0, 4.5));
        p.drawLine(QPointF(0, 7), QPointF(0, 16));
    }
    UseInk(p);
    Terminals ends;
    if (kind == MosKind::DualGateN) {
        p.drawLine(QPointF(-8, 2), QPointF(-8, 16));
        p.drawLine(QPointF(-8, -16), QPointF(-8, -2));
        p.drawLine(QPointF(-40, 12), QPointF(-8, 12));
        p.drawLine(QPointF(-40, -12), QPointF(-8, -12));
        ends.control = centre + QPointF(-40, 12);
        ends.extra = centre + QPointF(-40, -12);
    } else {
        p.drawLine(QPointF(-8, -16), QPointF(-8, 16));
        p.drawLine(QPointF(-40, 12), QPointF(-8, 12));
        ends.control = centre + QPointF(-40, 12);
    }
    p.drawPolyline(QPolygonF({ QPointF(0, -11.5), QPointF(16, -11.5), QPointF(16, -40) }));
    p.drawPolyline(QPolygonF({ QPointF(0, 11.5), QPointF(16, 11.5), QPointF(16, 40) }));
    p.drawPolyline(QPolygonF({ QPointF(0, 0), QPointF(16, 0), QPointF(16, 11.5) }));
    if (kind == MosKind::PEnhancement)
        ArrowHead(p, QPointF(2, 0), QPointF(15, 0), 9, 4.5);
    else
        ArrowHead(p, QPointF(14, 0), QPointF(1.5, 0), 9, 4.5);
    p.restore();
    ends.upper = centre + QPointF(16, -40);
    ends.lower = centre + QPointF(16, 40);
    return ends;
}

// Operational amplifier pointing right; inverting input above.
Terminals OpAmp(QPainter& p, QPointF centre)
{
    p.save();
    p.translate(centre);
    UseInk(p);
    p.drawPolygon(QPolygonF({ QPointF(-36, -42), QPointF(-36, 42), QPointF(44, 0) }));
    UseInk(p, 1.8);
    p.drawLine(QPointF(-29, -20), QPointF(-19, -20));
    p.drawLine(QPointF(-29, 20), QPointF(-19, 20));
    p.drawLine(QPointF(-24, 15), QPointF(-24, 25));
    p.restore();
    return { centre + QPointF(-36, 20), centre + QPointF(-36, -20), centre + QPointF(44, 0), {} };
}

enum class Gate { And, Nand, Or, Nor, Xor, Not };

// A logic gate centred on `centre`, inputs from the left, output to the right.
void LogicGate(QPainter& p, QPointF centre, Gate gate)
{
    p.save();
    p.translate(centre);
    UseInk(p);
    double outputX = 0;
    QPainterPath body;
    const bool orShape = gate == Gate::Or || gate == Gate::Nor || gate == Gate::Xor;
    if (gate == Gate::Not) {
        body.addPolygon(QPolygonF({ QPointF(-22, -18), QPointF(-22, 18), QPointF(14, 0) }));
        body.closeSubpath();
        outputX = 14;
    } else if (orShape) {
        body.moveTo(-26, -22);
        body.quadTo(QPointF(10, -22), QPointF(28, 0));
        body.quadTo(QPointF(10, 22), QPointF(-26, 22));
        body.quadTo(QPointF(-12, 0), QPointF(-26, -22));
        outputX = 28;
    } else {
        body.moveTo(-26, -22);
        body.lineTo(4, -22);
        body.arcTo(QRectF(-18, -22, 44, 44), 90, -180);
        body.lineTo(-26, 22);
        body.closeSubpath();
        outputX = 26;
    }
    p.drawPath(body);
    if (gate == Gate::Xor) {
        QPainterPath back(QPointF(-33, -22));
        back.quadTo(QPointF(-19, 0), QPointF(-33, 22));
        p.drawPath(back);
    }
    const bool bubble = gate == Gate::Nand || gate == Gate::Nor || gate == Gate::Not;
    if (bubble) {
        p.drawEllipse(QPointF(outputX + 4.5, 0), 4.5, 4.5);
        outputX += 9;
    }
    p.drawLine(QPointF(outputX, 0), QPointF(48, 0));
    if (gate == Gate::Not) {
        p.drawLine(QPointF(-48, 0), QPointF(-22, 0));
    } else {
        // An OR-shaped gate's inputs meet its curved back.
        const double inputEnd = gate == Gate::Xor ? -27 : (orShape ? -20 : -26);
        for (double y : { -11.0, 11.0 })
            p.drawLine(QPointF(-48, y), QPointF(inputEnd, y));
    }
    p.restore();
}

// Lays out separate symbols in rows, each with its circled number at an offset
// from the symbol's centre (below it unless the sheet says otherwise).
// The symbols are drawn at the origin; `scale` enlarges them when a sheet has
// room to spare.
void SymbolSheet(QPainter& p, int width, int height, const std::vector<int>& rowLengths,
    const std::vector<std::function<void(QPointF)>>& symbols, QPointF numberOffset = { 0, 50 },
    double scale = 1)
{
    const double top = 36;
    const double rowHeight = (height - top) / rowLengths.size();
    std::size_t symbol = 0;
    for (std::size_t row = 0; row < rowLengths.size(); ++row) {
        const double cellWidth = static_cast<double>(width) / rowLengths[row];
        for (int column = 0; column < rowLengths[row] && symbol < symbols.size();
             ++column, ++symbol) {
            const QPointF centre(
                cellWidth * (column + 0.5), top + rowHeight * row + rowHeight * 0.42);
            p.save();
            p.translate(centre);
            p.scale(scale, scale);
            symbols[symbol](QPointF(0, 0));
            p.restore();
            PartNumber(p, centre + numberOffset, static_cast<int>(symbol + 1));
        }
    }
}

// ---- The figures ----------------------------------------------------------

void FigureT1(QPainter& p)
{
    const double top = 70, bottom = 250, left = 90, right = 470;
    const QPointF batteryPlus(left, 125), batteryMinus(left, 205);
    Battery(p, batteryPlus, batteryMinus);
    Wire(p, { batteryPlus, QPointF(left, top), QPointF(right, top), QPointF(right, 80) });
    Lamp(p, QPointF(right, 80), QPointF(right, 144));
    const Terminals q = Bipolar(p, QPointF(right - 10, 184), true);
    Wire(p, { QPointF(right, 144), q.upper });
    Wire(p, { q.lower, QPointF(right, bottom), QPointF(left, bottom), batteryMinus });
    const QPointF node(240, top);
    Wire(p, { node, QPointF(240, 184), QPointF(280, 184) });
    Resistor(p, QPointF(280, 184), QPointF(370, 184));
    Wire(p, { QPointF(370, 184), q.control });
    Junction(p, node);
    LeftText(p, QPointF(left - 30, 108), QStringLiteral("+"), Font(16, true));
    PartNumber(p, QPointF(325, 158), 1);
    PartNumber(p, QPointF(515, 184), 2);
    PartNumber(p, QPointF(515, 112), 3);
    PartNumber(p, QPointF(45, 165), 4);
}

void FigureT2(QPainter& p, int width, int height)
{
    const double lead = 48;
    SymbolSheet(p, width, height, { 4, 3 },
        {
            [&](QPointF c) { Fuse(p, c - QPointF(lead, 0), c + QPointF(lead, 0)); },
            [&](QPointF c) { Switch(p, c - QPointF(lead, 0), c + QPointF(lead, 0)); },
            [&](QPointF c) { Transformer(p, c); },
            [&](QPointF c) { Diode(p, c - QPointF(lead, 0), c + QPointF(lead, 0)); },
            [&](QPointF c) { Capacitor(p, c - QPointF(lead, 0), c + QPointF(lead, 0)); },
            [&](QPointF c) {
                Diode(p, c - QPointF(lead, 8), c + QPointF(lead, -8), DiodeKind::LightEmitting);
            },
            [&](QPointF c) { Potentiometer(p, c - QPointF(lead, -8), c + QPointF(lead, 8)); },
        });
}

void FigureT3(QPainter& p, int width, int height)
{
    const double lead = 50;
    SymbolSheet(p, width, height, { 3 },
        {
            [&](QPointF c) { Capacitor(p, c - QPointF(lead, 0), c + QPointF(lead, 0), true); },
            [&](QPointF c) { Inductor(p, c - QPointF(lead, 0), c + QPointF(lead, 0), true); },
            [&](QPointF c) { Antenna(p, c + QPointF(0, 30), 56); },
        },
        { 0, 72 }, 1.5);
}

void FigureG1(QPainter& p, int width, int height)
{
    const double lead = 44;
    SymbolSheet(p, width, height, { 4, 4 },
        {
            [&](QPointF c) { Bipolar(p, c, true); },
            [&](QPointF c) { Bipolar(p, c, false); },
            [&](QPointF c) { JunctionFet(p, c, true); },
            [&](QPointF c) {
                Diode(p, c - QPointF(lead, 0), c + QPointF(lead, 0), DiodeKind::Zener);
            },
            [&](QPointF c) { Crystal(p, c - QPointF(lead, 0), c + QPointF(lead, 0)); },
            [&](QPointF c) { Transformer(p, c); },
            [&](QPointF c) { PolarizedCapacitor(p, c - QPointF(lead, 0), c + QPointF(lead, 0)); },
            [&](QPointF c) { TappedInductor(p, c - QPointF(lead, 0), c + QPointF(lead, 0)); },
        },
        { 0, 58 }, 1.15);
}

void FigureE1(QPainter& p, int width, int height)
{
    // 100 ohms per grid square, the same both ways so that angles read true;
    // the reactance axis spans the whole height under the label.
    const double unit = 22;
    const QPointF origin(130, height / 2.0 + 14);
    auto at = [&](double resistance, double reactance) {
        return origin + QPointF(resistance / 100 * unit, -reactance / 100 * unit);
    };
    const QFont small = Font(11);
    for (int r = 0; r <= 600; r += 100) {
        UseInk(p, 1, kFaintGrid);
        p.drawLine(at(r, -500), at(r, 500));
        if (r > 0)
            CentredText(p, at(r, 0) + QPointF(-1, 10), QString::number(r), Font(10));
    }
    for (int x = -500; x <= 500; x += 100) {
        UseInk(p, 1, kFaintGrid);
        p.drawLine(at(0, x), at(640, x));
        if (x != 0)
            RightText(p, at(0, x) + QPointF(-6, 0),
                (x > 0 ? QStringLiteral("+") : QString()) + QString::number(x), small);
    }
    RightText(p, at(0, 0) + QPointF(-6, 0), QStringLiteral("0"), small);
    UseInk(p, 2);
    p.drawLine(at(0, -530), at(0, 530));
    p.drawLine(at(0, 0), at(660, 0));
    ArrowHead(p, at(0, 0), at(660, 0) + QPointF(10, 0));
    ArrowHead(p, at(0, 0), at(0, 530) + QPointF(0, -10));
    ArrowHead(p, at(0, 0), at(0, -530) + QPointF(0, 10));
    const QFont axis = Font(13, true);
    LeftText(p, at(660, 0) + QPointF(14, 0), QStringLiteral("R"), axis);
    LeftText(p, at(0, 530) + QPointF(12, -4), QStringLiteral("+jX"), axis);
    LeftText(p, at(0, -530) + QPointF(12, 4), QStringLiteral("-jX"), axis);

    const QFont note = Font(12);
    const double legendX = width - 196;
    LeftText(p, QPointF(legendX, 70), QStringLiteral("R: resistance (ohms)"), note);
    LeftText(p, QPointF(legendX, 90), QStringLiteral("X: reactance (ohms)"), note);
    LeftText(p, QPointF(legendX, 110), QStringLiteral("+jX: inductive"), note);
    LeftText(p, QPointF(legendX, 130), QStringLiteral("-jX: capacitive"), note);
    LeftText(p, QPointF(legendX, 150), QStringLiteral("Grid: 100 ohms"), note);

    const std::pair<double, double> points[]
        = { { 300, 400 }, { 400, -300 }, { 200, 0 }, { 0, -500 }, { 100, 100 } };
    int number = 1;
    for (const auto& [r, x] : points) {
        const QPointF spot = at(r, x);
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(spot, 4.5, 4.5);
        p.restore();
        PartNumber(p, spot + QPointF(15, -13), number++);
    }
}

void FigureE2(QPainter& p, int width, int height)
{
    SymbolSheet(p, width, height, { 3, 3 },
        {
            [&](QPointF c) { JunctionFet(p, c, true); },
            [&](QPointF c) { JunctionFet(p, c, false); },
            [&](QPointF c) { Mosfet(p, c, MosKind::NEnhancement); },
            [&](QPointF c) { Mosfet(p, c, MosKind::PEnhancement); },
            [&](QPointF c) { Mosfet(p, c, MosKind::NDepletion); },
            [&](QPointF c) { Mosfet(p, c, MosKind::DualGateN); },
        },
        { -56, -36 }, 1.25);
}

void FigureE3(QPainter& p, int width, int height)
{
    const double lead = 40;
    std::vector<std::function<void(QPointF)>> symbols;
    for (DiodeKind kind : { DiodeKind::Rectifier, DiodeKind::Zener, DiodeKind::Varactor,
             DiodeKind::Schottky, DiodeKind::LightEmitting, DiodeKind::Photo, DiodeKind::Tunnel }) {
        symbols.push_back([&p, kind, lead](QPointF c) {
            Diode(p, c - QPointF(lead, -6), c + QPointF(lead, 6), kind);
        });
    }
    SymbolSheet(p, width, height, { 4, 3 }, symbols, { 0, 46 }, 1.4);
}

void FigureE4(QPainter& p, int width, int height)
{
    std::vector<std::function<void(QPointF)>> symbols;
    for (Gate gate : { Gate::And, Gate::Nand, Gate::Or, Gate::Nor, Gate::Xor, Gate::Not })
        symbols.push_back([&p, gate](QPointF c) { LogicGate(p, c, gate); });
    SymbolSheet(p, width, height, { 3, 3 }, symbols, { 0, 46 }, 1.2);
}

void FigureE5(QPainter& p)
{
    const double rail = 58, ground = 250, biasX = 200, collectorX = 300;
    const QFont label = Font(13, true);
    // Supply rail and ground return.
    Wire(p, { QPointF(biasX, rail), QPointF(collectorX, rail) });
    OpenTerminal(p, QPointF(collectorX + 50, rail));
    Wire(p, { QPointF(collectorX, rail), QPointF(collectorX + 46, rail) });
    LeftText(p, QPointF(collectorX + 60, rail), QStringLiteral("+12 V"), label);
    Wire(p, { QPointF(biasX, ground), QPointF(380, ground) });
    Ground(p, QPointF(290, ground));
    Junction(p, QPointF(collectorX, rail));

    // Base bias divider.
    Resistor(p, QPointF(biasX, rail), QPointF(biasX, 152), 18);
    Resistor(p, QPointF(biasX, 162), QPointF(biasX, ground), 18);
    Wire(p, { QPointF(biasX, 152), QPointF(biasX, 162) });
    const QPointF baseNode(biasX, 157);
    Junction(p, baseNode);

    const Terminals q = Bipolar(p, QPointF(collectorX - 10, 157), true);
    Wire(p, { baseNode, q.control });

    // Collector load and output coupling.
    Resistor(p, QPointF(collectorX, rail), q.upper, 16);
    const QPointF collectorNode = q.upper + QPointF(0, -2);
    Junction(p, collectorNode);
    Wire(p, { collectorNode, QPointF(400, collectorNode.y()) });
    Capacitor(p, QPointF(400, collectorNode.y()), QPointF(460, collectorNode.y()));
    Wire(p, { QPointF(460, collectorNode.y()), QPointF(496, collectorNode.y()) });
    OpenTerminal(p, QPointF(500, collectorNode.y()));
    LeftText(p, QPointF(510, collectorNode.y()), QStringLiteral("Out"), label);

    // Emitter resistor and bypass capacitor.
    const QPointF emitterNode = q.lower + QPointF(0, 4);
    Wire(p, { q.lower, emitterNode });
    Resistor(p, emitterNode, QPointF(collectorX, ground), 14);
    Wire(p, { emitterNode, QPointF(380, emitterNode.y()), QPointF(380, 212) });
    Capacitor(p, QPointF(380, 212), QPointF(380, ground));
    Junction(p, emitterNode);
    Junction(p, QPointF(collectorX, ground));

    // Input coupling.
    OpenTerminal(p, QPointF(52, baseNode.y()));
    LeftText(p, QPointF(20, baseNode.y() - 20), QStringLiteral("In"), label);
    Wire(p, { QPointF(56, baseNode.y()), QPointF(100, baseNode.y()) });
    Capacitor(p, QPointF(100, baseNode.y()), QPointF(150, baseNode.y()));
    Wire(p, { QPointF(150, baseNode.y()), baseNode });

    PartNumber(p, QPointF(125, baseNode.y() - 32), 1);
    PartNumber(p, QPointF(biasX - 32, 105), 2);
    PartNumber(p, QPointF(biasX - 32, 210), 3);
    PartNumber(p, QPointF(collectorX + 30, 85), 4);
    PartNumber(p, QPointF(collectorX - 30, 226), 5);
    PartNumber(p, QPointF(412, 230), 6);
    PartNumber(p, QPointF(430, collectorNode.y() - 30), 7);
    PartNumber(p, QPointF(collectorX + 40, 157), 8);
}

void FigureE6(QPainter& p)
{
    const double line = 80, ground = 222, baseY = 165;
    const QFont label = Font(15, true);
    const QFont note = Font(12);
    for (double x : { 40.0, 520.0 }) {
        OpenTerminal(p, QPointF(x, line));
        OpenTerminal(p, QPointF(x, ground));
        CentredText(p, QPointF(x, line - 18), QStringLiteral("+"), label);
        CentredText(p, QPointF(x, ground + 18), QStringLiteral("\u2212"), label);
    }
    CentredText(p, QPointF(76, ground + 44), QStringLiteral("Unregulated input"), note);
    CentredText(p, QPointF(484, ground + 44), QStringLiteral("Regulated output"), note);

    const Terminals q = Bipolar(p, QPointF(290, line + 10), true, -90);
    Wire(p, { QPointF(44, line), q.upper });
    Wire(p, { q.lower, QPointF(516, line) });
    Wire(p, { QPointF(44, ground), QPointF(516, ground) });

    // Input filter capacitor.
    Junction(p, QPointF(110, line));
    Junction(p, QPointF(110, ground));
    PolarizedCapacitor(p, QPointF(110, line), QPointF(110, ground));

    // Zener feed resistor and reference diode at the base.
    Junction(p, QPointF(190, line));
    Resistor(p, QPointF(190, line), QPointF(190, baseY), 18);
    const QPointF baseNode(q.control.x(), baseY);
    Wire(p, { QPointF(190, baseY), baseNode, q.control });
    Junction(p, baseNode);
    Diode(p, QPointF(baseNode.x(), ground), baseNode, DiodeKind::Zener);
    Junction(p, QPointF(baseNode.x(), ground));

    // Output capacitor.
    Junction(p, QPointF(440, line));
    Junction(p, QPointF(440, ground));
    PolarizedCapacitor(p, QPointF(440, line), QPointF(440, ground));

    PartNumber(p, QPointF(338, 124), 1);
    PartNumber(p, QPointF(baseNode.x() + 34, 196), 2);
    PartNumber(p, QPointF(160, 122), 3);
    PartNumber(p, QPointF(78, 151), 4);
    PartNumber(p, QPointF(474, 151), 5);
}

void FigureE7(QPainter& p)
{
    const QFont label = Font(13, true);
    const QFont value = Font(12);
    const Terminals amp = OpAmp(p, QPointF(300, 160));
    const QPointF inverting = amp.upper;
    const QPointF nonInverting = amp.control;
    const QPointF output = amp.lower;
    const QPointF node(220, inverting.y());

    OpenTerminal(p, QPointF(50, inverting.y()));
    LeftText(p, QPointF(22, inverting.y() - 22), QStringLiteral("Vin"), label);
    Wire(p, { QPointF(54, inverting.y()), QPointF(100, inverting.y()) });
    Resistor(p, QPointF(100, inverting.y()), QPointF(180, inverting.y()));
    Wire(p, { QPointF(180, inverting.y()), inverting });
    CentredText(p, QPointF(140, inverting.y() + 24), QStringLiteral("R1 = 10 k\u03A9"), value);

    const double feedback = 70;
    const QPointF outputNode(430, output.y());
    Wire(p, { node, QPointF(node.x(), feedback), QPointF(280, feedback) });
    Resistor(p, QPointF(280, feedback), QPointF(360, feedback));
    Wire(p, { QPointF(360, feedback), QPointF(outputNode.x(), feedback), outputNode });
    CentredText(p, QPointF(320, feedback - 24), QStringLiteral("RF = 100 k\u03A9"), value);
    Junction(p, node);
    Junction(p, outputNode);

    Wire(p, { output, QPointF(496, output.y()) });
    OpenTerminal(p, QPointF(500, output.y()));
    LeftText(p, QPointF(486, output.y() - 22), QStringLiteral("Vout"), label);

    const QPointF groundPoint(node.x(), 228);
    Wire(p, { nonInverting, QPointF(node.x(), nonInverting.y()), groundPoint });
    Ground(p, groundPoint);

    PartNumber(p, QPointF(140, inverting.y() - 28), 1);
    PartNumber(p, QPointF(320, feedback + 28), 2);
    PartNumber(p, QPointF(330, 214), 3);
    PartNumber(p, QPointF(node.x() - 30, 214), 4);
}

// Radius on the dB plots: the usual logarithmic scale of antenna patterns,
// 0.89 of the radius for every 2 dB down, which keeps the -3 dB ring well
// apart from the 0 dB ring while -30 dB is still visible.
double PlotRadius(double decibels, double outer)
{
    return outer * std::pow(0.89, -std::clamp(decibels, -60.0, 0.0) / 2);
}

// The dB rings of a pattern plot, each labelled where labelSpot puts the
// centre of the label of a ring of that many decibels, that radius and a
// label that wide.
void DecibelRings(QPainter& p, QPointF centre, double outer, double startDegrees,
    double spanDegrees, const std::function<QPointF(double, double, double)>& labelSpot)
{
    for (double decibels : { 0.0, -3.0, -10.0, -20.0, -30.0 }) {
        const double r = PlotRadius(decibels, outer);
        UseInk(p, decibels == 0 ? 1.6 : 1, decibels == 0 ? kInk : kGrid);
        p.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r),
            static_cast<int>(startDegrees * 16), static_cast<int>(spanDegrees * 16));
        const QString text
            = decibels == 0 ? QStringLiteral("0 dB") : QString::number(decibels, 'f', 0);
        const QFont font = Font(11, true);
        const double textWidth = QFontMetricsF(font).horizontalAdvance(text);
        const QPointF spot = labelSpot(decibels, r, textWidth);
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(spot.x() - textWidth / 2 - 2, spot.y() - 7, textWidth + 4, 14));
        p.restore();
        CentredText(p, spot, text, font);
    }
}

void DrawPattern(QPainter& p, const std::function<double(double)>& decibelsAt, double fromDegrees,
    double toDegrees, const std::function<QPointF(double, double)>& toPoint)
{
    QPolygonF curve;
    for (double degrees = fromDegrees; degrees <= toDegrees + 1e-9; degrees += 0.25)
        curve << toPoint(degrees, decibelsAt(degrees));
    UseInk(p, 2.6);
    p.drawPolyline(curve);
}

double Decibels(double fieldRatio)
{
    return fieldRatio <= 1e-6 ? -120 : 20 * std::log10(fieldRatio);
}

void FigureE8(QPainter& p, int width, int height)
{
    // The outer ring and its bearings fill the height under the label.
    const double outer = 104;
    const QPointF centre(width / 2.0, height / 2.0 + 12);
    // Bearings clockwise from the top, where the main lobe points.
    auto toPoint = [&](double bearing, double decibels) {
        const double radians = bearing * kPi / 180;
        const double r = PlotRadius(decibels, outer);
        return centre + QPointF(r * std::sin(radians), -r * std::cos(radians));
    };
    // Ticks every 5 degrees on the outer ring, to read the beamwidth from.
    UseInk(p, 1);
    for (int bearing = 0; bearing < 360; bearing += 5) {
        const double radians = bearing * kPi / 180;
        const double inner = outer - (bearing % 10 == 0 ? 7 : 4);
        p.drawLine(centre + QPointF(inner * std::sin(radians), -inner * std::cos(radians)),
            centre + QPointF(outer * std::sin(radians), -outer * std::cos(radians)));
    }
    for (int bearing = 0; bearing < 360; bearing += 30) {
        UseInk(p, 1, kFaintGrid);
        p.drawLine(centre, toPoint(bearing, 0));
        const double radians = bearing * kPi / 180;
        const QPointF spot
            = centre + QPointF((outer + 18) * std::sin(radians), -(outer + 16) * std::cos(radians));
        CentredText(p, spot, QString::number(bearing) + QChar(0x00B0), Font(12));
    }
    // Ring labels along 225 degrees and, for the rings between, along 135
    // degrees, so that the close inner rings keep their labels apart; both
    // bearings are clear of every lobe. The -30 dB ring is too small to hold
    // its label between the back and side lobes, so the label ends where the
    // ring crosses the bearing.
    DecibelRings(p, centre, outer, 0, 360, [&](double decibels, double r, double textWidth) {
        const double side = decibels == -3 || decibels == -20 ? 1 : -1;
        const QPointF crossing = centre + QPointF(side * std::sqrt(0.5), std::sqrt(0.5)) * r;
        return decibels == -30 ? crossing - QPointF(textWidth / 2 + 3, 0) : crossing;
    });

    // Main lobe cos^n with its -3 dB points at 25 degrees either side, a back
    // lobe 18 dB down and side lobes 25 dB down at 90 and 270 degrees.
    const double exponent
        = std::log(std::pow(10.0, -3.0 / 20)) / std::log(std::cos(25 * kPi / 180));
    auto field = [exponent](double bearing) {
        double angle = std::fmod(bearing + 360.0, 360.0);
        if (angle > 180)
            angle -= 360;
        const double off = std::abs(angle);
        double main = off < 90 ? std::pow(std::cos(off * kPi / 180), exponent) : 0;
        const double side = std::pow(10.0, -25.0 / 20) * std::exp(-std::pow((off - 90) / 11, 2));
        const double back = std::pow(10.0, -18.0 / 20) * std::exp(-std::pow((off - 180) / 20, 2));
        return std::max({ main, side, back });
    };
    DrawPattern(
        p, [&](double bearing) { return Decibels(field(bearing)); }, 0, 360, toPoint);
}

void FigureE9(QPainter& p, int width, int height)
{
    // The half circle and its angles fill the height under the label, with
    // the ring labels and a caption under the horizon.
    const double outer = 185;
    const QPointF centre(width / 2.0, height - 54.0);
    // Elevation counter-clockwise from the horizon at the right (the front).
    auto toPoint = [&](double elevation, double decibels) {
        const double radians = elevation * kPi / 180;
        const double r = PlotRadius(decibels, outer);
        return centre + QPointF(r * std::cos(radians), -r * std::sin(radians));
    };
    UseInk(p, 1);
    for (int elevation = 0; elevation <= 180; elevation += 5) {
        const double radians = elevation * kPi / 180;
        const double inner = outer - (elevation % 15 == 0 ? 8 : 4);
        p.drawLine(centre + QPointF(inner * std::cos(radians), -inner * std::sin(radians)),
            centre + QPointF(outer * std::cos(radians), -outer * std::sin(radians)));
    }
    for (int elevation = 0; elevation <= 180; elevation += 15) {
        UseInk(p, 1, elevation % 30 == 0 ? kGrid : kFaintGrid);
        p.drawLine(centre, toPoint(elevation, 0));
        const double radians = elevation * kPi / 180;
        const QPointF spot
            = centre + QPointF((outer + 20) * std::cos(radians), -(outer + 14) * std::sin(radians));
        CentredText(p, spot, QString::number(elevation) + QChar(0x00B0), Font(11));
    }
    UseInk(p, 1.6);
    p.drawLine(toPoint(180, 0), toPoint(0, 0));
    // Ring labels under the horizon line, behind the antenna.
    DecibelRings(p, centre, outer, 0, 180,
        [&](double, double r, double) { return centre + QPointF(-r, 14); });
    CentredText(p, centre + QPointF(0, 36),
        QStringLiteral("Elevation angle; the antenna faces 0\u00B0"), Font(12));

    // Lobes between nulls every 30 degrees: the main lobe peaks at 15 degrees,
    // the second at 45 degrees 6 dB down, the rearmost at 165 degrees 15 dB down.
    const double peaks[] = { 0, -6, -20, -26, -22, -15 };
    auto field = [&](double elevation) {
        const int lobe = std::clamp(static_cast<int>(elevation / 30), 0, 5);
        const double within = (elevation - lobe * 30) / 30;
        return std::pow(10.0, peaks[lobe] / 20) * std::abs(std::sin(kPi * within));
    };
    DrawPattern(
        p, [&](double elevation) { return Decibels(field(elevation)); }, 0, 180, toPoint);
}

void FigureE10(QPainter& p, int width, int height)
{
    // The chart and its reactance labels fill the height under the label.
    const double radius = 106;
    const QPointF centre(width / 2.0, height / 2.0 + 12);
    auto fromReflection = [&](std::complex<double> gamma) {
        return centre + QPointF(gamma.real() * radius, -gamma.imag() * radius);
    };
    auto fromImpedance
        = [&](std::complex<double> z) { return fromReflection((z - 1.0) / (z + 1.0)); };

    QPainterPath chart;
    chart.addEllipse(centre, radius, radius);
    p.save();
    p.setClipPath(chart);
    UseInk(p, 1, kGrid);
    const double values[] = { 0.2, 0.5, 1, 2, 5 };
    for (double r : values) {
        const double circleRadius = radius / (1 + r);
        const QPointF circleCentre = fromReflection({ r / (1 + r), 0 });
        p.drawEllipse(circleCentre, circleRadius, circleRadius);
    }
    for (double x : values) {
        for (double sign : { 1.0, -1.0 }) {
            const double arcRadius = radius / x;
            const QPointF arcCentre = fromReflection({ 1, sign / x });
            p.drawEllipse(arcCentre, arcRadius, arcRadius);
        }
    }
    p.restore();
    UseInk(p, 1.4);
    p.drawLine(fromReflection({ -1, 0 }), fromReflection({ 1, 0 }));
    UseInk(p, 2);
    p.drawEllipse(centre, radius, radius);

    const QFont small = Font(10);
    for (double r : values) {
        const QPointF spot = fromImpedance({ r, 0 });
        CentredText(p, spot + QPointF(-9, 8), QString::number(r), small);
    }
    for (double x : values) {
        for (double sign : { 1.0, -1.0 }) {
            const std::complex<double> gamma = (std::complex<double>(0, sign * x) - 1.0)
                / (std::complex<double>(0, sign * x) + 1.0);
            const QPointF spot
                = centre + QPointF(gamma.real() * (radius + 16), -gamma.imag() * (radius + 14));
            const QString text
                = (sign > 0 ? QStringLiteral("+j") : QStringLiteral("-j")) + QString::number(x);
            CentredText(p, spot, text, small);
        }
    }
    const QFont note = Font(12);
    LeftText(p, QPointF(16, 60), QStringLiteral("Normalized impedance"), note);
    LeftText(p, QPointF(16, 80), QStringLiteral("Upper half: +jX, inductive"), note);
    LeftText(p, QPointF(16, 100), QStringLiteral("Lower half: -jX, capacitive"), note);

    const std::pair<std::complex<double>, QPointF> points[] = {
        { { 0, 0 }, QPointF(14, -16) },
        { (std::complex<double>(1, 1) - 1.0) / (std::complex<double>(1, 1) + 1.0),
            QPointF(16, -14) },
        { (std::complex<double>(0.5, -0.5) - 1.0) / (std::complex<double>(0.5, -0.5) + 1.0),
            QPointF(-17, 15) },
        { { -1, 0 }, QPointF(-20, -16) },
        { { 1, 0 }, QPointF(20, -16) },
    };
    int number = 1;
    for (const auto& [gamma, offset] : points) {
        const QPointF spot = fromReflection(gamma);
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(spot, 5, 5);
        p.restore();
        PartNumber(p, spot + offset, number++);
    }
}

QRectF Block(
    QPainter& p, QPointF centre, const QString& name, double width = 96, double height = 42)
{
    const QRectF box(centre.x() - width / 2, centre.y() - height / 2, width, height);
    UseInk(p);
    p.drawRect(box);
    const QStringList lines = name.split('\n');
    const QFont font = Font(12);
    const double step = 15;
    double y = centre.y() - step * (lines.size() - 1) / 2;
    for (const QString& line : lines) {
        CentredText(p, QPointF(centre.x(), y), line, font);
        y += step;
    }
    return box;
}

void Link(QPainter& p, std::initializer_list<QPointF> points)
{
    Wire(p, points);
    auto last = points.end() - 1;
    ArrowHead(p, *(last - 1), *last);
}

void FigureC1(QPainter& p)
{
    const double upper = 92, lower = 212;
    const QRectF timer = Block(p, QPointF(70, upper), QStringLiteral("Timer\n(trigger)"));
    const QRectF modulator = Block(p, QPointF(200, upper), QStringLiteral("Modulator"));
    const QRectF magnetron = Block(p, QPointF(330, upper), QStringLiteral("Magnetron"));
    const QRectF duplexer = Block(p, QPointF(460, upper), QStringLiteral("Duplexer\n(TR/ATR)"));
    const QRectF display = Block(p, QPointF(70, lower), QStringLiteral("Display"));
    const QRectF intermediate = Block(p, QPointF(200, lower), QStringLiteral("IF amplifier"));
    const QRectF mixer = Block(p, QPointF(330, lower), QStringLiteral("Mixer"));
    const QRectF oscillator = Block(p, QPointF(460, lower), QStringLiteral("Local\noscillator"));

    Link(p, { QPointF(timer.right(), upper), QPointF(modulator.left(), upper) });
    Link(p, { QPointF(modulator.right(), upper), QPointF(magnetron.left(), upper) });
    Link(p, { QPointF(magnetron.right(), upper), QPointF(duplexer.left(), upper) });
    Link(p,
        { QPointF(duplexer.left() + 20, duplexer.bottom()),
            QPointF(duplexer.left() + 20, lower - 40), QPointF(mixer.center().x(), lower - 40),
            QPointF(mixer.center().x(), mixer.top()) });
    Link(p, { QPointF(oscillator.left(), lower), QPointF(mixer.right(), lower) });
    Link(p, { QPointF(mixer.left(), lower), QPointF(intermediate.right(), lower) });
    Link(p, { QPointF(intermediate.left(), lower), QPointF(display.right(), lower) });
    Link(p,
        { QPointF(timer.center().x(), timer.bottom()),
            QPointF(display.center().x(), display.top()) });

    // Antenna on the duplexer.
    const QPointF feed(duplexer.right() + 30, duplexer.top() + 10);
    Wire(p, { QPointF(duplexer.right(), feed.y()), feed });
    Antenna(p, feed, 26);

    PartNumber(p, QPointF(timer.left() + 2, timer.top() - 12), 1);
    PartNumber(p, QPointF(modulator.left() + 2, modulator.top() - 12), 2);
    PartNumber(p, QPointF(magnetron.left() + 2, magnetron.top() - 12), 3);
    PartNumber(p, QPointF(duplexer.left() + 2, duplexer.top() - 12), 4);
    PartNumber(p, feed + QPointF(-2, 28), 5);
    PartNumber(p, QPointF(mixer.right() - 2, mixer.bottom() + 14), 6);
    PartNumber(p, QPointF(oscillator.right() - 2, oscillator.bottom() + 14), 7);
    PartNumber(p, QPointF(intermediate.right() - 2, intermediate.bottom() + 14), 8);
    PartNumber(p, QPointF(display.right() - 2, display.bottom() + 14), 9);
}

// A length of coaxial line between two x positions: the centre conductor
// inside a drawn shield.
void CoaxLine(QPainter& p, double fromX, double toX, double y)
{
    UseInk(p);
    p.drawLine(QPointF(fromX, y), QPointF(toX, y));
    UseInk(p, 1.6);
    p.drawLine(QPointF(fromX + 6, y - 9), QPointF(toX - 6, y - 9));
    p.drawLine(QPointF(fromX + 6, y + 9), QPointF(toX - 6, y + 9));
    p.drawEllipse(QPointF(fromX + 6, y), 3, 9);
    p.drawEllipse(QPointF(toX - 6, y), 3, 9);
}

void FigureC2(QPainter& p)
{
    const double y = 150;
    const QFont note = Font(12);
    const QRectF transmitter = Block(p, QPointF(54, y), QStringLiteral("TX"), 64, 46);
    const QRectF meter
        = Block(p, QPointF(156, y), QStringLiteral("Directional\nwattmeter"), 96, 46);
    Wire(p, { QPointF(transmitter.right(), y), QPointF(meter.left(), y) });

    CoaxLine(p, meter.right(), 330, y);
    CentredText(p, QPointF(269, y + 26), QStringLiteral("50 \u03A9 coax"), note);

    Junction(p, QPointF(330, y));
    CoaxLine(p, 330, 440, y);
    CentredText(p, QPointF(385, y + 26), QStringLiteral("70.7 \u03A9"), note);
    CentredText(p, QPointF(385, y + 42), QStringLiteral("\u03BB/4 section"), note);

    const QPointF feed(470, y);
    Wire(p, { QPointF(440, y), feed });
    Antenna(p, feed, 70);
    CentredText(p, QPointF(505, y + 26), QStringLiteral("Feed point"), note);
    CentredText(p, QPointF(505, y + 42), QStringLiteral("R = 100 \u03A9"), note);

    PartNumber(p, QPointF(meter.center().x(), meter.top() - 18), 1);
    PartNumber(p, QPointF(269, y - 30), 2);
    PartNumber(p, QPointF(385, y - 30), 3);
    PartNumber(p, QPointF(feed.x() + 34, y - 52), 4);
}

void Table(QPainter& p, QPointF topLeft, const std::vector<double>& columnWidths,
    const std::vector<QStringList>& rows, double rowHeight = 19)
{
    const QFont header = Font(12, true);
    const QFont body = Font(12);
    double tableWidth = 0;
    for (double width : columnWidths)
        tableWidth += width;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        double x = topLeft.x();
        const double y = topLeft.y() + row * rowHeight;
        for (std::size_t column = 0;
             column < columnWidths.size() && column < static_cast<std::size_t>(rows[row].size());
             ++column) {
            LeftText(
                p, QPointF(x + 6, y + rowHeight / 2), rows[row][column], row == 0 ? header : body);
            x += columnWidths[column];
        }
        UseInk(p, row == 0 ? 1.4 : 0.8, row == 0 ? kInk : kGrid);
        if (row == 1 || row == 0)
            p.drawLine(QPointF(topLeft.x(), y + rowHeight * (row == 0 ? 1 : 0)),
                QPointF(topLeft.x() + tableWidth, y + rowHeight * (row == 0 ? 1 : 0)));
    }
    UseInk(p, 1.4);
    p.drawRect(QRectF(topLeft, QSizeF(tableWidth, rowHeight * rows.size())));
}

void Figure17(QPainter& p)
{
    const char* names[] = { "Black", "Brown", "Red", "Orange", "Yellow", "Green", "Blue", "Violet",
        "Grey", "White" };
    const char* multipliers[]
        = { "1", "10", "100", "1 k", "10 k", "100 k", "1 M", "10 M", "100 M", "1 G" };
    std::vector<QStringList> left = { { "Colour", "Digit", "Multiplier" } };
    for (int digit = 0; digit < 10; ++digit)
        left.push_back({ QString::fromLatin1(names[digit]), QString::number(digit),
            QString::fromLatin1(multipliers[digit]) });
    Table(p, QPointF(40, 44), { 90, 60, 110 }, left, 20);
    const std::vector<QStringList> right = { { "Band", "Meaning" },
        { "Gold", "x 0.1, tolerance 5 %" }, { "Silver", "x 0.01, tolerance 10 %" },
        { "None", "tolerance 20 %" }, { "", "" }, { "Band 1", "first digit" },
        { "Band 2", "second digit" }, { "Band 3", "multiplier" }, { "Band 4", "tolerance" } };
    Table(p, QPointF(320, 44), { 70, 160 }, right, 20);
}

void Figure18(QPainter& p)
{
    const QPointF centre(180, 155);
    const double r = 100;
    UseInk(p, 2.4);
    p.drawEllipse(centre, r, r);
    p.drawLine(centre + QPointF(-r, 0), centre + QPointF(r, 0));
    p.drawLine(centre, centre + QPointF(0, r));
    CentredText(p, centre + QPointF(0, -46), QStringLiteral("E"), Font(40, true));
    CentredText(p, centre + QPointF(-44, 44), QStringLiteral("I"), Font(40, true));
    CentredText(p, centre + QPointF(44, 44), QStringLiteral("R"), Font(40, true));
    const QFont note = Font(15);
    LeftText(p, QPointF(330, 105), QStringLiteral("E = I \u00D7 R"), note);
    LeftText(p, QPointF(330, 140), QStringLiteral("I = E / R"), note);
    LeftText(p, QPointF(330, 175), QStringLiteral("R = E / I"), note);
    LeftText(p, QPointF(330, 220), QStringLiteral("Cover the one you want."), Font(12));
}

void Figure19(QPainter& p)
{
    const std::pair<const char*, const char*> rows[] = { { "1", "1.26" }, { "2", "1.58" },
        { "3", "2.0" }, { "6", "4.0" }, { "9", "7.9" }, { "10", "10" }, { "13", "20" },
        { "20", "100" }, { "30", "1000" }, { "40", "10000" } };
    std::vector<QStringList> left = { { "Gain (dB)", "Power ratio" } };
    std::vector<QStringList> right = { { "Loss (dB)", "Power ratio" } };
    for (const auto& [decibels, ratio] : rows) {
        left.push_back(
            { QStringLiteral("+") + QString::fromLatin1(decibels), QString::fromLatin1(ratio) });
        const double value = std::pow(10.0, -std::atof(decibels) / 10);
        right.push_back({ QStringLiteral("-") + QString::fromLatin1(decibels),
            QString::number(value, 'g', 3) });
    }
    Table(p, QPointF(50, 40), { 100, 110 }, left, 20);
    Table(p, QPointF(310, 40), { 100, 110 }, right, 20);
}

void Figure20(QPainter& p)
{
    const char* words[] = { "Alfa", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot", "Golf", "Hotel",
        "India", "Juliett", "Kilo", "Lima", "Mike", "November", "Oscar", "Papa", "Quebec", "Romeo",
        "Sierra", "Tango", "Uniform", "Victor", "Whiskey", "X-ray", "Yankee", "Zulu" };
    const QFont letter = Font(14, true);
    const QFont word = Font(14);
    for (int i = 0; i < 26; ++i) {
        const int column = i / 7;
        const int row = i % 7;
        const QPointF at(40 + column * 135, 60 + row * 31);
        LeftText(p, at, QString(QChar('A' + i)), letter);
        LeftText(p, at + QPointF(24, 0), QString::fromLatin1(words[i]), word);
    }
}

void DrawFigure(QPainter& p, const PictureEntry& entry)
{
    const int w = entry.width;
    const int h = entry.height;
    switch (entry.number) {
    case 1001:
        FigureT1(p);
        break;
    case 1002:
        FigureT2(p, w, h);
        break;
    case 1003:
        FigureT3(p, w, h);
        break;
    case 1004:
        FigureG1(p, w, h);
        break;
    case 1005:
        FigureE1(p, w, h);
        break;
    case 1006:
        FigureE2(p, w, h);
        break;
    case 1007:
        FigureE3(p, w, h);
        break;
    case 1008:
        FigureE4(p, w, h);
        break;
    case 1009:
        FigureE5(p);
        break;
    case 1010:
        FigureE6(p);
        break;
    case 1011:
        FigureE7(p);
        break;
    case 1012:
        FigureE8(p, w, h);
        break;
    case 1013:
        FigureE9(p, w, h);
        break;
    case 1014:
        FigureE10(p, w, h);
        break;
    case 1015:
        FigureC1(p);
        break;
    case 1016:
        FigureC2(p);
        break;
    case 1017:
        Figure17(p);
        break;
    case 1018:
        Figure18(p);
        break;
    case 1019:
        Figure19(p);
        break;
    case 1020:
        Figure20(p);
        break;
    default:
        break;
    }
    Title(p, QString::fromLatin1(entry.label), w);
}

QImage RenderFigure(const PictureEntry& entry)
{
    QImage image(entry.width, entry.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    DrawFigure(p, entry);
    p.end();
    return image;
}

// The marks are drawn four times larger and scaled down, so their edges are
// smooth, then their colours are reduced to fit a GIF palette.
QImage RenderMark(const PictureEntry& entry)
{
    constexpr int kScale = 4;
    QImage large(entry.width * kScale, entry.height * kScale, QImage::Format_RGB32);
    large.fill(Qt::white);
    QPainter p(&large);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(kScale, kScale);
    const QColor ink = entry.number == 200 ? kCheckGreen : kCrossRed;
    if (entry.number == 200) {
        p.setPen(QPen(ink, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({ QPointF(6, 17), QPointF(13, 25), QPointF(26, 7) }));
    } else {
        p.setPen(QPen(ink, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(8, 8), QPointF(24, 24));
        p.drawLine(QPointF(24, 8), QPointF(8, 24));
    }
    p.end();
    const QImage small
        = large.scaled(entry.width, entry.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return ReduceToInkShades(small, ink, 5);
}

bool SaveJpeg(const QImage& image, const QString& path, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "JPG", 95) || !file.commit()) {
        *error
            = QStringLiteral("%1: cannot write the JPEG file (%2)").arg(path, file.errorString());
        return false;
    }
    return true;
}

// Reads the written file back the way the program will, and compares.
bool VerifyWritten(const QString& path, const QImage& expected, bool lossless, QString* error)
{
    QImageReader reader(path);
    const QImage decoded = reader.read();
    if (decoded.isNull()) {
        *error = QStringLiteral("%1: does not decode: %2").arg(path, reader.errorString());
        return false;
    }
    if (decoded.size() != expected.size()) {
        *error = QStringLiteral("%1: decodes to %2 x %3")
                     .arg(path)
                     .arg(decoded.width())
                     .arg(decoded.height());
        return false;
    }
    if (lossless
        && decoded.convertToFormat(QImage::Format_RGB32)
            != expected.convertToFormat(QImage::Format_RGB32)) {
        *error = QStringLiteral("%1: decodes to different pixels").arg(path);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    QString outputFolder;
    QString previewFolder;
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--preview") && i + 1 < arguments.size())
            previewFolder = arguments[++i];
        else if (outputFolder.isEmpty() && !arguments[i].startsWith(QLatin1String("--")))
            outputFolder = arguments[i];
        else
            outputFolder.clear(), i = static_cast<int>(arguments.size());
    }
    if (outputFolder.isEmpty()) {
        std::fprintf(stderr, "usage: varno_make_figures OUTPUT_FOLDER [--preview PNG_FOLDER]\n");
        return 2;
    }
    if (!QDir().mkpath(outputFolder)
        || (!previewFolder.isEmpty() && !QDir().mkpath(previewFolder))) {
        std::fprintf(stderr, "cannot create the output folders\n");
        return 1;
    }

    int failures = 0;
    auto report = [&](const PictureEntry& entry, const QImage& image, const QString& error) {
        if (!error.isEmpty()) {
            std::fprintf(stderr, "error: %s\n", qPrintable(error));
            ++failures;
            return;
        }
        std::printf("%s  %d x %d  %d colours\n", entry.fileName, image.width(), image.height(),
            CountColours(image));
        if (!previewFolder.isEmpty())
            image.save(
                QDir(previewFolder)
                    .filePath(QString::fromLatin1(entry.fileName).section('.', 0, 0) + ".png"));
    };

    for (const PictureEntry& entry : kFigurePictures) {
        const QString path = QDir(outputFolder).filePath(QString::fromLatin1(entry.fileName));
        QImage image = RenderFigure(entry);
        QString error;
        const bool jpeg = path.endsWith(QLatin1String(".jpg"));
        if (!jpeg)
            image = ReduceToInkShades(image, kInk, 16);
        const bool written = jpeg ? SaveJpeg(image, path, &error) : WriteGif(image, path, &error);
        if (written)
            VerifyWritten(path, image, !jpeg, &error);
        report(entry, image, error);
    }
    for (const PictureEntry& entry : kMarkPictures) {
        const QString path = QDir(outputFolder).filePath(QString::fromLatin1(entry.fileName));
        const QImage image = RenderMark(entry);
        QString error;
        if (WriteGif(image, path, &error))
            VerifyWritten(path, image, true, &error);
        report(entry, image, error);
    }
    return failures == 0 ? 0 : 1;
}
