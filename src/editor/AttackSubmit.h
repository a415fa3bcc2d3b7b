// SPDX-License-Identifier: GPL-3.0-or-later
// The attack editor's values and its submit.
#pragma once

#include "records/AppState.h"

#include <array>
#include <cstdint>
#include <string>

namespace pc {

// The attack's numbers in the order of the editor's numeric fields.
inline constexpr std::array<double ATTACK::*, 6> kAttackNumbers = {
    &ATTACK::MP, &ATTACK::MPP, &ATTACK::succ, &ATTACK::crit, &ATTACK::count, &ATTACK::hit,
};
// The attack's pop-up indices in the order of the editor's pop-up menus.
inline constexpr std::array<std::int32_t ATTACK::*, 4> kAttackChoices = {
    &ATTACK::range, &ATTACK::type, &ATTACK::prop, &ATTACK::seed,
};

// What the attack editor's fields hold.
struct AttackEdit {
    std::string name;
    std::string tag;
    std::array<double, kAttackNumbers.size()> numbers{};
    std::array<std::int32_t, kAttackChoices.size()> choices{};
};

AttackEdit attackEditOf(const ATTACK& attack);

// One message per text field; empty where the field is fine.
struct AttackProblems {
    std::string name;
    std::string tag;

    bool any() const { return !name.empty() || !tag.empty(); }
};

// Stores the edit into the designated attack and asks the character editor to
// rebuild its attack table. Texts the character file cannot hold back are
// refused and change nothing; without a designated attack nothing is stored.
AttackProblems submitAttack(AppState& state, const AttackEdit& edit);

} // namespace pc
