// SPDX-License-Identifier: GPL-3.0-or-later
// partyclash-sim --tournament: the entrants found, the event played (saved
// as it runs and continued when an event file is given), and the report written.
#pragma once

#include "records/AppState.h"
#include "sim/Options.h"
#include "sim/Simulator.h"
#include "tournament/EventRun.h"

#include <string>

namespace pc::sim {

// `roster` is the roster of `folder`, already loaded. Returns the exit status.
int runEventCommand(const Options& options, AppState& roster, const std::string& folder, const SimulatorIo& io);

// Fights an event's battles on the roster, the entrants' members at `rows`,
// with the battle rules of the application.
tournament::FightMaker rosterFights(OBJE* roster, std::vector<std::vector<std::int32_t>> rows,
                                    std::int32_t maxPresses);

// The entrants, their members at `rows` of the roster, by the ratings of a
// ladder run from the event's seed: best first, ties in the order given. The
// same for any number of jobs; `cancel` stops the ladder early.
std::vector<int> ratedOrder(OBJE* roster, std::vector<std::vector<std::int32_t>> rows, const tournament::EventSetup& setup,
                            int jobs, const std::atomic<bool>* cancel = nullptr);

} // namespace pc::sim
