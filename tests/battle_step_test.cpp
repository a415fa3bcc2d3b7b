// SPDX-License-Identifier: GPL-3.0-or-later
// One member's battle step: the choice of attack, its application and the messages.
#include "BattleTestKit.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kPlain = "勇者の攻撃！\nスライムは20のダメージを受けた！";

// Each case's draws follow the two target draws of the turn.
TEST(BattleStep, ChoosesTheAffordableAttackOfHighestValueOrMakesThePlainAttack)
{
    const struct {
        const char* name;
        std::vector<AttackDraft> attacks;
        Draws draws;
        const char* message;
        double heroHP = 100;
    } cases[] = {
        {"no attacks", {}, {0, 0}, kPlain},
        {"range 0", {{.range = 0}}, {0, 0}, kPlain},
        {"unaffordable only attack", {{.MP = 60}}, {0, 0, 0, 0, 0, 0, 0}, kPlain},
        {"unaffordable heal", {{.range = 5, .seed = 4, .MP = 60}}, {0, 0, 0, 0, 0, 0}, kPlain, 50},
        {"passed-over heal last in the list", {{}, {.range = 5, .seed = 4}}, {0, 0, 0, 0}, kPlain},
        {"value 0 still used", {{.name = "一", .prop = 0}}, {0, 0, 0, 0, 0}, "勇者の一!\nスライムは0のダメージを受けた！"},
        {"ties keep the earlier", {{.name = "一"}, {.name = "二"}}, {0, 0, 0, 0, 0, 0, 0},
         "勇者の一!\nスライムは10のダメージを受けた！"},
        {"higher value wins", {{.name = "一"}, {.name = "二"}}, {0, 0, 9, 0, 0, 0, 0},
         "勇者の二!\nスライムは11のダメージを受けた！"},
        {"unless unaffordable", {{.name = "一"}, {.name = "二", .MP = 51}}, {0, 0, 9, 0, 0, 0, 0},
         "勇者の一!\nスライムは10のダメージを受けた！"},
        {"unknown seed: a miss under the last name", {{.seed = 9}}, {}, "勇者の前の技!\nミス！\nスライムはダメージを受けていない！"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Duel duel(c.attacks, c.heroHP);
        duel.slime->baseResist[pc::RESIST::blow] = 0;
        duel.state.atkName = "前の技";
        duel.turn(c.draws);
        EXPECT_EQ(duel.view.naviText, c.message);
        EXPECT_EQ(duel.hero->curStatus.MP, 50);
    }
}

TEST(BattleStep, HealIsCappedButTheMessageGivesTheFullAmount)
{
    Duel duel({{.name = "回復", .range = 5, .seed = 4, .MP = 5.5, .succ = 0, .count = 60}}, 50);
    duel.turn({0, 0, 0, 0});
    EXPECT_EQ(duel.hero->curStatus.HP, 100);
    EXPECT_EQ(duel.hero->curStatus.MP, 45);
    EXPECT_EQ(duel.view.naviText, "勇者の回復!\n勇者はHPが60回復した！");
    EXPECT_EQ(duel.view.p2.name, "勇者");
}

} // namespace
