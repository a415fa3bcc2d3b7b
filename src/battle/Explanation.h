// SPDX-License-Identifier: GPL-3.0-or-later
// The breakdown of a battle message in words: how its value came about, line by line.
#pragma once

#include "battle/Breakdown.h"

#include <string>

namespace pc {

// The formula with its base, draws and defence, the attribute's scaling, the
// MP taken, the rolls with the draws that decided them and the effect on HP,
// one term a line.
std::string explain(const Breakdown& breakdown);

} // namespace pc
