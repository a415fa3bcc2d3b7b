// SPDX-License-Identifier: GPL-3.0-or-later
// A battle copied out of its state goes on as the original does, apart from
// it; the odds of a battle whose end is certain.
#include "BattleTestKit.h"
#include "battle/BattleCopy.h"
#include "battle/Messages.h"
#include "battle/SeededRandom.h"
#include "battle/WinChance.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

using namespace pc;

namespace {

std::vector<std::string> pressOn(AppState& state, BattleView& view, std::uint32_t seed, int presses)
{
    SeededRandom random(seed);
    std::ostringstream log;
    BattleContext ctx{state, view, random, log};
    std::vector<std::string> texts;
    while (presses-- > 0) {
        Navigation(ctx);
        texts.push_back(view.naviText + "|" + view.p1.name + "|" + view.p2.name);
    }
    return texts;
}

// Everything of a battle a press reads or writes, cursors as positions.
std::string battleOf(const AppState& s)
{
    std::ostringstream out;
    for (const OBJE* top : {s.RPtop, s.REtop})
        for (const OBJE* m = top; m; m = m->next)
            out << m->name << ' ' << m->curStatus.HP << ' ' << m->curStatus.MP << ' ' << m->curStatus.WP << ';';
    const auto at = [](const OBJE* top, const OBJE* m) {
        int row = 0;
        for (const OBJE* n = top; n; n = n->next, ++row)
            if (n == m)
                return row;
        return -1;
    };
    out << at(s.RPtop, s.RP) << at(s.REtop, s.RE) << at(s.RPtop, s.pendingActor) << at(s.REtop, s.pendingActor)
        << s.stopBattleLoop << s.multipleLoopFlag << s.playerAttackFlag << s.currentNumberRP << s.currentNumberRE
        << s.targetNumb << s.atkName << s.zenjutsu << s.MOSTDMGplayer << s.MOSTDMGenemy << s.targXcursor
        << s.pendingHealsOwnParty << s.targ.size() << s.targX.size();
    for (const TargetNode& n : s.targX)
        out << ' ' << n.position << ' ' << n.value << n.hit << n.success;
    return out.str();
}

// Two against three; the sweeper's three-part actions are under way at many presses.
struct Skirmish : BattleKit {
    Skirmish()
    {
        attack(player({.name = "勇者", .HP = 400, .WP = 3}), {.name = "薙ぎ払い", .range = 4, .count = 30});
        attack(player({.name = "僧侶", .HP = 300, .WP = 4}));
        for (const char* name : {"スライムA", "スライムB", "スライムC"})
            attack(enemy({.name = name, .HP = 250, .WP = 2}), {.name = "体当たり", .count = 25});
        setUp();
    }
};

} // namespace

// Copied at any press, a battle pressed on with the same draws goes as the original does.
RC_GTEST_PROP(BattleCopy, GoesOnAsTheOriginalWithTheSameDrawsAndApartFromIt, (std::uint32_t seed))
{
    Skirmish battle;
    pressOn(battle.state, battle.view, seed, *rc::gen::inRange(0, 40));
    RC_CLASSIFY(battle.state.multipleLoopFlag, "an action under way");
    BattleCopy copy = copyBattle(battle.state, battle.view);
    RC_ASSERT(battleOf(*copy.state) == battleOf(battle.state));
    RC_ASSERT(pressOn(*copy.state, copy.view, seed + 1, 60) == pressOn(battle.state, battle.view, seed + 1, 60));
    RC_ASSERT(battleOf(*copy.state) == battleOf(battle.state));
}

TEST(WinChance, IsCertainWhenOneSideHasFallenAndOnlyTheLatestStartShows)
{
    for (const bool playerFallen : {false, true}) {
        Skirmish battle;
        for (OBJE* m = playerFallen ? battle.state.RPtop : battle.state.REtop; m; m = m->next)
            m->curStatus.HP = 0;
        WinChanceEstimator estimator({.runs = 200, .threads = 2});
        estimator.start(copyBattle(battle.state, battle.view));
        const std::uint64_t latest = estimator.start(copyBattle(battle.state, battle.view));
        estimator.wait();
        const auto result = estimator.take();
        ASSERT_TRUE(result);
        EXPECT_EQ(result->generation, latest);
        EXPECT_EQ(result->estimate.runs, 200);
        EXPECT_EQ(result->estimate.chance, playerFallen ? 0.0 : 1.0);
        EXPECT_FALSE(estimator.take()) << "handed out once";
    }
}
