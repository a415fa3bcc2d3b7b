// SPDX-License-Identifier: GPL-3.0-or-later
#include "LadderCommand.h"

#include "sim/Entrants.h"
#include "sim/LadderReport.h"
#include "sim/RosterFolder.h"
#include "sim/SeededRandom.h"
#include "sim/UnwatchedBattle.h"

#include <memory>

namespace pc::sim {

namespace {

int fail(const SimulatorIo& io, const std::string& message, int status)
{
    io.err << "partyclash-sim: " << message << '\n';
    return status;
}

} // namespace

Ladder rateLineup(const Lineup& lineup, const LadderSetup& setup, std::int32_t maxPresses,
                  const LadderProgress& progress, const std::atomic<bool>* cancel)
{
    // Every entrant's records, found in one walk down the roster: finding a row
    // walks the list, which a large roster cannot afford for every entrant.
    std::vector<const OBJE*> byRow;
    for (const OBJE* record = lineup.roster; record; record = record->next)
        byRow.push_back(record);
    // Every entrant's members as a party list of its own, made once; a battle
    // only reads them, and the attacks are shared with the roster.
    AppState parties;
    std::vector<const OBJE*> tops;
    for (const std::vector<std::int32_t>& rows : lineup.entrants) {
        OBJE* top = nullptr;
        OBJE** link = &top;
        for (const std::int32_t row : rows) {
            OBJE* copy = parties.objes.make();
            *copy = *byRow[static_cast<std::size_t>(row)];
            copy->next = nullptr;
            *link = copy;
            link = &copy->next;
        }
        tops.push_back(top);
    }
    // A match's battles of one side against the other share one set-up.
    const LadderPairing pairing = [&](std::size_t player, std::size_t enemy) {
        const auto battle = std::make_shared<UnwatchedBattle>(tops[player], tops[enemy]);
        return LadderBout([battle, maxPresses](std::uint32_t seed) {
            SeededRandom random(seed);
            return battle->fight(random, maxPresses).outcome;
        });
    };
    return runLadder(setup, pairing, progress, cancel);
}

int runLadderCommand(const Options& options, AppState& roster, const std::string& folder, const SimulatorIo& io)
{
    std::vector<Named> named;
    if (options.partiesFile) {
        if (const std::string reason = readParties(io.files, *options.partiesFile, named); !reason.empty())
            return fail(io, reason, kExitData);
    } else {
        std::string unknown;
        auto characters = charactersNamed(*options.ladder, roster.objeTop, unknown);
        if (!characters)
            return fail(io, "no character named \"" + unknown + "\" in " + folder, kExitData);
        named = std::move(*characters);
    }
    Lineup lineup{roster.objeTop, {}};
    LadderNames names;
    const RosterIndex index(roster.objeTop);
    for (const Named& entrant : named) {
        NamedRows found = index.rows(entrant.members);
        if (!found.unknown.empty())
            return fail(io, "no character named \"" + found.unknown + "\" in " + folder, kExitData);
        lineup.entrants.push_back(std::move(found.rows));
        names.push_back(entrant.label);
    }
    LadderSetup setup;
    setup.entrants = names.size();
    setup.precision = options.precision.value_or(setup.precision);
    setup.maxBattles = options.maxBattles.value_or(kLadderBattlesPerEntrant * static_cast<std::int64_t>(names.size()));
    setup.firstSeed = options.seed.value_or(1);
    setup.jobs = options.jobs;
    const auto bar = io.progress ? io.progress(setup.maxBattles) : std::function<void(std::int64_t)>();
    const Ladder ladder = rateLineup(lineup, setup, options.maxPresses, [&](std::int64_t battles, double) {
        if (bar)
            bar(battles);
    });
    writeLadder(io.out, ladder, names, setup, options.csv ? LadderForm::csv : options.json ? LadderForm::json
                                                                                          : LadderForm::text);
    return 0;
}

} // namespace pc::sim
