#pragma once

#include <cstdint>
#include <string>

// The value types every layer speaks: 64-bit whole numbers, single-precision
// text sizes, byte strings (std::string, no encoding attached) and RGB colours.
using Integer = std::int64_t;
using Single = float;

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0; // the fourth byte of a stored colour; 0 is opaque

    friend bool operator==(const Color&, const Color&) = default;
};

constexpr Color kWhite { 255, 255, 255, 0 };
constexpr Color kBlack { 0, 0, 0, 0 };
