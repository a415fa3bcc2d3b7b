// The roster's insert and delete: where a character goes or comes from, which
// row is designated afterwards, and which files go with a deleted character.
#pragma once

#include "Storage.h"
#include "records/AppState.h"

#include <cstdint>
#include <string>

namespace pc {

// Whether a roster record other than `record` holds `name` in `field`.
bool namedByAnother(const OBJE* rosterTop, const OBJE* record, std::string OBJE::*field, const std::string& name);

// The first of `base`, `base` + "2", `base` + "3", ... that no roster record
// holds in `field`.
std::string freeName(const OBJE* rosterTop, std::string OBJE::*field, const std::string& base);

// Inserts a new character in front of the row ClistClickedRow designates, or at
// the end when that row is negative or past the end, and designates it. Its file
// and picture names are the new-character names, numbered when already taken.
// Returns the new character's row.
std::int32_t insertCharacter(AppState& state);

// Deletes the designated character (the last one for -1), removes its file and
// its picture unless another character names the same one, designates the row
// before it (row 0 stays 0) and requests the preset list rewrite. A row past the
// end of a non-empty roster does nothing. Returns the removed row, or -1.
std::int32_t deleteCharacter(AppState& state, Storage& storage);

} // namespace pc
