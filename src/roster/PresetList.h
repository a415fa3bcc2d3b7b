// The preset list file: the roster's file names, one per line, each ended by a line feed.
#pragma once

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

} // namespace pc
