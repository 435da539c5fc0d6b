#pragma once

#include "control.h"

#include <functional>

// A radio button. The radio buttons of one window form one group. Setting
// Value from code raises nothing; Action comes only from the user's click.
class RadioButton : public RectControl {
public:
    explicit RadioButton(Window& window);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool Value() const;
    // False clears the button even when it is the group's chosen one.
    void SetValue(bool value);

    void OnAction(std::function<void(RadioButton&)> handler) { action_ = std::move(handler); }
    // Clicks the button as the user would (sets it, then raises Action);
    // nothing happens while it is disabled or hidden.
    void Push();

    PropertyKind KindOf(std::string_view name) const override;
    void SetProperty(std::string_view name, const PropertyValue& value) override;

private:
    void RaiseAction();
    std::string caption_;
    std::function<void(RadioButton&)> action_;
};
