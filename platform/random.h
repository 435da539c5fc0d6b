#pragma once

#include <cstdint>

// The framework's uniform random Double in [0, 1). Seeded from the system at
// start-up; tests seed it to make draws repeatable.
double Rnd();
void SeedRnd(std::uint64_t seed);
