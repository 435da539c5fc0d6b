#include "push_button.h"

#include "window.h"

#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

#include <array>

namespace {

constexpr std::array kPushButtonProperties {
    PropertySpec { "Caption", PropertyKind::String },
    PropertySpec { "Default", PropertyKind::Boolean },
    PropertySpec { "Cancel", PropertyKind::Boolean },
    PropertySpec { "ButtonStyle", PropertyKind::Integer },
};

const char* const kDefaultKeys = "varno-default-keys";
const char* const kCancelKeys = "varno-cancel-keys";

} // namespace

PushButton::PushButton(Window& window)
    : RectControl(window, new QPushButton(window.ContentWidget()))
{
    auto* button = static_cast<QPushButton*>(widget());
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this] { RaiseAction(); });
    // Shortcuts owned by the button act anywhere in its window; they are
    // switched on by Default and Cancel.
    const auto addKeys = [this, button](const char* name, QKeySequence keys) {
        auto* shortcut = new QShortcut(keys, button);
        shortcut->setObjectName(QLatin1String(name));
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setEnabled(false);
        QObject::connect(shortcut, &QShortcut::activated, button, [this] { Push(); });
    };
    addKeys(kDefaultKeys, QKeySequence(Qt::Key_Return));
    addKeys(kDefaultKeys, QKeySequence(Qt::Key_Enter));
    addKeys(kCancelKeys, QKeySequence(Qt::Key_Escape));
}

void PushButton::SetCaption(const std::string& caption)
{
    caption_ = caption;
    static_cast<QPushButton*>(widget())->setText(
        QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

void PushButton::SetDefault(bool isDefault)
{
    default_ = isDefault;
    auto* button = static_cast<QPushButton*>(widget());
    button->setDefault(isDefault);
    for (QShortcut* shortcut : button->findChildren<QShortcut*>(QLatin1String(kDefaultKeys)))
        shortcut->setEnabled(isDefault);
}

void PushButton::SetCancel(bool isCancel)
{
    cancel_ = isCancel;
    for (QShortcut* shortcut : widget()->findChildren<QShortcut*>(QLatin1String(kCancelKeys)))
        shortcut->setEnabled(isCancel);
}

void PushButton::Push()
{
    if (!widget()->isEnabled() || !Visible())
        return;
    static_cast<QPushButton*>(widget())->click();
}

void PushButton::RaiseAction()
{
    Deliver([this] {
        if (action_)
            action_(*this);
    });
}

PropertyKind PushButton::KindOf(std::string_view name) const
{
    if (const PropertySpec* spec = FindPropertySpec(kPushButtonProperties, name))
        return spec->kind;
    return RectControl::KindOf(name);
}

void PushButton::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (name == "Caption")
        SetCaption(StringValue(value));
    else if (name == "Default")
        SetDefault(BooleanValue(value));
    else if (name == "Cancel")
        SetCancel(BooleanValue(value));
    else if (name == "ButtonStyle")
        return; // one look for every push button
    else
        RectControl::SetProperty(name, value);
}
