// SPDX-License-Identifier: GPL-3.0-or-later
#include "RosterExchange.h"

#include "CharacterFile.h"
#include "FolderChange.h"
#include "FileNames.h"
#include "PresetList.h"
#include "RosterEdit.h"
#include "RosterStore.h"
#include "TextLines.h"
#include "records/RowRule.h"

#include <algorithm>
#include <unordered_set>

namespace pc {

namespace {

std::string withSlash(const std::string& folder)
{
    return folder.empty() || folder.ends_with('/') ? folder : folder + '/';
}

// Whether the text has the eight header lines and the separator line of a
// character file; the reader would make a character of anything else too.
bool looksLikeCharacterFile(std::string_view fileText)
{
    const std::string text = withoutBomAndCr(fileText);
    const auto lines = splitAt(text, "\n");
    return lines.size() > 9 && lines[8] == kSectionSeparator;
}

// Reads the character file `name` of `folder` (ending in "/") and its picture
// from "img/", within the store's limits; a file or picture that cannot be read
// leaves the character out with the store's reason.
Incoming readOne(AppState& state, Storage& storage, const std::string& folder, const std::string& name)
{
    Incoming incoming{name, nullptr, {}};
    if (!isUsableFileName(name)) {
        incoming.problem = "使えないファイル名です";
        return incoming;
    }
    FileRead file = storage.readFile(folder + name, kCharacterFileLimit);
    if (!file.bytes) {
        incoming.problem = file.reason;
        return incoming;
    }
    if (!isValidUtf8(*file.bytes)) {
        incoming.problem = "UTF-8 のテキストではありません";
        return incoming;
    }
    if (!looksLikeCharacterFile(*file.bytes)) {
        incoming.problem = "キャラクターファイルの形式ではありません";
        return incoming;
    }
    OBJE* record = state.objes.make();
    readCharacter(*file.bytes, name, *record, state.attacks);
    if (isUsableFileName(record->imageName)) {
        FileRead picture = storage.readFile(folder + "img/" + record->imageName, kPictureFileLimit);
        if (picture.bytes) {
            record->image = storage.decodePicture(std::move(*picture.bytes));
        } else if (!picture.missing) {
            incoming.problem = "画像 " + record->imageName + "：" + picture.reason;
            return incoming;
        }
    }
    incoming.record = record;
    return incoming;
}

// A roster record of its own: the incoming record with copies of its attacks.
OBJE* copyOf(AppState& state, const OBJE& incoming)
{
    OBJE* record = state.objes.make();
    *record = incoming;
    record->next = nullptr;
    record->attacks = nullptr;
    ATTACK* last = nullptr;
    for (const ATTACK* attack = incoming.attacks; attack; attack = attack->next) {
        ATTACK* copy = state.attacks.make();
        *copy = *attack;
        copy->next = nullptr;
        (last ? last->next : record->attacks) = copy;
        last = copy;
    }
    return record;
}

} // namespace

std::string rosterFolderIn(Storage& storage, const std::string& folder)
{
    for (const char* inside : {"", "CharaList/", "data/CharaList/"}) {
        const std::string candidate = withSlash(folder) + inside;
        if (storage.exists(candidate + "preset.txt"))
            return candidate;
    }
    return {};
}

std::vector<Incoming> readRosterFolder(AppState& state, Storage& storage, const std::string& folder)
{
    const std::string roster = withSlash(folder);
    const PresetFile list = readPresetFile(storage, roster + "preset.txt");
    if (!list.names)
        return {Incoming{"preset.txt", nullptr, list.problem.empty() ? "ファイルがありません" : list.problem}};
    std::vector<Incoming> incoming;
    for (const std::string& name : *list.names)
        incoming.push_back(readOne(state, storage, roster, name));
    return incoming;
}

std::vector<Incoming> readCharacterFiles(AppState& state, Storage& storage, const std::vector<std::string>& paths)
{
    std::vector<Incoming> incoming;
    for (const std::string& path : paths) {
        const std::size_t slash = path.rfind('/');
        const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
        const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        if (name == "preset.txt") {
            for (Incoming& listed : readRosterFolder(state, storage, folder))
                incoming.push_back(std::move(listed));
            continue;
        }
        incoming.push_back(readOne(state, storage, folder, name));
    }
    return incoming;
}

std::vector<Incoming> missingFrom(const OBJE* rosterTop, std::vector<Incoming> incoming)
{
    std::erase_if(incoming, [rosterTop](const Incoming& one) {
        return one.record && namedByAnother(rosterTop, nullptr, &OBJE::fileName, one.record->fileName);
    });
    return incoming;
}

ImportReport importCharacters(AppState& state, Storage& storage, const std::vector<Incoming>& incoming)
{
    ImportReport report;
    if (std::string reason = readOnlyFailure(state); !reason.empty()) {
        report.problems.push_back(reason);
        return report;
    }
    std::vector<const OBJE*> adding;
    for (const Incoming& one : incoming) {
        if (one.record)
            adding.push_back(one.record);
        else
            report.problems.push_back(one.source + ": " + one.problem);
    }
    if (adding.empty())
        return report;
    // A list changed elsewhere is read again first, so that the names found below avoid its characters.
    reloadIfChanged(state, storage, nullptr);
    if (std::string reason = presetLimitFailure(state.objeTop, adding.size()); !reason.empty()) {
        report.problems.push_back("追加できません：" + reason);
        return report;
    }
    const std::string folder = characterFolder(state.baseDir);
    const std::string pictures = pictureFolder(state.baseDir);
    if (std::string reason = storage.makeFolders(pictures); !reason.empty()) {
        report.problems.push_back("追加できませんでした：" + reason);
        return report;
    }
    OBJE* const lastBefore = lastOf(state.objeTop);
    OBJE* last = lastBefore;
    FolderChange change;
    std::string created; // the files the import makes, named as the start that undoes it reads them
    std::vector<OBJE*> withPicture;
    for (const OBJE* one : adding) {
        OBJE* record = copyOf(state, *one);
        record->fileName = freeName(state.objeTop, &OBJE::fileName, record->fileName, storage, folder, ".txt");
        record->imageName = freeName(state.objeTop, &OBJE::imageName, record->imageName, storage, pictures, ".png");
        change.write(folder + record->fileName, characterText(*record));
        created += record->fileName + '\n';
        if (record->image) {
            if (const auto png = storage.encodePng(record->image)) {
                change.write(pictures + record->imageName, *png);
                created += "img/" + record->imageName + '\n';
                withPicture.push_back(record);
            } else {
                report.problems.push_back(record->name + ": 画像をPNGに変換できません");
            }
        }
        (last ? last->next : state.objeTop) = record;
        last = record;
    }
    change.write(folder + "preset.txt", presetText(state.objeTop));
    change.journal(folder + std::string(kImportJournal), created);
    std::string failure = keepOldListBeforeWrite(state, storage);
    if (failure.empty())
        failure = change.apply(storage).failure;
    if (!failure.empty()) {
        (lastBefore ? lastBefore->next : state.objeTop) = nullptr;
        report.problems = {"追加できませんでした：" + failure};
        return report;
    }
    // The files written here are this run's own, so later saves and deletes may replace them.
    for (OBJE* record = lastBefore ? lastBefore->next : state.objeTop; record; record = record->next) {
        record->storedFileName = record->fileName;
        record->storedImageName.clear();
        report.added.push_back(record->name);
    }
    for (OBJE* record : withPicture)
        record->storedImageName = record->imageName;
    markPresetWritten(state, storage);
    state.initCListFlag = true;
    state.initCPEListFlag = true;
    return report;
}

std::string exportCharacters(Storage& storage, const std::vector<const OBJE*>& characters, const std::string& folder)
{
    const std::string roster = withSlash(folder) + "CharaList/";
    if (storage.exists(withSlash(folder) + "CharaList") || storage.exists(roster + "preset.txt"))
        return "選んだフォルダーにはすでに CharaList があります";
    for (const OBJE* character : characters) {
        if (!isUsableFileName(character->fileName))
            return "ファイル名が使えません: " + character->fileName;
    }
    // A failure removes what was written, so that the same folder takes a retry.
    std::vector<std::string> written;
    const auto undo = [&](std::string reason) {
        for (const std::string& path : written)
            storage.remove(path);
        storage.removeEmptyFolder(roster + "img");
        storage.removeEmptyFolder(roster);
        return reason;
    };
    if (std::string reason = storage.makeFolders(roster + "img"); !reason.empty())
        return undo("フォルダーを作れません: " + roster + "img（" + reason + "）");
    const auto write = [&](const std::string& path, std::string_view bytes) {
        std::string reason = storage.writeAtomically(path, bytes);
        if (reason.empty())
            written.push_back(path);
        return reason;
    };
    std::string preset;
    for (const OBJE* character : characters) {
        if (std::string reason = write(roster + character->fileName, characterText(*character)); !reason.empty())
            return undo(reason);
        if (character->image && isUsableFileName(character->imageName)) {
            const auto png = storage.encodePng(character->image);
            if (!png)
                return undo("画像をPNGに変換できません: " + character->imageName);
            if (std::string reason = write(roster + "img/" + character->imageName, *png); !reason.empty())
                return undo(reason);
        }
        preset += character->fileName + '\n';
    }
    if (std::string reason = write(roster + "preset.txt", preset); !reason.empty())
        return undo(reason);
    return {};
}

} // namespace pc
