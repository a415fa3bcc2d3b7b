// SPDX-License-Identifier: GPL-3.0-or-later
// Multi-target attacks: the choice among the run of them at the cursor, and
// the multi-part action that applies the chosen one a target per step.
#pragma once

#include "battle/BattleContext.h"
#include "battle/Sides.h"
#include "battle/Turn.h"

namespace pc {

// Draws the target list for the range at `start`, then weighs every
// multi-target attack from there against it: each node gets its value and
// rolls (the flags only collect), and the attack with the highest total above
// 0 is kept with a copy of the list (ties keep the earlier). One unaffordable
// attack rules them all out. Returns the first attack past the run.
const ATTACK* chooseMultiTarget(BattleContext& ctx, const Side& side, const OBJE& actor,
                                const TurnTargets& targets, const ATTACK& start, Turn& turn);

// Takes the chosen attack's MP and applies its first target with its prefix.
void beginMultiPartAction(BattleContext& ctx, const Side& side, OBJE& actor, const Turn& turn);

// The next target without a prefix; the last one ends the action and
// restarts the wait of `member`, the member that acted.
void continueMultiPartAction(BattleContext& ctx, OBJE& member);

// Ends an action still under way, leaving no target over.
void dropMultiPartAction(BattleContext& ctx);

} // namespace pc
