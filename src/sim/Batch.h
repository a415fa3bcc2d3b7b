// SPDX-License-Identifier: GPL-3.0-or-later
// Many battles spread over threads, their totals independent of the threads.
#pragma once

#include "sim/Statistics.h"

#include <cstdint>
#include <functional>

namespace pc::sim {

// Fights battle number `run`; called from several threads at once.
using FightRun = std::function<BattleResult(std::int64_t run)>;
// Makes the fight of one thread, called once on each thread before its first
// battle, so that a thread can keep its own storage from battle to battle.
using FightMaker = std::function<FightRun()>;
// Told how many battles have been counted; called on the calling thread.
using BatchProgress = std::function<void(std::int64_t done)>;

// Fights battles 0 to runs - 1 on `jobs` threads (at least one). The battles are counted in
// blocks of consecutive runs and the blocks merged in run order, so the
// totals are the same for any number of threads. Threads run at most a few
// blocks ahead of the merge, which keeps memory flat however many runs.
BatchTotals runBatch(std::int64_t runs, int jobs, const FightRun& fight, const BatchProgress& progress = {});
// The same with a fight of each thread's own.
BatchTotals runBatchEach(std::int64_t runs, int jobs, const FightMaker& makeFight, const BatchProgress& progress = {});

} // namespace pc::sim
