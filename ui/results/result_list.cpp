#include "result_list.h"

#include "text.h"

#include <cmath>
#include <cstdint>
#include <limits>

ListboxRecord ResultListRecord(Integer columnCount)
{
    ListboxRecord list;
    list.place.name = "ListBox1";
    list.place.width = 499;
    list.place.height = 285;
    list.place.lockLeft = true;
    list.place.lockTop = true;
    list.place.lockRight = true;
    list.place.lockBottom = true;
    list.columnCount = columnCount;
    list.hasHeading = true;
    return list;
}

Integer WrappingAdd(Integer a, Integer b)
{
    return static_cast<Integer>(static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b));
}

std::string PercentText(Integer right, Integer total)
{
    if (total <= 0)
        return "-";
    const auto timesHundred = static_cast<Integer>(static_cast<std::uint64_t>(right) * 100U);
    const double share = std::trunc(static_cast<double>(timesHundred) / static_cast<double>(total));
    // Only wrapped counts give a quotient beyond the Integer range: hold it at
    // the range's ends.
    constexpr double kIntegerEnd = 9223372036854775808.0; // 2^63
    Integer percent = 0;
    if (share >= kIntegerEnd)
        percent = std::numeric_limits<Integer>::max();
    else if (share < -kIntegerEnd)
        percent = std::numeric_limits<Integer>::min();
    else
        percent = static_cast<Integer>(share);
    return Str(percent) + " %";
}
