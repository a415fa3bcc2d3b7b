// SPDX-License-Identifier: GPL-3.0-or-later
// What a battle fought without a window comes to.
#pragma once

#include "sim/DamageLedger.h"

#include <cstdint>
#include <vector>

namespace pc::sim {

enum class Outcome { victory, defeat, nobodyCanAct, unfinished };

struct BattleResult {
    Outcome outcome = Outcome::unfinished;
    std::int32_t presses = 0;
    std::vector<MemberDamage> damage; // player members, then enemy members
};

} // namespace pc::sim
