#pragma once

#include "control.h"

#include <functional>
#include <memory>

class QTimer;

constexpr Integer kTimerModeOff = 0;
constexpr Integer kTimerModeSingle = 1;
constexpr Integer kTimerModeMultiple = 2;

// A timer of a window: off, once, or repeating every Period milliseconds. It
// stops when its window closes.
class Timer : public Control {
public:
    explicit Timer(Window& window);
    ~Timer() override;

    Integer Mode() const { return mode_; }
    void SetMode(Integer mode);
    Integer Period() const { return period_; }
    void SetPeriod(Integer milliseconds);
    bool Running() const;

    void OnAction(std::function<void(Timer&)> handler) { action_ = std::move(handler); }
    // Fires now, as the period's end would.
    void Fire();

    PropertyKind KindOf(std::string_view name) const override;
    void SetProperty(std::string_view name, const PropertyValue& value) override;

private:
    void Restart();
    std::unique_ptr<QTimer> timer_;
    Integer mode_ = kTimerModeMultiple;
    Integer period_ = 1000;
    std::function<void(Timer&)> action_;
};
