// One member's battle step: the wait, and when it runs out the member's turn.
#pragma once

#include "battle/BattleContext.h"

namespace pc {

// Counts the member's wait down; when it has run out and the member is
// living, the member draws its targets, announces the end of the battle if
// every opponent is down, or chooses an attack and carries it out. The side
// is the one playerAttackFlag names.
void theBattleLoop(BattleContext& ctx, OBJE& member);

} // namespace pc
