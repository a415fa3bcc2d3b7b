// SPDX-License-Identifier: GPL-3.0-or-later
// The roster's insert and delete: where a character goes or comes from, which
// row is designated afterwards, and which files go with a deleted character.
#pragma once

#include "Storage.h"
#include "records/AppState.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pc {

// Whether a roster record other than `record` holds `name` in `field`.
bool namedByAnother(const OBJE* rosterTop, const OBJE* record, std::string OBJE::*field, const std::string& name);

// The first of `wanted`, `wanted` + "2", `wanted` + "3", ... that no roster
// record holds in `field` and that names nothing in `folder`. A name the roster
// cannot use (reserved, holding "/", or too long to number) is replaced by
// "imported1" + `extension`, "imported2" + `extension`, ... So the name found
// is always usable, within one step more than the roster has records and the
// folder has entries.
std::string freeName(const OBJE* rosterTop, std::string OBJE::*field, const std::string& wanted, Storage& storage,
                     const std::string& folder, std::string_view extension = {});

// Inserts a new character in front of the row ClistClickedRow designates, or at
// the end when that row is negative or past the end, and designates it. Its file
// and picture names are the new-character names, numbered when already taken by
// the roster or by anything in the folder. Returns the new character's row, or
// -1 when the roster already holds as many characters as its list may name.
std::int32_t insertCharacter(AppState& state, Storage& storage);

// Takes the character 追加 inserted out of the roster again when it is the
// designated one and no save has written it; true when it did. Nothing on disk
// names it, so nothing is written.
bool dropUnsavedCharacter(AppState& state);

struct DeleteOutcome {
    std::int32_t row = -1;                   // the removed row, or -1
    std::string failure;                     // why nothing was deleted, or why a file stayed
    std::vector<std::string> deletedInstead; // files that could not go to the trash
};

// Deletes the designated character: rewrites the preset
// list without it, then removes its file and its picture unless another
// character names the same one: into the trash where the storage has one,
// otherwise for good. Designates the row before it (row 0 stays 0). A negative
// row or a row past the end does nothing. A character whose file could not
// be read is deleted only when `unreadableConfirmed`, once the user has been
// told so. When the list cannot be written nothing changes.
DeleteOutcome deleteCharacter(AppState& state, Storage& storage, bool unreadableConfirmed = false);

} // namespace pc
