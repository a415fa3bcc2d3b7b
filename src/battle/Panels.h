// SPDX-License-Identifier: GPL-3.0-or-later
// A member's HP percentage and the panels that show a member.
#pragma once

#include "battle/BattleView.h"
#include "records/Records.h"

#include <cstdint>

namespace pc {

// Current HP over registered HP times 100, floored and saturated to 32 bits;
// 0 for a registered HP of 0 or less, which has no percentage.
std::int32_t hpPercentage(const OBJE& member);

// Name, "HP current/registered", HP percentage and picture of a member.
void showMember(PanelView& panel, const OBJE& member);

} // namespace pc
