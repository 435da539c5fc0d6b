#include "bevel_button.h"

#include "window.h"

#include <QPushButton>

#include <array>

namespace {

// Only the caption shows: every other entry describes the appearance of a
// look this desktop does not have, and is accepted as stored.
constexpr std::array kBevelButtonProperties {
    PropertySpec { "Caption", PropertyKind::String },
    PropertySpec { "CaptionAlign", PropertyKind::Integer },
    PropertySpec { "CaptionPlacement", PropertyKind::Integer },
    PropertySpec { "CaptionDelta", PropertyKind::Integer },
    PropertySpec { "IconAlign", PropertyKind::Integer },
    PropertySpec { "IconDX", PropertyKind::Integer },
    PropertySpec { "IconDY", PropertyKind::Integer },
    PropertySpec { "Bevel", PropertyKind::Integer },
    PropertySpec { "HasMenu", PropertyKind::Integer },
    PropertySpec { "HasBackColor", PropertyKind::Boolean },
    PropertySpec { "BackColor", PropertyKind::Color },
    PropertySpec { "TextColor", PropertyKind::Color },
    PropertySpec { "Value", PropertyKind::Boolean },
    PropertySpec { "MenuValue", PropertyKind::Integer },
    PropertySpec { "ButtonType", PropertyKind::Integer },
    PropertySpec { "AcceptFocus", PropertyKind::Boolean },
};

} // namespace

BevelButton::BevelButton(Window& window)
    : RectControl(window, new QPushButton(window.ContentWidget()))
{
    auto* button = static_cast<QPushButton*>(widget());
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QPushButton::clicked, button, [this] { RaiseAction(); });
}

void BevelButton::SetCaption(const std::string& caption)
{
    caption_ = caption;
    static_cast<QPushButton*>(widget())->setText(
        QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

void BevelButton::Push()
{
    if (!widget()->isEnabled() || !Visible())
        return;
    static_cast<QPushButton*>(widget())->click();
}

void BevelButton::RaiseAction()
{
    Deliver([this] {
        if (action_)
            action_(*this);
    });
}

PropertyKind BevelButton::KindOf(std::string_view name) const
{
    if (const PropertySpec* spec = FindPropertySpec(kBevelButtonProperties, name))
        return spec->kind;
    return RectControl::KindOf(name);
}

void BevelButton::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (name == "Caption")
        SetCaption(StringValue(value));
    else if (FindPropertySpec(kBevelButtonProperties, name) == nullptr)
        RectControl::SetProperty(name, value);
    // The buttons never take the focus, whatever AcceptFocus says.
}
