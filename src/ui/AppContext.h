// SPDX-License-Identifier: GPL-3.0-or-later
// What every controller receives: the process-wide state, the platform's
// storage, the battle's random source and the windows.
#pragma once

#include "records/AppState.h"
#include "ui/Navigation.h"

namespace pc {

// Held by reference: the store and the battle sit above this floor and name
// their own interfaces.
class Storage;
class RandomSource;

struct AppContext {
    AppState& state;
    Storage& storage;
    RandomSource& random;
    Windows windows;
};

} // namespace pc
