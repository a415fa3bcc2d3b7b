// Multi-target attacks: the choice by total, and multi-part actions applied one target per press.
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
        {"no total above 0", {{.range = 2, .count = 0}}, {0, 0, 0, 0, 0, 0, 0}, kPlain},
        {"seed 4 on opponents damages", {{.name = "甲", .range = 2, .seed = 4}}, {0, 0, 0, 0},
         "勇者の甲!\nスライムは10のダメージを受けた！"},
        {"own party healed", {{.name = "甲", .range = 6, .seed = 4, .succ = 0}}, {0, 0, 0, 0},
         "勇者の甲!\n勇者はHPが10回復した！", 50},
        {"own party never damaged", {{.range = 6}}, {0, 0, 0, 0, 0, 0, 0}, kPlain},
        {"mixed turn keeps the multi-target name and type", {{.name = "全体", .range = 2}, {.type = 1}},
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "勇者の全体!\nスライムは10のダメージを受けた！"},
        {"heal flag without a chosen value", {{.range = 2, .seed = 4}, {.range = 2, .MP = 60}},
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, kPlain, 50},
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

// The second player member acts on the second pass with a range-2 attack
// that draws three targets: E2, then E1 (E2 drawn again), then E3.
struct ThreeTargetAction : testing::Test {
    BattleKit kit;
    OBJE* cleric = kit.player({.name = "僧侶", .WP = 100});
    OBJE* hero = kit.player({.name = "勇者", .WP = 2});

    void SetUp() override
    {
        for (const char* name : {"E1", "E2", "E3"})
            kit.enemy({.name = name, .WP = 100});
        kit.attack(hero, {.name = "旋風", .range = 2});
        kit.setUp();
        kit.script({0, 0, 2, 1, 1, 0, 2});
        kit.script(Draws(12, 0));
        kit.press();
    }
};

TEST_F(ThreeTargetAction, AppliesOneTargetPerPressAndEndsWithTheActorsWait)
{
    EXPECT_EQ(kit.view.naviText, "勇者の旋風!\nE2は10のダメージを受けた！");
    EXPECT_TRUE(kit.state.multipleLoopFlag);
    for (const char* target : {"E1", "E3"}) {
        kit.press();
        EXPECT_EQ(kit.view.naviText, std::string(target) + "は10のダメージを受けた！");
        EXPECT_EQ(kit.view.p2.name, target);
        EXPECT_EQ(kit.state.currentNumberRP, 2);
        EXPECT_EQ(cleric->curStatus.WP, 98);
    }
    EXPECT_FALSE(kit.state.multipleLoopFlag);
    EXPECT_EQ(hero->curStatus.WP, 2);
    EXPECT_EQ(kit.state.RE, kit.state.REtop);
    for (OBJE* enemy = kit.state.REtop; enemy; enemy = enemy->next)
        EXPECT_EQ(enemy->curStatus.HP, 90);
}

TEST_F(ThreeTargetAction, EndsWhenANewBattleIsSetUp)
{
    kit.setUp();
    EXPECT_FALSE(kit.state.multipleLoopFlag);
    EXPECT_EQ(kit.state.pendingActor, nullptr);
    EXPECT_EQ(kit.state.targXcursor, 0u);
}

} // namespace
