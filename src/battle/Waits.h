// Many steps of a wait at once. A step subtracts 1.0 from a member's current
// WP; these give exactly what that many subtractions, each with its own
// rounding, would leave, so that the driver can skip the passes in which
// nobody acts.
#pragma once

#include <cstdint>
#include <optional>

namespace pc {

// The wait after `steps` steps.
double lowerWait(double wait, std::uint64_t steps);

// The number of steps after which a wait is no longer above 0 (at least 1);
// none for a wait so large that subtracting 1 no longer changes it.
std::optional<std::uint64_t> stepsToRunOut(double wait);

} // namespace pc
