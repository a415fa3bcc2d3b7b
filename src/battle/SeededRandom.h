// SPDX-License-Identifier: GPL-3.0-or-later
// A seeded random source whose draws are the same on every machine: the
// Mersenne Twister's output is fixed by the C++ standard, and its top 31 bits
// give the range 0 to 2147483647 of the C library's rand() on this platform.
// The command line's --seed and the party-selection window's seed field both
// draw from it, so the same seed gives the same battle in both.
#pragma once

#include "battle/Random.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace pc {

class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed);
    // Inline where the source's type is known, so that a battle's many draws
    // cost no call but the refill after every 624th.
    std::int32_t draw() override
    {
        if (index_ == kStateSize)
            refill();
        return draws_[index_++];
    }

    // Seeds four generators with `first` to `first + 3` (wrapping past the
    // largest seed), each as its own constructor would: the four seeding
    // chains run side by side, in about the time of one.
    static void reseedFour(std::array<SeededRandom, 4>& four, std::uint32_t first);

private:
    static constexpr std::size_t kStateSize = 624;
    void refill();

    // The 32-bit Mersenne Twister (std::mt19937), written out so that its draw
    // inlines, with the next 624 draws made at once.
    std::array<std::uint32_t, kStateSize> state_;
    std::array<std::int32_t, kStateSize> draws_;
    std::size_t index_ = kStateSize;
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
