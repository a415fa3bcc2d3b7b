// SPDX-License-Identifier: GPL-3.0-or-later
// The attack list of the edited character: the attack designated in it, and
// the editor's insert and delete buttons.
#pragma once

#include "records/AppState.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace pc {

// The edited character's attack at WlistClickedRow (the last one for a negative
// row), or none: no character, no attacks, or a row past the end.
ATTACK* designatedAttack(AppState& state);

// Inserts a new attack into the edited character's list in front of the row
// WlistClickedRow designates, or at the end when that row is negative or past
// the end of this character's list, and designates it. Returns its row, or -1
// when no character is designated.
std::int32_t insertAttack(AppState& state);

// Deletes the designated attack, designates the row before it and requests the
// preset list rewrite. A negative row or a row past the end does nothing. Returns the removed row, or -1. The attack record stays
// alive: party members made earlier may still share it.
std::int32_t deleteAttack(AppState& state);

// A character's attacks and their values as they were, to be put back when its
// edit is cancelled. The records themselves are put back, so that party members
// that share them see the same values.
using AttackSnapshot = std::vector<std::pair<ATTACK*, ATTACK>>;
AttackSnapshot snapshotAttacks(const OBJE& character);
void restoreAttacks(OBJE& character, const AttackSnapshot& snapshot);
// Whether the character's attacks, or any of their values, differ from the snapshot's.
bool attacksChangedSince(const OBJE& character, const AttackSnapshot& snapshot);

} // namespace pc
