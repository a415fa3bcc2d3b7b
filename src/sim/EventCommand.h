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

} // namespace pc::sim
