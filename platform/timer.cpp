#include "timer.h"

#include "window.h"

#include <QTimer>

#include <algorithm>
#include <array>
#include <limits>

namespace {

constexpr std::array kTimerProperties {
    PropertySpec { "Mode", PropertyKind::Integer },
    PropertySpec { "Period", PropertyKind::Integer },
};

} // namespace

Timer::Timer(Window& window)
    : Control(window)
    , timer_(std::make_unique<QTimer>())
{
    QObject::connect(timer_.get(), &QTimer::timeout, timer_.get(), [this] {
        // A closed window's timers are stopped, whatever is still queued.
        if (!TrueWindow().IsOpen()) {
            timer_->stop();
            return;
        }
        if (mode_ == kTimerModeSingle)
            mode_ = kTimerModeOff;
        Fire();
    });
    Restart();
}

Timer::~Timer() = default;

void Timer::SetMode(Integer mode)
{
    mode_ = mode;
    Restart();
}

void Timer::SetPeriod(Integer milliseconds)
{
    period_ = milliseconds;
    Restart();
}

bool Timer::Running() const
{
    return timer_->isActive() && TrueWindow().IsOpen();
}

void Timer::Fire()
{
    Deliver([this] {
        if (action_)
            action_(*this);
    });
}

void Timer::Restart()
{
    timer_->stop();
    if (mode_ != kTimerModeSingle && mode_ != kTimerModeMultiple)
        return;
    // A period below 1 ms would fire without a pause.
    timer_->setInterval(
        static_cast<int>(std::clamp<Integer>(period_, 1, std::numeric_limits<int>::max())));
    timer_->setSingleShot(mode_ == kTimerModeSingle);
    timer_->start();
}

PropertyKind Timer::KindOf(std::string_view name) const
{
    if (const PropertySpec* spec = FindPropertySpec(kTimerProperties, name))
        return spec->kind;
    return Control::KindOf(name);
}

void Timer::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (name == "Mode")
        SetMode(IntegerValue(value));
    else if (name == "Period")
        SetPeriod(IntegerValue(value));
    else
        Control::SetProperty(name, value);
}
