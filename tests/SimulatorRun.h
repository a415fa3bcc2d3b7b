// SPDX-License-Identifier: GPL-3.0-or-later
// partyclash-sim's library run on a command line: its exit status and both outputs.
#pragma once

#include "roster/QtStorage.h"
#include "sim/Simulator.h"

#include <sstream>
#include <string>
#include <vector>

struct SimRun {
    int status;
    std::string out;
    std::string err;
};

// `defaultFolder` is the data folder taken without --data ("" for none).
inline SimRun runSim(const std::vector<std::string>& args, const std::string& defaultFolder = "")
{
    pc::QtStorage storage;
    std::ostringstream out;
    std::ostringstream err;
    const int status = pc::sim::runSimulator(args, {storage, [defaultFolder] { return defaultFolder; }, out, err, {}});
    return {status, out.str(), err.str()};
}
