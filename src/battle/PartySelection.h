// SPDX-License-Identifier: GPL-3.0-or-later
// Building the player party and the enemy party out of the roster. The row
// arrays mirror the four tables of the party-selection window: the roster
// twice, and each party with its selected row.
#pragma once

#include "records/AppState.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pc {

struct PartyTables {
    std::vector<std::string> CPlistMA; // the roster, source of the player party
    std::vector<std::string> CElistMA; // the roster, source of the enemy party
    std::vector<std::string> RPlistMA; // the player party
    std::vector<std::string> RElistMA; // the enemy party
    std::int32_t RPlistSelectedRow = -1;
    std::int32_t RElistSelectedRow = -1;
};

// Rebuilds both roster tables from the roster and empties both parties.
void initCPElist(AppState& state, PartyTables& tables);

// Adds a copy of the roster character at CPlistClickedRow (CElistClickedRow)
// to the player (enemy) party, before the row RPlistCrow (RElistCrow), or at
// the end for a negative row or one at or past the party's end. The row added
// before stays designated; after an add at the end none is. Nothing happens for
// a negative source row or one past the end of the roster.
void RPadd(AppState& state, PartyTables& tables);
void REadd(AppState& state, PartyTables& tables);

// Removes the member at RPlistClickedRow (RElistClickedRow); a negative row
// (a click below the rows) removes nothing. The row above (row 0 for the first)
// is then designated for the next add and removal.
void RPdelete(AppState& state, PartyTables& tables);
void REdelete(AppState& state, PartyTables& tables);

// The insertion rows follow the clicked rows the party tables report (-1 for none).
void refreshInsertionRows(AppState& state, std::int32_t playerTableRow, std::int32_t enemyTableRow);

// The start button is enabled while both party tables have rows.
bool startOffEnabled(const PartyTables& tables);

// One timer tick of the window: the rebuild when requested, the insertion
// rows, and whether the start button is enabled.
bool readyUpTick(AppState& state, PartyTables& tables, std::int32_t playerTableRow,
                 std::int32_t enemyTableRow);

// A battle can start only with two parties that have members.
bool canStartOff(const AppState& state);

// Requests the battle's set-up; false (and nothing requested) unless both
// parties have members.
bool StartOff(AppState& state);

} // namespace pc
