// Derived statistics from the base statistics.
#include "editor/DerivedStats.h"

#include <gtest/gtest.h>

using namespace pc;

TEST(DerivedStatsTest, Examples)
{
    const struct { const char* name; BaseStats base; DerivedStats expected; } cases[] = {
        {"all thirty", {30, 30, 30, 30, 30, 30}, {30, 30, 30, 30, 30}},
        {"mixed", {10, 20, 7, 3, 5, 9}, {7, 15, 4, 6, 7}},
        {"eva ignores dex", {0, 0, 12, 100, 0, 0}, {26, 0, 68, 10, 14}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(derivedStats(c.base), c.expected) << c.name;
}
