// SPDX-License-Identifier: GPL-3.0-or-later
// The plain attack a member makes when it has no usable attack.
#pragma once

#include "battle/BattleContext.h"

namespace pc {

// One hit roll on the actor's current HIT against the target's current EVA;
// on a hit one spread draw, the damage taken from the target's HP and the
// formula written to the diagnostic log. The message goes to NaviTF.
void plainAttack(BattleContext& ctx, const OBJE& actor, OBJE& target);

} // namespace pc
