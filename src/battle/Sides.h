// The two parties as a battle step sees them: the acting member's opponents
// and its own party, each with its head, its cursor and its size (the row
// count of its side table). A position counts from 1 at the head.
#pragma once

#include "battle/BattleView.h"
#include "records/AppState.h"

#include <cstdint>

namespace pc {

struct Party {
    OBJE* top;
    OBJE*& cursor;
    std::int32_t size;
};

struct Side {
    bool player;
    Party opponents;
    Party own;
    double& mostDmg; // the best total of this side's multi-target choice
};

// The side of the member being stepped: the player side while playerAttackFlag is set.
Side sideOf(AppState& state, const BattleView& view);

bool isLiving(const OBJE& member);

// The member at a position from 1 to the party's size; none outside that
// range or past the end of the list.
OBJE* memberAt(const Party& party, std::int32_t position);

// Whether any member at a position from 1 to the party's size is living.
bool anyLiving(const Party& party);

// Whether any member at a position from 1 to the party's size meets `test`.
template <typename Test>
bool anyMember(const Party& party, Test test)
{
    const OBJE* member = party.top;
    for (std::int32_t position = 1; member && position <= party.size; ++position) {
        if (test(*member))
            return true;
        member = member->next;
    }
    return false;
}

// Whether any member of a whole list is living.
bool anyLivingIn(const OBJE* top);

} // namespace pc
