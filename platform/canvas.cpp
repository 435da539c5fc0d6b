#include "canvas.h"

#include "application.h"
#include "exceptions.h"
#include "graphics.h"
#include "window.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include <array>

namespace {

constexpr std::array kCanvasProperties {
    PropertySpec { "Transparent", PropertyKind::Boolean },
    PropertySpec { "DoubleBuffer", PropertyKind::Boolean },
    PropertySpec { "UseFocusRing", PropertyKind::Boolean },
    PropertySpec { "AcceptFocus", PropertyKind::Boolean },
    PropertySpec { "AcceptTabs", PropertyKind::Boolean },
    PropertySpec { "EraseBackground", PropertyKind::Boolean },
};

class CanvasWidget final : public QWidget {
public:
    using QWidget::QWidget;
    std::function<void(QPainter&)> paint;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (paint)
            paint(painter);
    }
};

} // namespace

Canvas::Canvas(Window& window)
    : RectControl(window, new CanvasWidget(window.ContentWidget()))
{
    auto* canvas = static_cast<CanvasWidget*>(widget());
    canvas->setFocusPolicy(Qt::NoFocus);
    canvas->setAutoFillBackground(true);
    canvas->paint = [this, canvas](QPainter& painter) {
        Graphics graphics(painter, canvas->width(), canvas->height());
        DeliverPaint(graphics);
    };
}

void Canvas::SetTransparent(bool transparent)
{
    transparent_ = transparent;
    // Without a background of its own the window shows through where the
    // paint code draws nothing.
    widget()->setAutoFillBackground(!transparent);
}

void Canvas::SetEraseBackground(bool erase)
{
    eraseBackground_ = erase;
}

void Canvas::Refresh(bool)
{
    widget()->update();
}

void Canvas::DeliverPaint(Graphics& graphics)
{
    CallWithExceptionHandling([this, &graphics] { Event_Paint(graphics); });
}

void Canvas::Event_Paint(Graphics& graphics)
{
    if (paint_)
        paint_(*this, graphics);
}

namespace {

QImage PaintOnWhite(Canvas& canvas)
{
    QImage image(
        static_cast<int>(canvas.Width()), static_cast<int>(canvas.Height()), QImage::Format_ARGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    Graphics graphics(painter, canvas.Width(), canvas.Height());
    canvas.DeliverPaint(graphics);
    return image;
}

} // namespace

bool Canvas::SaveImage(const std::string& pngPath)
{
    const QImage image = PaintOnWhite(*this);
    return !image.isNull()
        && image.save(
            QString::fromUtf8(pngPath.data(), static_cast<qsizetype>(pngPath.size())), "PNG");
}

Color Canvas::PixelAt(Integer x, Integer y)
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        throw OutOfBoundsException(
            "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") outside the canvas");
    // Only the one pixel is painted: a canvas may be far larger than a test needs.
    QImage image(1, 1, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.translate(-static_cast<double>(x), -static_cast<double>(y));
        Graphics graphics(painter, Width(), Height());
        DeliverPaint(graphics);
    }
    const QColor pixel = image.pixelColor(0, 0);
    return Color { static_cast<std::uint8_t>(pixel.red()), static_cast<std::uint8_t>(pixel.green()),
        static_cast<std::uint8_t>(pixel.blue()), 0 };
}

PropertyKind Canvas::KindOf(std::string_view name) const
{
    if (const PropertySpec* spec = FindPropertySpec(kCanvasProperties, name))
        return spec->kind;
    return RectControl::KindOf(name);
}

void Canvas::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (name == "Transparent")
        SetTransparent(BooleanValue(value));
    else if (name == "DoubleBuffer")
        SetDoubleBuffer(BooleanValue(value));
    else if (name == "EraseBackground")
        SetEraseBackground(BooleanValue(value));
    else if (name == "AcceptFocus")
        widget()->setFocusPolicy(BooleanValue(value) ? Qt::StrongFocus : Qt::NoFocus);
    else if (FindPropertySpec(kCanvasProperties, name) == nullptr)
        RectControl::SetProperty(name, value);
    // UseFocusRing, AcceptTabs: nothing to draw or route.
}
