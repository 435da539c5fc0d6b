#include "graphics.h"

#include "picture.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

namespace {

// Far beyond any canvas, and small enough that Qt's int geometry cannot overflow.
constexpr Integer kLimit = 1 << 24;

int Clamped(Integer value)
{
    return static_cast<int>(std::clamp<Integer>(value, -kLimit, kLimit));
}

QRect Rect(Integer left, Integer top, Integer width, Integer height)
{
    return QRect(Clamped(left), Clamped(top), Clamped(width), Clamped(height));
}

} // namespace

Graphics::Graphics(QPainter& painter, Integer width, Integer height)
    : painter_(painter)
    , width_(width)
    , height_(height)
{
}

void Graphics::FillRect(Integer left, Integer top, Integer width, Integer height)
{
    if (width <= 0 || height <= 0)
        return;
    // The fourth byte of a colour counts transparency: 0 is opaque.
    painter_.fillRect(Rect(left, top, width, height),
        QColor(foreColor_.red, foreColor_.green, foreColor_.blue, 255 - foreColor_.alpha));
}

void Graphics::DrawPicture(const Ref<Picture>& picture, Integer left, Integer top)
{
    if (picture.IsNil())
        return;
    painter_.drawImage(QPoint(Clamped(left), Clamped(top)), picture->DrawnImage());
}

void Graphics::DrawPicture(const Ref<Picture>& picture, Integer destLeft, Integer destTop,
    Integer destWidth, Integer destHeight, Integer sourceLeft, Integer sourceTop,
    Integer sourceWidth, Integer sourceHeight)
{
    if (picture.IsNil() || destWidth <= 0 || destHeight <= 0 || sourceWidth <= 0
        || sourceHeight <= 0)
        return;
    painter_.drawImage(Rect(destLeft, destTop, destWidth, destHeight), picture->DrawnImage(),
        Rect(sourceLeft, sourceTop, sourceWidth, sourceHeight));
}
