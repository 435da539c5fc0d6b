#pragma once

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
