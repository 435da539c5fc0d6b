#pragma once

#include "label.h"
#include "window.h"

#include <QFontMetrics>
#include <QLabel>
#include <QRect>
#include <QSize>
#include <QString>

#include <string>

// The shown labels of the window whose text does not fit in them as they
// stand, with the size each would need; empty when every text fits. A line
// end at the very end of a text draws nothing and needs no room.
inline std::string ClippedLabels(const Window& window)
{
    std::string clipped;
    for (const auto& control : window.Controls()) {
        const auto* label = dynamic_cast<const Label*>(control.get());
        if (label == nullptr || !label->widget()->isVisible())
            continue;
        const auto* shown = static_cast<const QLabel*>(label->widget());
        QString text = shown->text();
        while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
            text.chop(1);
        const QRect room = shown->contentsRect();
        const int flags = shown->wordWrap() ? Qt::TextWordWrap : 0;
        const QSize needed = shown->fontMetrics()
                                 .boundingRect(QRect(0, 0, room.width(), 100000), flags, text)
                                 .size();
        if (needed.width() > room.width() || needed.height() > room.height())
            clipped += " " + label->Name() + " needs " + std::to_string(needed.width()) + " x "
                + std::to_string(needed.height()) + ", has " + std::to_string(room.width()) + " x "
                + std::to_string(room.height()) + ";";
    }
    return clipped;
}

// A text of many words that no label of a window can show whole: to see that
// ClippedLabels does find a text that is cut off.
inline std::string TextTooLongForAnyLabel()
{
    std::string text;
    for (int word = 0; word < 300; ++word)
        text += "word ";
    return text + "end";
}
