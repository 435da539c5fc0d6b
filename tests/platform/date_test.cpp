#include "date.h"

#include <QDateTime>
#include <QLocale>

#include <gtest/gtest.h>

#include <limits>

namespace {

std::string Expected(const QDateTime& utc, bool date)
{
    const QDateTime local = utc.toLocalTime();
    return date ? QLocale::system().toString(local.date(), QLocale::ShortFormat).toStdString()
                : QLocale::system().toString(local.time(), QLocale::ShortFormat).toStdString();
}

} // namespace

TEST(Date, NowIsTheCurrentMomentInSecondsSince1970Utc)
{
    const double before = static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
    const Date now;
    const double after = static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
    EXPECT_GE(now.TotalSeconds(), before);
    EXPECT_LE(now.TotalSeconds(), after);
}

TEST(Date, AStoredCountShowsTheMomentItWasTaken)
{
    const QDateTime moments[] = {
        QDateTime(QDate(2006, 7, 1), QTime(13, 45, 10), Qt::UTC),
        QDateTime(QDate(1999, 12, 31), QTime(23, 59, 0), Qt::UTC),
        QDateTime(QDate(2024, 2, 29), QTime(0, 0, 30), Qt::UTC),
    };
    for (const QDateTime& moment : moments) {
        const Date date(static_cast<double>(moment.toSecsSinceEpoch()));
        EXPECT_EQ(date.ShortDate(), Expected(moment, true));
        EXPECT_EQ(date.ShortTime(), Expected(moment, false));
        EXPECT_FALSE(date.ShortDate().empty());
    }
}

TEST(Date, NowShowsTodayInLocalTime)
{
    const Date now;
    const Date restored(now.TotalSeconds());
    EXPECT_EQ(restored.ShortDate(),
        QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString());
}

TEST(Date, DamagedCountsShowSomethingWithoutFailing)
{
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    for (double damaged :
        { std::numeric_limits<double>::quiet_NaN(), kInfinity, -kInfinity, 1e300, -1e300 }) {
        const Date date(damaged);
        EXPECT_NO_THROW(static_cast<void>(date.ShortDate()));
        EXPECT_NO_THROW(static_cast<void>(date.ShortTime()));
    }
}

// Counts too large for whole milliseconds in 64 bits are clamped to the last
// moment that fits, on both sides, instead of wrapping round to the far side.
TEST(Date, CountsBeyondTheRepresentableRangeShowItsEdge)
{
    const Date latest(9e15);
    const Date earliest(-9e15);
    ASSERT_FALSE(latest.ShortDate().empty());
    ASSERT_FALSE(earliest.ShortDate().empty());
    for (double beyond : { 9.3e15, 1e16, 1e18, 1e300 })
        EXPECT_EQ(Date(beyond).ShortDate(), latest.ShortDate()) << beyond;
    for (double beyond : { -9.3e15, -1e16, -1e18, -1e300 })
        EXPECT_EQ(Date(beyond).ShortDate(), earliest.ShortDate()) << beyond;
    // The edge itself is the moment 9e15 seconds after 1970, far in the future.
    const QDateTime edge = QDateTime::fromSecsSinceEpoch(9'000'000'000'000'000LL, Qt::UTC);
    EXPECT_EQ(latest.ShortDate(), Expected(edge, true));
    EXPECT_GT(edge.date().year(), 285'000'000);
}
