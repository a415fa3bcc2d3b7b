// Number writing and reading: "%g", the file's whole numbers, 32-bit saturation.
#include "records/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace pc;

TEST(NumbersTest, FileNumbersReadBackWhole)
{
    const struct { double value; const char* written; } cases[] = {
        {100, "100"}, {0.5, "0.5"}, {999999, "999999"}, {1e6, "1000000"},
        {-2500000, "-2500000"}, {2147483647, "2147483647"}, {-3, "-3"}, {0, "0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fileNumber(c.value), c.written) << c.value;
        if (c.value == std::trunc(c.value)) {
            EXPECT_EQ(readWholeNumber(fileNumber(c.value)), c.value) << c.value;
        }
    }
    EXPECT_EQ(formatG(1e6), "1e+06");
    EXPECT_EQ(formatG(37.5), "37.5");
}

TEST(NumbersTest, ReadWholeNumberTakesTheLeadingInteger)
{
    const struct { const char* text; std::int32_t expected; } cases[] = {
        {"12.9", 12}, {"-3.7", -3}, {" 7", 7}, {"\t+8", 8}, {"abc", 0}, {"", 0},
        {"1e+06", 1}, {"999999", 999999}, {"12abc", 12}, {"- 5", 0}, {"7 8", 7},
        {"99999999999999999999", std::numeric_limits<std::int32_t>::max()},
        {"-99999999999999999999", std::numeric_limits<std::int32_t>::min()},
        {"2147483648", std::numeric_limits<std::int32_t>::max()},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readWholeNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(NumbersTest, ToInt32TruncatesAndSaturates)
{
    EXPECT_EQ(toInt32(-1.5), -1);
    EXPECT_EQ(toInt32(28.999), 28);
    EXPECT_EQ(toInt32(3e9), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(toInt32(2147483520.0f), 2147483520);
    EXPECT_EQ(toInt32(2147483584.0f), std::numeric_limits<std::int32_t>::max()) << "rounds to 2^31 as a float";
    EXPECT_EQ(toInt32(static_cast<double>(2147483648.0f)), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(toInt32(-3e9), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(toInt32(std::numeric_limits<double>::infinity()), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(toInt32(std::nan("")), 0);
}

TEST(NumbersTest, RemainderKeepsTheDrawsSignAndSurvivesZero)
{
    EXPECT_EQ(remainderOf(17, 5), 2);
    EXPECT_EQ(remainderOf(-17, 5), -2);
    EXPECT_EQ(remainderOf(17, 0), 0);
    EXPECT_EQ(remainderOf(std::numeric_limits<std::int32_t>::min(), -1), 0);
}
