#pragma once

#include "types.h"

#include <string>
#include <string_view>

// Decimal text of a whole number: digits, a leading "-" when negative, no
// leading zeros, blanks or digit grouping.
std::string Str(Integer value);

// The string-to-number conversion of the pool files and record fields:
// optional leading blanks and tabs, an optional sign, then decimal digits;
// everything after them (a fraction, the line end, words) is ignored, so a
// fraction is truncated toward zero. Text without a leading number reads 0.
// Values beyond the 64-bit range saturate.
Integer Val(std::string_view text);

// A one-byte string holding the given byte (Chr(13) is a carriage return).
std::string Chr(int byte);
