// SPDX-License-Identifier: GPL-3.0-or-later
// What the roster benchmarks share: the roster read from a data folder as the
// application reads it at start, and the peak memory of the process.
#pragma once

#include "records/AppState.h"
#include "roster/RosterStore.h"
#include "roster/Storage.h"

#include <string>

#include <sys/resource.h>

namespace bench {

inline void loadRoster(pc::AppState& state, pc::Storage& storage, const std::string& base)
{
    state.baseDir = base;
    pc::initPreset(state, storage);
    pc::roadFile(state, storage);
}

inline double peakMemoryMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

} // namespace bench
