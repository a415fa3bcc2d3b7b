// SPDX-License-Identifier: GPL-3.0-or-later
#include "PartySelection.h"

#include "records/RowRule.h"

namespace pc {

namespace {

// One party with its table and remembered rows.
struct PartyRef {
    OBJE*& top;
    OBJE*& cursor;
    std::vector<std::string>& rows;
    std::int32_t& selectedRow;
    std::int32_t sourceRow;
    std::int32_t& insertionRow;
    std::int32_t& removalRow;
};

PartyRef playerParty(AppState& state, PartyTables& tables)
{
    return {state.RPtop, state.RP, tables.RPlistMA, tables.RPlistSelectedRow,
            state.CPlistClickedRow, state.RPlistCrow, state.RPlistClickedRow};
}

PartyRef enemyParty(AppState& state, PartyTables& tables)
{
    return {state.REtop, state.RE, tables.RElistMA, tables.RElistSelectedRow,
            state.CElistClickedRow, state.RElistCrow, state.RElistClickedRow};
}

std::int32_t rowCount(const std::vector<std::string>& rows)
{
    return static_cast<std::int32_t>(rows.size());
}

// Designates a row of the party table for the next add and removal, and highlights it.
void designate(PartyRef party, std::int32_t row)
{
    party.selectedRow = party.insertionRow = party.removalRow = row;
}

// Links a member in before row k (0 <= k <= size) and inserts its row there.
void insertAt(PartyRef party, OBJE* member, std::int32_t k)
{
    if (k == 0) {
        member->next = party.top;
        party.top = member;
    } else {
        OBJE* before = recordAt(party.top, k - 1);
        member->next = before->next;
        before->next = member;
    }
    party.rows.insert(party.rows.begin() + k, member->name);
}

// The member goes before the designated row, which stays designated, so that
// members added one after another keep their order; with no row designated, or
// one at or past the end, it goes at the end and nothing is designated.
void add(AppState& state, PartyRef party)
{
    if (party.sourceRow < 0)
        return;
    const OBJE* source = recordAt(state.objeTop, party.sourceRow);
    if (!source)
        return;
    OBJE* member = state.objes.make();
    copyCharacter(*source, *member);
    member->next = nullptr;
    const std::int32_t size = rowCount(party.rows);
    const bool appends = party.insertionRow < 0 || party.insertionRow >= size;
    const std::int32_t k = appends ? size : party.insertionRow;
    insertAt(party, member, k);
    designate(party, appends ? -1 : k + 1);
    party.cursor = party.top;
}

void unlinkAt(PartyRef party, std::int32_t r)
{
    if (r == 0) {
        party.top = party.top->next;
    } else {
        OBJE* before = recordAt(party.top, r - 1);
        before->next = before->next->next;
    }
    party.rows.erase(party.rows.begin() + r);
}

void remove(PartyRef party)
{
    const std::int32_t r = party.removalRow;
    if (r < 0 || r >= rowCount(party.rows))
        return;
    unlinkAt(party, r);
    designate(party, r > 0 ? r - 1 : (party.rows.empty() ? -1 : 0));
    party.cursor = party.top;
}

} // namespace

void initCPElist(AppState& state, PartyTables& tables)
{
    tables.RPlistMA.clear();
    tables.RElistMA.clear();
    tables.CPlistMA.clear();
    tables.CElistMA.clear();
    tables.RPlistSelectedRow = -1;
    tables.RElistSelectedRow = -1;
    state.RPtop = state.RP = nullptr;
    state.REtop = state.RE = nullptr;
    for (const OBJE* character = state.objeTop; character; character = character->next) {
        tables.CPlistMA.push_back(character->name);
        tables.CElistMA.push_back(character->name);
    }
    state.initCPEListFlag = false;
}

void RPadd(AppState& state, PartyTables& tables)
{
    add(state, playerParty(state, tables));
}

void REadd(AppState& state, PartyTables& tables)
{
    add(state, enemyParty(state, tables));
}

void RPdelete(AppState& state, PartyTables& tables)
{
    remove(playerParty(state, tables));
}

void REdelete(AppState& state, PartyTables& tables)
{
    remove(enemyParty(state, tables));
}

void refreshInsertionRows(AppState& state, std::int32_t playerTableRow, std::int32_t enemyTableRow)
{
    state.RPlistCrow = playerTableRow;
    state.RElistCrow = enemyTableRow;
}

bool startOffEnabled(const PartyTables& tables)
{
    return !tables.RPlistMA.empty() && !tables.RElistMA.empty();
}

bool readyUpTick(AppState& state, PartyTables& tables, std::int32_t playerTableRow,
                 std::int32_t enemyTableRow)
{
    if (state.initCPEListFlag)
        initCPElist(state, tables);
    refreshInsertionRows(state, playerTableRow, enemyTableRow);
    return startOffEnabled(tables);
}

bool canStartOff(const AppState& state)
{
    return state.RPtop && state.REtop;
}

bool StartOff(AppState& state)
{
    if (!canStartOff(state))
        return false;
    state.ReadyUpListStartOffFlag = true;
    return true;
}

} // namespace pc
