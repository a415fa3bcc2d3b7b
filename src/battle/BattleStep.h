// SPDX-License-Identifier: GPL-3.0-or-later
// One member's battle step: the wait, and when it runs out the member's turn.
#pragma once

#include "battle/BattleContext.h"
#include "battle/MultiTarget.h"

namespace pc {

// The second half of a step: the turn of a member whose wait has run out.
// It draws its targets, announces the end of the battle if every opponent is
// down, or chooses an attack and carries it out. The side is the one
// playerAttackFlag names.
void takeTurn(BattleContext& ctx, OBJE& actor);

// The first half: counts the wait down; true when it has run out for a
// living member.
inline bool waitRunsOut(OBJE& member)
{
    member.curStatus.WP -= 1.0;
    return !(member.curStatus.WP > 0) && isLiving(member);
}

// One step of a member: the next part of a multi-part action under way, or
// the wait and, when it runs out, the turn. Inline, since most steps only
// count a wait down.
inline void theBattleLoop(BattleContext& ctx, OBJE& member)
{
    if (ctx.state.multipleLoopFlag)
        continueMultiPartAction(ctx, member);
    else if (waitRunsOut(member))
        takeTurn(ctx, member);
}

} // namespace pc
