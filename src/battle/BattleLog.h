// SPDX-License-Identifier: GPL-3.0-or-later
// The battle log: one entry a press of the navigation button, the message it
// left in NaviTF with the breakdown of its numbers.
#pragma once

#include "battle/BattleContext.h"
#include "battle/Breakdown.h"

#include <cstddef>
#include <string>

namespace pc {

struct LogEntry {
    std::string message;
    Breakdown breakdown;
    // Who acted, with which attack, on whom: empty where the message names none.
    std::string actor = {};
    std::string attack = {};
    std::string target = {};
};

// One press of the navigation button, with the breakdown the rules recorded
// for its message (an empty one for a message without numbers, or when the
// context records nothing).
LogEntry pressLogged(BattleContext& ctx);

// The entry of press `number` on one line: the number, a tab, and the message
// with its line breaks turned into spaces.
std::string logLine(std::size_t number, const LogEntry& entry);

// Whether a message announces that the battle is over: victory, defeat, or nobody able to act.
bool announcesEnd(const std::string& message);

} // namespace pc
