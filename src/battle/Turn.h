// SPDX-License-Identifier: GPL-3.0-or-later
// The values of one acting member's turn, fresh for every turn.
#pragma once

#include "records/Records.h"

#include <cstdint>

namespace pc {

// The targets drawn at the start of a turn in which some opponent is living.
struct TurnTargets {
    OBJE& damage;
    OBJE* heal; // none when no own member is below 70 % of its registered HP
};

// The best multi-target attack of a turn, kept apart from the single-target choice.
struct MultiTargetChoice {
    const ATTACK* attack = nullptr; // none until some attack's total is above 0
    double cost = 0;
    bool healsOwnParty = false;
};

struct Turn {
    bool singleReady = false;
    bool multiReady = false;
    bool healFlag = false;
    bool allyFlag = false;
    bool successFlag = false;
    bool hitFlag = false;
    double mpCost = 0;
    double chosenValue = 0; // 0 until the single-target choice sets it
    bool chosenValueSet = false;
    std::int32_t atkType = 0;
    MultiTargetChoice multi;
};

} // namespace pc
