// SPDX-License-Identifier: GPL-3.0-or-later
// A ladder run on a thread of its own over a copy of the roster, so that a
// window can read its progress, cancel it and take the ladder when it ends.
#pragma once

#include "records/AppState.h"
#include "sim/Ladder.h"
#include "sim/Matrix.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

namespace pc::sim {

class LadderRunner {
public:
    // Copies the roster; `entrants` are the roster rows of each entrant's members.
    LadderRunner(const OBJE* roster, std::vector<std::vector<std::int32_t>> entrants, LadderSetup setup,
                 std::int32_t maxPresses);
    ~LadderRunner(); // cancels and waits
    LadderRunner(const LadderRunner&) = delete;
    LadderRunner& operator=(const LadderRunner&) = delete;

    const LadderSetup& setup() const { return setup_; }
    std::int64_t battles() const { return battles_.load(std::memory_order_relaxed); }
    // The widest half-width after the last round, in Elo; 0 before the first.
    double widest() const { return widest_.load(std::memory_order_relaxed); }
    bool finished() const { return finished_.load(); }
    // Stops after the round under way; the ladder then holds the rounds fought.
    void cancel() { cancel_.store(true); }
    bool cancelled() const { return cancel_.load(); }
    // Waits for the thread and returns the ladder.
    const Ladder& wait();

private:
    AppState roster_;
    Lineup lineup_;
    LadderSetup setup_;
    std::int32_t maxPresses_;
    Ladder ladder_;
    std::atomic<std::int64_t> battles_{0};
    std::atomic<double> widest_{0};
    std::atomic<bool> cancel_{false};
    std::atomic<bool> finished_{false};
    std::jthread thread_;
};

} // namespace pc::sim
