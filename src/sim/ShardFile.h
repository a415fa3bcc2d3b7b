// SPDX-License-Identifier: GPL-3.0-or-later
// A matrix fought in shares on many machines: each shard fights every K-th
// pairing and writes its counts as JSON; the merge of all K files gives the
// report of the whole, byte for byte as one command would have written it.
#pragma once

#include "roster/Storage.h"
#include "sim/Matrix.h"
#include "sim/MatrixReport.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace pc::sim {

struct ShardPart {
    std::int64_t index = 1; // from 1 to count
    std::int64_t count = 1;
};

// "I/K", 1 <= I <= K <= 10000.
std::optional<ShardPart> parseShardPart(std::string_view text);

// Pairing i of every ordered pairing belongs to shard (i mod K) + 1.
std::vector<Pairing> shardPairings(const std::vector<Pairing>& pairings, ShardPart part);

// What a shard's report is of: the shards of one report agree on all of it.
struct ShardOrigin {
    std::string command; // the options that chose the entrants and the form of the report
    std::string form;    // "text", "csv" or "json"
    std::string roster;  // a fingerprint of the character files of every folder fought on
    CompareNames folders;
};

// A fingerprint of the files of the roster's characters in `folder`.
std::string rosterFingerprint(Storage& files, const std::string& folder, const OBJE* roster);

void writeShard(std::ostream& out, const MatrixResult& result, const ShardOrigin& origin, ShardPart part);

struct MergedShards {
    MatrixResult result;
    ShardOrigin origin;
    std::string error; // why the files cannot be merged, or empty
};

// Reads the shard files and puts the whole matrix together, refusing files of
// different commands, rosters, seeds or entrants, and a shard missing or twice.
MergedShards mergeShards(Storage& files, const std::vector<std::string>& paths);

} // namespace pc::sim
