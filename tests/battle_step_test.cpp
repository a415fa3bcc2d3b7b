// One member's battle step: the wait, the choice of attack, its application and the messages.
#include "BattleTestKit.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kPlain = "勇者の攻撃！\nスライムは20のダメージを受けた！";

TEST(BattleStep, WaitOfThreeActsOnTheThirdStepAndAFallenMemberOnlyCountsDown)
{
    Duel duel;
    duel.hero->baseStatus.WP = duel.hero->curStatus.WP = 3;
    duel.hero->curStatus.HIT = 0;
    duel.step();
    duel.step();
    EXPECT_EQ(duel.hero->curStatus.WP, 1);
    EXPECT_EQ(duel.view.p1.name, "ーーーー");
    EXPECT_FALSE(duel.state.stopBattleLoop);
    duel.turn({0});
    EXPECT_EQ(duel.hero->curStatus.WP, 3);
    EXPECT_TRUE(duel.state.stopBattleLoop);
    EXPECT_EQ(duel.view.p1.name, "勇者");
    EXPECT_EQ(duel.view.p2.name, "スライム");

    duel.state.stopBattleLoop = false;
    duel.hero->curStatus = {.HP = 0, .WP = 1};
    duel.view.p1.name.clear();
    duel.step();
    EXPECT_EQ(duel.hero->curStatus.WP, 0);
    EXPECT_FALSE(duel.state.stopBattleLoop);
    EXPECT_EQ(duel.view.p1.name, "");
}

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

TEST(BattleStep, PrefixFollowsTheAttackType)
{
    const std::pair<std::int32_t, const char*> cases[] = {{0, "勇者の斬り!\n"}, {1, "勇者は斬りを唱えた！\n"},
                                                          {2, "勇者の斬り！\n"}, {5, "勇者の斬り！\n"},
                                                          {6, "前の行\n"},     {-1, "前の行\n"}};
    for (const auto& [type, prefix] : cases) {
        Duel duel({{.type = type, .succ = 0}});
        duel.state.zenjutsu = "前の行\n";
        duel.turn({0, 0, 0, 0, 0});
        EXPECT_EQ(duel.view.naviText, std::string(prefix) + "ミス！\nスライムはダメージを受けていない！");
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

TEST(BattleStep, AttackAgainstAMissingHealTargetStaysUnscaled)
{
    Duel duel({{.range = 5, .prop = pc::RESIST::blow}});
    duel.slime->baseResist[pc::RESIST::blow] = duel.hero->baseResist[pc::RESIST::blow] = 0;
    duel.turn({0, 0, 0, 0, 0});
    EXPECT_EQ(duel.slime->curStatus.HP, 90);
}

// A seed-1 attack worth nothing (DEF 200) with hit 0: its own roll hits on a
// draw below 50, where a plain hit roll (seed 0) or a heal (seed 4) would differ.
TEST(BattleStep, DefaultChoiceRollsByItsOwnSeed)
{
    const struct {
        std::vector<AttackDraft> attacks;
        Draws draws;
    } cases[] = {
        {{{.range = 5, .seed = 4}, {.name = "突き", .seed = 1, .hit = 0}}, {0, 0, 0, 49, 0}},
        {{{.name = "突き", .seed = 1, .hit = 0}, {.seed = 0, .count = 0, .hit = 0}}, {0, 0, 0, 0, 0, 40, 0}},
    };
    for (const auto& c : cases) {
        Duel duel(c.attacks);
        duel.slime->curStatus.DEF = 200;
        duel.turn(c.draws);
        EXPECT_EQ(duel.view.naviText, "勇者の突き!\nスライムは0のダメージを受けた！");
    }
}

} // namespace
