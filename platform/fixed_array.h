#pragma once

#include "exceptions.h"
#include "types.h"

#include <string>
#include <vector>

// Arrays with a declared upper bound: indices 0 to Upper are valid (Upper + 1
// elements, all value-initialised); anything else raises OutOfBoundsException.
// Callers use them from index 1; element 0 is left unused.

// The failure paths stay out of line, so that the check every access makes is
// a compare and a branch the caller's loop can carry.
[[noreturn, gnu::cold, gnu::noinline]] void ThrowIndexOutside(Integer index, Integer upper);
[[noreturn, gnu::cold, gnu::noinline]] void ThrowIndexOutside(
    Integer i, Integer j, Integer upper1, Integer upper2);
template <typename T, Integer Upper> class FixedArray {
public:
    static_assert(Upper >= 0);

    T& operator()(Integer index) { return data_[Checked(index)]; }
    const T& operator()(Integer index) const { return data_[Checked(index)]; }

    static constexpr Integer UBound() { return Upper; }
    void Fill(const T& value) { data_.assign(data_.size(), value); }

private:
    static std::size_t Checked(Integer index)
    {
        if (index < 0 || index > Upper) [[unlikely]]
            ThrowIndexOutside(index, Upper);
        return static_cast<std::size_t>(index);
    }

    std::vector<T> data_ = std::vector<T>(static_cast<std::size_t>(Upper) + 1);
};

template <typename T, Integer Upper1, Integer Upper2> class FixedArray2D {
public:
    static_assert(Upper1 >= 0 && Upper2 >= 0);

    T& operator()(Integer i, Integer j) { return data_[Checked(i, j)]; }
    const T& operator()(Integer i, Integer j) const { return data_[Checked(i, j)]; }

    static constexpr Integer UBound1() { return Upper1; }
    static constexpr Integer UBound2() { return Upper2; }
    void Fill(const T& value) { data_.assign(data_.size(), value); }

private:
    static std::size_t Checked(Integer i, Integer j)
    {
        if (i < 0 || i > Upper1 || j < 0 || j > Upper2) [[unlikely]]
            ThrowIndexOutside(i, j, Upper1, Upper2);
        return static_cast<std::size_t>(i) * (Upper2 + 1) + static_cast<std::size_t>(j);
    }

    std::vector<T> data_ = std::vector<T>(
        static_cast<std::size_t>(Upper1 + 1) * static_cast<std::size_t>(Upper2 + 1));
};
