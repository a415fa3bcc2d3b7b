// SPDX-License-Identifier: GPL-3.0-or-later
// Target choice: the damage target, the heal target and the target lists of
// multi-target attacks, all drawn at random for the side of the acting member.
#pragma once

#include "battle/Random.h"
#include "battle/Sides.h"

#include <cstdint>
#include <vector>

namespace pc {

// r % size + 1: a position from 1 to the size (1 for a size of 0).
std::int32_t drawPosition(RandomSource& random, std::int32_t size);

struct DamageDraw {
    OBJE* target = nullptr;     // a living opponent, or the one drawn when all are down
    bool everyOpponentDown = false;
};

// Draws until a living opponent comes up, or once when every opponent is down.
// The opponents' cursor is left on the target and targetNumb on its position.
DamageDraw drawDamageTarget(RandomSource& random, const Party& opponents, std::int32_t& targetNumb);

// A member below 70 % of its registered HP (a fallen one included), or none
// when no member is; one draw is made in any case. The own cursor is left on
// the result.
OBJE* drawHealTarget(RandomSource& random, const Party& own, std::int32_t& targetNumb);

// The party a multi-target attack of this range reaches: the opponents for
// ranges 2 to 4, the own party for 6 to 8.
bool reachesOwnParty(std::int32_t range);
bool isMultiTargetRange(std::int32_t range);

// The number of targets of a range for a number of living members, drawing
// where the range leaves it open; `total` for ranges 4 and 8.
std::int32_t targetCount(RandomSource& random, std::int32_t range, std::int32_t living, std::int32_t total);

// Distinct positions of the party: the first drawn freely, every further one
// a living member. Ranges 4 and 8 reach the first node and every other
// living member. The list is written into `nodes`, whose storage is reused.
void drawTargetList(RandomSource& random, std::int32_t range, const Party& party, std::vector<TargetNode>& nodes);

} // namespace pc
