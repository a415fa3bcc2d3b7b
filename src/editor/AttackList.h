// The attack list of the edited character: the attack designated in it, and
// the editor's insert and delete buttons.
#pragma once

#include "records/AppState.h"

#include <cstdint>

namespace pc {

// The edited character's attack at WlistClickedRow (the last one for a negative
// row), or none: no character, no attacks, or a row past the end.
ATTACK* designatedAttack(AppState& state);

// Inserts a new attack into the edited character's list in front of the row
// WlistClickedRow designates, or at the end when that row is negative or past
// the end of this character's list, and designates it. Returns its row, or -1
// when no character is designated.
std::int32_t insertAttack(AppState& state);

// Deletes the designated attack (the last one for -1), designates the row
// before it and requests the preset list rewrite. A row past the end of the
// list does nothing. Returns the removed row, or -1. The attack record stays
// alive: party members made earlier may still share it.
std::int32_t deleteAttack(AppState& state);

} // namespace pc
