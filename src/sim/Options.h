// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of partyclash-sim.
#pragma once

#include "sim/ShardFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pc::sim {

struct Options {
    std::optional<std::string> dataFolder; // none: the application's data folder
    std::vector<std::string> player;
    std::vector<std::string> enemy;
    std::optional<std::uint32_t> seed;
    std::optional<std::int64_t> runs; // a batch when given, one battle shown otherwise
    int jobs = 1;
    std::int32_t maxPresses = 1000;
    bool json = false;
    // A matrix of pairings: the characters named (or "all"), or the parties of a file.
    std::optional<std::vector<std::string>> matrix;
    std::optional<std::string> partiesFile;
    std::optional<std::string> compareFolder; // the same battles on this folder too
    bool csv = false;
    // An event: its format, its characters (or "all"), or the parties of --parties.
    std::optional<std::string> tournament;
    std::optional<std::vector<std::string>> entrants;
    int bestOf = 1;
    int rounds = 0; // Swiss rounds, 0 for enough to find a winner
    int legs = 1;
    std::string seeding = "random";
    std::optional<std::string> eventFile; // saved as the event runs, continued when it exists
    bool html = false;
    bool svg = false;
    // A matrix: the win-rate half-width at which a pairing stops (a share);
    // a ladder: the rating half-width at which it stops (Elo).
    std::optional<double> precision;
    // A ladder of the characters named (or "all"), or, when empty, of the parties of --parties.
    std::optional<std::vector<std::string>> ladder;
    std::optional<std::int64_t> maxBattles; // a ladder's battles in all
    // A matrix fought in shares: this one's share, and the file its counts go to (standard output without).
    std::optional<ShardPart> shard;
    std::optional<std::string> outFile;
    std::vector<std::string> mergeFiles; // the shard files to merge into one report
    bool help = false;
    bool version = false;
};

struct ParsedOptions {
    Options options;
    std::string error; // empty when the command line is usable
};

// Options take their value as the next argument or after "=". A party is a
// comma-separated list of names; empty pieces are skipped.
ParsedOptions parseOptions(const std::vector<std::string>& args);

std::string_view helpText();

} // namespace pc::sim
