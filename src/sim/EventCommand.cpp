// SPDX-License-Identifier: GPL-3.0-or-later
#include "EventCommand.h"

#include "sim/Entrants.h"
#include "sim/EventReport.h"
#include "sim/HeadlessBattle.h"
#include "sim/LadderCommand.h"
#include "sim/RosterFolder.h"
#include "sim/SeededRandom.h"
#include "tournament/EventFile.h"

#include <algorithm>
#include <numeric>

namespace pc::sim {

using namespace pc::tournament;

namespace {

int fail(const SimulatorIo& io, const std::string& message, int status)
{
    io.err << "partyclash-sim: " << message << '\n';
    return status;
}

BattleEnd endOf(Outcome outcome)
{
    switch (outcome) {
    case Outcome::victory:
        return BattleEnd::playerWins;
    case Outcome::defeat:
        return BattleEnd::enemyWins;
    case Outcome::nobodyCanAct:
        return BattleEnd::nobody;
    case Outcome::unfinished:
        break;
    }
    return BattleEnd::unfinished;
}

std::optional<std::vector<Named>> namedEntrants(const Options& options, const AppState& roster,
                                                const std::string& folder, const SimulatorIo& io, std::string& reason)
{
    if (options.partiesFile) {
        const FileRead read = io.files.readFile(*options.partiesFile, kPresetFileLimit);
        if (!read.bytes) {
            reason = "cannot read the parties file " + *options.partiesFile;
            return std::nullopt;
        }
        return partiesIn(*read.bytes);
    }
    std::string unknown;
    auto named = charactersNamed(*options.entrants, roster.objeTop, unknown);
    if (!named)
        reason = "no character named \"" + unknown + "\" in " + folder;
    return named;
}

void writeEvent(const Options& options, const Event& event, std::ostream& out)
{
    if (options.json)
        writeEventJson(out, event);
    else if (options.csv)
        writeStandingsCsv(out, event);
    else if (options.html)
        writeEventHtml(out, event);
    else if (options.svg)
        out << eventSvg(event);
    else
        writeEventText(out, event);
}

} // namespace

FightMaker rosterFights(OBJE* roster, std::vector<std::vector<std::int32_t>> rows, std::int32_t maxPresses)
{
    return [roster, rows = std::move(rows), maxPresses] {
        return BattleFight([roster, rows, maxPresses](int player, int enemy, std::uint32_t seed) {
            SeededRandom random(seed);
            const PartyRows parties{rows[static_cast<std::size_t>(player)], rows[static_cast<std::size_t>(enemy)]};
            const BattleResult result = fightBattle(roster, parties, random, maxPresses);
            return BattleRecord{seed, true, endOf(result.outcome), result.presses};
        });
    };
}

std::vector<int> ratedOrder(OBJE* roster, std::vector<std::vector<std::int32_t>> rows, const EventSetup& setup,
                            int jobs, const std::atomic<bool>* cancel)
{
    LadderSetup ladderSetup;
    ladderSetup.entrants = rows.size();
    ladderSetup.maxBattles = kLadderBattlesPerEntrant * static_cast<std::int64_t>(rows.size());
    ladderSetup.firstSeed = setup.seed;
    ladderSetup.jobs = jobs;
    const Ladder ladder = rateLineup(Lineup{roster, std::move(rows)}, ladderSetup, setup.maxPresses, {}, cancel);
    std::vector<double> elo(ladder.entries.size());
    for (const LadderEntry& entry : ladder.entries)
        elo[entry.entrant] = entry.rating.elo;
    std::vector<int> order(elo.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return elo[static_cast<std::size_t>(a)] > elo[static_cast<std::size_t>(b)];
    });
    return order;
}

int runEventCommand(const Options& options, AppState& roster, const std::string& folder, const SimulatorIo& io)
{
    std::string reason;
    const std::optional<std::vector<Named>> named = namedEntrants(options, roster, folder, io, reason);
    if (!named)
        return fail(io, reason, kExitData);
    EventSetup setup;
    setup.format = *formatNamed(*options.tournament);
    setup.bestOf = options.bestOf;
    setup.seed = options.seed.value_or(1);
    setup.rounds = options.rounds;
    setup.legs = options.legs;
    setup.seeding = *seedingNamed(options.seeding);
    setup.maxPresses = options.maxPresses;
    std::vector<std::vector<std::int32_t>> rows;
    for (const Named& entrant : *named) {
        NamedRows found = rosterRows(roster.objeTop, entrant.members);
        if (!found.unknown.empty())
            return fail(io, "no character named \"" + found.unknown + "\" in " + folder, kExitData);
        rows.push_back(std::move(found.rows));
        setup.entrants.push_back({entrant.label, entrant.members});
    }
    if (std::string problem = setupProblem(setup); !problem.empty())
        return fail(io, problem, kExitUsage);

    Event event(setup);
    std::vector<Match> recorded;
    if (options.eventFile && io.files.exists(*options.eventFile)) {
        const SavedEvent saved = loadEvent(io.files, *options.eventFile);
        if (!saved.problem.empty())
            return fail(io, *options.eventFile + ": " + saved.problem, kExitData);
        if (!continues(saved.setup, setup))
            return fail(io, *options.eventFile + " holds another event", kExitData);
        event = resumedEvent(saved);
        recorded = saved.matches;
    } else if (setup.seeding == Seeding::rating) {
        setup.ratedOrder = ratedOrder(roster.objeTop, rows, setup, options.jobs);
        event = Event(setup);
    }
    std::string saveFailure;
    MatchDone saveAsItRuns;
    if (options.eventFile) {
        saveAsItRuns = [&](const Event& sofar, const Match&) {
            if (saveFailure.empty())
                saveFailure = saveEvent(io.files, *options.eventFile, sofar);
        };
    }
    playEvent(event, recorded, rosterFights(roster.objeTop, rows, setup.maxPresses), options.jobs, saveAsItRuns);
    if (!saveFailure.empty())
        return fail(io, "cannot save " + *options.eventFile + ": " + saveFailure, kExitData);
    writeEvent(options, event, io.out);
    return 0;
}

} // namespace pc::sim
