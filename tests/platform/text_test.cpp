#include "text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

struct ValCase {
    std::string text;
    Integer value;
};

class ValExamples : public testing::TestWithParam<ValCase> { };

} // namespace

TEST_P(ValExamples, ReadsTheLeadingDecimalNumber)
{
    EXPECT_EQ(Val(GetParam().text), GetParam().value) << "text: \"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(PoolLines, ValExamples,
    testing::Values(ValCase { "26 words", 26 }, ValCase { "abc", 0 }, ValCase { "-3x", -3 },
        ValCase { "  7", 7 }, ValCase { "\t\t12\r", 12 }, ValCase { "3.9", 3 },
        ValCase { "-3.9", -3 }, ValCase { "", 0 }, ValCase { "+5", 5 }, ValCase { "-", 0 },
        ValCase { "- 5", 0 }, ValCase { "007", 7 }, ValCase { "3 1 10\n", 3 }, ValCase { "1e5", 1 },
        ValCase { "0x1F", 0 }, ValCase { "\n5", 0 },
        ValCase { "9223372036854775807", std::numeric_limits<Integer>::max() },
        ValCase { "9223372036854775808", std::numeric_limits<Integer>::max() },
        ValCase { "99999999999999999999999", std::numeric_limits<Integer>::max() },
        ValCase { "-9223372036854775808", std::numeric_limits<Integer>::min() },
        ValCase { "-99999999999999999999999", std::numeric_limits<Integer>::min() }));

TEST(Str, WritesPlainDecimalDigits)
{
    EXPECT_EQ(Str(0), "0");
    EXPECT_EQ(Str(1234567), "1234567");
    EXPECT_EQ(Str(-42), "-42");
    EXPECT_EQ(Str(std::numeric_limits<Integer>::min()), "-9223372036854775808");
}

TEST(Str, ValReadsBackWhatStrWrote)
{
    for (Integer value : { Integer { 0 }, Integer { -1 }, Integer { 65 }, Integer { -2147483648 },
             std::numeric_limits<Integer>::max() })
        EXPECT_EQ(Val(Str(value)), value);
}

TEST(Chr, GivesOneByte)
{
    EXPECT_EQ(Chr(13), "\r");
    EXPECT_EQ(Chr(0), std::string(1, '\0'));
    EXPECT_EQ(Chr(255), "\xFF");
}
