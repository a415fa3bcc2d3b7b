// SPDX-License-Identifier: GPL-3.0-or-later
// The entrants a command line names: characters of the roster, or the
// parties of a file, one a line.
#pragma once

#include "records/Records.h"
#include "roster/Storage.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pc::sim {

// An entrant as the command line names it: a label and the names of its members.
struct Named {
    std::string label;
    std::vector<std::string> members;
};

// One party a line; empty lines are skipped. The label is the line's names joined by commas.
std::vector<Named> partiesIn(std::string_view text);

// The parties of the file at `path`, read within the preset list's limit;
// none when it cannot be read, `reason` then says why.
std::optional<std::vector<Named>> partiesOfFile(Storage& files, const std::string& path, std::string& reason);

// The parties of the file at `path` into `named`, or why there are none.
std::string readParties(Storage& files, const std::string& path, std::vector<Named>& named);

// The characters named, or every one for the single name "all", each known by
// its file name so that a second folder finds the same character even when it
// was renamed there. None when a name is unknown; `unknown` then holds it.
std::optional<std::vector<Named>> charactersNamed(const std::vector<std::string>& names, const OBJE* roster,
                                                  std::string& unknown);

} // namespace pc::sim
