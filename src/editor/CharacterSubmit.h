// SPDX-License-Identifier: GPL-3.0-or-later
// The character editor's values and its submit: check, store, save.
#pragma once

#include "EditChecks.h"
#include "records/AppState.h"
#include "roster/Storage.h"

#include <array>
#include <string>

namespace pc {

// The statistics the editor shows as numbers, in the order of its fields.
inline constexpr std::array<double STATUS::*, 10> kEditedStats = {
    &STATUS::HP, &STATUS::MP, &STATUS::WP, &STATUS::STR, &STATUS::VIT,
    &STATUS::AGI, &STATUS::DEX, &STATUS::MEN, &STATUS::INT, &STATUS::LUK,
};

// What the editor's fields hold.
struct CharacterEdit {
    CharacterTexts texts;
    Picture image;
    std::array<double, kEditedStats.size()> stats{};
};

CharacterEdit characterEditOf(const OBJE& record);

struct SubmitOutcome {
    CharacterProblems problems;
    // Why the character file or the preset list could not be written.
    std::string saveFailure;

    bool saved() const { return !problems.any() && saveFailure.empty(); }
};

// What submitCharacter refuses before it stores anything: no character at
// ClistClickedRow, one whose file could not be read, or texts it cannot hold.
// 強さを試す refuses the same.
SubmitOutcome checkSubmit(const AppState& state, const CharacterEdit& edit);

// Stores the edit into the character at ClistClickedRow, applies the pending
// resistances, writes its file and picture and the preset list, all or nothing,
// and ends the edit. Refused texts change nothing; a failed write puts the
// character back as it was and keeps the edit going, so that the user can
// correct it and retry.
SubmitOutcome submitCharacter(AppState& state, Storage& storage, const CharacterEdit& edit);

} // namespace pc
