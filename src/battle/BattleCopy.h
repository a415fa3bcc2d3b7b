// SPDX-License-Identifier: GPL-3.0-or-later
// A battle copied out of its state into a state of its own, to be continued
// without touching the original: the estimate of the odds plays copies out.
#pragma once

#include "battle/BattleView.h"
#include "records/AppState.h"

#include <memory>

namespace pc {

// Whether a copy's members get attack records of their own, or share the
// original's (which must then outlive the copy and stay unchanged).
enum class AttackCopies { own, shared };

// A battle of its own: the state and the view, whose side tables give the
// rules the parties' sizes.
struct BattleCopy {
    std::unique_ptr<AppState> state;
    BattleView view;
};

// Both parties with every member's statistics, the party cursors, the driver's
// counters, the pending multi-part action, the target lists and the other
// battle globals, the side tables' remembered rows, and the view. The roster,
// the preset list and the other windows' state are left behind.
BattleCopy copyBattle(const AppState& from, const BattleView& view, AttackCopies attacks = AttackCopies::own);

// The battle globals that carry over from one battle to the next put back as a
// fresh state has them, so that the next battle set up goes as it would as the
// first of a run: a replayed seed then gives the same battle every time.
void forgetEarlierBattles(AppState& state);

} // namespace pc
