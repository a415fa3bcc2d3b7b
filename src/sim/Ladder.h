// SPDX-License-Identifier: GPL-3.0-or-later
// A rating ladder: battles between pairings chosen where they teach most,
// ratings fitted after every round, until every rating's 95% interval is
// narrow enough or the battles run out.
#pragma once

#include "sim/BradleyTerry.h"
#include "sim/HeadlessBattle.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace pc::sim {

struct LadderSetup {
    std::size_t entrants = 0;
    double precision = 35;          // the widest half-width of a rating's 95% interval, in Elo
    std::int64_t maxBattles = 0;    // the most battles in all; 0: kLadderBattlesPerEntrant each
    std::uint32_t firstSeed = 1;
    int jobs = 1;
};

inline constexpr std::int64_t kLadderBattlesPerEntrant = 4000;
// A match: each seed fought from both sides, so the first mover's edge cancels.
inline constexpr std::uint32_t kSeedsPerMatch = 4;
inline constexpr std::uint32_t kBattlesPerMatch = 2 * kSeedsPerMatch;
inline constexpr std::int64_t kDecidingBattles = 64;

// Fights one battle of entrant `player` against entrant `enemy`; called from several threads at once.
using LadderFight = std::function<Outcome(std::size_t player, std::size_t enemy, std::uint32_t seed)>;
// The battles of one pairing, player and enemy fixed: one battle a seed.
using LadderBout = std::function<Outcome(std::uint32_t seed)>;
// Sets up the bout of entrant `player` against entrant `enemy` once for all
// the battles of a match; called from several threads at once.
using LadderPairing = std::function<LadderBout(std::size_t player, std::size_t enemy)>;

// An entrant's place on the ladder.
struct LadderEntry {
    std::size_t entrant = 0;
    Rating rating;
    std::int64_t battles = 0;
    std::int64_t wins = 0; // on both sides
    char tier = 'B';
    // Won every battle or none of at least kDecidingBattles: its rating is
    // then only a bound, which more battles would push on without end.
    bool beyondReach = false;
    double winRate() const { return battles ? static_cast<double>(wins) / static_cast<double>(battles) : 0; }
};

// Two entrants whose battles went otherwise than their ratings say.
struct Disagreement {
    Matchup matchup;
    double expected = 0; // the first entrant's score the ratings expect
    double deviation = 0; // (score - expected) in standard deviations
};

struct Ladder {
    std::vector<LadderEntry> entries; // strongest first
    std::vector<Disagreement> disagreements; // most surprising first
    std::vector<Matchup> pairs; // every pair's battles summed, the lower entrant first, in the order they met
    std::int64_t battles = 0;
    bool settled = false; // every half-width is at most the precision, but those beyond reach
};

// The tier of a rating: S from 1700, A from 1600, B from 1400, C from 1300, D below.
char tierOf(double elo);

// After every round: the battles so far and the widest half-width.
using LadderProgress = std::function<void(std::int64_t battles, double widest)>;

// Runs the ladder. Match m is fought on the seeds firstSeed + 4m to
// firstSeed + 4m + 3, each from both sides; the pairings of a round depend on
// the ratings before it and on the seed alone, so the ladder is the same for
// any number of jobs. `cancel` stops it after the round under way.
Ladder runLadder(const LadderSetup& setup, const LadderPairing& pairing, const LadderProgress& progress = {},
                 const std::atomic<bool>* cancel = nullptr);
Ladder runLadder(const LadderSetup& setup, const LadderFight& fight, const LadderProgress& progress = {},
                 const std::atomic<bool>* cancel = nullptr);

} // namespace pc::sim
