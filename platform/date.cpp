#include "date.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

// A stored count may come from a damaged file: anything not finite or beyond
// a few hundred million years is clamped before it is converted, so the
// conversion to whole milliseconds can never overflow. The bound leaves room
// below the 64-bit millisecond limit (about 9.22e15 seconds) for the local
// time offset.
QDateTime LocalMoment(double totalSeconds)
{
    constexpr double kLimit = 9e15; // seconds
    if (!std::isfinite(totalSeconds))
        totalSeconds = 0;
    totalSeconds = std::clamp(totalSeconds, -kLimit, kLimit);
    const auto milliseconds = static_cast<qint64>(std::llround(totalSeconds * 1000.0));
    return QDateTime::fromMSecsSinceEpoch(milliseconds, Qt::UTC).toLocalTime();
}

} // namespace

Date::Date()
    : totalSeconds_(static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0)
{
}

Date::Date(double totalSeconds)
    : totalSeconds_(totalSeconds)
{
}

std::string Date::ShortDate() const
{
    return QLocale::system()
        .toString(LocalMoment(totalSeconds_).date(), QLocale::ShortFormat)
        .toStdString();
}

std::string Date::ShortTime() const
{
    return QLocale::system()
        .toString(LocalMoment(totalSeconds_).time(), QLocale::ShortFormat)
        .toStdString();
}
