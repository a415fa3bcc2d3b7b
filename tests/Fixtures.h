// SPDX-License-Identifier: GPL-3.0-or-later
// Shared builders: character-file texts, a roster of records, and a reload of
// the roster from storage as the application's first tick makes it.
#pragma once

#include "records/AppState.h"
#include "records/RowRule.h"
#include "roster/RosterStore.h"

#include <string>

// A character file: the drafted fields, every other number 30, every resistance 100.
struct CharacterDraft {
    std::string name = "勇者";
    std::string file = "hero";
    std::string picture = "img";
    int HP = 100, MP = 10, WP = 5;
    std::string attacks; // lines made by attackLines
};

// An attack of the given range and count that always succeeds and hits, of
// attribute 21 (death), which leaves its value unscaled.
inline std::string attackLines(const std::string& name, int range = 1, int count = 20)
{
    return name + ",xxxx,0,0," + std::to_string(count) + "," + std::to_string(range) + ",0,21,0,100,0,100\n"
        + "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n0,0,0,0,0,0,0\n";
}

inline std::string characterFile(const CharacterDraft& c)
{
    return c.name + "\nt\n" + c.file + "," + c.picture + "\n" + std::to_string(c.HP) + "," + std::to_string(c.MP)
        + ",5," + std::to_string(c.WP) + "\n30,30,30,30,30,30,30\n100,100,100,100,100,100,100,100\n"
        + "100,100,100,100,100,100,100,100\n100,100,100,100,100,100\n----++\n" + c.attacks + "----++\n";
}

// Appends a new character with the given names to the roster.
inline pc::OBJE* addCharacter(pc::AppState& state, const std::string& name, const std::string& file,
                              const std::string& picture)
{
    pc::OBJE* record = state.objes.make();
    pc::InitObje(*record);
    record->name = name;
    record->fileName = file;
    record->imageName = picture;
    record->storedFileName = file; // as if loaded from its files
    record->storedImageName = picture;
    (state.objeTop ? pc::lastOf(state.objeTop)->next : state.objeTop) = record;
    return record;
}

// The roster read again from the storage under the state's base folder.
inline void reload(pc::AppState& state, pc::Storage& storage)
{
    state.initPresetFlag = true;
    pc::initPreset(state, storage);
    pc::roadFile(state, storage);
}
