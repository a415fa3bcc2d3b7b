// SPDX-License-Identifier: GPL-3.0-or-later
#include "Waits.h"

#include <algorithm>
#include <cmath>

namespace pc {

namespace {

// 2^53: from here on doubles are spaced 2 or more apart.
constexpr std::int64_t kWholeSteps = std::int64_t{1} << 53;
constexpr double kWholeLimit = static_cast<double>(kWholeSteps);

// How many steps from `wait` are exact, so that one subtraction makes them
// all: a whole wait counts down towards -2^53 without rounding; otherwise a
// positive wait goes down into [0, 1), and a negative one to the edge of its
// binade, past which the spacing doubles and a step may round.
std::uint64_t exactSteps(double wait)
{
    if (std::abs(wait) < kWholeLimit) {
        const auto whole = static_cast<std::int64_t>(wait);
        if (static_cast<double>(whole) == wait) // 2^53 at most, so that the run itself is exact
            return static_cast<std::uint64_t>(std::min(whole, std::int64_t{0}) + kWholeSteps);
        if (wait > 0)
            return static_cast<std::uint64_t>(whole);
    }
    int exponent = 0;
    std::frexp(wait, &exponent);
    if (exponent > 53)
        return 0;
    return static_cast<std::uint64_t>(std::ldexp(1.0, exponent) + wait);
}

} // namespace

namespace waits {

double lowerAnyWait(double wait, std::uint64_t steps)
{
    while (steps > 0 && std::isfinite(wait)) {
        const std::uint64_t run = std::min(exactSteps(wait), steps);
        wait -= static_cast<double>(run);
        steps -= run;
        if (steps == 0)
            break;
        const double next = wait - 1.0;
        if (next == wait)
            break;
        wait = next;
        --steps;
    }
    return wait;
}

std::optional<std::uint64_t> stepsToRunOutOfAnyWait(double wait)
{
    if (!(wait > 1))
        return 1;
    // Above 2^53 a step rounds: it reaches 2^53 within two steps or never moves.
    std::uint64_t rounded = 0;
    for (; wait >= kWholeLimit; ++rounded) {
        const double next = wait - 1.0;
        if (next == wait)
            return std::nullopt;
        wait = next;
    }
    const auto whole = static_cast<std::uint64_t>(wait);
    return rounded + whole + (static_cast<double>(whole) < wait ? 1 : 0);
}

} // namespace waits

} // namespace pc
