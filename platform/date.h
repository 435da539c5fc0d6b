#pragma once

#include <memory>
#include <string>

// A moment as a count of seconds. The epoch is 1970-01-01 00:00:00 UTC, so a
// stored count means the same moment in every time zone; ShortDate and
// ShortTime show it in the user's local time and locale.
class Date {
public:
    Date(); // now
    explicit Date(double totalSeconds);

    double TotalSeconds() const { return totalSeconds_; }
    void SetTotalSeconds(double seconds) { totalSeconds_ = seconds; }

    std::string ShortDate() const; // UTF-8
    std::string ShortTime() const; // UTF-8

private:
    double totalSeconds_ = 0;
};

// The short date and time texts of many dates in a row, as a list of graded
// exams shows them: the locale and the time zone are read once, when the
// formatter is made, and each date is turned into local time once for both
// texts. The texts are those of Date's ShortDate and ShortTime.
class DateFormatter {
public:
    DateFormatter();
    ~DateFormatter();
    DateFormatter(const DateFormatter&) = delete;
    DateFormatter& operator=(const DateFormatter&) = delete;

    // ShortDate, one blank and ShortTime of date.
    std::string ShortDateAndTime(const Date& date) const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
