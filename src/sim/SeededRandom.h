// SPDX-License-Identifier: GPL-3.0-or-later
// The seeded source lives with the battle rules, which the window shares.
#pragma once

#include "battle/SeededRandom.h"

namespace pc::sim {

using pc::SeededRandom;

} // namespace pc::sim
