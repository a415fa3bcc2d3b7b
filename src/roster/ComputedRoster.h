// SPDX-License-Identifier: GPL-3.0-or-later
// What a balance result was computed from: each entrant's character as its
// file would read, and every character the roster held then, so that a later
// edit, delete or import shows the result as outdated.
#pragma once

#include "records/Records.h"

#include <cstddef>
#include <set>
#include <string>
#include <vector>

namespace pc {

enum class EntrantNow { same, changed, vanished };

class ComputedRoster {
public:
    // Remembers the characters of `roster` with these file names, one per
    // entrant, and the file names of the whole roster.
    void remember(const OBJE* roster, const std::vector<std::string>& fileNames);
    bool empty() const { return fileNames_.empty(); }

    const std::string& fileName(std::size_t entrant) const { return fileNames_.at(entrant); }
    // How the entrant's character in `roster` compares with the one remembered.
    EntrantNow entrantNow(const OBJE* roster, std::size_t entrant) const;
    // Whether any entrant changed or vanished, or the roster gained a character.
    bool outdatedIn(const OBJE* roster) const;

private:
    std::vector<std::string> fileNames_;
    std::vector<std::string> texts_;
    std::set<std::string> roster_;
};

} // namespace pc
