// SPDX-License-Identifier: GPL-3.0-or-later
// The preset list file: the roster's file names, one per line, each ended by a line feed.
#pragma once

#include "Storage.h"
#include "records/Records.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pc {

// The names a preset file lists, or nothing when it holds no line feed or is
// not UTF-8. The piece after the last line feed is ignored.
std::optional<std::vector<std::string>> parsePresetText(std::string_view fileText);

// The preset file for a roster: every record's fileName and a line feed.
std::string presetText(const OBJE* rosterTop);

// A preset list read within its limits (kPresetFileLimit bytes, kPresetLineLimit lines).
struct PresetFile {
    std::optional<std::vector<std::string>> names;
    std::string text;
    std::string problem; // why there are no names; empty for a missing file
};
PresetFile readPresetFile(Storage& storage, const std::string& path);

// Why the roster cannot be written as a list that reads back (more lines or
// bytes than a list may have), or an empty text. `adding` more characters are counted too.
std::string presetLimitFailure(const OBJE* rosterTop, std::size_t adding = 0);

} // namespace pc
