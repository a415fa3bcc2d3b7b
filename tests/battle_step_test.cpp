// One member's battle step: the wait, the choice of attack, its application and the messages.
#include "BattleTestKit.h"

#include "battle/BattleStep.h"

#include <gtest/gtest.h>

namespace {

using pc::OBJE;
using Draws = std::vector<std::int32_t>;

// A player member with one enemy; each turn begins with the two target draws.
class BattleStepTest : public testing::Test {
protected:
    BattleKit kit;
    OBJE* hero = kit.player({.name = "勇者"});
    OBJE* slime = kit.enemy({.name = "スライム"});

    void SetUp() override { restart(); }
    void restart(const std::vector<AttackSpec>& attacks = {})
    {
        kit.setUp();
        kit.state.playerAttackFlag = true;
        hero->attacks = nullptr;
        for (const AttackSpec& spec : attacks)
            kit.attack(hero, spec);
    }
    void step() { pc::theBattleLoop(kit.ctx, *hero); }
    void turn(const Draws& draws)
    {
        kit.script({0, 0});
        kit.script(draws);
        step();
    }
};

TEST_F(BattleStepTest, WaitOfThreeActsOnTheThirdStep)
{
    hero->baseStatus.WP = hero->curStatus.WP = 3;
    hero->curStatus.HIT = 0;
    step();
    step();
    EXPECT_EQ(hero->curStatus.WP, 1);
    EXPECT_EQ(kit.view.p1.name, "ーーーー");
    EXPECT_FALSE(kit.state.stopBattleLoop);
    turn({0});
    EXPECT_EQ(hero->curStatus.WP, 3);
    EXPECT_TRUE(kit.state.stopBattleLoop);
    EXPECT_EQ(kit.view.p1.name, "勇者");
    EXPECT_EQ(kit.view.p2.name, "スライム");
}

TEST_F(BattleStepTest, FallenMemberOnlyCountsDown)
{
    hero->curStatus.HP = 0;
    step();
    EXPECT_EQ(hero->curStatus.WP, 0);
    EXPECT_FALSE(kit.state.stopBattleLoop);
    EXPECT_EQ(kit.view.p1.name, "ーーーー");
}

TEST_F(BattleStepTest, TurnsWithoutAUsableAttackMakeThePlainAttack)
{
    const struct {
        const char* name;
        std::vector<AttackSpec> attacks;
        Draws choiceDraws;
        double heroHP = 100;
    } cases[] = {
        {"no attacks", {}, {}},
        {"range 0", {{.range = 0}}, {}},
        {"unaffordable only attack", {{.MP = 60}}, {0, 0, 0, 0, 0}},
        {"passed-over heal last in the list", {{}, {.range = 5, .seed = 4}}, {0, 0}},
        {"unaffordable heal", {{.range = 5, .seed = 4, .MP = 60}}, {0, 0, 0, 0}, 50},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        restart(c.attacks);
        hero->curStatus.HP = c.heroHP;
        Draws draws = c.choiceDraws;
        draws.insert(draws.end(), {0, 0});
        turn(draws);
        EXPECT_EQ(kit.view.naviText, "勇者の攻撃！\nスライムは20のダメージを受けた！");
        EXPECT_EQ(hero->curStatus.MP, 50);
    }
}

TEST_F(BattleStepTest, ChoosesTheHighestAffordableValueEvenZero)
{
    const struct {
        std::vector<AttackSpec> attacks;
        Draws draws;
        const char* message;
    } cases[] = {
        {{{.name = "一", .prop = 0}}, {0, 0, 0, 0, 0}, "勇者の一!\nスライムは0のダメージを受けた！"},
        {{{.name = "一"}, {.name = "二"}}, {0, 0, 0, 0, 0, 0, 0}, "勇者の一!\nスライムは10のダメージを受けた！"},
        {{{.name = "一"}, {.name = "二"}}, {0, 0, 9, 0, 0, 0, 0}, "勇者の二!\nスライムは11のダメージを受けた！"},
        {{{.name = "一"}, {.name = "二", .MP = 51}}, {0, 0, 9, 0, 0, 0, 0}, "勇者の一!\nスライムは10のダメージを受けた！"},
    };
    slime->baseResist[pc::RESIST::blow] = 0;
    for (const auto& c : cases) {
        restart(c.attacks);
        hero->curStatus.MP = 50;
        turn(c.draws);
        EXPECT_EQ(kit.view.naviText, c.message);
    }
}

TEST_F(BattleStepTest, PrefixFollowsTheAttackType)
{
    const std::pair<std::int32_t, const char*> cases[] = {{0, "勇者の斬り!\n"}, {1, "勇者は斬りを唱えた！\n"},
                                                          {2, "勇者の斬り！\n"}, {5, "勇者の斬り！\n"},
                                                          {6, "前の行\n"},     {-1, "前の行\n"}};
    for (const auto& [type, prefix] : cases) {
        restart({{.type = type, .succ = 0}});
        kit.state.zenjutsu = "前の行\n";
        turn({0, 0, 0, 0, 0});
        EXPECT_EQ(kit.view.naviText, std::string(prefix) + "ミス！\nスライムはダメージを受けていない！");
    }
}

TEST_F(BattleStepTest, HealIsCappedButTheMessageGivesTheFullAmount)
{
    restart({{.name = "回復", .range = 5, .seed = 4, .MP = 5.5, .succ = 0, .count = 60}});
    hero->curStatus.HP = 50;
    turn({0, 0, 0, 0});
    EXPECT_EQ(hero->curStatus.HP, 100);
    EXPECT_EQ(hero->curStatus.MP, 45);
    EXPECT_EQ(kit.view.naviText, "勇者の回復!\n勇者はHPが60回復した！");
    EXPECT_EQ(kit.view.p2.name, "勇者");
}

TEST_F(BattleStepTest, AttackAgainstAMissingHealTargetStaysUnscaled)
{
    restart({{.range = 5, .prop = pc::RESIST::blow}});
    slime->baseResist[pc::RESIST::blow] = 0;
    hero->baseResist[pc::RESIST::blow] = 0;
    turn({0, 0, 0, 0, 0});
    EXPECT_EQ(slime->curStatus.HP, 90);
}

// A seed-1 attack worth nothing (DEF 200) with hit 0: its own roll hits on a
// draw below 50, where a plain hit roll (seed 0) or a heal (seed 4) would differ.
TEST_F(BattleStepTest, DefaultChoiceRollsByItsOwnSeed)
{
    const struct {
        const char* name;
        std::vector<AttackSpec> attacks;
        Draws draws;
    } cases[] = {
        {"passed-over heal first", {{.range = 5, .seed = 4}, {.name = "突き", .seed = 1, .hit = 0}}, {0, 0, 0, 49, 0}},
        {"next attack of seed 0", {{.name = "突き", .seed = 1, .hit = 0}, {.seed = 0, .count = 0, .hit = 0}},
         {0, 0, 0, 0, 0, 40, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        restart(c.attacks);
        slime->curStatus.DEF = 200;
        turn(c.draws);
        EXPECT_EQ(kit.view.naviText, "勇者の突き!\nスライムは0のダメージを受けた！");
    }
}

} // namespace
