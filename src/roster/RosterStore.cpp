#include "RosterStore.h"

#include "CharacterFile.h"
#include "FileNames.h"
#include "PresetList.h"
#include "records/RowRule.h"

namespace pc {

namespace {

std::string presetPath(const AppState& state)
{
    return characterFolder(state.baseDir) + "preset.txt";
}

} // namespace

void initPreset(AppState& state, Storage& storage)
{
    const std::optional<std::string> fileText = storage.read(presetPath(state));
    if (!fileText)
        return;
    const auto names = parsePresetText(*fileText);
    if (!names)
        return;

    PresetNode* lastNode = nullptr;
    OBJE* lastRecord = nullptr;
    state.fpTop = nullptr;
    state.objeTop = nullptr;
    for (const std::string& name : *names) {
        PresetNode* node = state.presets.make();
        node->fileName = name;
        (lastNode ? lastNode->next : state.fpTop) = node;
        lastNode = node;
        OBJE* record = state.objes.make();
        (lastRecord ? lastRecord->next : state.objeTop) = record;
        lastRecord = record;
    }
    // Only a list that reads back byte for byte may be replaced without a copy.
    std::string exact;
    for (const std::string& name : *names)
        exact += name + '\n';
    state.presetFileTrusted = *fileText == exact;
    state.initPresetFlag = false;
    state.initCPEListFlag = true;
}

std::string setPreset(AppState& state, Storage& storage)
{
    state.setPresetFlag = false;
    const std::string path = presetPath(state);
    if (!state.presetFileTrusted && !state.presetBackupKept) {
        if (const auto old = storage.read(path); old && !old->empty()) {
            if (std::string reason = storage.writeAtomically(path + ".bak", *old); !reason.empty())
                return reason;
        }
        state.presetBackupKept = true;
    }
    std::string reason = storage.writeAtomically(path, presetText(state.objeTop));
    if (reason.empty())
        state.presetFileTrusted = true;
    return reason;
}

void roadFile(AppState& state, Storage& storage)
{
    const std::string folder = characterFolder(state.baseDir);
    const std::string pictures = pictureFolder(state.baseDir);
    PresetNode* node = state.fpTop;
    for (OBJE* record = state.objeTop; record && node; record = record->next, node = node->next) {
        std::optional<std::string> text;
        if (isUsableFileName(node->fileName))
            text = storage.read(folder + node->fileName);
        readCharacter(text ? *text : std::string_view(), node->fileName, *record, state.attacks);
        if (isUsableFileName(record->imageName)) {
            if (const auto bytes = storage.read(pictures + record->imageName))
                record->image = storage.decodePicture(*bytes);
        }
    }
}

std::string saveFile(AppState& state, Storage& storage)
{
    if (!storage.read(state.baseDir + "/data/preset.txt")) {
        storage.makeFolders(pictureFolder(state.baseDir));
        if (!storage.exists(presetPath(state)))
            storage.writeAtomically(presetPath(state), {});
    }
    const OBJE* record = recordAt(state.objeTop, state.ClistClickedRow);
    if (!record)
        return "保存するキャラクターがありません";
    if (!isUsableFileName(record->fileName))
        return "ファイル名が使えません";
    if (std::string reason = storage.writeAtomically(characterFolder(state.baseDir) + record->fileName,
                                                     characterText(*record));
        !reason.empty())
        return reason;
    if (record->image && isUsableFileName(record->imageName)) {
        const auto png = storage.encodePng(record->image);
        if (!png)
            return "画像をPNGに変換できません";
        return storage.writeAtomically(pictureFolder(state.baseDir) + record->imageName, *png);
    }
    return {};
}

} // namespace pc
