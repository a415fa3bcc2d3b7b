// Waits lowered many steps at once: bit for bit what the single steps leave, and when they run out.
#include "battle/Waits.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace {

constexpr double kTwo53 = 9007199254740992.0;

// Whole, fractional, tiny, negative, and around 2^53 where a step rounds.
constexpr double kWaits[] = {
    0, 1, 2, 500, 2.5, 0.1, -0.1, 1e-300, -2.75, 1000.3, -7.3,
    kTwo53 - 1, kTwo53, kTwo53 + 2, kTwo53 + 4, -kTwo53, 1e300, -1e300,
    4503599627370495.5, -4503599627370495.5, std::numeric_limits<double>::infinity(),
};

TEST(Waits, LoweringManyStepsLeavesWhatSingleStepsLeave)
{
    for (const double start : kWaits) {
        SCOPED_TRACE(start);
        double wait = start;
        for (std::uint64_t steps = 0; steps <= (1u << 20); ++steps) {
            const bool checked = steps <= 300 || std::has_single_bit(steps) || std::has_single_bit(steps + 1);
            if (checked) {
                ASSERT_EQ(std::bit_cast<std::uint64_t>(pc::lowerWait(start, steps)), std::bit_cast<std::uint64_t>(wait))
                    << steps << " steps";
            }
            wait -= 1.0;
        }
    }
    EXPECT_TRUE(std::isnan(pc::lowerWait(std::nan(""), 1000)));
    EXPECT_EQ(pc::lowerWait(4, (std::uint64_t{1} << 53) + 3), -(kTwo53 - 1)) << "more steps than 2^53";
}

TEST(Waits, RunOutAtTheFirstStepThatLeavesNothingAbove0)
{
    for (const double start : kWaits) {
        SCOPED_TRACE(start);
        const auto steps = pc::stepsToRunOut(start);
        if (!steps) {
            EXPECT_EQ(pc::lowerWait(start, 1), start) << "a wait that never runs out never moves";
            continue;
        }
        EXPECT_FALSE(pc::lowerWait(start, *steps) > 0);
        EXPECT_TRUE(*steps == 1 || pc::lowerWait(start, *steps - 1) > 0);
    }
    EXPECT_EQ(pc::stepsToRunOut(std::nan("")), 1u);
    EXPECT_EQ(pc::stepsToRunOut(2000000000), 2000000000u);
}

} // namespace
