#include "RosterExchange.h"

#include "CharacterFile.h"
#include "FileNames.h"
#include "PresetList.h"
#include "RosterEdit.h"
#include "RosterStore.h"
#include "TextLines.h"

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

// Reads the character file `name` of `folder` (ending in "/") and its picture from "img/".
Incoming readOne(AppState& state, Storage& storage, const std::string& folder, const std::string& name)
{
    Incoming incoming{name, nullptr, {}};
    if (!isUsableFileName(name)) {
        incoming.problem = "使えないファイル名です";
        return incoming;
    }
    const std::optional<std::string> text = storage.read(folder + name);
    if (!text) {
        incoming.problem = "読み込めません";
        return incoming;
    }
    if (!isValidUtf8(*text)) {
        incoming.problem = "UTF-8 のテキストではありません";
        return incoming;
    }
    if (!looksLikeCharacterFile(*text)) {
        incoming.problem = "キャラクターファイルの形式ではありません";
        return incoming;
    }
    OBJE* record = state.objes.make();
    readCharacter(*text, name, *record, state.attacks);
    if (isUsableFileName(record->imageName)) {
        if (auto bytes = storage.read(folder + "img/" + record->imageName))
            record->image = storage.decodePicture(std::move(*bytes));
    }
    incoming.record = record;
    return incoming;
}

// `wanted`, or the first of it numbered "2", "3", ... that is usable as a file
// name and that neither a roster character nor a file in `folder` has.
std::string freeFileName(const OBJE* rosterTop, Storage& storage, const std::string& folder,
                         std::string OBJE::*field, std::string wanted, const char* fallback)
{
    std::replace_if(wanted.begin(), wanted.end(), [](char c) { return c == '/' || c == '\\' || c == '\0'; }, '_');
    if (wanted.empty() || wanted == "." || wanted == "..")
        wanted = fallback;
    std::unordered_set<std::string_view> taken;
    for (const OBJE* record = rosterTop; record; record = record->next)
        taken.insert(record->*field);
    const auto isFree = [&](const std::string& name) {
        return isUsableFileName(name) && !taken.contains(name) && !storage.exists(folder + name);
    };
    std::string name = wanted;
    for (int number = 2; !isFree(name); ++number)
        name = wanted + std::to_string(number);
    return name;
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
    const std::optional<std::string> text = storage.read(roster + "preset.txt");
    if (!text)
        return {Incoming{"preset.txt", nullptr, "読み込めません"}};
    const auto names = parsePresetText(*text);
    if (!names)
        return {Incoming{"preset.txt", nullptr, "キャラクター一覧として読めません"}};
    std::vector<Incoming> incoming;
    for (const std::string& name : *names)
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
    const std::string folder = characterFolder(state.baseDir);
    const std::string pictures = pictureFolder(state.baseDir);
    storage.makeFolders(pictures);
    OBJE* last = state.objeTop;
    while (last && last->next)
        last = last->next;
    for (const Incoming& one : incoming) {
        if (!one.record) {
            report.problems.push_back(one.source + ": " + one.problem);
            continue;
        }
        OBJE* record = copyOf(state, *one.record);
        record->fileName = freeFileName(state.objeTop, storage, folder, &OBJE::fileName, record->fileName, "新規ファイル");
        record->imageName =
            freeFileName(state.objeTop, storage, pictures, &OBJE::imageName, record->imageName, "新規画像");
        if (std::string reason = storage.writeAtomically(folder + record->fileName, characterText(*record));
            !reason.empty()) {
            report.problems.push_back(one.source + ": " + reason);
            continue;
        }
        // The files written here are this run's own, so later saves and deletes may replace them.
        record->storedFileName = record->fileName;
        record->storedImageName.clear();
        (last ? last->next : state.objeTop) = record;
        last = record;
        report.added.push_back(record->name);
        if (!record->image)
            continue;
        const auto png = storage.encodePng(record->image);
        std::string reason = png ? storage.writeAtomically(pictures + record->imageName, *png)
                                 : std::string("画像をPNGに変換できません");
        if (reason.empty())
            record->storedImageName = record->imageName;
        else
            report.problems.push_back(one.source + ": " + reason);
    }
    if (!report.added.empty()) {
        if (std::string reason = setPreset(state, storage); !reason.empty())
            report.problems.push_back("preset.txt: " + reason);
        state.initCListFlag = true;
        state.initCPEListFlag = true;
    }
    return report;
}

std::string exportCharacters(Storage& storage, const std::vector<const OBJE*>& characters, const std::string& folder)
{
    const std::string roster = withSlash(folder) + "CharaList/";
    if (storage.exists(withSlash(folder) + "CharaList") || storage.exists(roster + "preset.txt"))
        return "選んだフォルダーにはすでに CharaList があります";
    if (!storage.makeFolders(roster + "img"))
        return "フォルダーを作れません: " + roster + "img";
    std::string preset;
    for (const OBJE* character : characters) {
        if (!isUsableFileName(character->fileName))
            return "ファイル名が使えません: " + character->fileName;
        if (std::string reason = storage.writeAtomically(roster + character->fileName, characterText(*character));
            !reason.empty())
            return reason;
        if (character->image && isUsableFileName(character->imageName)) {
            const auto png = storage.encodePng(character->image);
            if (!png)
                return "画像をPNGに変換できません: " + character->imageName;
            if (std::string reason = storage.writeAtomically(roster + "img/" + character->imageName, *png);
                !reason.empty())
                return reason;
        }
        preset += character->fileName + '\n';
    }
    return storage.writeAtomically(roster + "preset.txt", preset);
}

} // namespace pc
