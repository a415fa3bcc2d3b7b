// SPDX-License-Identifier: GPL-3.0-or-later
#include "Entrants.h"

#include "sim/Matrix.h"
#include "sim/RosterFolder.h"

#include "records/RowRule.h"

namespace pc::sim {

namespace {

std::string trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r") - first + 1));
}

std::vector<std::string> commaSeparated(std::string_view line)
{
    std::vector<std::string> names;
    while (!line.empty()) {
        const std::size_t comma = line.find(',');
        if (std::string name = trimmed(line.substr(0, comma)); !name.empty())
            names.push_back(std::move(name));
        line = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
    }
    return names;
}

} // namespace

std::vector<Named> partiesIn(std::string_view text)
{
    std::vector<Named> parties;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::vector<std::string> names = commaSeparated(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (names.empty())
            continue;
        std::string label;
        for (const std::string& name : names)
            label += (label.empty() ? "" : ",") + name;
        parties.push_back({label, std::move(names)});
    }
    return parties;
}

std::optional<std::vector<Named>> charactersNamed(const std::vector<std::string>& names, const OBJE* roster,
                                                  std::string& unknown)
{
    std::vector<Named> named;
    const bool all = names.size() == 1 && names.front() == "all";
    if (all) {
        std::vector<std::string> labels = characterLabels(roster);
        std::size_t row = 0;
        for (const OBJE* character = roster; character; character = character->next)
            named.push_back({std::move(labels[row++]), {character->fileName}});
        return named;
    }
    for (const std::string& name : names) {
        const NamedRows rows = rosterRows(roster, {name});
        if (!rows.unknown.empty()) {
            unknown = name;
            return std::nullopt;
        }
        const OBJE* character = recordAt(roster, rows.rows.front());
        named.push_back({characterLabel(roster, *character), {character->fileName}});
    }
    return named;
}

std::optional<std::vector<Named>> partiesOfFile(Storage& files, const std::string& path, std::string& reason)
{
    const FileRead read = files.readFile(path, kPresetFileLimit);
    if (!read.bytes) {
        reason = read.reason;
        return std::nullopt;
    }
    return partiesIn(*read.bytes);
}

std::string readParties(Storage& files, const std::string& path, std::vector<Named>& named)
{
    std::string reason;
    std::optional<std::vector<Named>> parties = partiesOfFile(files, path, reason);
    if (!parties)
        return "cannot read the parties file " + path;
    named = std::move(*parties);
    return named.empty() ? "no party in " + path : "";
}

} // namespace pc::sim
