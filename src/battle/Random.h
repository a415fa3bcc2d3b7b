// SPDX-License-Identifier: GPL-3.0-or-later
// The one source of random draws of a battle, injectable so tests can script it.
#pragma once

#include <cstdint>
#include <cstdlib>

namespace pc {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // One draw, from 0 to RAND_MAX like the C library's rand().
    virtual std::int32_t draw() = 0;
};

// The application's source: the C library generator, never seeded.
class CRandomSource final : public RandomSource {
public:
    std::int32_t draw() override { return std::rand(); }
};

} // namespace pc
