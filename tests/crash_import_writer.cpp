// Imports every character of a roster folder into a data folder, again and
// again, until it is killed. Prints "ready" once it has loaded the data folder.
#include "roster/QtStorage.h"
#include "roster/RosterExchange.h"
#include "roster/RosterStore.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fputs("usage: crash_import_writer <base folder> <roster folder>\n", stderr);
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
        const pc::ImportReport report =
            pc::importCharacters(state, storage, pc::readRosterFolder(state, storage, argv[2]));
        if (!report.problems.empty()) {
            std::fputs((report.problems.front() + "\n").c_str(), stderr);
            return 1;
        }
    }
}
