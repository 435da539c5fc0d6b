#include "label.h"

#include "window.h"

#include <QLabel>

#include <array>

namespace {

constexpr std::array kLabelProperties {
    PropertySpec { "Text", PropertyKind::String },
    PropertySpec { "TextAlign", PropertyKind::Integer },
    PropertySpec { "TextColor", PropertyKind::Color },
    PropertySpec { "Multiline", PropertyKind::Boolean },
    PropertySpec { "Selectable", PropertyKind::Boolean },
    PropertySpec { "Transparent", PropertyKind::Boolean },
    PropertySpec { "DataSource", PropertyKind::String },
    PropertySpec { "DataField", PropertyKind::String },
};

// CR, LF and CRLF each start a new line on screen.
QString ScreenText(const std::string& bytes)
{
    QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

Qt::Alignment HorizontalAlignment(Integer align)
{
    switch (align) {
    case 2:
        return Qt::AlignHCenter;
    case 3:
        return Qt::AlignRight;
    default:
        return Qt::AlignLeft;
    }
}

} // namespace

Label::Label(Window& window)
    : RectControl(window, new QLabel(window.ContentWidget()))
{
    auto* label = static_cast<QLabel*>(widget());
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(false);
}

void Label::SetText(const std::string& text)
{
    text_ = text;
    static_cast<QLabel*>(widget())->setText(ScreenText(text));
}

void Label::SetMultiline(bool multiline)
{
    multiline_ = multiline;
    static_cast<QLabel*>(widget())->setWordWrap(multiline);
}

void Label::SetTextAlign(Integer align)
{
    textAlign_ = align;
    static_cast<QLabel*>(widget())->setAlignment(HorizontalAlignment(align) | Qt::AlignTop);
}

void Label::SetTextColor(Color color)
{
    textColor_ = color;
    QPalette palette = widget()->palette();
    palette.setColor(QPalette::WindowText, QColor(color.red, color.green, color.blue));
    widget()->setPalette(palette);
}

std::string Label::DisplayedText() const
{
    return static_cast<QLabel*>(widget())->text().toStdString();
}

PropertyKind Label::KindOf(std::string_view name) const
{
    if (const PropertySpec* spec = FindPropertySpec(kLabelProperties, name))
        return spec->kind;
    return RectControl::KindOf(name);
}

void Label::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (name == "Text") {
        SetText(StringValue(value));
    } else if (name == "TextAlign") {
        SetTextAlign(IntegerValue(value));
    } else if (name == "TextColor") {
        SetTextColor(ColorValue(value));
    } else if (name == "Multiline") {
        SetMultiline(BooleanValue(value));
    } else if (name == "Selectable") {
        static_cast<QLabel*>(widget())->setTextInteractionFlags(
            BooleanValue(value) ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
    } else if (FindPropertySpec(kLabelProperties, name) == nullptr) {
        RectControl::SetProperty(name, value);
    }
    // Transparent: a label never paints a background of its own.
    // DataSource, DataField: no database binding here.
}
