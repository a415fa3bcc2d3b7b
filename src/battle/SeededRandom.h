// A seeded random source whose draws are the same on every machine: the
// Mersenne Twister's output is fixed by the C++ standard, and its top 31 bits
// give the range 0 to 2147483647 of the C library's rand() on this platform.
// The command line's --seed and the party-selection window's seed field both
// draw from it, so the same seed gives the same battle in both.
#pragma once

#include "battle/Random.h"

#include <cstdint>
#include <random>

namespace pc {

class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
    std::int32_t draw() override { return static_cast<std::int32_t>(engine_() >> 1); }

private:
    std::mt19937 engine_;
};

} // namespace pc
