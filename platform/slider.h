#pragma once

#include "control.h"

#include <functional>

// A slider or a scroll bar: a value between Minimum and Maximum. Horizontal
// when wider than tall. ValueChanged follows every change of Value, from the
// user or from code; with LiveScroll it also follows a dragged thumb.
class RangeControl : public RectControl {
public:
    Integer Minimum() const;
    Integer Maximum() const;
    Integer Value() const;
    Integer LineStep() const;
    Integer PageStep() const;
    bool LiveScroll() const;
    void SetMinimum(Integer minimum);
    void SetMaximum(Integer maximum);
    void SetValue(Integer value); // kept within Minimum to Maximum
    void SetLineStep(Integer step);
    void SetPageStep(Integer step);
    void SetLiveScroll(bool live);

    void OnValueChanged(std::function<void(RangeControl&)> handler)
    {
        valueChanged_ = std::move(handler);
    }

    PropertyKind KindOf(std::string_view name) const override;
    void SetProperty(std::string_view name, const PropertyValue& value) override;

    // Platform use.
    void RaiseValueChanged();
    void UpdateOrientation();

protected:
    RangeControl(Window& window, QWidget* widget);

private:
    std::function<void(RangeControl&)> valueChanged_;
};

class Slider : public RangeControl {
public:
    explicit Slider(Window& window);
};

class ScrollBar : public RangeControl {
public:
    explicit ScrollBar(Window& window);
};
