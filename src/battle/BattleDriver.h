// SPDX-License-Identifier: GPL-3.0-or-later
// The battle driver: each press of the navigation button walks the parties,
// one step per member, until a step asks to stop.
#pragma once

#include "battle/BattleContext.h"

namespace pc {

// The navigation button: clears stopBattleLoop and runs the driver.
void Navigation(BattleContext& ctx);

// Makes one step for the acting member while a multi-part action is under
// way. Otherwise walks the player half, then the enemy half, pass after pass,
// until a step sets stopBattleLoop. The position within a half survives the
// press in currentNumberRP / currentNumberRE: a counter c > 0 resumes at
// member c (counting from 1), the member stepped last; a counter past the
// party's end skips that half. A pass in which nobody can ever act (nobody
// is living, or no living member's wait can run out) stops at once.
//
// The passes in which nobody acts are not walked: each of their steps only
// lowers a wait by 1, so they are skipped in one move that lowers every wait
// by their number. A press costs work in proportion to the parties, whatever
// the waits.
void theBattle(BattleContext& ctx);

} // namespace pc
