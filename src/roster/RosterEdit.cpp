// SPDX-License-Identifier: GPL-3.0-or-later
#include "RosterEdit.h"

#include "FileNames.h"
#include "FolderChange.h"
#include "ListEdit.h"
#include "PresetList.h"
#include "RosterStore.h"

#include <string_view>
#include <unordered_set>
#include <utility>

namespace pc {

namespace {

// Removes a file of the record when it is the one the record was read from or
// wrote, and no other character's file of the same kind has that name.
void removeUnshared(FolderChange& change, const std::string& folder, const OBJE* rosterTop, const OBJE* record,
                    std::string OBJE::*field, const std::string& stored)
{
    const std::string& name = record->*field;
    if (isUsableFileName(name) && name == stored && !namedByAnother(rosterTop, record, field, name))
        change.trash(folder + name);
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

std::string freeName(const OBJE* rosterTop, std::string OBJE::*field, const std::string& wanted, Storage& storage,
                     const std::string& folder, std::string_view extension)
{
    // Room for a number within the longest name a file system takes (255 bytes).
    constexpr std::size_t kLongestNumbered = 240;
    std::string base = wanted;
    std::string suffix;
    int number = 2;
    if (!isUsableFileName(base) || base.size() > kLongestNumbered) {
        base = "imported";
        suffix = extension;
        number = 1;
    }
    std::unordered_set<std::string_view> taken;
    for (const OBJE* record = rosterTop; record; record = record->next)
        taken.insert(record->*field);
    // A usable base stays usable with digits after it: no reserved name is a usable name followed by digits.
    std::string name = suffix.empty() ? base : base + std::to_string(number++) + suffix;
    while (taken.contains(name) || storage.exists(folder + name))
        name = base + std::to_string(number++) + suffix;
    return name;
}

std::int32_t insertCharacter(AppState& state, Storage& storage)
{
    if (!presetLimitFailure(state.objeTop, 1).empty())
        return -1;
    OBJE* record = state.objes.make();
    InitObje(*record);
    record->fileName = freeName(state.objeTop, &OBJE::fileName, record->fileName, storage,
                                characterFolder(state.baseDir), ".txt");
    record->imageName = freeName(state.objeTop, &OBJE::imageName, record->imageName, storage,
                                 pictureFolder(state.baseDir), ".png");
    state.pentaStale = true; // its derived statistics are computed at the next tick
    state.unsavedNew = record;
    return insertAtDesignated(state.objeTop, record, state.ClistClickedRow);
}

bool dropUnsavedCharacter(AppState& state)
{
    OBJE* record = std::exchange(state.unsavedNew, nullptr);
    if (!record || recordAt(state.objeTop, state.ClistClickedRow) != record)
        return false;
    deleteDesignated(state.objeTop, state.ClistClickedRow);
    state.initCListFlag = true;
    return true;
}

DeleteOutcome deleteCharacter(AppState& state, Storage& storage, bool unreadableConfirmed)
{
    DeleteOutcome outcome;
    if (state.ClistClickedRow < 0 || state.ClistClickedRow >= countOf(state.objeTop))
        return outcome;
    if (std::string reason = readOnlyFailure(state); !reason.empty()) {
        outcome.failure = "削除できませんでした：" + reason;
        return outcome;
    }
    if (const OBJE* record = recordAt(state.objeTop, state.ClistClickedRow);
        record && !record->unreadable.empty() && !unreadableConfirmed) {
        outcome.failure = "削除していません：このキャラクターのファイルは読み込めません（" + record->unreadable + "）";
        return outcome;
    }
    // A list changed elsewhere is read again first; the rows may have moved.
    reloadIfChanged(state, storage, nullptr);
    if (!state.storeNotice.empty()) {
        outcome.failure = "削除していません：" + state.storeNotice + "。もう一度選んでください";
        state.storeNotice.clear();
        return outcome;
    }
    const std::int32_t designated = state.ClistClickedRow;
    const Deletion<OBJE> deletion = deleteDesignated(state.objeTop, state.ClistClickedRow);
    if (!deletion.node)
        return outcome;
    FolderChange change;
    change.write(characterFolder(state.baseDir) + "preset.txt", presetText(state.objeTop));
    if (const OBJE* gone = deletion.node) {
        const std::string stored = gone->unreadable.empty() ? gone->storedFileName : gone->fileName;
        removeUnshared(change, characterFolder(state.baseDir), state.objeTop, gone, &OBJE::fileName, stored);
        removeUnshared(change, pictureFolder(state.baseDir), state.objeTop, gone, &OBJE::imageName,
                       gone->storedImageName);
    }
    std::string failure = keepOldListBeforeWrite(state, storage);
    FolderChange::Outcome applied;
    if (failure.empty()) {
        applied = change.apply(storage);
        failure = applied.failure;
    }
    if (!failure.empty()) {
        if (deletion.node) {
            std::int32_t row = deletion.row;
            insertAtDesignated(state.objeTop, deletion.node, row);
        }
        state.ClistClickedRow = designated;
        outcome.failure = "削除できませんでした：" + failure;
        return outcome;
    }
    markPresetWritten(state, storage);
    state.initCPEListFlag = true;
    outcome.row = deletion.row;
    outcome.deletedInstead = applied.deletedInstead;
    if (!applied.removalFailure.empty())
        outcome.failure = "ファイルを削除できませんでした（" + applied.removalFailure + "）";
    return outcome;
}

} // namespace pc
