// SPDX-License-Identifier: GPL-3.0-or-later
// Saves characters of the crash-safe save sequence into a data folder, one after
// another, until it is killed; or, given a roster folder, imports its characters
// again and again. Prints "ready" once it has loaded the data folder.
#include "SaveSequence.h"

#include "roster/QtStorage.h"
#include "roster/RosterExchange.h"
#include "records/RowRule.h"
#include "roster/RosterStore.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2 && argc != 3) {
        std::fputs("usage: crash_save_writer <base folder> [<roster folder to import>]\n", stderr);
        return 2;
    }
    pc::AppState state;
    state.baseDir = argv[1];
    pc::QtStorage storage;
    pc::initPreset(state, storage);
    pc::roadFile(state, storage);
    std::puts("ready");
    std::fflush(stdout);
    while (argc == 3) {
        if (!pc::importCharacters(state, storage, pc::readRosterFolder(state, storage, argv[2])).problems.empty())
            return 1; // an import that fails without a kill
    }
    for (;;) {
        savesequence::nextEdit(state);
        // A new character's file left unlisted by the save that was killed is
        // never written over: the writer clears it, as its user would, and saves again.
        std::string failure = pc::saveFile(state, storage);
        if (failure.starts_with("同じ名前")) {
            const pc::OBJE* record = pc::lastOf(state.objeTop);
            storage.remove(state.baseDir + "/data/CharaList/" + record->fileName);
            storage.remove(state.baseDir + "/data/CharaList/img/" + record->imageName);
            failure = pc::saveFile(state, storage);
        }
        if (!failure.empty())
            return 1;
        if (!pc::setPreset(state, storage).empty())
            return 1;
    }
}
