#pragma once

#include "control.h"

// Static text. Text is a byte string shown as UTF-8; a carriage return, a line
// feed or both start a new line on screen, while Text() gives back the bytes
// exactly as set.
class Label : public RectControl {
public:
    explicit Label(Window& window);

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    bool Multiline() const { return multiline_; }
    void SetMultiline(bool multiline);
    // 0 default (left), 1 left, 2 centre, 3 right.
    Integer TextAlign() const { return textAlign_; }
    void SetTextAlign(Integer align);
    Color TextColor() const { return textColor_; }
    void SetTextColor(Color color);

    // The text as the label shows it on screen.
    std::string DisplayedText() const;

    PropertyKind KindOf(std::string_view name) const override;
    void SetProperty(std::string_view name, const PropertyValue& value) override;

private:
    std::string text_;
    bool multiline_ = false;
    Integer textAlign_ = 0;
    Color textColor_ = kBlack;
};
