#include "slider.h"

#include "window.h"

#include <QAbstractSlider>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSlider>

#include <algorithm>
#include <array>
#include <limits>

namespace {

constexpr std::array kRangeProperties {
    PropertySpec { "Minimum", PropertyKind::Integer },
    PropertySpec { "Maximum", PropertyKind::Integer },
    PropertySpec { "Value", PropertyKind::Integer },
    PropertySpec { "LineStep", PropertyKind::Integer },
    PropertySpec { "PageStep", PropertyKind::Integer },
    PropertySpec { "LiveScroll", PropertyKind::Boolean },
    PropertySpec { "AcceptFocus", PropertyKind::Boolean },
    PropertySpec { "TickStyle", PropertyKind::Integer },
};

int ToInt(Integer value)
{
    return static_cast<int>(std::clamp<Integer>(
        value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

Qt::Orientation OrientationFor(const QWidget& widget)
{
    return widget.width() > widget.height() ? Qt::Horizontal : Qt::Vertical;
}

// Turns to follow its shape whenever it is resized.
template <class Base> class ShapedRange final : public Base {
public:
    explicit ShapedRange(QWidget* parent)
        : Base(parent)
    {
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        Base::resizeEvent(event);
        this->setOrientation(OrientationFor(*this));
    }
};

QAbstractSlider& Range(QWidget* widget)
{
    return *static_cast<QAbstractSlider*>(widget);
}

} // namespace

RangeControl::RangeControl(Window& window, QWidget* widget)
    : RectControl(window, widget)
{
    QAbstractSlider& range = Range(widget);
    range.setRange(0, 100);
    range.setTracking(true);
    QObject::connect(
        &range, &QAbstractSlider::valueChanged, &range, [this](int) { RaiseValueChanged(); });
    UpdateOrientation();
}

Integer RangeControl::Minimum() const
{
    return Range(widget()).minimum();
}
Integer RangeControl::Maximum() const
{
    return Range(widget()).maximum();
}
Integer RangeControl::Value() const
{
    return Range(widget()).value();
}
Integer RangeControl::LineStep() const
{
    return Range(widget()).singleStep();
}
Integer RangeControl::PageStep() const
{
    return Range(widget()).pageStep();
}
bool RangeControl::LiveScroll() const
{
    return Range(widget()).hasTracking();
}

void RangeControl::SetMinimum(Integer minimum)
{
    Range(widget()).setMinimum(ToInt(minimum));
}
void RangeControl::SetMaximum(Integer maximum)
{
    Range(widget()).setMaximum(ToInt(maximum));
}
void RangeControl::SetValue(Integer value)
{
    Range(widget()).setValue(ToInt(value));
}
void RangeControl::SetLineStep(Integer step)
{
    Range(widget()).setSingleStep(ToInt(std::max<Integer>(step, 0)));
}
void RangeControl::SetPageStep(Integer step)
{
    Range(widget()).setPageStep(ToInt(std::max<Integer>(step, 0)));
}
void RangeControl::SetLiveScroll(bool live)
{
    Range(widget()).setTracking(live);
}

void RangeControl::RaiseValueChanged()
{
    Deliver([this] {
        if (valueChanged_)
            valueChanged_(*this);
    });
}

void RangeControl::UpdateOrientation()
{
    Range(widget()).setOrientation(OrientationFor(*widget()));
}

PropertyKind RangeControl::KindOf(std::string_view name) const
{
    if (const PropertySpec* spec = FindPropertySpec(kRangeProperties, name))
        return spec->kind;
    return RectControl::KindOf(name);
}

void RangeControl::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (name == "Minimum") {
        SetMinimum(IntegerValue(value));
    } else if (name == "Maximum") {
        SetMaximum(IntegerValue(value));
    } else if (name == "Value") {
        SetValue(IntegerValue(value));
    } else if (name == "LineStep") {
        SetLineStep(IntegerValue(value));
    } else if (name == "PageStep") {
        SetPageStep(IntegerValue(value));
    } else if (name == "LiveScroll") {
        SetLiveScroll(BooleanValue(value));
    } else if (name == "AcceptFocus") {
        widget()->setFocusPolicy(BooleanValue(value) ? Qt::StrongFocus : Qt::NoFocus);
    } else if (name == "TickStyle") {
        if (auto* slider = dynamic_cast<QSlider*>(widget()))
            slider->setTickPosition(
                IntegerValue(value) == 0 ? QSlider::NoTicks : QSlider::TicksBelow);
    } else {
        RectControl::SetProperty(name, value);
        // A hidden widget gets its resize event only when shown; turn it now.
        if (name == "Width" || name == "Height")
            UpdateOrientation();
    }
}

Slider::Slider(Window& window)
    : RangeControl(window, new ShapedRange<QSlider>(window.ContentWidget()))
{
}

ScrollBar::ScrollBar(Window& window)
    : RangeControl(window, new ShapedRange<QScrollBar>(window.ContentWidget()))
{
}
