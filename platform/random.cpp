#include "random.h"

#include <random>

namespace {

std::mt19937_64& Generator()
{
    static std::mt19937_64 generator { std::random_device {}() };
    return generator;
}

} // namespace

double Rnd()
{
    // The top 53 bits scaled by 2^-53: every value is exact and 1.0 never comes out.
    return static_cast<double>(Generator()() >> 11) * 0x1.0p-53;
}

void SeedRnd(std::uint64_t seed)
{
    Generator().seed(seed);
}
