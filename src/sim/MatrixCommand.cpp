#include "MatrixCommand.h"

#include "sim/Entrants.h"
#include "sim/Matrix.h"
#include "sim/MatrixReport.h"
#include "sim/RosterFolder.h"

#include "records/RowRule.h"

#include <algorithm>
#include <optional>

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
        const std::optional<std::string> text = io.files.read(*options.partiesFile);
        if (!text)
            return fail(io, "cannot read the parties file " + *options.partiesFile, kExitData);
        named = partiesIn(*text);
        if (named.empty())
            return fail(io, "no party in " + *options.partiesFile, kExitData);
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

    MatrixRunner runner(std::move(setup), options.jobs);
    const auto progress = io.progress ? io.progress(runner.total()) : std::function<void(std::int64_t)>();
    const MatrixResult result = runner.wait(progress);
    if (options.compareFolder) {
        if (options.csv)
            writeCompareCsv(io.out, result);
        else if (options.json)
            writeCompareJson(io.out, result, names);
        else
            writeCompareText(io.out, result, names);
    } else if (options.csv) {
        writeMatrixCsv(io.out, result);
    } else if (options.json) {
        writeMatrixJson(io.out, result);
    } else {
        writeMatrixText(io.out, result);
    }
    return 0;
}

} // namespace pc::sim
