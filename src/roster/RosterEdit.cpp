#include "RosterEdit.h"

#include "FileNames.h"
#include "ListEdit.h"
#include "RosterStore.h"

#include <string_view>
#include <unordered_set>

namespace pc {

namespace {

// Removes a file of the record unless its name is unusable as a path or another
// character's file of the same kind has that name: into the trash where there is
// one, otherwise for good.
void removeUnshared(Storage& storage, const std::string& folder, const OBJE* rosterTop, const OBJE* record,
                    std::string OBJE::*field, std::vector<std::string>* deletedInstead)
{
    const std::string& name = record->*field;
    if (!isUsableFileName(name) || namedByAnother(rosterTop, record, field, name))
        return;
    const std::string path = folder + name;
    if (storage.hasTrash() && storage.exists(path) && !storage.moveToTrash(path) && storage.remove(path)
        && deletedInstead)
        deletedInstead->push_back(path);
    else if (!storage.hasTrash())
        storage.remove(path);
}

} // namespace

bool namedByAnother(const OBJE* rosterTop, const OBJE* record, std::string OBJE::*field, const std::string& name)
{
    for (const OBJE* other = rosterTop; other; other = other->next) {
        if (other != record && other->*field == name)
            return true;
    }
    return false;
}

std::string freeName(const OBJE* rosterTop, std::string OBJE::*field, const std::string& base)
{
    std::unordered_set<std::string_view> taken;
    for (const OBJE* record = rosterTop; record; record = record->next)
        taken.insert(record->*field);
    std::string name = base;
    for (int number = 2; taken.contains(name); ++number)
        name = base + std::to_string(number);
    return name;
}

std::int32_t insertCharacter(AppState& state)
{
    OBJE* record = state.objes.make();
    InitObje(*record);
    record->fileName = freeName(state.objeTop, &OBJE::fileName, record->fileName);
    record->imageName = freeName(state.objeTop, &OBJE::imageName, record->imageName);
    return insertAtDesignated(state.objeTop, record, state.ClistClickedRow);
}

CharacterDeletion deleteCharacter(AppState& state, Storage& storage)
{
    CharacterDeletion result;
    const std::int32_t designated = state.ClistClickedRow;
    const Deletion<OBJE> deletion = deleteDesignated(state.objeTop, state.ClistClickedRow);
    if (!deletion.node)
        return result;
    result.failure = setPreset(state, storage);
    if (!result.failure.empty()) {
        state.ClistClickedRow = deletion.row;
        insertAtDesignated(state.objeTop, deletion.node, state.ClistClickedRow);
        state.ClistClickedRow = designated;
        return result;
    }
    removeUnshared(storage, characterFolder(state.baseDir), state.objeTop, deletion.node, &OBJE::fileName,
                   &result.deletedInstead);
    removeUnshared(storage, pictureFolder(state.baseDir), state.objeTop, deletion.node, &OBJE::imageName,
                   &result.deletedInstead);
    result.row = deletion.row;
    return result;
}

} // namespace pc
