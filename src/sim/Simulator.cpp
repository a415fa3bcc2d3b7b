// SPDX-License-Identifier: GPL-3.0-or-later
#include "Simulator.h"

#include "Version.h"

#include "sim/Batch.h"
#include "sim/EventCommand.h"
#include "sim/LadderCommand.h"
#include "sim/MatrixCommand.h"
#include "sim/Options.h"
#include "sim/Report.h"
#include "sim/RosterFolder.h"
#include "sim/SeededRandom.h"

#include "records/RowRule.h"

#include <memory>

namespace pc::sim {

namespace {

int fail(const SimulatorIo& io, const std::string& message, int status)
{
    io.err << "partyclash-sim: " << message << '\n';
    return status;
}

std::vector<std::string> namesAt(const OBJE* roster, const std::vector<std::int32_t>& rows)
{
    std::vector<std::string> names;
    for (const std::int32_t row : rows)
        names.push_back(recordAt(roster, row)->name);
    return names;
}

void showBattle(const Options& options, OBJE* roster, const PartyRows& rows, const SimulatorIo& io)
{
    std::unique_ptr<RandomSource> random;
    if (options.seed)
        random = std::make_unique<SeededRandom>(*options.seed);
    else
        random = std::make_unique<CRandomSource>();
    BattleTranscript transcript{options.seed, options.maxPresses, {}, {}};
    transcript.result = fightBattle(roster, rows, *random, options.maxPresses,
                                    [&](const std::string& text) { transcript.texts.push_back(text); });
    if (options.json)
        writeTranscriptJson(io.out, transcript);
    else
        writeTranscriptText(io.out, transcript);
}

void reportBatch(const Options& options, OBJE* roster, const PartyRows& rows, const SimulatorIo& io)
{
    const std::int64_t runs = *options.runs;
    const std::uint32_t firstSeed = options.seed.value_or(1);
    // Each thread keeps its parties and storage from battle to battle.
    const FightMaker makeFight = [&]() -> FightRun {
        auto runner = std::make_shared<BattleRunner>(roster, rows);
        auto seeds = std::make_shared<ConsecutiveSeeds>();
        return [&options, firstSeed, runner, seeds](std::int64_t run) {
            return runner->fight(seeds->seeded(firstSeed + static_cast<std::uint32_t>(run)), options.maxPresses);
        };
    };
    BatchReport report{namesAt(roster, rows.player), namesAt(roster, rows.enemy), firstSeed, options.maxPresses, {}};
    report.totals = runBatchEach(runs, options.jobs, makeFight, io.progress ? io.progress(runs) : BatchProgress());
    if (options.json)
        writeReportJson(io.out, report);
    else
        writeReportText(io.out, report);
}

} // namespace

int runSimulator(const std::vector<std::string>& args, const SimulatorIo& io)
{
    const ParsedOptions parsed = parseOptions(args);
    if (!parsed.error.empty())
        return fail(io, parsed.error, kExitUsage);
    const Options& options = parsed.options;
    if (options.help) {
        io.out << helpText();
        return 0;
    }
    if (options.version) {
        io.out << "partyclash-sim " << kVersion << '\n';
        return 0;
    }
    if (!options.mergeFiles.empty())
        return runMergeCommand(options, io);
    AppState roster;
    const std::string folder = options.dataFolder ? *options.dataFolder : io.defaultFolder();
    if (folder.empty())
        return fail(io, "no data folder: HOME is not set or is no folder (give one with --data DIR)", kExitData);
    if (const std::string reason = loadRoster(roster, io.files, folder); !reason.empty())
        return fail(io, reason, kExitData);
    if (options.tournament)
        return runEventCommand(options, roster, folder, io);
    if (options.ladder)
        return runLadderCommand(options, roster, folder, io);
    if (options.matrix || options.partiesFile)
        return runMatrixCommand(options, roster, folder, io);
    const NamedRows player = rosterRows(roster.objeTop, options.player);
    const NamedRows enemy = rosterRows(roster.objeTop, options.enemy);
    if (const std::string& unknown = player.unknown.empty() ? enemy.unknown : player.unknown; !unknown.empty())
        return fail(io, "no character named \"" + unknown + "\" in " + folder, kExitData);
    const PartyRows rows{player.rows, enemy.rows};
    if (options.runs)
        reportBatch(options, roster.objeTop, rows, io);
    else
        showBattle(options, roster.objeTop, rows, io);
    return 0;
}

} // namespace pc::sim
