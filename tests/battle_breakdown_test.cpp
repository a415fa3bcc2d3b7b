// SPDX-License-Identifier: GPL-3.0-or-later
// The breakdown recorded with a battle message names the attack's attribute and shows its scaling.
#include "BattleTestKit.h"
#include "battle/Explanation.h"
#include "battle/LogExport.h"

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

TEST(Breakdown, ShowsBothDrawsTheMpBeforeAndAfterAndWhetherAHealStoppedAtTheRegisteredHp)
{
    pc::Breakdown heal{.source = pc::Source::singleTarget, .effect = pc::Effect::heal, .amount = 39, .hpBefore = 40};
    heal.value = {.formula = pc::Formula::spread, .count = 40, .base = 40, .truncated = 40, .draws = {17, 23},
                  .terms = {3, 4}, .raw = 39, .value = 39};
    heal.cost = {.fixed = 5, .percent = 10, .registeredMP = 50, .cost = 10, .taken = true, .before = 30, .after = 20};
    const std::pair<double, std::string> cases[] = {{79, "回復 39: HP 40 → 79\n"}, {60, "回復 39: HP 40 → 60（最大HPまで）\n"}};
    for (const auto& [after, line] : cases) {
        heal.hpAfter = after;
        const std::string text = pc::explain(heal) + "\n";
        for (const std::string& shown : {std::string("ばらつき: (17 % 40) / 5 = 3、(23 % 40) / 5 = 4\n"),
                                         std::string("消費MP: 5 + 10% × 最大MP 50 = 10、MP 30 → 20\n"), line})
            EXPECT_NE(text.find(shown), std::string::npos) << text;
    }
}

// Every name column of the saved log is quoted where it must be; every seed is named.
TEST(BattleLog, QuotesEveryNameColumnAndNamesTheSeedsAtBothEnds)
{
    const pc::LogEntry entry{.message = "m", .breakdown = {}, .actor = "A,1", .attack = "B\"2", .target = "C,\"3\""};
    EXPECT_TRUE(pc::logAsCsv({entry}).ends_with("\r\n1,\"A,1\",\"B\"\"2\",\"C,\"\"3\"\"\"" + std::string(14, ',')
                                                 + "m\r\n"));
    EXPECT_EQ(pc::seedLine(0), "シード 0");
    EXPECT_EQ(pc::seedLine(4294967295u), "シード 4294967295");
}
