#include "random.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Rnd, SameSeedGivesTheSameDraws)
{
    SeedRnd(1234);
    std::vector<double> first;
    for (int i = 0; i < 20; ++i)
        first.push_back(Rnd());
    SeedRnd(1234);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(Rnd(), first[static_cast<std::size_t>(i)]);
}

TEST(Rnd, StaysInTheHalfOpenUnitIntervalAndCoversIt)
{
    SeedRnd(7);
    int low = 0;
    int high = 0;
    for (int i = 0; i < 100000; ++i) {
        const double value = Rnd();
        ASSERT_GE(value, 0.0);
        ASSERT_LT(value, 1.0);
        low += value < 0.1;
        high += value >= 0.9;
    }
    // About 10000 each; a generator stuck in part of the range fails this.
    EXPECT_NEAR(low, 10000, 600);
    EXPECT_NEAR(high, 10000, 600);
}
