// Attack values by seed, spreads, the attribute adjustment, MP costs, rolls and the plain attack.
#include "BattleTestKit.h"

#include "battle/PlainAttack.h"
#include "battle/Values.h"

#include <gtest/gtest.h>

namespace {

using pc::OBJE;

struct ValueCase {
    const char* name;
    std::int32_t seed;
    double count;
    bool playerSide;
    std::vector<std::int32_t> draws;
    double expected;
};

class SingleTargetValues : public testing::TestWithParam<ValueCase> {};

// Actor: registered ATK 30, HIT 30, ARI 5; target: current DEF 25, ARI 20.
TEST_P(SingleTargetValues, FollowTheSeedFormula)
{
    const ValueCase& c = GetParam();
    BattleKit kit;
    OBJE* actor = kit.player({.ATK = 30, .HIT = 30, .ARI = 5});
    OBJE* target = kit.enemy({.DEF = 25, .ARI = 20});
    kit.script(c.draws);
    const auto value = pc::singleTargetValue(kit.random, *kit.attack(actor, {.seed = c.seed, .count = c.count}),
                                             *actor, *target, c.playerSide);
    EXPECT_EQ(value.value_or(-999), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Seeds, SingleTargetValues,
    testing::Values(ValueCase{"Seed0High", 0, 10, true, {9, 0}, 11}, ValueCase{"Seed0Low", 0, 10, true, {0, 9}, 9},
                    ValueCase{"Seed1Top", 1, 20, true, {49, 0}, 46},
                    ValueCase{"Seed1Bottom", 1, 20, true, {0, 49}, 28},
                    ValueCase{"Seed2UsesHit", 2, 20, true, {0, 0}, 37},
                    ValueCase{"Seed3UsesAri", 3, 20, true, {0, 0}, 5},
                    ValueCase{"Seed4PlayerSpreads", 4, 10, true, {9, 0}, 11},
                    ValueCase{"Seed4EnemyIsFixed", 4, 10, false, {9, 0}, 10},
                    ValueCase{"Seed5SmallBaseIsExact", 5, 10, true, {12345}, 15},
                    ValueCase{"UnknownSeedHasNone", 6, 10, true, {}, -999},
                    ValueCase{"BaseTruncatingToZeroStillDraws", 0, 0.5, true, {7, 3}, 0},
                    ValueCase{"NegativeFractionalBase", 0, -0.5, true, {7, 3}, -1},
                    ValueCase{"HugeBaseSaturates", 0, 1e12, true, {2147483646, 0}, 1e12 + 429496729}),
    [](const testing::TestParamInfo<ValueCase>& info) { return info.param.name; });

TEST(MultiTargetValue, Seed2UsesAriAndSeed3HasNone)
{
    BattleKit kit;
    OBJE* actor = kit.player({.ATK = 30, .HIT = 90, .ARI = 5});
    OBJE* target = kit.enemy({.DEF = 25, .ARI = 20});
    kit.script({0, 0, 9, 0});
    EXPECT_EQ(pc::multiTargetValue(kit.random, *kit.attack(actor, {.seed = 2}), *actor, *target), -5);
    EXPECT_EQ(pc::multiTargetValue(kit.random, *kit.attack(actor, {.seed = 4}), *actor, *target), 11);
    EXPECT_FALSE(pc::multiTargetValue(kit.random, *kit.attack(actor, {.seed = 3}), *actor, *target));
}

TEST(Seed5Value, ProductWrapsInThirtyTwoBitsAndKeepsItsSign)
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
    target.baseResist.values.fill(100);
    target.baseResist[pc::RESIST::fire] = 50;
    target.baseResist[pc::RESIST::blow] = 0;
    target.baseResist[pc::RESIST::dark] = 200;
    target.baseResist[pc::RESIST::death] = 0;
    const std::pair<std::int32_t, double> cases[] = {
        {pc::RESIST::fire, 15}, {pc::RESIST::blow, 0}, {pc::RESIST::dark, 62}, {pc::RESIST::death, 31}, {-1, 31}};
    for (const auto& [prop, expected] : cases) {
        pc::ATTACK attack;
        attack.prop = prop;
        double value = 31;
        pc::propCase(attack, &target, value);
        EXPECT_EQ(value, expected) << prop;
        value = 31.5;
        pc::propCase(attack, nullptr, value);
        EXPECT_EQ(value, 31.5) << "nobody to scale by";
    }
}

TEST(MpCost, AddsThePercentageOfTheRegisteredMp)
{
    BattleKit kit;
    OBJE* actor = kit.player({.MP = 50});
    actor->curStatus.MP = 3;
    EXPECT_EQ(pc::mpCost(*kit.attack(actor, {.MP = 5, .MPP = 10}), *actor), 10);
}

TEST(Rolls, SucceedWhileTheChanceExceedsTheDrawModulo100)
{
    BattleKit kit;
    OBJE* actor = kit.player({.HIT = 30});
    OBJE* target = kit.enemy({.EVA = 30});
    OBJE* evasionless = kit.enemy({.EVA = 0});
    const pc::ATTACK* sure = kit.attack(actor, {.succ = 100, .hit = 100});
    const pc::ATTACK* never = kit.attack(actor, {.succ = 0, .hit = 0});
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
        std::vector<std::int32_t> draws;
        double hpAfter;
        const char* message;
        const char* log;
    } cases[] = {
        {30, 20, 100, {49, 29}, 71, "勇者の攻撃！\nスライムは29のダメージを受けた！", "計算式 30 + 10 - 10\n"},
        {30, 20, 100, {49, 0}, 80, "勇者の攻撃！\nスライムは20のダメージを受けた！", "計算式 30 + 10 - 10\n"},
        {30, 20, 100, {50}, 100, "勇者の攻撃！\nミス！\nスライムはダメージを受けていない！", ""},
        {0.5, 0, 100, {0, 12345}, 100, "勇者の攻撃！\nスライムは0のダメージを受けた！", "計算式 0.5 + 0.166667 - 0\n"},
        {30, 1000, 100, {0, 0}, 100, "勇者の攻撃！\nスライムは0のダメージを受けた！", "計算式 30 + 10 - 500\n"},
        {30, 0, 5, {0, 0}, 0, "勇者の攻撃！\nスライムは30のダメージを受けた！", "計算式 30 + 10 - 0\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        BattleKit kit;
        OBJE* actor = kit.player({.name = "勇者", .ATK = c.atk, .HIT = 30});
        OBJE* target = kit.enemy({.name = "スライム", .HP = c.hp, .DEF = c.def, .EVA = 30});
        kit.script(c.draws);
        pc::plainAttack(kit.ctx, *actor, *target);
        EXPECT_EQ(target->curStatus.HP, c.hpAfter);
        EXPECT_EQ(kit.view.naviText, c.message);
        EXPECT_EQ(kit.log.str(), c.log);
    }
}

} // namespace
