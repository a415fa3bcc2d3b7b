// SPDX-License-Identifier: GPL-3.0-or-later
// One battle fought without a window: the parties built and the battle set up
// and pressed through exactly as the party-selection and battle windows do.
#pragma once

#include "battle/BattleContext.h"
#include "battle/Random.h"
#include "records/Records.h"
#include "sim/BattleResult.h"
#include "sim/UnwatchedBattle.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace pc::sim {

// The roster rows of the members of each party, in party order.
struct PartyRows {
    std::vector<std::int32_t> player;
    std::vector<std::int32_t> enemy;
};

// The outcome a text of the navigation field announces, if any.
std::optional<Outcome> announcedOutcome(std::string_view naviText);

// Fights battles between fresh copies of the roster characters at the rows
// (which must exist), each as if in a state of its own, so nothing carries
// over from one battle to the next. The parties are built once and every
// battle restores them, which makes a battle as cheap as its rules.
class BattleRunner {
public:
    BattleRunner(OBJE* roster, const PartyRows& rows);
    BattleRunner(const BattleRunner&) = delete;
    BattleRunner& operator=(const BattleRunner&) = delete;

    // Presses until the end is announced or `maxPresses` presses have been
    // made. `show`, when given, receives every text the navigation field
    // shows: the start text, then one per press; the window's tick then also
    // runs after every press, as it does between the user's presses. The tick
    // only refreshes the panels and puts the party cursors back at their
    // heads; the rules place a cursor before they read it (but for the P2
    // panel at the end of a multi-part action), so without the tick the
    // battle goes the same way, at half the cost. Without `show` no text is
    // built at all, and the battle is fought by an UnwatchedBattle, which
    // makes the same draws to the same end.
    BattleResult fight(RandomSource& random, std::int32_t maxPresses,
                       const std::function<void(const std::string&)>& show = {});

private:
    AppState state_;
    BattleView view_;
    // The plain attack's diagnostic line is of no use here.
    std::ostream noLog_{nullptr};
    std::optional<UnwatchedBattle> unwatched_; // none while either party is empty
};

// One battle with a runner of its own.
BattleResult fightBattle(OBJE* roster, const PartyRows& rows, RandomSource& random, std::int32_t maxPresses,
                         const std::function<void(const std::string&)>& show = {});

} // namespace pc::sim
