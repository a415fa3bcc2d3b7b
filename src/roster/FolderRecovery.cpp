// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderRecovery.h"

#include "FileNames.h"
#include "PresetList.h"

#include <algorithm>

namespace pc {

namespace {

void finishInterruptedImport(Storage& storage, const std::string& folder)
{
    const std::string journal = folder + std::string(kImportJournal);
    const FileRead note = storage.readFile(journal, kPresetFileLimit);
    if (!note.bytes)
        return;
    const std::vector<std::string> created = parsePresetText(*note.bytes).value_or(std::vector<std::string>{});
    const PresetFile list = readPresetFile(storage, folder + "preset.txt");
    const std::vector<std::string> listed = list.names.value_or(std::vector<std::string>{});
    const bool putInPlace = std::any_of(created.begin(), created.end(), [&](const std::string& name) {
        return !name.starts_with("img/") && std::find(listed.begin(), listed.end(), name) != listed.end();
    });
    if (!putInPlace) {
        for (const std::string& name : created) {
            const std::string inFolder = name.starts_with("img/") ? name.substr(4) : name;
            if (isUsableFileName(inFolder))
                storage.remove(folder + name);
        }
    }
    storage.remove(journal);
}

void removeTemporaries(Storage& storage, const std::string& folder)
{
    for (const std::string& name : storage.list(folder)) {
        if (name.starts_with(".partyclash-") && !name.starts_with(".partyclash-lock"))
            storage.remove(folder + name);
    }
}

} // namespace

void recoverDataFolder(Storage& storage, const std::string& baseDir)
{
    finishInterruptedImport(storage, characterFolder(baseDir));
    removeTemporaries(storage, characterFolder(baseDir));
    removeTemporaries(storage, pictureFolder(baseDir));
}

} // namespace pc
