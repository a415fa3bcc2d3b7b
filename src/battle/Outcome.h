// SPDX-License-Identifier: GPL-3.0-or-later
// Applying an action's outcome to hit points and magic points, and the end of an action.
#pragma once

#include "battle/BattleContext.h"
#include "battle/Sides.h"

namespace pc {

// Takes a cost from the actor's current MP: a negative cost counts as 0, the
// cost is floored, and the MP does not go below 0.
void takeMP(OBJE& actor, double cost);

// Subtracts a damage (a negative one counts as 0) from the current HP, which
// does not go below 0. Returns the damage as counted.
double dealDamage(OBJE& target, double amount);

// Adds an amount (a negative one counts as 0) to the current HP, which does
// not go above the registered HP. Returns the amount as counted, before the cap.
double healBy(OBJE& target, double amount);

// Changes a member's HP by `change` (dealDamage or healBy) and returns the
// amount as counted; notes the effect and the HP around it for the
// context's recorder and watcher, where there are any.
double changeHP(BattleContext& ctx, Effect effect, OBJE& member, double amount, double (*change)(OBJE&, double));

// The end of an action: the affected member (if any) shown in the P2 panel,
// the opponents' cursor back at their head, the wait of the member restarted
// and the driver asked to stop.
void endAction(BattleContext& ctx, const Side& side, OBJE& member, const OBJE* affected);

} // namespace pc
