// The end of a battle: announced on the winner's next turn, and again on every later press.
#include "BattleTestKit.h"

#include <gtest/gtest.h>

namespace {

// The winner (wait 2) downs the loser (wait 3, 10 HP) with one plain attack.
TEST(BattleEnd, IsAnnouncedOnTheWinnersNextTurnAndAgainAfterOneStep)
{
    for (const auto& [playerWins, message] : {std::pair{true, "プレイヤーの勝利！"}, {false, "プレイヤーの敗北・・・"}}) {
        BattleKit kit;
        const MemberDraft strongDraft{.name = "強者", .WP = 2, .ATK = 100, .HIT = 100};
        const MemberDraft weakDraft{.name = "弱者", .HP = 10, .WP = 3, .DEF = 0, .HIT = 0};
        pc::OBJE* strong = playerWins ? kit.player(strongDraft) : kit.enemy(strongDraft);
        pc::OBJE* weak = playerWins ? kit.enemy(weakDraft) : kit.player(weakDraft);
        kit.setUp();
        kit.script({0, 0, 0, 0});
        kit.press();
        EXPECT_EQ(weak->curStatus.HP, 0);
        EXPECT_NE(kit.view.naviText, message);

        kit.script({0, 0});
        kit.press();
        EXPECT_EQ(kit.view.naviText, message);
        EXPECT_EQ(kit.view.p1.name, "強者");
        EXPECT_EQ(kit.view.p2.name, "弱者");
        EXPECT_EQ(strong->curStatus.WP, 0) << "the announcing turn does not restart the wait";

        const double weakWait = weak->curStatus.WP;
        kit.view.naviText.clear();
        kit.script({0, 0});
        kit.press();
        EXPECT_EQ(kit.view.naviText, message);
        EXPECT_EQ(strong->curStatus.WP, -1);
        EXPECT_EQ(weak->curStatus.WP, weakWait) << "a single step";
    }
}

} // namespace
