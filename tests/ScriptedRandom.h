// SPDX-License-Identifier: GPL-3.0-or-later
// A random source that hands out exactly the scripted draws, and fails the test
// when one draw too many is asked for or a scripted draw is left unused.
#pragma once

#include "battle/Random.h"

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>

class ScriptedRandom final : public pc::RandomSource {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<std::int32_t> draws) : draws_(draws) {}
    ~ScriptedRandom() override { EXPECT_TRUE(draws_.empty()) << draws_.size() << " scripted draws left unused"; }

    void add(std::initializer_list<std::int32_t> draws) { draws_.insert(draws_.end(), draws); }

    std::int32_t draw() override
    {
        ++made_;
        if (draws_.empty()) {
            ADD_FAILURE() << "draw " << made_ << " was not scripted";
            return 0;
        }
        const std::int32_t value = draws_.front();
        draws_.pop_front();
        return value;
    }

private:
    std::deque<std::int32_t> draws_;
    int made_ = 0;
};
