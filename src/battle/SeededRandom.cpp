// SPDX-License-Identifier: GPL-3.0-or-later
#include "SeededRandom.h"

namespace pc {

namespace {

constexpr std::size_t kShift = 397;
constexpr std::uint32_t kUpperBit = 0x80000000U;
constexpr std::uint32_t kTwist = 0x9908b0dfU;

std::uint32_t twisted(std::uint32_t upper, std::uint32_t lower, std::uint32_t far)
{
    const std::uint32_t y = (upper & kUpperBit) | (lower & ~kUpperBit);
    return far ^ (y >> 1) ^ ((y & 1U) != 0 ? kTwist : 0U);
}

} // namespace

SeededRandom::SeededRandom(std::uint32_t seed)
{
    state_[0] = seed;
    for (std::size_t i = 1; i < kStateSize; ++i)
        state_[i] = 1812433253U * (state_[i - 1] ^ (state_[i - 1] >> 30)) + static_cast<std::uint32_t>(i);
}

void SeededRandom::refill()
{
    std::size_t i = 0;
    for (; i < kStateSize - kShift; ++i)
        state_[i] = twisted(state_[i], state_[i + 1], state_[i + kShift]);
    for (; i < kStateSize - 1; ++i)
        state_[i] = twisted(state_[i], state_[i + 1], state_[i + kShift - kStateSize]);
    state_[kStateSize - 1] = twisted(state_[kStateSize - 1], state_[0], state_[kShift - 1]);
    for (i = 0; i < kStateSize; ++i) {
        std::uint32_t y = state_[i];
        y ^= y >> 11;
        y ^= (y << 7) & 0x9d2c5680U;
        y ^= (y << 15) & 0xefc60000U;
        y ^= y >> 18;
        draws_[i] = static_cast<std::int32_t>(y >> 1);
    }
    index_ = 0;
}

} // namespace pc
