// SPDX-License-Identifier: GPL-3.0-or-later
// The saves the crash-safe save test repeats. The next save depends on the roster
// alone, so a writer restarted on the folder a killed one left carries on from there.
#pragma once

#include "records/AppState.h"

#include <QRgb>

#include <string>

namespace savesequence {

// The colour of the picture the character in `row` is saved with.
QRgb pictureColour(int row);

// The character the next insert adds at `row`, as it is saved.
std::string insertedText(int row);

// Edits the roster in memory as the next save does: a new character at the end
// until the roster is full and every character has been edited as often as there
// are characters, otherwise a change of name, HP and attacks to the least edited
// one. ClistClickedRow designates the character to save.
void nextEdit(pc::AppState& state);

// How many saves lie behind a roster of the sequence.
long savesBehind(const pc::AppState& state);

} // namespace savesequence
