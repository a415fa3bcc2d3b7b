// SPDX-License-Identifier: GPL-3.0-or-later
// What a battle went through, press by press: every member's HP and the
// player's chance to win, for the chart drawn when the battle is decided.
#pragma once

#include "records/AppState.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pc {

struct BattleHistory {
    // Player members, then enemy members.
    std::vector<std::string> names;
    std::vector<bool> onPlayerSide;
    std::vector<double> registeredHP;
    // hp[press][member]; press 0 is the set-up.
    std::vector<std::vector<double>> hp;
    // chance[press], where the estimate of that press arrived.
    std::vector<std::optional<double>> chance;

    // A new battle: the members and their HP at the set-up.
    void start(const AppState& state);
    // The HP after a press.
    void record(const AppState& state);
    void noteChance(std::size_t press, double chance);

    // A blow that felled a member: the press and the member.
    struct Fall {
        std::size_t press;
        std::size_t member;
    };
    std::vector<Fall> falls() const;
};

} // namespace pc
