// SPDX-License-Identifier: GPL-3.0-or-later
#include "RosterFolder.h"

#include "battle/DerivedStats.h"
#include "roster/FileNames.h"
#include "roster/RosterStore.h"

#include <optional>
#include <string_view>

namespace pc::sim {

namespace {

// Read-only storage that finds the roster code's paths below
// "<baseDir>/data/CharaList/" in another folder.
class FolderStorage final : public Storage {
public:
    FolderStorage(Storage& files, std::string prefix, std::string folder)
        : files_(files), prefix_(std::move(prefix)), folder_(std::move(folder))
    {
    }

    FileRead readFile(const std::string& path, std::size_t maxBytes) override
    {
        return files_.readFile(mapped(path), maxBytes);
    }
    std::string stage(const std::string&, std::string_view, std::string&) override { return "read only"; }
    std::string commit(const std::string&, const std::string&) override { return "read only"; }
    void discard(const std::string&) override {}
    bool exists(const std::string& path) override { return files_.exists(mapped(path)); }
    std::optional<std::string> stamp(const std::string& path) override { return files_.stamp(mapped(path)); }
    std::string makeFolders(const std::string&) override { return "read only"; }
    std::string remove(const std::string&) override { return "read only"; }
    Picture decodePicture(std::string) override { return nullptr; }
    std::optional<std::string> encodePng(const Picture&) override { return std::nullopt; }

private:
    std::string mapped(const std::string& path) const
    {
        return path.starts_with(prefix_) ? folder_ + '/' + path.substr(prefix_.size()) : path;
    }

    Storage& files_;
    std::string prefix_;
    std::string folder_;
};

std::optional<std::int32_t> rosterRow(const OBJE* roster, std::string_view name)
{
    for (auto field : {&OBJE::fileName, &OBJE::name}) {
        std::int32_t row = 0;
        for (const OBJE* character = roster; character; character = character->next, ++row) {
            if (character->*field == name)
                return row;
        }
    }
    return std::nullopt;
}

} // namespace

std::string loadRoster(AppState& state, Storage& files, const std::string& folder)
{
    if (!files.exists(folder))
        return "no data folder " + folder;
    FolderStorage storage(files, characterFolder(state.baseDir), folder);
    state.initPresetFlag = true;
    state.skipPictures = true;
    initPreset(state, storage);
    if (state.initPresetFlag)
        return "no roster in " + folder + ": preset.txt is missing, unreadable or empty"
            + (state.presetProblem.empty() ? std::string() : " (" + state.presetProblem + ")");
    roadFile(state, storage);
    setPentaStats(state);
    return {};
}

NamedRows rosterRows(const OBJE* roster, const std::vector<std::string>& names)
{
    NamedRows named;
    for (const std::string& name : names) {
        const auto row = rosterRow(roster, name);
        if (!row) {
            named.unknown = name;
            break;
        }
        named.rows.push_back(*row);
    }
    return named;
}

RosterIndex::RosterIndex(const OBJE* roster)
{
    std::int32_t row = 0;
    for (const OBJE* character = roster; character; character = character->next, ++row) {
        byFileName_.try_emplace(character->fileName, row); // the first character keeps a shared name
        byName_.try_emplace(character->name, row);
    }
}

NamedRows RosterIndex::rows(const std::vector<std::string>& names) const
{
    NamedRows named;
    for (const std::string& name : names) {
        const auto file = byFileName_.find(name);
        const auto character = file == byFileName_.end() ? byName_.find(name) : byName_.end();
        if (file == byFileName_.end() && character == byName_.end()) {
            named.unknown = name;
            break;
        }
        named.rows.push_back(file != byFileName_.end() ? file->second : character->second);
    }
    return named;
}

} // namespace pc::sim
