// SPDX-License-Identifier: GPL-3.0-or-later
// The two parties as a battle step sees them: the acting member's opponents
// and its own party, each with its head, its cursor and its size (the row
// count of its side table). A position counts from 1 at the head.
#pragma once

#include "battle/BattleView.h"
#include "records/AppState.h"

#include <cstdint>
#include <vector>

namespace pc {

// The members at positions 1 to a party's size, gathered in one walk at the
// start of a turn, with what the turn asks of them all. Nobody's hit points
// change before the turn's action, so it holds until then. The storage is
// reused from turn to turn.
struct PartyMembers {
    std::vector<OBJE*> byPosition; // index 0 is position 1
    std::int32_t living = 0;
    bool anyHealCandidate = false; // a member below 70 % of its registered HP
    std::vector<std::uint8_t> livingAt; // per position, 1 for a living member; index 0 unused
    std::vector<std::uint8_t> open;     // per position, while drawing a target list: living and not yet drawn
};

struct Party {
    OBJE* top;
    OBJE*& cursor;
    std::int32_t size;
    // The members gathered for this turn; none to walk the list instead.
    PartyMembers* members = nullptr;
};

struct Side {
    bool player;
    Party opponents;
    Party own;
    double& mostDmg; // the best total of this side's multi-target choice
};

// The side of the member being stepped: the player side while playerAttackFlag is set.
Side sideOf(AppState& state, const BattleView& view);

inline bool isLiving(const OBJE& member)
{
    return member.curStatus.HP > 0;
}

inline bool isHealCandidate(const OBJE& member)
{
    return member.curStatus.HP < member.baseStatus.HP / 100.0 * 70.0;
}

// Above this size a turn gathers a party's members once; below it the
// bit sets of one walk along the list cost less.
inline constexpr std::int32_t kGatherAbove = 16;
// A party larger than this is gathered whatever the limit asked, so that the
// target draws of a party not gathered fit its members in 64-bit sets.
inline constexpr std::int32_t kMostUngathered = 64;

// Walks a party larger than `above` (or than kMostUngathered) once into `members` and lets the party
// use them; a smaller party is left to its walks.
void gatherMembers(Party& party, PartyMembers& members, std::int32_t above = kGatherAbove);

// Lets a party find its members by position in what an earlier turn of this
// battle gathered, when that was this party; only the positions are used, the
// counts being those of that turn.
void useGathered(Party& party, PartyMembers& members);

// The member at a position from 1 to the party's size; none outside that
// range or past the end of the list.
OBJE* memberAt(const Party& party, std::int32_t position);

// Whether any member of a whole list is living.
bool anyLivingIn(const OBJE* top);

} // namespace pc
