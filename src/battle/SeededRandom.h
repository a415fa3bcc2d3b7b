// SPDX-License-Identifier: GPL-3.0-or-later
// A seeded random source whose draws are the same on every machine: the
// Mersenne Twister's output is fixed by the C++ standard, and its top 31 bits
// give the range 0 to 2147483647 of the C library's rand() on this platform.
// The command line's --seed and the party-selection window's seed field both
// draw from it, so the same seed gives the same battle in both.
#pragma once

#include "battle/Random.h"

#include <cstdint>
#include <optional>
#include <random>

namespace pc {

class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
    std::int32_t draw() override { return static_cast<std::int32_t>(engine_() >> 1); }

private:
    std::mt19937 engine_;
};

// The draws of a battle: a given source, or a seeded one while a seed is set.
class ChosenRandom final : public RandomSource {
public:
    explicit ChosenRandom(RandomSource& unseeded) : unseeded_(unseeded) {}
    // A seed starts its stream afresh; none goes back to the given source.
    void choose(std::optional<std::uint32_t> seed)
    {
        seeded_.reset();
        if (seed)
            seeded_.emplace(*seed);
    }
    std::int32_t draw() override { return seeded_ ? seeded_->draw() : unseeded_.draw(); }

private:
    RandomSource& unseeded_;
    std::optional<SeededRandom> seeded_;
};

} // namespace pc
