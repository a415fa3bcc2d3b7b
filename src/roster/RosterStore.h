// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the roster from the data folder and writing it back.
#pragma once

#include "Storage.h"
#include "records/AppState.h"

#include <string>

namespace pc {

// Reads the preset list and builds the preset list and a roster of empty records.
// Leaves initPresetFlag set when no list loads, so the caller retries; a list
// that did not load is read again only once its file has changed.
void initPreset(AppState& state, Storage& storage);

// Rewrites the preset list from the roster and clears setPresetFlag. A list
// changed on disk since this run loaded or wrote it is read again first (the
// record at ClistClickedRow is kept), and the old file is kept among the
// rotated copies before a list this run did not load exactly is replaced.
// Returns the reason of a failure, or an empty text.
std::string setPreset(AppState& state, Storage& storage);

// Fills every roster record from the file its preset line names. A record
// whose file cannot be read is marked unreadable with the reason.
void roadFile(AppState& state, Storage& storage);

// Writes the character at ClistClickedRow, its picture and the preset list, all
// or nothing. Returns the reason of a failure, or an empty text.
std::string saveFile(AppState& state, Storage& storage);

// Whether another character was read with, or last wrote, the picture `record` names.
bool namedPictureOfAnother(const OBJE* rosterTop, const OBJE* record);

// Names of the kept copies of the preset list, newest first.
inline constexpr int kPresetBackups = 5;
std::string presetBackupName(int age);

// Why the data folder may not be written in this run, or nothing.
std::string readOnlyFailure(const AppState& state);

// When the preset list on disk is no longer the one this run loaded or wrote,
// reads it again, keeping the record `keep` (which may be null) in the new
// roster; sets storeNotice. Returns the reason when the changed list cannot be
// read, or an empty text.
std::string reloadIfChanged(AppState& state, Storage& storage, OBJE* keep);

// Before the preset list is first replaced in a run that did not load it
// exactly, keeps it as preset.txt.bak, the older copies moving one place on.
std::string keepOldListBeforeWrite(AppState& state, Storage& storage);
// Notes that this run has just written the preset list.
void markPresetWritten(AppState& state, Storage& storage);

} // namespace pc
