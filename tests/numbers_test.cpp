// SPDX-License-Identifier: GPL-3.0-or-later
// Number writing and reading: "%g", the file's whole numbers, 32-bit saturation.
#include "records/Numbers.h"

#include <gtest/gtest.h>

#include <limits>

using namespace pc;

TEST(NumbersTest, ReadWholeNumberTakesTheLeadingInteger)
{
    const struct { const char* text; std::int32_t expected; } cases[] = {
        {"12.9", 12}, {"-3.7", -3}, {"\t+8", 8}, {"abc", 0}, {"1e+06", 1}, {"- 5", 0},
        {"99999999999999999999", std::numeric_limits<std::int32_t>::max()},
        {"-99999999999999999999", std::numeric_limits<std::int32_t>::min()},
        {"2147483648", std::numeric_limits<std::int32_t>::max()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readWholeNumber(c.text), c.expected) << '"' << c.text << '"';
}
