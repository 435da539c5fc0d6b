#pragma once

#include "control.h"

#include <functional>

// A plain button with a caption that never takes the keyboard focus.
class BevelButton : public RectControl {
public:
    explicit BevelButton(Window& window);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    void OnAction(std::function<void(BevelButton&)> handler) { action_ = std::move(handler); }
    // Presses the button as the user would; nothing happens while it is
    // disabled or hidden.
    void Push();

    PropertyKind KindOf(std::string_view name) const override;
    void SetProperty(std::string_view name, const PropertyValue& value) override;

private:
    void RaiseAction();
    std::string caption_;
    std::function<void(BevelButton&)> action_;
};
