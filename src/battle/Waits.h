// SPDX-License-Identifier: GPL-3.0-or-later
// Many steps of a wait at once. A step subtracts 1.0 from a member's current
// WP; these give exactly what that many subtractions, each with its own
// rounding, would leave, so that the driver can skip the passes in which
// nobody acts.
#pragma once

#include <cstdint>
#include <optional>

namespace pc {

namespace waits {

// 2^52: whole waits and step counts below it count down exactly in one subtraction.
inline constexpr double kPlainLimit = 4503599627370496.0;

double lowerAnyWait(double wait, std::uint64_t steps);
std::optional<std::uint64_t> stepsToRunOutOfAnyWait(double wait);

} // namespace waits

// The wait after `steps` steps.
inline double lowerWait(double wait, std::uint64_t steps)
{
    const bool plain = wait > -waits::kPlainLimit && wait < waits::kPlainLimit
        && static_cast<double>(steps) < waits::kPlainLimit
        && static_cast<double>(static_cast<std::int64_t>(wait)) == wait;
    return plain ? wait - static_cast<double>(steps) : waits::lowerAnyWait(wait, steps);
}

// The number of steps after which a wait is no longer above 0 (at least 1);
// none for a wait so large that subtracting 1 no longer changes it.
inline std::optional<std::uint64_t> stepsToRunOut(double wait)
{
    if (!(wait > 1))
        return 1;
    if (wait < waits::kPlainLimit) {
        const auto whole = static_cast<std::uint64_t>(wait);
        return whole + (static_cast<double>(whole) < wait ? 1 : 0);
    }
    return waits::stepsToRunOutOfAnyWait(wait);
}

} // namespace pc
