// SPDX-License-Identifier: GPL-3.0-or-later
// The seeded source lives with the battle rules, which the window shares.
#pragma once

#include "battle/SeededRandom.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace pc::sim {

using pc::SeededRandom;

// Freshly seeded generators for the rising seeds of a batch thread's
// battles, made four at a time so that their seeding overlaps.
class ConsecutiveSeeds {
public:
    // The generator of `seed`, as SeededRandom(seed) makes it; quickest
    // when each call asks for the seed after the last one's.
    SeededRandom& seeded(std::uint32_t seed)
    {
        if (next_ == four_.size() || seed != static_cast<std::uint32_t>(first_ + next_)) {
            SeededRandom::reseedFour(four_, seed);
            first_ = seed;
            next_ = 0;
        }
        return four_[next_++];
    }

private:
    std::array<SeededRandom, 4> four_{SeededRandom(0), SeededRandom(0), SeededRandom(0), SeededRandom(0)};
    std::uint32_t first_ = 0;
    std::size_t next_ = 4;
};

} // namespace pc::sim
