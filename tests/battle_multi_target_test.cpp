// SPDX-License-Identifier: GPL-3.0-or-later
// Multi-target attacks: the choice by total, costs, and parts that miss.
#include "BattleTestKit.h"

#include <gtest/gtest.h>

namespace {

using pc::OBJE;

constexpr const char* kPlain = "勇者の攻撃！\nスライムは20のダメージを受けた！";

// Against one enemy every list has one node, drawn first; a node of seed 0
// then draws twice for its value, once for success and once to hit.
TEST(MultiTargetChoice, TakesTheHighestTotalAndFallsBackWhenNoneCanBeUsed)
{
    const AttackDraft first{.name = "甲", .range = 2, .count = 30}, second{.name = "乙", .range = 2, .count = 30};
    const struct {
        const char* name;
        std::vector<AttackDraft> attacks;
        Draws draws;
        const char* message;
        double heroHP = 100;
    } cases[] = {
        {"ties keep the first", {first, second}, {0, 0, 0, 0, 0, 0, 0, 0, 0}, "勇者の甲!\nスライムは30のダメージを受けた！"},
        {"a higher total wins", {first, second}, {0, 0, 0, 0, 0, 5, 0, 0, 0}, "勇者の乙!\nスライムは31のダメージを受けた！"},
        {"one unaffordable rules out all", {first, {.range = 2, .MP = 60}}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, kPlain},
        {"node flags collect", {first, {.name = "乙", .range = 2, .succ = 0, .count = 40, .hit = 0}},
         {0, 0, 0, 0, 0, 0, 0, 0, 0}, "勇者の乙!\nスライムは40のダメージを受けた！"},
        {"an unaffordable seed 4 rules out all", {{.range = 2, .seed = 4, .MP = 60}}, {0, 0, 0, 0, 0, 0}, kPlain},
        {"a part that fails misses", {{.name = "甲", .range = 2, .succ = 0}}, {0, 0, 0, 0, 0},
         "勇者の甲!\nミス！\nスライムはダメージを受けていない！"},
        {"own party healed", {{.name = "甲", .range = 6, .seed = 4, .succ = 0}}, {0, 0, 0, 0},
         "勇者の甲!\n勇者はHPが10回復した！", 50},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Duel duel(c.attacks, c.heroHP);
        duel.turn(c.draws);
        EXPECT_EQ(duel.view.naviText, c.message);
        EXPECT_FALSE(duel.state.multipleLoopFlag) << "a one-target action ends in the acting step";
        EXPECT_EQ(duel.hero->curStatus.WP, 1);
    }
}

} // namespace
