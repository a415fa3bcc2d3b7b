// SPDX-License-Identifier: GPL-3.0-or-later
// The one rule for a typed seed, shared by every seed field and --seed: a whole
// number from 0 to 4294967295 in ASCII or full-width digits, between blanks.
// A blank text names no seed, and the caller's default applies.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace pc {

inline constexpr std::uint32_t kSeedMax = 4294967295u;

// Where a series of battles starts when no seed is given.
inline constexpr std::uint32_t kDefaultFirstSeed = 1;

// What a window shows under a seed field that holds anything else.
inline constexpr std::string_view kSeedRefusal = "シードは 0〜4294967295 の整数で入力してください（空欄ならシードなし）";

// True for a text of nothing but blanks (spaces, tabs, ideographic spaces).
bool seedTextIsBlank(std::string_view text);

// The seed a text names; nothing for a blank text, a sign, a fraction, any
// other character, or a number beyond kSeedMax.
std::optional<std::uint32_t> parseSeed(std::string_view text);

} // namespace pc
