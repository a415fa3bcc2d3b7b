// SPDX-License-Identifier: GPL-3.0-or-later
// A fresh battle that nobody watches, fought on the members' numbers alone:
// the same draws in the same order and the same arithmetic as the battle
// window's driver and steps, with the members in fixed slots, each party's
// living members and heal candidates as bit sets, and no text, panel or list
// walk. Only HP, MP and the waits change during a battle, so what each
// member's attacks cost and reach is worked out once, when it is built.
#pragma once

#include "battle/Random.h"
#include "records/Records.h"
#include "sim/BattleResult.h"

#include <cstdint>
#include <memory>

namespace pc::sim {

class UnwatchedBattle {
public:
    // The parties as their lists stand; their registered statistics are the
    // ones a battle's set-up restores.
    UnwatchedBattle(const OBJE* players, const OBJE* enemies);
    ~UnwatchedBattle();
    UnwatchedBattle(const UnwatchedBattle&) = delete;
    UnwatchedBattle& operator=(const UnwatchedBattle&) = delete;

    // Presses from a fresh set-up until the end is announced or `maxPresses`
    // presses have been made, with the batch's damage ledger: what a battle
    // window would show after as many presses of its navigation button.
    BattleResult fight(RandomSource& random, std::int32_t maxPresses);

    struct Roster;

private:
    std::unique_ptr<Roster> roster_;
};

} // namespace pc::sim
