// The breakdown recorded with a battle message names the attack's attribute and shows its scaling.
#include "BattleTestKit.h"
#include "battle/Explanation.h"

#include <gtest/gtest.h>

TEST(Breakdown, NamesTheAttributeAndShowsTheResistancesScaling)
{
    const std::pair<std::int32_t, const char*> cases[] = {
        {8, "属性 炎: 耐性 50 → floor(10 × 50 / 100) = 5"},
        {9, "属性 冷気: 耐性 200 → floor(10 × 200 / 100) = 20"},
        {16, "属性 毒: 耐性では増減しない"},
    };
    for (const auto& [prop, line] : cases) {
        Duel duel({{.prop = prop, .count = 10}});
        duel.slime->baseResist[pc::RESIST::fire] = 50;
        duel.slime->baseResist[pc::RESIST::cold] = 200;
        pc::BreakdownRecorder recorder;
        duel.ctx.breakdown = &recorder;
        duel.turn({0, 0, 0, 0, 0});
        const std::string text = pc::explain(recorder.shown);
        EXPECT_NE(text.find(line), std::string::npos) << text;
    }
}
