// SPDX-License-Identifier: GPL-3.0-or-later
// A roster made up for ranking many characters: each character's hit points,
// speed and blow drawn from a seed, so strengths spread widely and evenly.
#pragma once

#include "roster/Storage.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace pc::sim {

// The file name of character `index` ("gen00042.txt").
std::string generatedFileName(std::size_t index);

// The character file of character `index`.
std::string generatedCharacter(std::size_t index, std::uint32_t seed);

// Writes `count` characters and their preset.txt into `folder` (which must
// exist) through the store's atomic writes. Returns why it failed, or "".
std::string writeGeneratedRoster(Storage& files, const std::string& folder, std::size_t count, std::uint32_t seed);

} // namespace pc::sim
