// SPDX-License-Identifier: GPL-3.0-or-later
// The single-target choice of a turn and the application of its attack.
#pragma once

#include "battle/BattleContext.h"
#include "battle/Sides.h"
#include "battle/Turn.h"

namespace pc {

inline bool isHealSeed(std::int32_t seed)
{
    return seed == 4 || seed == 5;
}

// Evaluates every attack from `start` to the end of the list and picks the
// affordable one of the highest value (ties keep the earlier one); then makes
// the chosen attack's rolls. Sets atkName and the turn's values.
void chooseSingleTarget(BattleContext& ctx, const Side& side, const OBJE& actor, const TurnTargets& targets,
                        const ATTACK& start, Turn& turn);

// Takes the MP and applies the chosen value as damage, healing or a miss,
// with the message in NaviTF.
void applySingleTarget(BattleContext& ctx, OBJE& actor, const TurnTargets& targets, const Turn& turn);

} // namespace pc
