// The roster's insert and delete: where a character goes or comes from, which
// row is designated afterwards, and which files go with a deleted character.
#pragma once

#include "Storage.h"
#include "records/AppState.h"

#include <cstdint>
#include <string>
#include <vector>

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

struct CharacterDeletion {
    std::int32_t row = -1;                   // the removed row, or -1
    std::string failure;                     // why the preset list could not be rewritten
    std::vector<std::string> deletedInstead; // files that could not go to the trash
};

// Deletes the designated character and designates the row before it (row 0
// stays 0). The preset list is rewritten without it first; when that fails the
// character goes back where it was and nothing else changes. Then its file and
// picture are removed, unless another character names the same one: into the
// trash where the storage has one, otherwise for good. A negative row or a row
// past the end does nothing.
CharacterDeletion deleteCharacter(AppState& state, Storage& storage);

} // namespace pc
