// SPDX-License-Identifier: GPL-3.0-or-later
// partyclash-sim from its command line to its exit status, with the platform
// (files, streams, the progress display) handed in.
#pragma once

#include "roster/Storage.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace pc::sim {

inline constexpr int kExitData = 1;
inline constexpr int kExitUsage = 2;
// The output could not be written whole: a failed write, flush or close.
inline constexpr int kExitOutput = 1;

struct SimulatorIo {
    Storage& files;
    std::function<std::string()> defaultFolder; // asked for only without --data; empty when there is none
    std::ostream& out;
    std::ostream& err;
    // Makes the progress display of a batch of `total` battles, or none.
    std::function<std::function<void(std::int64_t done)>(std::int64_t total)> progress;
};

// Runs the command line (without the program name); errors are one line on
// `err`. Returns the exit status.
int runSimulator(const std::vector<std::string>& args, const SimulatorIo& io);

} // namespace pc::sim
