#include "date.h"

#include <QDateTime>
#include <QLocale>

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <map>
#include <string>
#include <vector>

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

namespace {

struct LocalText {
    double utcSeconds;
    std::string date;
    std::string time;
};

// What three moments read in the zones and languages the test runs in (ctest
// sets TZ and LC_ALL: New York in en_US, Kolkata in de_DE, Adelaide in C):
// 2006-07-01 13:45:10, 1999-12-31 23:59:00 and 2024-02-29 00:00:30, all UTC.
const std::map<std::string, std::vector<LocalText>> kLocalTexts {
    { "America/New_York",
        {
            { 1151761510, "7/1/06", "9:45 AM" },
            { 946684740, "12/31/99", "6:59 PM" },
            { 1709164830, "2/28/24", "7:00 PM" },
        } },
    { "Asia/Kolkata",
        {
            { 1151761510, "01.07.06", "19:15" },
            { 946684740, "01.01.00", "05:29" },
            { 1709164830, "29.02.24", "05:30" },
        } },
    { "Australia/Adelaide",
        {
            { 1151761510, "1 Jul 2006", "23:15:10" },
            { 946684740, "1 Jan 2000", "10:29:00" },
            { 1709164830, "29 Feb 2024", "10:30:30" },
        } },
};

const std::vector<LocalText>* TextsOfThisZone()
{
    const char* zone = std::getenv("TZ");
    const auto found = kLocalTexts.find(zone == nullptr ? "" : zone);
    return found == kLocalTexts.end() ? nullptr : &found->second;
}

} // namespace

TEST(Date, ShowsTheLocalDateAndTimeOfTheMoment)
{
    const std::vector<LocalText>* texts = TextsOfThisZone();
    if (texts == nullptr)
        GTEST_SKIP() << "needs TZ set to one of the zones of the table";
    const DateFormatter format;
    for (const LocalText& expected : *texts) {
        const Date date(expected.utcSeconds);
        EXPECT_EQ(date.ShortDate(), expected.date);
        EXPECT_EQ(date.ShortTime(), expected.time);
        EXPECT_EQ(format.ShortDateAndTime(date), expected.date + " " + expected.time);
    }
}

TEST(Date, TheFormatterShowsWhatDateShows)
{
    const DateFormatter format;
    // Both sides of New York's and Adelaide's clock changes, before 1970, a
    // thousandth of a second before a full minute, far years and the ends of
    // the formatter's own range.
    for (const double seconds : { 1710054000.0, 1710053999.0, 1712419200.0, 1712419199.5, -86400.25,
             -0.0004, 59.9996, 119.9994, 1.0e10, -2.0e10, 2.99e11, 3.0e11, -3.0e11, 1.0e15 }) {
        const Date date(seconds);
        EXPECT_EQ(format.ShortDateAndTime(date), date.ShortDate() + " " + date.ShortTime())
            << std::to_string(seconds);
    }
}
