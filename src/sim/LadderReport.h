// SPDX-License-Identifier: GPL-3.0-or-later
// What partyclash-sim writes for a ladder: a table as text, one line per
// entrant as CSV, or the ladder and the disagreeing pairings as JSON.
#pragma once

#include "sim/Ladder.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace pc::sim {

using LadderNames = std::vector<std::string>; // one per entrant

inline constexpr std::string_view kLadderCsvHeader = "rank,name,rating,low95,high95,battles,wins,win_rate,tier,bound";

enum class LadderForm { text, csv, json };

void writeLadder(std::ostream& out, const Ladder& ladder, const LadderNames& names, const LadderSetup& setup,
                 LadderForm form);

} // namespace pc::sim
