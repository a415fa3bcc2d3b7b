// SPDX-License-Identifier: GPL-3.0-or-later
// A list of the roster's characters, each with a tick box, as the windows that
// fight many battles show it: refilled from the roster, a character unticked
// stays unticked, and the ticked ones are read back as roster rows.
#pragma once

#include "records/Records.h"

#include <QListWidget>

#include <cstdint>
#include <string>
#include <vector>

namespace pc {

// Refills `list` from the roster, every character ticked but those unticked before.
void showRosterChecks(QListWidget* list, const OBJE* roster);
void setAllChecks(QListWidget* list, bool checked);

struct CheckedCharacter {
    std::int32_t row;
    std::string label; // as the tables name it
    std::string fileName;
};

// The ticked characters of `roster`, which the list was filled from.
std::vector<CheckedCharacter> checkedCharacters(const QListWidget* list, const OBJE* roster);

} // namespace pc
