// SPDX-License-Identifier: GPL-3.0-or-later
// The battle log written out: as text, one numbered message a press, or as
// CSV, one row a message with who did what to whom and the terms of its numbers.
#pragma once

#include "battle/BattleLog.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pc {

// The log's first line: the seed the battle draws from, or that it has none.
std::string seedLine(std::optional<std::uint32_t> seed);

// The seed line, then one line a press as logLine gives it; UTF-8, "\n" line ends.
std::string logAsText(const std::vector<LogEntry>& log, std::optional<std::uint32_t> seed);

// A header row, then one row a press: press, actor, attack, target, effect
// (damage, heal or miss), amount and HP after (none for a miss), then the
// breakdown's terms where the message has them, and the message on one line. UTF-8 with a byte-order mark, so spreadsheets
// read the Japanese names; "\r\n" row ends; fields quoted where they must be.
std::string logAsCsv(const std::vector<LogEntry>& log);

} // namespace pc
