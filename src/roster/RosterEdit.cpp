#include "RosterEdit.h"

#include "FileNames.h"
#include "ListEdit.h"

#include <string_view>
#include <unordered_set>

namespace pc {

namespace {

// Removes a file of the record unless its name is unusable as a path or another
// character's file of the same kind has that name.
void removeUnshared(Storage& storage, const std::string& folder, const OBJE* rosterTop, const OBJE* record,
                    std::string OBJE::*field)
{
    const std::string& name = record->*field;
    if (isUsableFileName(name) && !namedByAnother(rosterTop, record, field, name))
        storage.remove(folder + name);
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
    state.pentaStale = true; // its derived statistics are computed at the next tick
    return insertAtDesignated(state.objeTop, record, state.ClistClickedRow);
}

std::int32_t deleteCharacter(AppState& state, Storage& storage)
{
    const Deletion<OBJE> deletion = deleteDesignated(state.objeTop, state.ClistClickedRow);
    if (deletion.pastTheEnd)
        return -1;
    state.setPresetFlag = true;
    if (deletion.node) {
        removeUnshared(storage, characterFolder(state.baseDir), state.objeTop, deletion.node, &OBJE::fileName);
        removeUnshared(storage, pictureFolder(state.baseDir), state.objeTop, deletion.node, &OBJE::imageName);
    }
    return deletion.row;
}

} // namespace pc
