// SPDX-License-Identifier: GPL-3.0-or-later
// The roster of a data folder, loaded as the application's start-up loads it,
// and the characters named on the command line.
#pragma once

#include "records/AppState.h"
#include "roster/Storage.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pc::sim {

// Reads the preset list and every character file of `folder` (laid out like
// data/CharaList/) through `files`, then computes the derived statistics, as
// the character editor's first tick does. Pictures are not decoded: nothing
// here shows them. Returns why the roster could not be read, or an empty text.
std::string loadRoster(AppState& state, Storage& files, const std::string& folder);

struct NamedRows {
    std::vector<std::int32_t> rows;
    std::string unknown; // the first name that no character answers to, if any
};

// The roster rows of the names, in order, up to the first unknown name. A
// name is the file name of a character or, failing that, the name of the
// first character that has it.
NamedRows rosterRows(const OBJE* roster, const std::vector<std::string>& names);

// Finds rows as rosterRows does, from one walk down the roster for any number
// of look-ups: for many names on a large roster.
class RosterIndex {
public:
    explicit RosterIndex(const OBJE* roster);
    NamedRows rows(const std::vector<std::string>& names) const;

private:
    std::unordered_map<std::string_view, std::int32_t> byFileName_;
    std::unordered_map<std::string_view, std::int32_t> byName_;
};

} // namespace pc::sim
