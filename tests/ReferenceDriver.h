// SPDX-License-Identifier: GPL-3.0-or-later
// The step-by-step battle driver: one step per member per pass, every pass
// walked. The application's driver must behave exactly like it; the tests
// and benchmarks compare the two.
#pragma once

#include "battle/BattleContext.h"

namespace pc::reference {

// The navigation button: clears stopBattleLoop and runs the driver.
void Navigation(BattleContext& ctx);

// Makes one step for the acting member while a multi-part action is under
// way. Otherwise walks the player half, then the enemy half, pass after pass,
// until a step sets stopBattleLoop. The position within a half survives the
// press in currentNumberRP / currentNumberRE: a counter c > 0 resumes at
// member c (counting from 1), the member stepped last; a counter past the
// party's end skips that half. A pass in which nobody is living stops at once.
void theBattle(BattleContext& ctx);

} // namespace pc::reference
