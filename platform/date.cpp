#include "date.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <vector>

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

namespace {

// A short date or time format of the locale taken apart once, so that a long
// list of dates is written without asking the locale for every field. It knows
// the numeric fields, the names of the months and the AM/PM text; a format
// with anything else (names of days, a time zone), or a locale whose texts it
// does not give back exactly (other digits, say), is left to the locale.
class NumericDateFormat {
public:
    NumericDateFormat(const QString& format, const QLocale& locale)
        : am_(locale.amText())
        , pm_(locale.pmText())
    {
        for (int month = 1; month <= 12; ++month) {
            shortMonths_.push_back(locale.monthName(month, QLocale::ShortFormat));
            longMonths_.push_back(locale.monthName(month, QLocale::LongFormat));
        }
        Parse(format);
    }

    bool Usable() const { return usable_; }
    void Disable() { usable_ = false; }

    // Years 1000 to 9999 only: the four digits of yyyy.
    void Write(QString& out, const QDate& date, const QTime& time) const
    {
        for (const Token& token : tokens_) {
            switch (token.field) {
            case Field::Text:
                out += token.text;
                break;
            case Field::Day:
                AppendNumber(out, date.day(), token.width);
                break;
            case Field::Month:
                if (token.width <= 2)
                    AppendNumber(out, date.month(), token.width);
                else
                    out += (token.width == 3
                            ? shortMonths_
                            : longMonths_)[static_cast<std::size_t>(date.month() - 1)];
                break;
            case Field::Year:
                AppendNumber(out, token.width == 2 ? date.year() % 100 : date.year(), token.width);
                break;
            case Field::Hour:
                AppendNumber(out,
                    twelveHour_ && token.lower ? (time.hour() + 11) % 12 + 1 : time.hour(),
                    token.width);
                break;
            case Field::Minute:
                AppendNumber(out, time.minute(), token.width);
                break;
            case Field::Second:
                AppendNumber(out, time.second(), token.width);
                break;
            case Field::AmPm: {
                const QString& text = time.hour() < 12 ? am_ : pm_;
                out += token.lower ? text.toLower() : text.toUpper();
                break;
            }
            }
        }
    }

private:
    enum class Field { Text, Day, Month, Year, Hour, Minute, Second, AmPm };
    struct Token {
        Field field;
        int width = 0;
        bool lower = false; // h rather than H; am rather than AM
        QString text;
    };

    static void AppendNumber(QString& out, int value, int width)
    {
        if (value < 10 && width >= 2)
            out += QLatin1Char('0');
        out += QString::number(value);
    }

    void Add(Field field, qsizetype count, int largest, bool lower = false)
    {
        if (count > largest)
            usable_ = false;
        tokens_.push_back({ field, static_cast<int>(count), lower, {} });
    }

    void Parse(const QString& format)
    {
        const qsizetype size = format.size();
        for (qsizetype i = 0; i < size;) {
            const QChar c = format.at(i);
            if (c == QLatin1Char('\'')) {
                // Quoted text; two quotes stand for one.
                QString text;
                qsizetype j = i + 1;
                if (j < size && format.at(j) == QLatin1Char('\'')) {
                    tokens_.push_back({ Field::Text, 0, false, QStringLiteral("'") });
                    i = j + 1;
                    continue;
                }
                for (; j < size; ++j) {
                    if (format.at(j) == QLatin1Char('\'')) {
                        if (j + 1 < size && format.at(j + 1) == QLatin1Char('\'')) {
                            text += QLatin1Char('\'');
                            ++j;
                            continue;
                        }
                        break;
                    }
                    text += format.at(j);
                }
                tokens_.push_back({ Field::Text, 0, false, text });
                i = j + 1;
                continue;
            }
            qsizetype count = 1;
            while (i + count < size && format.at(i + count) == c)
                ++count;
            switch (c.unicode()) {
            case 'd':
                Add(Field::Day, count, 2);
                break;
            case 'M':
                Add(Field::Month, count, 4);
                break;
            case 'y':
                Add(Field::Year, count, 4);
                if (count != 2 && count != 4)
                    usable_ = false;
                break;
            case 'h':
            case 'H':
                Add(Field::Hour, count, 2, c == QLatin1Char('h'));
                break;
            case 'm':
                Add(Field::Minute, count, 2);
                break;
            case 's':
                Add(Field::Second, count, 2);
                break;
            case 'a':
            case 'A': {
                const QChar p = c == QLatin1Char('a') ? QLatin1Char('p') : QLatin1Char('P');
                Add(Field::AmPm, count, 1, c == QLatin1Char('a'));
                twelveHour_ = true;
                if (i + 1 < size && format.at(i + 1) == p)
                    ++count;
                break;
            }
            default:
                if (c.isLetter())
                    usable_ = false;
                tokens_.push_back({ Field::Text, 0, false, QString(count, c) });
                break;
            }
            i += count;
        }
    }

    std::vector<Token> tokens_;
    std::vector<QString> shortMonths_;
    std::vector<QString> longMonths_;
    QString am_;
    QString pm_;
    bool twelveHour_ = false;
    bool usable_ = true;
};

} // namespace

struct DateFormatter::Private {
    QLocale locale = QLocale::system();
    NumericDateFormat dateFormat { locale.dateFormat(QLocale::ShortFormat), locale };
    NumericDateFormat timeFormat { locale.timeFormat(QLocale::ShortFormat), locale };

    Private()
    {
        // Trusted only where it writes what the locale writes, single and
        // double digits, morning and afternoon alike.
        const QDate days[] = { QDate(2006, 11, 23), QDate(2009, 2, 3), QDate(1999, 12, 31) };
        const QTime times[] = { QTime(13, 5, 9), QTime(4, 7, 8), QTime(0, 0, 0), QTime(12, 30, 45),
            QTime(23, 59, 59) };
        for (const QDate& day : days) {
            QString written;
            dateFormat.Write(written, day, QTime());
            if (written != locale.toString(day, QLocale::ShortFormat))
                dateFormat.Disable();
        }
        for (const QTime& time : times) {
            QString written;
            timeFormat.Write(written, QDate(), time);
            if (written != locale.toString(time, QLocale::ShortFormat))
                timeFormat.Disable();
        }
    }

    QString Text(const QDate& day, const QTime& time) const
    {
        QString text;
        if (dateFormat.Usable() && day.year() >= 1000 && day.year() <= 9999)
            dateFormat.Write(text, day, time);
        else
            text = locale.toString(day, QLocale::ShortFormat);
        text += QLatin1Char(' ');
        if (timeFormat.Usable())
            timeFormat.Write(text, day, time);
        else
            text += locale.toString(time, QLocale::ShortFormat);
        return text;
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
            return d->Text(day, time).toStdString();
        }
    }
    return date.ShortDate() + " " + date.ShortTime();
}
