#include "MatrixCommand.h"

#include "sim/Matrix.h"
#include "sim/MatrixReport.h"
#include "sim/RosterFolder.h"

#include "records/RowRule.h"

#include <algorithm>
#include <optional>

namespace pc::sim {

namespace {

// An entrant as the command line names it: a label and the names of its members.
struct Named {
    std::string label;
    std::vector<std::string> members;
};

std::string trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r") - first + 1));
}

std::vector<std::string> commaSeparated(std::string_view line)
{
    std::vector<std::string> names;
    while (!line.empty()) {
        const std::size_t comma = line.find(',');
        if (std::string name = trimmed(line.substr(0, comma)); !name.empty())
            names.push_back(std::move(name));
        line = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
    }
    return names;
}

// One party a line; empty lines are skipped. The label is the line's names joined by commas.
std::vector<Named> partiesIn(std::string_view text)
{
    std::vector<Named> parties;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::vector<std::string> names = commaSeparated(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (names.empty())
            continue;
        std::string label;
        for (const std::string& name : names)
            label += (label.empty() ? "" : ",") + name;
        parties.push_back({label, std::move(names)});
    }
    return parties;
}

// The characters named, each known by its file name so that a second folder
// finds the same character even when it was renamed there.
std::optional<std::vector<Named>> charactersNamed(const std::vector<std::string>& names, const OBJE* roster,
                                                  std::string& unknown)
{
    std::vector<Named> named;
    const bool all = names.size() == 1 && names.front() == "all";
    if (all) {
        for (const OBJE* character = roster; character; character = character->next)
            named.push_back({characterLabel(roster, *character), {character->fileName}});
        return named;
    }
    for (const std::string& name : names) {
        const NamedRows rows = rosterRows(roster, {name});
        if (!rows.unknown.empty()) {
            unknown = name;
            return std::nullopt;
        }
        const OBJE* character = recordAt(roster, rows.rows.front());
        named.push_back({characterLabel(roster, *character), {character->fileName}});
    }
    return named;
}

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
