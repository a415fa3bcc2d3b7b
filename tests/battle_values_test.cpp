// SPDX-License-Identifier: GPL-3.0-or-later
// Attack values by seed, spreads, the attribute adjustment, MP costs, rolls and the plain attack.
#include "BattleTestKit.h"

#include "battle/PlainAttack.h"
#include "battle/Values.h"

#include <gtest/gtest.h>

namespace {

using pc::OBJE;

constexpr double kNone = -999;

// Actor: registered ATK 30, HIT 30, ARI 5; target: current DEF 25, ARI 20.
TEST(AttackValue, FollowsTheSeedFormulaOfTheChoice)
{
    const struct {
        std::int32_t seed;
        double count;
        bool playerSide, multi;
        Draws draws;
        double expected;
    } cases[] = {
        {0, 10, true, false, {0, 9}, 9},   {1, 20, true, false, {49, 0}, 46}, {2, 20, true, false, {0, 0}, 37},
        {2, 20, true, true, {0, 0}, 5},    {3, 20, true, false, {0, 0}, 5},   {3, 20, true, true, {}, kNone},
        {4, 10, true, false, {9, 0}, 11},  {4, 10, false, false, {9, 0}, 10}, {4, 10, false, true, {9, 0}, 11},
        {6, 10, true, false, {}, kNone},   {0, -0.5, true, false, {7, 3}, -1},
    };
    for (const auto& c : cases) {
        BattleKit kit;
        OBJE* actor = kit.player({.ATK = 30, .HIT = 30, .ARI = 5});
        OBJE* target = kit.enemy({.DEF = 25, .ARI = 20});
        const pc::ATTACK* attack = kit.attack(actor, {.seed = c.seed, .count = c.count});
        kit.script(c.draws);
        const auto value = c.multi ? pc::multiTargetValue(kit.random, *attack, *actor, *target)
                                   : pc::singleTargetValue(kit.random, *attack, *actor, *target, c.playerSide);
        EXPECT_EQ(value.value_or(kNone), c.expected) << "seed " << c.seed << ", count " << c.count;
    }
}

TEST(AttackValue, Seed5ProductWrapsInThirtyTwoBitsAndKeepsItsSign)
{
    // T / 20 = 65536: times 65539 wraps to 196608 (3 mod 5), times 32768 to -2^31 (-3 mod 5).
    const double base = 65536.0 * 20;
    ScriptedRandom random{65539, 32768};
    EXPECT_EQ(pc::seed5Value(random, base), base + 3);
    EXPECT_EQ(pc::seed5Value(random, base), base - 3);
}

TEST(PropCase, ScalesByResistancesToAttributes0To15Only)
{
    OBJE target;
    target.baseResist.values = {0, 100, 100, 100, 100, 100, 100, 100, 50, 100, 100,
                                100, 100, 100, 100, 200, 100, 100, 100, 100, 100, 0};
    const std::pair<std::int32_t, double> cases[] = {{8, 15}, {0, 0}, {15, 62}, {21, 31}, {-1, 31}};
    for (const auto& [prop, expected] : cases) {
        pc::ATTACK attack;
        attack.prop = prop;
        double value = 31, alone = 31.5;
        pc::propCase(attack, &target, value);
        pc::propCase(attack, nullptr, alone);
        EXPECT_EQ(value, expected) << prop;
        EXPECT_EQ(alone, 31.5) << "nobody to scale by";
    }
}

TEST(Rolls, CostAndChancesAgainstTheDrawModulo100)
{
    BattleKit kit;
    OBJE* actor = kit.player({.MP = 50, .HIT = 30});
    OBJE* target = kit.enemy({.EVA = 30});
    OBJE* evasionless = kit.enemy({.EVA = 0});
    const pc::ATTACK* sure = kit.attack(actor, {.MP = 5, .MPP = 10, .succ = 100, .hit = 100});
    const pc::ATTACK* never = kit.attack(actor, {.succ = 0, .hit = 0});
    actor->curStatus.MP = 20;
    EXPECT_EQ(pc::mpCost(*sure, *actor), 10) << "a share of the registered MP, not of what is left";
    kit.script({99, 0, 99, 49, 50, 149, 99, 0});
    EXPECT_TRUE(pc::successRoll(kit.random, *sure));
    EXPECT_FALSE(pc::successRoll(kit.random, *never));
    EXPECT_TRUE(pc::plainHitRoll(kit.random, *sure));
    EXPECT_TRUE(pc::hitRollWithBonus(kit.random, *never, *actor, *target)) << "chance 50";
    EXPECT_FALSE(pc::hitRollWithBonus(kit.random, *never, *actor, *target));
    EXPECT_TRUE(pc::hitRollWithBonus(kit.random, *never, *actor, *target)) << "149 % 100 is 49";
    EXPECT_TRUE(pc::hitRollWithBonus(kit.random, *never, *actor, *evasionless)) << "infinite bonus";
    actor->curStatus.HIT = 0;
    EXPECT_FALSE(pc::hitRollWithBonus(kit.random, *never, *actor, *evasionless)) << "0 / 0 never hits";
}

TEST(PlainAttack, DamagesByAtkSpreadLessHalfTheDefenceAndLogsTheFormula)
{
    const struct {
        double atk, def, hp;
        Draws draws;
        double hpAfter;
        int damage;
        const char* log;
    } cases[] = {
        {30, 20, 100, {49, 29}, 71, 29, "計算式 30 + 10 - 10\n"},
        {30, 20, 100, {50}, 100, -1, ""},
        {30, 1000, 100, {0, 0}, 100, 0, "計算式 30 + 10 - 500\n"},
        {30, 0, 5, {0, 0}, 0, 30, "計算式 30 + 10 - 0\n"},
    };
    for (const auto& c : cases) {
        BattleKit kit;
        OBJE* actor = kit.player({.name = "勇者", .ATK = c.atk, .HIT = 30});
        OBJE* target = kit.enemy({.name = "スライム", .HP = c.hp, .DEF = c.def, .EVA = 30});
        kit.script(c.draws);
        pc::plainAttack(kit.ctx, *actor, *target);
        EXPECT_EQ(target->curStatus.HP, c.hpAfter);
        EXPECT_EQ(kit.view.naviText, c.damage < 0 ? "勇者の攻撃！\nミス！\nスライムはダメージを受けていない！"
                                                  : "勇者の攻撃！\nスライムは" + std::to_string(c.damage) + "のダメージを受けた！");
        EXPECT_EQ(kit.log.str(), c.log);
    }
}

} // namespace
