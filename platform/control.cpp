#include "control.h"

#include "application.h"
#include "exceptions.h"
#include "window.h"

#include <QApplication>
#include <QFont>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

namespace {

// Records come from files and fuzzers as well as from our own layouts: keep
// every geometry within what a widget can hold without overflowing.
constexpr Integer kMaxCoordinate = 1000000;
constexpr Integer kMaxExtent = 32000;
// Sizes beyond this would only make the font engine rasterise huge glyphs.
constexpr Single kMaxDrawnTextSize = 512;

int Coordinate(Integer value)
{
    return static_cast<int>(std::clamp<Integer>(value, -kMaxCoordinate, kMaxCoordinate));
}

int Extent(Integer value)
{
    return static_cast<int>(std::clamp<Integer>(value, 0, kMaxExtent));
}

constexpr std::array kControlProperties {
    PropertySpec { "Name", PropertyKind::String },
    PropertySpec { "Index", PropertyKind::Integer },
};

constexpr std::array kRectControlProperties {
    PropertySpec { "Left", PropertyKind::Integer },
    PropertySpec { "Top", PropertyKind::Integer },
    PropertySpec { "Width", PropertyKind::Integer },
    PropertySpec { "Height", PropertyKind::Integer },
    PropertySpec { "LockLeft", PropertyKind::Boolean },
    PropertySpec { "LockTop", PropertyKind::Boolean },
    PropertySpec { "LockRight", PropertyKind::Boolean },
    PropertySpec { "LockBottom", PropertyKind::Boolean },
    PropertySpec { "TabPanelIndex", PropertyKind::Integer },
    PropertySpec { "TabIndex", PropertyKind::Integer },
    PropertySpec { "TabStop", PropertyKind::Boolean },
    PropertySpec { "Enabled", PropertyKind::Boolean },
    PropertySpec { "Visible", PropertyKind::Boolean },
    PropertySpec { "HelpTag", PropertyKind::String },
    PropertySpec { "AutoDeactivate", PropertyKind::Boolean },
    PropertySpec { "InitialParent", PropertyKind::String },
    PropertySpec { "TextFont", PropertyKind::String },
    PropertySpec { "TextSize", PropertyKind::Single },
    PropertySpec { "TextUnit", PropertyKind::Byte },
    PropertySpec { "Bold", PropertyKind::Boolean },
    PropertySpec { "Italic", PropertyKind::Boolean },
    PropertySpec { "Underline", PropertyKind::Boolean },
};

} // namespace

// ---- Control ----

Control::Control(Window& window)
    : window_(window)
{
}

Control::~Control() = default;

void Control::Deliver(const std::function<void()>& handler)
{
    if (handler)
        CallWithExceptionHandling(handler);
}

PropertyKind Control::KindOf(std::string_view name) const
{
    if (const PropertySpec* spec = FindPropertySpec(kControlProperties, name))
        return spec->kind;
    ThrowUnknownProperty(name);
}

void Control::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (name == "Name") {
        // A record without a name leaves the one the control was added under.
        if (!StringValue(value).empty())
            name_ = StringValue(value);
    } else if (name == "Index")
        index_ = IntegerValue(value);
    else
        ThrowUnknownProperty(name);
}

// ---- RectControl ----

RectControl::RectControl(Window& window, QWidget* widget)
    : Control(window)
    , widget_(widget)
{
    if (widget_ == nullptr)
        throw NilObjectException("control without a widget");
    widget_->setParent(window.ContentWidget());
    // A child added to a window already on screen stays hidden unless shown;
    // one added before the window is shown appears with it.
    widget_->show();
    ApplyFont();
}

RectControl::~RectControl()
{
    // The control owns its widget: destroying it with the control means no
    // signal of the widget can reach a control that is gone.
    std::unique_ptr<QWidget> owned(widget_);
}

Integer RectControl::Left() const
{
    return widget_->x();
}
Integer RectControl::Top() const
{
    return widget_->y();
}
Integer RectControl::Width() const
{
    return widget_->width();
}
Integer RectControl::Height() const
{
    return widget_->height();
}

void RectControl::SetLeft(Integer left)
{
    widget_->move(Coordinate(left), widget_->y());
}
void RectControl::SetTop(Integer top)
{
    widget_->move(widget_->x(), Coordinate(top));
}
void RectControl::SetWidth(Integer width)
{
    widget_->resize(Extent(width), widget_->height());
}
void RectControl::SetHeight(Integer height)
{
    widget_->resize(widget_->width(), Extent(height));
}

bool RectControl::Enabled() const
{
    // The control's own flag, whatever its window's state.
    return !widget_->testAttribute(Qt::WA_ForceDisabled);
}

void RectControl::SetEnabled(bool enabled)
{
    widget_->setEnabled(enabled);
}

bool RectControl::Visible() const
{
    return visible_;
}

void RectControl::SetVisible(bool visible)
{
    visible_ = visible;
    widget_->setVisible(visible);
}

void RectControl::SetTabIndex(Integer tabIndex)
{
    tabIndex_ = tabIndex;
    TrueWindow().UpdateTabOrder();
}

void RectControl::SetTabStop(bool tabStop)
{
    tabStop_ = tabStop;
    // Controls that never take the focus (labels, canvases, bevel buttons)
    // stay out of the focus chain either way.
    if (widget_->focusPolicy() == Qt::NoFocus)
        return;
    widget_->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void RectControl::SetHelpTag(const std::string& tag)
{
    helpTag_ = tag;
    widget_->setToolTip(QString::fromUtf8(tag.data(), static_cast<qsizetype>(tag.size())));
}

void RectControl::SetFocus()
{
    widget_->setFocus(Qt::OtherFocusReason);
}

bool RectControl::HasFocus() const
{
    return widget_->hasFocus();
}

void RectControl::SetTextFont(const std::string& font)
{
    textFont_ = font;
    ApplyFont();
}

void RectControl::SetTextSize(Single size)
{
    textSize_ = size;
    ApplyFont();
}

void RectControl::SetBold(bool bold)
{
    bold_ = bold;
    ApplyFont();
}

void RectControl::SetItalic(bool italic)
{
    italic_ = italic;
    ApplyFont();
}

void RectControl::SetUnderline(bool underline)
{
    underline_ = underline;
    ApplyFont();
}

void RectControl::ApplyFont()
{
    QFont font = QApplication::font();
    if (!textFont_.empty() && textFont_ != "System")
        font.setFamilies(
            { QString::fromUtf8(textFont_.data(), static_cast<qsizetype>(textFont_.size())) });
    // 0 (and anything not a usable size) means the default size; fractional
    // sizes are drawn as they are. The stored layouts give text sizes in
    // points of 1/72 inch on a 72-dpi screen, that is in pixels, so a size
    // fits the controls it was laid out with whatever the screen's density.
    if (std::isfinite(textSize_) && textSize_ > 0) {
        const double dotsPerInch = widget_->logicalDpiY() > 0 ? widget_->logicalDpiY() : 96.0;
        font.setPointSizeF(std::min(textSize_, kMaxDrawnTextSize) * 72.0 / dotsPerInch);
    }
    font.setBold(bold_);
    font.setItalic(italic_);
    font.setUnderline(underline_);
    widget_->setFont(font);
}

void RectControl::FollowLocks(
    Integer oldWidth, Integer oldHeight, Integer newWidth, Integer newHeight)
{
    const Integer dw = newWidth - oldWidth;
    const Integer dh = newHeight - oldHeight;
    if (lockLeft_ && lockRight_)
        SetWidth(Width() + dw);
    else if (lockRight_)
        SetLeft(Left() + dw);
    if (lockTop_ && lockBottom_)
        SetHeight(Height() + dh);
    else if (lockBottom_)
        SetTop(Top() + dh);
}

PropertyKind RectControl::KindOf(std::string_view name) const
{
    if (const PropertySpec* spec = FindPropertySpec(kRectControlProperties, name))
        return spec->kind;
    return Control::KindOf(name);
}

void RectControl::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (name == "Left")
        SetLeft(IntegerValue(value));
    else if (name == "Top")
        SetTop(IntegerValue(value));
    else if (name == "Width")
        SetWidth(IntegerValue(value));
    else if (name == "Height")
        SetHeight(IntegerValue(value));
    else if (name == "LockLeft")
        lockLeft_ = BooleanValue(value);
    else if (name == "LockTop")
        lockTop_ = BooleanValue(value);
    else if (name == "LockRight")
        lockRight_ = BooleanValue(value);
    else if (name == "LockBottom")
        lockBottom_ = BooleanValue(value);
    else if (name == "TabIndex")
        SetTabIndex(IntegerValue(value));
    else if (name == "TabStop")
        SetTabStop(BooleanValue(value));
    else if (name == "Enabled")
        SetEnabled(BooleanValue(value));
    else if (name == "Visible")
        SetVisible(BooleanValue(value));
    else if (name == "HelpTag")
        SetHelpTag(StringValue(value));
    else if (name == "TextFont")
        SetTextFont(StringValue(value));
    else if (name == "TextSize")
        SetTextSize(SingleValue(value));
    else if (name == "Bold")
        SetBold(BooleanValue(value));
    else if (name == "Italic")
        SetItalic(BooleanValue(value));
    else if (name == "Underline")
        SetUnderline(BooleanValue(value));
    else if (FindPropertySpec(kRectControlProperties, name) != nullptr)
        return; // TabPanelIndex, AutoDeactivate, InitialParent, TextUnit: nothing to draw
    else
        Control::SetProperty(name, value);
}
