#pragma once

#include "control_records.h"
#include "types.h"

#include <string>

// What the statistics and history lists share: their stored list record and
// the way they show counts.

// ListBox1 of both windows: the whole window but a strip at the right and the
// bottom, locked on all four sides, with a heading row.
ListboxRecord ResultListRecord(Integer columnCount);

// Counts come from the statistics file, which a damaged copy may fill with any
// number: sums wrap as 64-bit counts would instead of overflowing.
Integer WrappingAdd(Integer a, Integer b);

// The share of right answers in whole percent, truncated toward zero, and
// " %"; "-" when the total is not above 0.
std::string PercentText(Integer right, Integer total);
