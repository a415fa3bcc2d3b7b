// Loading the roster from the data folder and writing it back.
#pragma once

#include "Storage.h"
#include "records/AppState.h"

#include <string>

namespace pc {

// Reads the preset list and builds the preset list and a roster of empty records.
// Leaves initPresetFlag set when no list loads, so the caller retries.
void initPreset(AppState& state, Storage& storage);

// Rewrites the preset list from the roster and clears setPresetFlag. Before it
// first replaces a list that this run did not load exactly, it keeps the old
// file as "preset.txt.bak". Returns the reason of a failure, or an empty text.
std::string setPreset(AppState& state, Storage& storage);

// Fills every roster record from the file its preset line names.
void roadFile(AppState& state, Storage& storage);

// Writes the character at ClistClickedRow and its picture. Returns the reason
// of a failure, or an empty text.
std::string saveFile(AppState& state, Storage& storage);

} // namespace pc
