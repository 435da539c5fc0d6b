#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

// The byte order of the binary files: the most significant byte first.

inline std::uint32_t LoadBigEndian32(const void* bytes)
{
    std::uint32_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    if constexpr (std::endian::native == std::endian::little)
        value = __builtin_bswap32(value);
    return value;
}

inline std::uint64_t LoadBigEndian64(const void* bytes)
{
    std::uint64_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    if constexpr (std::endian::native == std::endian::little)
        value = __builtin_bswap64(value);
    return value;
}

inline void StoreBigEndian32(void* out, std::uint32_t value)
{
    if constexpr (std::endian::native == std::endian::little)
        value = __builtin_bswap32(value);
    std::memcpy(out, &value, sizeof value);
}

inline void StoreBigEndian64(void* out, std::uint64_t value)
{
    if constexpr (std::endian::native == std::endian::little)
        value = __builtin_bswap64(value);
    std::memcpy(out, &value, sizeof value);
}
