// SPDX-License-Identifier: GPL-3.0-or-later
// Every entrant against every other: many seeded battles per ordered pairing,
// fought on worker threads, on one roster or on two (to compare them battle
// for battle on the same seeds).
#pragma once

#include "records/AppState.h"
#include "sim/HeadlessBattle.h"
#include "sim/Statistics.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace pc::sim {

// A roster and where every entrant's members stand in it.
struct Lineup {
    OBJE* roster = nullptr;
    std::vector<std::vector<std::int32_t>> entrants; // roster rows of each entrant's members
};

struct Pairing {
    std::size_t player; // entrant indices
    std::size_t enemy;
};

struct MatrixSetup {
    std::vector<std::string> names; // one per entrant
    // One lineup, or two to compare: the first is the one compared against.
    std::vector<Lineup> lineups;
    std::vector<Pairing> pairings;
    std::int64_t battles = 1000; // per pairing, from the seeds firstSeed, firstSeed + 1, ...
    // Above 0: a pairing of one lineup stops once its win rate's 95% Wilson
    // half-width is at most this share, its battles the first of the full run.
    double precision = 0;
    std::uint32_t firstSeed = 1;
    std::int32_t maxPresses = 1000;
};

// Every ordered pairing of `count` entrants, a mirror pairing included, row by row.
std::vector<Pairing> everyPairing(std::size_t count);

// The outcomes of one pairing's battles on one lineup.
struct PairingTotals {
    std::int64_t battles = 0;
    std::int64_t wins = 0; // the player's victories
    std::int64_t defeats = 0;
    std::int64_t nobody = 0;
    std::int64_t unfinished = 0;
    RunningMean presses; // presses of the battles that ended with a victory or a defeat

    void add(const BattleResult& result);
    double winRate() const { return battles ? static_cast<double>(wins) / static_cast<double>(battles) : 0; }
};

// How the second lineup's battles differ from the first's, seed by seed.
struct PairedChange {
    std::int64_t battles = 0;
    std::int64_t gained = 0; // won in the second lineup, not in the first
    std::int64_t lost = 0;   // won in the first lineup, not in the second

    void merge(const PairedChange& other);
    // The mean change of the win rate and its 95% interval (normal, over the
    // per-seed differences of -1, 0 or 1); exactly 0 to 0 when no battle changed.
    double mean() const;
    Interval interval() const;
};

struct PairingResult {
    std::vector<PairingTotals> lineups; // one per lineup
    PairedChange player;                // the player's victories
    PairedChange enemy;                 // the player's defeats: the enemy's victories
};

struct MatrixResult {
    MatrixSetup setup;
    // One per pairing of the setup, none where the run stopped before it was done.
    std::vector<std::optional<PairingResult>> pairings;
    bool complete() const;
};

// Whether a pairing's battles have narrowed its win rate's 95% Wilson interval
// to a half-width of at most `precision`.
bool preciseEnough(const PairingTotals& totals, double precision);

// An entrant's battles on both sides over the finished pairings.
struct Standing {
    std::size_t entrant = 0;
    std::int64_t battles = 0;
    std::int64_t wins = 0; // victories as the player, defeats of the player as the enemy
    PairedChange change;   // when two lineups were fought
    double winRate() const { return battles ? static_cast<double>(wins) / static_cast<double>(battles) : 0; }
};

// The standings on lineup `lineup`, highest win rate first (entrant order breaks ties);
// entrants without a finished battle are left out.
std::vector<Standing> standings(const MatrixResult& result, std::size_t lineup = 0);

// Fights the battles of a setup on `jobs` worker threads from the moment it is
// made. Each pairing is fought whole by one thread in seed order, so the result
// does not depend on the threads. The lineups' rosters are only read and must
// not change meanwhile. Cancelling stops every thread within one battle; the
// pairings finished by then are kept.
class MatrixRunner {
public:
    MatrixRunner(MatrixSetup setup, int jobs);
    ~MatrixRunner(); // cancels and waits
    MatrixRunner(const MatrixRunner&) = delete;
    MatrixRunner& operator=(const MatrixRunner&) = delete;

    std::int64_t total() const { return total_; } // battles in all, each lineup counted
    // Battles fought or, in a pairing stopped by its precision, no longer needed.
    std::int64_t done() const { return done_.load(std::memory_order_relaxed); }
    bool finished() const { return running_.load() == 0; }
    void cancel() { cancel_.store(true); }

    // The pairings finished so far.
    MatrixResult snapshot() const;
    // Waits for the threads, telling `progress` the battles done now and then
    // on the calling thread, and returns the result.
    MatrixResult wait(const std::function<void(std::int64_t done)>& progress = {});

private:
    void work();
    PairingResult fight(const Pairing& pairing);

    MatrixSetup setup_;
    std::int64_t total_ = 0;
    std::atomic<std::size_t> next_{0};
    std::atomic<std::int64_t> done_{0};
    std::atomic<bool> cancel_{false};
    std::atomic<int> running_{0};
    mutable std::mutex mutex_;
    std::vector<std::optional<PairingResult>> results_;
    std::vector<std::jthread> threads_;
};

// How an entrant of one character is named in tables: its name, followed by
// its file name in brackets when another roster character has the same name.
std::string characterLabel(const OBJE* roster, const OBJE& character);
// The labels of every roster character, in roster order, from two walks down the roster.
std::vector<std::string> characterLabels(const OBJE* roster);

// Fills `into` with copies of the roster's characters and their attacks,
// pictures left out, so a run can read them while the original is edited.
void copyRoster(const OBJE* roster, AppState& into);

} // namespace pc::sim
