// SPDX-License-Identifier: GPL-3.0-or-later
#include "RosterStore.h"

#include "CharacterFile.h"
#include "CharacterLoading.h"
#include "FileNames.h"
#include "FolderChange.h"
#include "PresetList.h"
#include "TextLines.h"
#include "records/RowRule.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace pc {

namespace {

std::string presetPath(const AppState& state)
{
    return characterFolder(state.baseDir) + "preset.txt";
}

// The preset list on disk, read within its limits.
PresetFile readPresetList(const AppState& state, Storage& storage)
{
    return readPresetFile(storage, presetPath(state));
}

// Whether the text reads back byte for byte as the names it lists.
bool isExactList(const std::string& text, const std::vector<std::string>& names)
{
    std::string exact;
    for (const std::string& name : names)
        exact += name + '\n';
    return text == exact;
}

std::string identityOf(const OBJE& record)
{
    return record.storedFileName.empty() ? record.fileName : record.storedFileName;
}

} // namespace

// Keeps the current list among the rotated copies, once per run and only when
// this run did not load it exactly: preset.txt.bak is the newest copy, the
// oldest beyond kPresetBackups is dropped, and no copy is overwritten before it
// has moved one place on.
std::string keepOldListBeforeWrite(AppState& state, Storage& storage)
{
    if (state.presetFileTrusted || state.presetBackupKept)
        return {};
    const std::string path = presetPath(state);
    const FileRead old = storage.readFile(path, kNoReadLimit);
    if (old.bytes && !old.bytes->empty()) {
        for (int age = kPresetBackups - 1; age >= 1; --age) {
            const std::string older = characterFolder(state.baseDir) + presetBackupName(age - 1);
            if (!storage.exists(older))
                continue;
            const FileRead copy = storage.readFile(older, kNoReadLimit);
            if (!copy.bytes)
                return copy.reason;
            if (std::string reason = storage.writeAtomically(characterFolder(state.baseDir) + presetBackupName(age),
                                                             *copy.bytes);
                !reason.empty())
                return reason;
        }
        if (std::string reason = storage.writeAtomically(path + ".bak", *old.bytes); !reason.empty())
            return reason;
    } else if (!old.bytes && !old.missing) {
        return old.reason;
    }
    state.presetBackupKept = true;
    return {};
}

void markPresetWritten(AppState& state, Storage& storage)
{
    state.presetStamp = storage.stamp(presetPath(state));
    state.presetFileTrusted = true;
    state.presetReadFailed = false;
    state.presetProblem.clear();
}

std::string presetBackupName(int age)
{
    return age == 0 ? "preset.txt.bak" : "preset.txt.bak." + std::to_string(age);
}

std::string readOnlyFailure(const AppState& state)
{
    return state.readOnlyReason.empty() ? std::string() : "読み取り専用で開いています（" + state.readOnlyReason + "）";
}

void initPreset(AppState& state, Storage& storage)
{
    const auto stamp = storage.stamp(presetPath(state));
    if (state.presetReadFailed && stamp == state.failedPresetStamp)
        return;
    PresetFile list = readPresetList(state, storage);
    if (!list.names) {
        state.presetReadFailed = true;
        state.failedPresetStamp = stamp;
        state.presetProblem = list.problem;
        return;
    }

    PresetNode* lastNode = nullptr;
    OBJE* lastRecord = nullptr;
    state.fpTop = nullptr;
    state.objeTop = nullptr;
    for (const std::string& name : *list.names) {
        PresetNode* node = state.presets.make();
        node->fileName = name;
        (lastNode ? lastNode->next : state.fpTop) = node;
        lastNode = node;
        OBJE* record = state.objes.make();
        (lastRecord ? lastRecord->next : state.objeTop) = record;
        lastRecord = record;
    }
    // Only a list that reads back byte for byte may be replaced without a copy.
    state.presetFileTrusted = isExactList(list.text, *list.names);
    state.presetStamp = stamp;
    state.presetReadFailed = false;
    state.presetProblem.clear();
    state.initPresetFlag = false;
    state.initCPEListFlag = true;
}

std::string reloadIfChanged(AppState& state, Storage& storage, OBJE* keep)
{
    // A run that has not looked at the list yet has nothing to compare with.
    if (!state.presetStamp && !state.presetReadFailed)
        return {};
    const auto now = storage.stamp(presetPath(state));
    if (now == (state.presetReadFailed ? state.failedPresetStamp : state.presetStamp))
        return {};
    PresetFile list = readPresetList(state, storage);
    if (!list.names) {
        // Nothing to merge: the file will be kept among the copies before it is replaced.
        state.presetFileTrusted = false;
        return {};
    }
    // The new roster follows the list on disk; characters already in memory
    // keep their records (and any edit in them), the others are read.
    // The records in memory by the file each stands for, the first in roster
    // order last, so that a name listed twice takes them one after another.
    std::vector<OBJE*> inMemory;
    for (OBJE* record = state.objeTop; record; record = record->next)
        inMemory.push_back(record);
    std::unordered_map<std::string, std::vector<OBJE*>> old;
    for (auto record = inMemory.rbegin(); record != inMemory.rend(); ++record)
        old[identityOf(**record)].push_back(*record);
    std::vector<OBJE*> roster;
    CharacterLoading loading(state, storage);
    PresetNode* lastNode = nullptr;
    state.fpTop = nullptr;
    for (const std::string& name : *list.names) {
        PresetNode* node = state.presets.make();
        node->fileName = name;
        (lastNode ? lastNode->next : state.fpTop) = node;
        lastNode = node;
        if (auto found = old.find(name); found != old.end() && !found->second.empty()) {
            roster.push_back(found->second.back());
            found->second.pop_back();
        } else {
            OBJE* record = state.objes.make();
            loading.load(*record, name);
            roster.push_back(record);
        }
    }
    if (keep && std::find(roster.begin(), roster.end(), keep) == roster.end())
        roster.push_back(keep);
    state.objeTop = nullptr;
    for (auto record = roster.rbegin(); record != roster.rend(); ++record) {
        (*record)->next = state.objeTop;
        state.objeTop = *record;
    }
    if (keep)
        state.ClistClickedRow = static_cast<std::int32_t>(std::find(roster.begin(), roster.end(), keep) - roster.begin());
    state.presetStamp = now;
    state.presetReadFailed = false;
    state.presetFileTrusted = isExactList(list.text, *list.names);
    state.initCListFlag = true;
    state.initCPEListFlag = true;
    state.storeNotice = "preset.txt がほかで変更されていたので読み直しました";
    return {};
}

std::string setPreset(AppState& state, Storage& storage)
{
    state.setPresetFlag = false;
    if (std::string reason = readOnlyFailure(state); !reason.empty())
        return reason;
    reloadIfChanged(state, storage, recordAt(state.objeTop, state.ClistClickedRow));
    if (std::string reason = presetLimitFailure(state.objeTop); !reason.empty())
        return reason;
    if (std::string reason = keepOldListBeforeWrite(state, storage); !reason.empty())
        return reason;
    FolderChange change;
    change.write(presetPath(state), presetText(state.objeTop));
    if (std::string reason = change.apply(storage).failure; !reason.empty())
        return reason;
    markPresetWritten(state, storage);
    return {};
}

void roadFile(AppState& state, Storage& storage)
{
    std::vector<OBJE*> records;
    std::vector<const std::string*> listed;
    PresetNode* node = state.fpTop;
    for (OBJE* record = state.objeTop; record && node; record = record->next, node = node->next) {
        records.push_back(record);
        listed.push_back(&node->fileName);
    }
    CharacterLoading(state, storage).load(records, listed);
}

std::string saveFile(AppState& state, Storage& storage)
{
    if (std::string reason = readOnlyFailure(state); !reason.empty())
        return reason;
    OBJE* record = recordAt(state.objeTop, state.ClistClickedRow);
    if (!record)
        return "保存するキャラクターがありません";
    if (!record->unreadable.empty())
        return "読み込めなかったキャラクターには保存しません（" + record->unreadable + "）";
    if (!isUsableFileName(record->fileName))
        return "ファイル名が使えません";
    reloadIfChanged(state, storage, record);

    // Never replace a file this character was not read from or written to.
    const std::string filePath = characterFolder(state.baseDir) + record->fileName;
    if (record->fileName != record->storedFileName && storage.exists(filePath))
        return "同じ名前のファイルがすでにあります：" + record->fileName;
    storage.makeFolders(pictureFolder(state.baseDir));
    FolderChange change;
    const bool writesPicture = record->image && isUsableFileName(record->imageName);
    if (writesPicture) {
        const std::string picturePath = pictureFolder(state.baseDir) + record->imageName;
        const bool sharedPicture = namedPictureOfAnother(state.objeTop, record);
        if (record->imageName != record->storedImageName && !sharedPicture && storage.exists(picturePath))
            return "同じ名前の画像がすでにあります：" + record->imageName;
        const auto png = storage.encodePng(record->image);
        if (!png)
            return "画像をPNGに変換できません";
        change.write(picturePath, *png);
    }
    change.write(filePath, characterText(*record));
    if (std::string reason = presetLimitFailure(state.objeTop); !reason.empty())
        return reason;
    if (std::string reason = keepOldListBeforeWrite(state, storage); !reason.empty())
        return reason;
    change.write(presetPath(state), presetText(state.objeTop));
    if (std::string reason = change.apply(storage).failure; !reason.empty())
        return reason;
    record->storedFileName = record->fileName;
    if (writesPicture)
        record->storedImageName = record->imageName;
    markPresetWritten(state, storage);
    return {};
}

bool namedPictureOfAnother(const OBJE* rosterTop, const OBJE* record)
{
    for (const OBJE* other = rosterTop; other; other = other->next) {
        if (other != record && other->storedImageName == record->imageName)
            return true;
    }
    return false;
}

} // namespace pc
