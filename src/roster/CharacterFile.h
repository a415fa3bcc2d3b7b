// SPDX-License-Identifier: GPL-3.0-or-later
// The character file: eight header lines, a separator, three lines per attack
// and a closing separator, UTF-8 with comma-separated fields.
#pragma once

#include "records/Arena.h"
#include "records/Records.h"

#include <string>
#include <string_view>

namespace pc {

inline constexpr std::string_view kSectionSeparator = "----++";

// The text of a character file.
std::string characterText(const OBJE& record);

// Fills `record` from the text of its character file. The record starts from the
// initial values of a new character; each header line that is present with all
// its fields is read over them, and attacks come only from complete groups of
// three lines. Text that is not valid UTF-8 reads as no text, and gives false.
// `fileName` is the first piece of line 3 when there is one, otherwise `listedName`.
bool readCharacter(std::string_view fileText, std::string_view listedName, OBJE& record,
                   Arena<ATTACK>& attackArena);

} // namespace pc
