// SPDX-License-Identifier: GPL-3.0-or-later
// What the editors refuse before they write into a record: texts the character
// file cannot hold back, and names another character's files already have.
#pragma once

#include "records/Records.h"

#include <string>
#include <string_view>

namespace pc {

// Why `text` cannot be a whole line of the file (a line break, the section
// separator), or an empty text when it can. `what` names the field in the message.
std::string lineTextProblem(std::string_view text, std::string_view what);

// The same for a comma-separated field, which must not hold a comma either.
std::string fieldTextProblem(std::string_view text, std::string_view what);

// The texts the character editor would store, with whether it holds a picture.
struct CharacterTexts {
    std::string name;
    std::string tag;
    std::string fileName;
    std::string imageName;
    bool hasPicture = false;
};

// One message per field; empty where the field is fine.
struct CharacterProblems {
    std::string name;
    std::string tag;
    std::string fileName;
    std::string imageName;

    bool any() const { return !name.empty() || !tag.empty() || !fileName.empty() || !imageName.empty(); }
};

// Checks the texts for `edited`, a record of the roster starting at `rosterTop`.
// The picture name only has to be usable and unshared when there is a picture
// to write under it.
CharacterProblems characterProblems(const CharacterTexts& texts, const OBJE* rosterTop, const OBJE* edited);

} // namespace pc
