// Saves characters of the crash-safe save sequence into a data folder, one after
// another, until it is killed. Prints "ready" once it has loaded the folder.
#include "SaveSequence.h"

#include "roster/QtStorage.h"
#include "roster/RosterStore.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("usage: crash_save_writer <base folder>\n", stderr);
        return 2;
    }
    pc::AppState state;
    state.baseDir = argv[1];
    pc::QtStorage storage;
    pc::initPreset(state, storage);
    pc::roadFile(state, storage);
    std::puts("ready");
    std::fflush(stdout);
    for (;;) {
        savesequence::nextEdit(state);
        if (!pc::saveFile(state, storage).empty() || !pc::setPreset(state, storage).empty())
            return 1;
    }
}
