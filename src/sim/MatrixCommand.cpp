// SPDX-License-Identifier: GPL-3.0-or-later
#include "MatrixCommand.h"

#include "sim/Entrants.h"
#include "sim/Matrix.h"
#include "sim/MatrixReport.h"
#include "sim/RosterFolder.h"
#include "sim/ShardFile.h"

#include "records/RowRule.h"

#include <algorithm>
#include <optional>
#include <sstream>

namespace pc::sim {

namespace {

// The characters of `all` in the second folder that the first lacks, by file name.
void addOnlyInSecond(std::vector<Named>& named, const OBJE* second)
{
    for (const OBJE* character = second; character; character = character->next) {
        const bool known = std::any_of(named.begin(), named.end(),
                                       [&](const Named& n) { return n.members.front() == character->fileName; });
        if (!known)
            named.push_back({characterLabel(second, *character), {character->fileName}});
    }
}

int fail(const SimulatorIo& io, const std::string& message, int status)
{
    io.err << "partyclash-sim: " << message << '\n';
    return status;
}

} // namespace

int runMatrixCommand(const Options& options, AppState& roster, const std::string& folder, const SimulatorIo& io)
{
    AppState before;
    if (options.compareFolder) {
        if (const std::string reason = loadRoster(before, io.files, *options.compareFolder); !reason.empty())
            return fail(io, reason, kExitData);
    }
    std::vector<Named> named;
    if (options.partiesFile) {
        if (const std::string reason = readParties(io.files, *options.partiesFile, named); !reason.empty())
            return fail(io, reason, kExitData);
    } else {
        std::string unknown;
        auto characters = charactersNamed(*options.matrix, roster.objeTop, unknown);
        if (!characters && options.compareFolder)
            characters = charactersNamed(*options.matrix, before.objeTop, unknown);
        if (!characters)
            return fail(io, "no character named \"" + unknown + "\" in " + folder, kExitData);
        named = std::move(*characters);
        if (options.compareFolder && options.matrix->size() == 1 && options.matrix->front() == "all")
            addOnlyInSecond(named, before.objeTop);
    }

    // The first lineup is the one compared against: the other folder, when given.
    std::vector<std::pair<OBJE*, std::string>> folders;
    if (options.compareFolder)
        folders.emplace_back(before.objeTop, *options.compareFolder);
    folders.emplace_back(roster.objeTop, folder);
    MatrixSetup setup;
    setup.lineups.resize(folders.size());
    for (std::size_t l = 0; l < folders.size(); ++l)
        setup.lineups[l].roster = folders[l].first;
    CompareNames names{options.compareFolder.value_or(""), folder, {}};
    for (const Named& entrant : named) {
        std::vector<std::vector<std::int32_t>> rows;
        std::string missing;
        for (const auto& [lineupRoster, lineupFolder] : folders) {
            NamedRows found = rosterRows(lineupRoster, entrant.members);
            if (!found.unknown.empty() && missing.empty())
                missing = "\"" + found.unknown + "\" is not in " + lineupFolder;
            rows.push_back(std::move(found.rows));
        }
        if (!missing.empty()) {
            if (!options.compareFolder)
                return fail(io, "no character named " + missing.substr(0, missing.find(" is not in ")) + " in "
                                    + folder, kExitData);
            names.leftOut.push_back("left out: " + entrant.label + ": " + missing);
            continue;
        }
        setup.names.push_back(entrant.label);
        for (std::size_t l = 0; l < folders.size(); ++l)
            setup.lineups[l].entrants.push_back(std::move(rows[l]));
    }
    if (setup.names.empty())
        return fail(io, "no character or party is in both folders", kExitData);
    setup.pairings = everyPairing(setup.names.size());
    setup.battles = options.runs.value_or(1000);
    setup.firstSeed = options.seed.value_or(1);
    setup.maxPresses = options.maxPresses;
    setup.precision = options.precision.value_or(0);

    if (options.shard)
        setup.pairings = shardPairings(setup.pairings, *options.shard);

    MatrixRunner runner(std::move(setup), options.jobs);
    const auto progress = io.progress ? io.progress(runner.total()) : std::function<void(std::int64_t)>();
    const MatrixResult result = runner.wait(progress);
    const std::string form = options.csv ? "csv" : options.json ? "json" : "text";
    if (!options.shard) {
        writeMatrixReport(io.out, result, names, form);
        return 0;
    }
    std::string fingerprint = rosterFingerprint(io.files, folder, roster.objeTop);
    if (options.compareFolder)
        fingerprint += rosterFingerprint(io.files, *options.compareFolder, before.objeTop);
    const std::string command = std::string(options.partiesFile ? "--parties" : "--matrix")
        + (options.compareFolder ? " --compare" : "");
    std::ostringstream shard;
    writeShard(shard, result, {command, form, fingerprint, names}, *options.shard);
    if (!options.outFile) {
        io.out << shard.str();
    } else if (const std::string reason = io.files.writeAtomically(*options.outFile, shard.str()); !reason.empty()) {
        return fail(io, "cannot write " + *options.outFile + ": " + reason, kExitData);
    }
    return 0;
}

int runMergeCommand(const Options& options, const SimulatorIo& io)
{
    const MergedShards merged = mergeShards(io.files, options.mergeFiles);
    if (!merged.error.empty())
        return fail(io, merged.error, kExitData);
    writeMatrixReport(io.out, merged.result, merged.origin.folders, merged.origin.form);
    return 0;
}

} // namespace pc::sim
