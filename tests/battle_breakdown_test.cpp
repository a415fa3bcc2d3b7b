// The breakdown recorded with each battle message: its terms alone give back the value the message shows.
#include "BattleTestKit.h"

#include "battle/Explanation.h"
#include "records/Numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using pc::Formula;
using pc::Roll;

// The value worked out again from the recorded terms alone, each term checked against its draw.
double fromTerms(const pc::ValueTerms& v)
{
    EXPECT_EQ(v.base, v.count + v.statisticValue);
    EXPECT_EQ(v.truncated, pc::toInt32(v.base));
    double raw = 0;
    if (v.formula == Formula::seed5) {
        const auto product = static_cast<std::int32_t>(static_cast<std::uint32_t>(v.truncated / 20) *
                                                       static_cast<std::uint32_t>(v.draws[0]));
        EXPECT_EQ(v.terms[0], product % 5);
        raw = v.base + v.terms[0];
    } else {
        const std::size_t spreadTerms = v.formula == Formula::plain ? 1 : 2;
        for (std::size_t i = 0; i < spreadTerms; ++i)
            EXPECT_EQ(v.terms[i], pc::remainderOf(v.draws[i], v.truncated) / v.divisor) << "term " << i;
        const double defence = v.defence == pc::Defence::halfDEF ? v.defenceStatistic / 2.0 : v.defenceStatistic;
        EXPECT_EQ(v.defenceValue, v.defence == pc::Defence::none ? 0 : defence);
        raw = std::floor(v.base + v.terms[0] - (spreadTerms == 2 ? v.terms[1] : 0) - v.defenceValue);
    }
    EXPECT_EQ(v.raw, raw);
    return v.scaled ? std::floor(raw * v.resistance / 100.0) : raw;
}

void expectRollFromTerms(const pc::RollTerms& r)
{
    if (r.kind == Roll::none || r.kind == Roll::sure)
        return;
    const double bonus = r.actorHIT / r.targetEVA * 50.0;
    const double chance = r.kind == Roll::chance ? r.attackChance
                        : r.kind == Roll::bonus  ? r.attackChance + bonus
                                                 : bonus;
    EXPECT_EQ(r.chance, chance);
    EXPECT_EQ(r.remainder, pc::remainderOf(r.draw, 100));
    EXPECT_EQ(r.succeeded, r.chance - r.remainder > 0);
}

struct BreakdownCase {
    const char* name;
    std::vector<AttackDraft> attacks; // none: the plain attack; the last one is chosen
    Draws draws;                      // after the two target draws
    Formula formula;
    double heroHP = 100;
};

// The slime resists attribute p by 50 + 5p percent, so every attribute scales differently.
TEST(Breakdown, ReproducesTheValueOfEveryFormulaFromItsOwnTerms)
{
    const Draws five{1234567, 891011, 121314, 151617, 181920};
    const BreakdownCase cases[] = {
        {"seed 0", {{.prop = 8, .seed = 0}}, five, Formula::spread},
        {"seed 1", {{.prop = 1, .seed = 1, .count = 40}}, five, Formula::spread},
        {"seed 1 below 0", {{.prop = 0, .seed = 1, .count = -100}}, five, Formula::spread},
        {"seed 2", {{.prop = 15, .seed = 2, .MP = 5, .MPP = 10}}, five, Formula::spread},
        {"seed 3", {{.prop = 4, .seed = 3, .count = 77}}, five, Formula::spread},
        {"seed 4 heals", {{.prop = 14, .seed = 4}}, {1234567, 891011, 121314, 151617}, Formula::spread, 50},
        {"seed 5 heals", {{.prop = 12, .seed = 5, .count = 999}}, {1234567, 891011, 121314}, Formula::seed5, 50},
        {"seed 16 is not scaled", {{.prop = 16, .seed = 0}}, five, Formula::spread},
        {"the better of two", {{.prop = 7}, {.prop = 11, .seed = 1, .count = 40}},
         {1234567, 891011, 121314, 151617, 181920, 212223, 242526}, Formula::spread},
        {"multi-target seed 0", {{.range = 2, .prop = 9, .seed = 0}}, {0, 1234567, 891011, 121314, 151617},
         Formula::spread},
        {"multi-target seed 1", {{.range = 2, .prop = 2, .seed = 1}}, {0, 1234567, 891011, 121314, 151617},
         Formula::spread},
        {"multi-target seed 2", {{.range = 2, .prop = 3, .seed = 2}}, {0, 1234567, 891011, 121314, 151617},
         Formula::spread},
        {"multi-target seed 4", {{.range = 2, .prop = 5, .seed = 4}}, {0, 1234567, 891011, 121314}, Formula::spread},
        {"multi-target seed 5", {{.range = 2, .prop = 6, .seed = 5, .count = 500}}, {0, 1234567, 121314},
         Formula::seed5},
        {"plain attack", {}, {121314, 1234567}, Formula::plain},
    };
    for (const BreakdownCase& c : cases) {
        SCOPED_TRACE(c.name);
        Duel duel(c.attacks, c.heroHP);
        for (int p = 0; p < pc::kResistCount; ++p)
            duel.slime->baseResist[p] = static_cast<float>(50 + 5 * p);
        pc::BreakdownRecorder recorder;
        duel.ctx.breakdown = &recorder;
        duel.turn(c.draws);

        const pc::Breakdown& b = recorder.shown;
        const pc::ValueTerms& v = b.value;
        ASSERT_EQ(v.formula, c.formula);
        EXPECT_EQ(b.amount, std::max(0.0, fromTerms(v)));
        EXPECT_NE(duel.view.naviText.find(pc::formatG(b.amount)), std::string::npos) << duel.view.naviText;
        EXPECT_EQ(b.hpAfter, duel.slime->curStatus.HP);
        expectRollFromTerms(b.success);
        expectRollFromTerms(b.hit);

        const std::string text = pc::explain(b);
        if (c.formula == Formula::plain)
            continue;
        const int prop = c.attacks.back().prop;
        EXPECT_EQ(v.attribute, prop);
        EXPECT_EQ(v.scaled, prop <= pc::RESIST::dark);
        const std::string attribute = std::string("属性 ") + pc::kAttributeNames[static_cast<std::size_t>(prop)];
        const std::string scaling = v.scaled ? ": 耐性 " + pc::formatG(50 + 5 * prop) : ": 耐性では";
        EXPECT_NE(text.find(attribute + scaling), std::string::npos) << text;
    }
}

TEST(Breakdown, RecordsTheMpTakenAndTheRollThatSetACollectedFlag)
{
    // Two multi-target attacks: the first succeeds, the second (chosen, worth
    // more) cannot; its node keeps the first attack's successful rolls.
    Duel duel({{.range = 2, .count = 30}, {.name = "乙", .range = 2, .MP = 5, .MPP = 10, .succ = 0, .count = 40, .hit = 0}});
    pc::BreakdownRecorder recorder;
    duel.ctx.breakdown = &recorder;
    duel.turn({0, 0, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_EQ(duel.view.naviText, "勇者の乙!\nスライムは40のダメージを受けた！");

    const pc::Breakdown& b = recorder.shown;
    EXPECT_EQ(b.value.count, 40);
    for (const pc::RollTerms* roll : {&b.success, &b.hit}) {
        EXPECT_TRUE(roll->succeeded);
        EXPECT_TRUE(roll->carried);
        EXPECT_EQ(roll->attackChance, 100) << "the first attack's chance";
    }
    const pc::CostTerms& cost = b.cost;
    EXPECT_TRUE(cost.taken);
    EXPECT_EQ(cost.cost, cost.fixed + cost.percent * cost.registeredMP / 100.0);
    EXPECT_EQ(cost.after, cost.before - std::floor(cost.cost));
    EXPECT_EQ(cost.after, duel.hero->curStatus.MP);
    EXPECT_EQ(cost.after, 40);
}

} // namespace
