// SPDX-License-Identifier: GPL-3.0-or-later
// What partyclash-sim writes: one battle's texts, or a batch's report.
#pragma once

#include "sim/HeadlessBattle.h"
#include "sim/Statistics.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace pc::sim {

struct BattleTranscript {
    std::optional<std::uint32_t> seed; // none: the C library's draws
    std::int32_t maxPresses = 0;
    std::vector<std::string> texts;    // the start text, then one per press
    BattleResult result;
};

struct BatchReport {
    std::vector<std::string> player; // member names, in party order
    std::vector<std::string> enemy;
    std::uint32_t firstSeed = 0;
    std::int32_t maxPresses = 0;
    BatchTotals totals;
};

// The texts one per block, blocks parted by an empty line; a battle given up
// ends with a note that says so.
void writeTranscriptText(std::ostream& out, const BattleTranscript& transcript);
void writeReportText(std::ostream& out, const BatchReport& report);

void writeTranscriptJson(std::ostream& out, const BattleTranscript& transcript);
void writeReportJson(std::ostream& out, const BatchReport& report);

} // namespace pc::sim
