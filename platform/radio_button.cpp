#include "radio_button.h"

#include "window.h"

#include <QRadioButton>

#include <array>

namespace {

constexpr std::array kRadioButtonProperties {
    PropertySpec { "Caption", PropertyKind::String },
    PropertySpec { "Value", PropertyKind::Boolean },
};

} // namespace

RadioButton::RadioButton(Window& window)
    : RectControl(window, new QRadioButton(window.ContentWidget()))
{
    auto* button = static_cast<QRadioButton*>(widget());
    // The radio buttons of one window are siblings and so form one group.
    button->setAutoExclusive(true);
    QObject::connect(button, &QRadioButton::clicked, button, [this] { RaiseAction(); });
}

void RadioButton::SetCaption(const std::string& caption)
{
    caption_ = caption;
    static_cast<QRadioButton*>(widget())->setText(
        QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

bool RadioButton::Value() const
{
    return static_cast<QRadioButton*>(widget())->isChecked();
}

void RadioButton::SetValue(bool value)
{
    auto* button = static_cast<QRadioButton*>(widget());
    if (value) {
        button->setChecked(true);
        return;
    }
    // An exclusive group refuses to clear its chosen button.
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

void RadioButton::Push()
{
    if (!widget()->isEnabled() || !Visible())
        return;
    static_cast<QRadioButton*>(widget())->click();
}

void RadioButton::RaiseAction()
{
    Deliver([this] {
        if (action_)
            action_(*this);
    });
}

PropertyKind RadioButton::KindOf(std::string_view name) const
{
    if (const PropertySpec* spec = FindPropertySpec(kRadioButtonProperties, name))
        return spec->kind;
    return RectControl::KindOf(name);
}

void RadioButton::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (name == "Caption")
        SetCaption(StringValue(value));
    else if (name == "Value")
        SetValue(BooleanValue(value));
    else
        RectControl::SetProperty(name, value);
}
