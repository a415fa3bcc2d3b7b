// What every controller receives: the process-wide state, the platform's
// storage, the battle's random source and the windows.
#pragma once

#include "battle/Random.h"
#include "records/AppState.h"
#include "roster/Storage.h"
#include "ui/Navigation.h"

namespace pc {

struct AppContext {
    AppState& state;
    Storage& storage;
    RandomSource& random;
    Windows windows;
};

} // namespace pc
