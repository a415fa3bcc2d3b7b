// SPDX-License-Identifier: GPL-3.0-or-later
// Sharing characters between roster folders: writing chosen characters into a
// roster folder of their own, and reading another roster folder's characters
// into this roster without overwriting anything.
#pragma once

#include "Storage.h"
#include "records/AppState.h"

#include <string>
#include <vector>

namespace pc {

// One character offered by another roster folder.
struct Incoming {
    std::string source;     // the file as the other folder names it
    OBJE* record = nullptr; // the character read from it, with its picture; none when it is skipped
    std::string problem;    // why it cannot be added; empty when it can
};

// The roster folder inside `folder`: the folder itself when it holds a preset
// list, otherwise its "CharaList/" or "data/CharaList/". Empty when none has one.
std::string rosterFolderIn(Storage& storage, const std::string& folder);

// The characters the preset list of the roster folder `folder` names, in its
// order. Records come from the state's arenas but are not linked into the roster.
std::vector<Incoming> readRosterFolder(AppState& state, Storage& storage, const std::string& folder);

// The characters of single character files, each picture looked for in "img/"
// beside its file.
std::vector<Incoming> readCharacterFiles(AppState& state, Storage& storage, const std::vector<std::string>& paths);

// The incoming characters whose file name no roster character has.
std::vector<Incoming> missingFrom(const OBJE* rosterTop, std::vector<Incoming> incoming);

struct ImportReport {
    std::vector<std::string> added;    // the names of the characters added
    std::vector<std::string> problems; // "file: reason" for each one left out
};

// Appends the incoming characters that can be added to the end of the roster
// and writes their files, pictures and the preset list. A file or picture name
// that a roster character or a file in the data folder already has, or that
// the roster cannot use, is numbered as new characters are ("name2", ...), so
// nothing is overwritten. Skipped characters are reported with their reason.
ImportReport importCharacters(AppState& state, Storage& storage, const std::vector<Incoming>& incoming);

// Writes the characters into "<folder>/CharaList/" with their pictures in
// "img/" and a preset list naming them, a roster folder of its own. Refuses a
// folder that already holds "CharaList". Returns the reason of a failure, or
// an empty text.
std::string exportCharacters(Storage& storage, const std::vector<const OBJE*>& characters, const std::string& folder);

} // namespace pc
