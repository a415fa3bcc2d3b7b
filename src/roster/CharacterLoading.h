// SPDX-License-Identifier: GPL-3.0-or-later
// Reading character files and their pictures into roster records.
#pragma once

#include "Storage.h"
#include "records/AppState.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace pc {

// One load of characters: each folder is opened once and each picture read and
// decoded once, shared by every record that names it.
class CharacterLoading {
public:
    CharacterLoading(AppState& state, Storage& storage);
    ~CharacterLoading();
    CharacterLoading(const CharacterLoading&) = delete;
    CharacterLoading& operator=(const CharacterLoading&) = delete;

    // Fills `record` from the file `listed` names, and its picture. A missing file gives the
    // values of a new character; a file that is there but cannot be read marks
    // the record unreadable under its listed name.
    void load(OBJE& record, const std::string& listed);

    // The same for many records, `records[i]` from `listed[i]`; a large roster
    // is read on several threads where the storage allows it, with the same result.
    void load(const std::vector<OBJE*>& records, const std::vector<const std::string*>& listed);

private:
    void readFile(OBJE& record, const std::string& listed, Arena<ATTACK>& attacks);
    bool wantsPicture(const OBJE& record) const;
    // The picture file's picture (null when it does not decode), or nothing when it cannot be read.
    std::optional<Picture> readPicture(const std::string& name);
    void attachPicture(OBJE& record);
    FolderFiles& characterFiles();
    FolderFiles& pictureFiles();

    AppState& state_;
    Storage& storage_;
    std::unique_ptr<FolderFiles> characters_;
    std::unique_ptr<FolderFiles> pictures_;
    // Every picture name looked up in this load, with what readPicture gave.
    std::unordered_map<std::string, std::optional<Picture>> decoded_;
};

} // namespace pc
