// SPDX-License-Identifier: GPL-3.0-or-later
// The player's chance to win from a battle as it stands, estimated by playing
// copies of it out to their end on worker threads, each copy drawing from a
// seeded stream of its own. The battle itself is only read, when the snapshot
// is taken; its own draws are never touched.
#pragma once

#include "battle/BattleCopy.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace pc {

struct WinEstimate {
    std::int32_t wins = 0;
    std::int32_t runs = 0;
    double chance = 0; // wins over runs
    double low = 0;    // the 95 % (Wilson) interval
    double high = 0;
};

// The chance and its 95 % interval from a count of wins.
WinEstimate estimateOf(std::int32_t wins, std::int32_t runs);

// Whether the player wins a copy of the battle pressed on with draws from
// `seed` until the end is announced; a battle not ended within `maxPresses`
// presses, or in which nobody can act, is not won. Texts are left unformatted.
bool playerWinsFrom(const BattleCopy& battle, std::uint32_t seed, std::int32_t maxPresses);

// Runs one estimate at a time. Starting another drops the one under way, and
// a result is handed out only for the latest start, so a stale one never shows.
class WinChanceEstimator {
public:
    struct Settings {
        std::int32_t runs = 2000;
        std::int32_t threads = 0; // 0: one per hardware thread
        std::int32_t maxPresses = 1000;
        std::uint32_t firstSeed = 1; // continuation i draws from seed firstSeed + i
    };
    struct Result {
        std::uint64_t generation = 0;
        WinEstimate estimate;
    };

    WinChanceEstimator();
    explicit WinChanceEstimator(Settings settings);
    ~WinChanceEstimator();
    WinChanceEstimator(const WinChanceEstimator&) = delete;
    WinChanceEstimator& operator=(const WinChanceEstimator&) = delete;

    // Starts estimating from `battle`, which the estimate then owns; returns
    // the start's generation.
    std::uint64_t start(BattleCopy battle);
    // Drops the estimate under way; its result never shows.
    void cancel();
    // The finished estimate of the latest start, handed out once.
    std::optional<Result> take();
    // Waits until the estimate under way has finished or been dropped.
    void wait();

private:
    struct Job;
    void stopWorkers();

    Settings settings_;
    std::uint64_t generation_ = 0;
    std::shared_ptr<Job> job_;
    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::optional<Result> finished_;
};

} // namespace pc
