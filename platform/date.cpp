#include "date.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <ctime>

namespace {

// A stored count may come from a damaged file: anything not finite or beyond
// a few hundred million years is clamped before it is converted, so the
// conversion to whole milliseconds can never overflow.
QDateTime LocalMoment(double totalSeconds)
{
    constexpr double kLimit = 1e16; // seconds
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

struct DateFormatter::Private {
    QLocale locale = QLocale::system();
    // The texts of the day and of the time of day last shown: a list's rows
    // often share one or the other.
    QDate day;
    QString dayText;
    QTime time;
    QString timeText;

    const QString& DayText(const QDate& date)
    {
        if (date != day || dayText.isNull()) {
            day = date;
            dayText = locale.toString(date, QLocale::ShortFormat);
        }
        return dayText;
    }

    const QString& TimeText(const QTime& timeOfDay)
    {
        if (timeOfDay != time || timeText.isNull()) {
            time = timeOfDay;
            timeText = locale.toString(timeOfDay, QLocale::ShortFormat);
        }
        return timeText;
    }
};

DateFormatter::DateFormatter()
    : d(std::make_unique<Private>())
{
    // The zone is read here, once; localtime_r below does not read it again.
    tzset();
}

DateFormatter::~DateFormatter() = default;

std::string DateFormatter::ShortDateAndTime(const Date& date) const
{
    // Some ten thousand years either side of 1970: whole milliseconds, the
    // C library's time and the calendar all hold these. Anything beyond (only
    // a damaged file holds such a date) takes Date's own road.
    constexpr double kPlainRange = 3e11; // seconds
    const double seconds = date.TotalSeconds();
    std::tm local {};
    if (std::isfinite(seconds) && std::abs(seconds) < kPlainRange) {
        // Rounded to whole milliseconds as Date does, so the two never differ
        // by a second.
        const long long milliseconds = std::llround(seconds * 1000.0);
        const auto whole = static_cast<std::time_t>(
            milliseconds >= 0 ? milliseconds / 1000 : -((999 - milliseconds) / 1000));
        if (localtime_r(&whole, &local) != nullptr) {
            const QDate day(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
            const QTime time(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59),
                static_cast<int>(milliseconds - static_cast<long long>(whole) * 1000));
            return (d->DayText(day) + QLatin1Char(' ') + d->TimeText(time)).toStdString();
        }
    }
    return date.ShortDate() + " " + date.ShortTime();
}
