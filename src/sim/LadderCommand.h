// SPDX-License-Identifier: GPL-3.0-or-later
// partyclash-sim --ladder: the entrants found, the ladder run on the roster's
// battles, and the report written.
#pragma once

#include "records/AppState.h"
#include "sim/Ladder.h"
#include "sim/Matrix.h"
#include "sim/Options.h"
#include "sim/Simulator.h"

#include <string>

namespace pc::sim {

// The ladder of a lineup's entrants, every battle fought on its roster as the
// matrix fights it. The roster is only read and must not change meanwhile.
Ladder rateLineup(const Lineup& lineup, const LadderSetup& setup, std::int32_t maxPresses,
                  const LadderProgress& progress = {}, const std::atomic<bool>* cancel = nullptr);

// `roster` is the roster of `folder`, already loaded. Returns the exit status.
int runLadderCommand(const Options& options, AppState& roster, const std::string& folder, const SimulatorIo& io);

} // namespace pc::sim
