// The application's source of battle draws: the C library's unseeded rand(),
// or, for a battle that must go as a seeded batch battle went, the seeded
// source of partyclash-sim.
#pragma once

#include "battle/Random.h"
#include "sim/SeededRandom.h"

#include <cstdint>
#include <cstdlib>
#include <optional>

namespace pc {

class AppRandom final : public RandomSource {
public:
    void seed(std::uint32_t seed) { seeded_.emplace(seed); }
    void unseed() { seeded_.reset(); }
    std::int32_t draw() override { return seeded_ ? seeded_->draw() : std::rand(); }

private:
    std::optional<sim::SeededRandom> seeded_;
};

} // namespace pc
