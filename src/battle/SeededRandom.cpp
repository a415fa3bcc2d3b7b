// SPDX-License-Identifier: GPL-3.0-or-later
#include "SeededRandom.h"

#include <cstring>

namespace pc {

namespace {

constexpr std::size_t kShift = 397;
constexpr std::uint32_t kUpperBit = 0x80000000U;
constexpr std::uint32_t kTwist = 0x9908b0dfU;

// Four words at once; the refill's every step is the same for each word.
using Lanes = std::uint32_t __attribute__((vector_size(16)));
constexpr std::size_t kLanes = 4;

Lanes lanesAt(const std::uint32_t* words)
{
    Lanes lanes;
    std::memcpy(&lanes, words, sizeof lanes);
    return lanes;
}

template <typename Word>
void put(Word* words, Lanes lanes)
{
    static_assert(sizeof(Word) * kLanes == sizeof lanes);
    std::memcpy(words, &lanes, sizeof lanes);
}

template <typename Words>
Words twisted(Words upper, Words lower, Words far)
{
    const Words y = (upper & kUpperBit) | (lower & ~kUpperBit);
    return far ^ (y >> 1) ^ ((0U - (y & 1U)) & kTwist);
}

// A word's draw: tempered, its top 31 bits.
template <typename Words>
Words drawOf(Words y)
{
    y ^= y >> 11;
    y ^= (y << 7) & 0x9d2c5680U;
    y ^= (y << 15) & 0xefc60000U;
    y ^= y >> 18;
    return y >> 1;
}

// The seeding of word i from word i - 1.
std::uint32_t seedingStep(std::uint32_t previous, std::size_t i)
{
    return 1812433253U * (previous ^ (previous >> 30)) + static_cast<std::uint32_t>(i);
}

} // namespace

SeededRandom::SeededRandom(std::uint32_t seed)
{
    state_[0] = seed;
    for (std::size_t i = 1; i < kStateSize; ++i)
        state_[i] = seedingStep(state_[i - 1], i);
}

void SeededRandom::reseedFour(std::array<SeededRandom, 4>& four, std::uint32_t first)
{
    std::uint32_t* a = four[0].state_.data();
    std::uint32_t* b = four[1].state_.data();
    std::uint32_t* c = four[2].state_.data();
    std::uint32_t* d = four[3].state_.data();
    std::array<std::uint32_t, 4> words{first, first + 1, first + 2, first + 3};
    for (std::size_t i = 0;;) {
        a[i] = words[0];
        b[i] = words[1];
        c[i] = words[2];
        d[i] = words[3];
        if (++i == kStateSize)
            break;
        for (std::uint32_t& word : words)
            word = seedingStep(word, i);
    }
    for (SeededRandom& random : four)
        random.index_ = kStateSize;
}

// Each word is twisted with the next one, still old, and the one kShift on,
// old for the first kStateSize - kShift words and already new after them, so
// four neighbours are made at once exactly as one by one.
void SeededRandom::refill()
{
    std::uint32_t* x = state_.data();
    std::int32_t* out = draws_.data();
    // Each new word is tempered into its draw as soon as it is made.
    const auto make = [x, out](std::size_t i, Lanes lanes) {
        put(x + i, lanes);
        put(out + i, drawOf(lanes));
    };
    std::size_t i = 0;
    for (; i + kLanes <= kStateSize - kShift; i += kLanes)
        make(i, twisted(lanesAt(x + i), lanesAt(x + i + 1), lanesAt(x + i + kShift)));
    for (; i < kStateSize - kShift; ++i) {
        x[i] = twisted(x[i], x[i + 1], x[i + kShift]);
        out[i] = static_cast<std::int32_t>(drawOf(x[i]));
    }
    static_assert((kShift - 1) % kLanes == 0, "the second run of words fills whole lanes");
    for (; i < kStateSize - 1; i += kLanes)
        make(i, twisted(lanesAt(x + i), lanesAt(x + i + 1), lanesAt(x + i - (kStateSize - kShift))));
    x[kStateSize - 1] = twisted(x[kStateSize - 1], x[0], x[kShift - 1]);
    out[kStateSize - 1] = static_cast<std::int32_t>(drawOf(x[kStateSize - 1]));
    index_ = 0;
}

} // namespace pc
