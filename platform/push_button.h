#pragma once

#include "control.h"

#include <functional>

// A push button. Default: Return presses it; Cancel: Escape presses it.
class PushButton : public RectControl {
public:
    explicit PushButton(Window& window);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool isCancel);

    void OnAction(std::function<void(PushButton&)> handler) { action_ = std::move(handler); }
    // Presses the button as the user would; nothing happens while it is
    // disabled or hidden.
    void Push();

    PropertyKind KindOf(std::string_view name) const override;
    void SetProperty(std::string_view name, const PropertyValue& value) override;

private:
    void RaiseAction();
    std::string caption_;
    bool default_ = false;
    bool cancel_ = false;
    std::function<void(PushButton&)> action_;
};
