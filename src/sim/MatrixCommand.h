// SPDX-License-Identifier: GPL-3.0-or-later
// partyclash-sim --matrix and --parties: the entrants found in one or two
// folders, their pairings fought, and the report written.
#pragma once

#include "records/AppState.h"
#include "sim/Options.h"
#include "sim/Simulator.h"

#include <string>

namespace pc::sim {

// `roster` is the roster of `folder`, already loaded. Returns the exit status.
int runMatrixCommand(const Options& options, AppState& roster, const std::string& folder, const SimulatorIo& io);

// partyclash-sim --merge: the report of the whole from the files of its shards.
int runMergeCommand(const Options& options, const SimulatorIo& io);

} // namespace pc::sim
