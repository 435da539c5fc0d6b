#include "text.h"

#include <limits>

std::string Str(Integer value)
{
    return std::to_string(value);
}

Integer Val(std::string_view text)
{
    std::size_t position = 0;
    while (position < text.size() && (text[position] == ' ' || text[position] == '\t'))
        ++position;

    bool negative = false;
    if (position < text.size() && (text[position] == '-' || text[position] == '+')) {
        negative = text[position] == '-';
        ++position;
    }

    // Accumulate as a negative number: its range reaches one further, so the
    // most negative value reads back exactly and nothing ever overflows.
    constexpr Integer kMin = std::numeric_limits<Integer>::min();
    constexpr Integer kMax = std::numeric_limits<Integer>::max();
    Integer value = 0;
    bool saturated = false;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
        if (saturated)
            continue;
        const int digit = text[position] - '0';
        if (value < (kMin + digit) / 10) {
            saturated = true;
            continue;
        }
        value = value * 10 - digit;
    }

    if (negative)
        return saturated ? kMin : value;
    if (saturated || value == kMin)
        return kMax;
    return -value;
}

std::string Chr(int byte)
{
    return std::string(1, static_cast<char>(static_cast<unsigned char>(byte)));
}
