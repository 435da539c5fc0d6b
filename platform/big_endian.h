#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>

// The byte order of the binary files: the most significant byte first. For
// 32- and 64-bit unsigned values.

template <typename Unsigned> Unsigned FromOrToBigEndian(Unsigned value)
{
    static_assert(
        std::is_same_v<Unsigned, std::uint32_t> || std::is_same_v<Unsigned, std::uint64_t>);
    if constexpr (std::endian::native == std::endian::big)
        return value;
    else if constexpr (sizeof(Unsigned) == 4)
        return __builtin_bswap32(value);
    else
        return __builtin_bswap64(value);
}

template <typename Unsigned> Unsigned LoadBigEndian(const void* bytes)
{
    Unsigned value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return FromOrToBigEndian(value);
}

template <typename Unsigned> void StoreBigEndian(void* out, Unsigned value)
{
    value = FromOrToBigEndian(value);
    std::memcpy(out, &value, sizeof value);
}
