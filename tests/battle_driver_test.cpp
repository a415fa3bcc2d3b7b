// The battle driver: passes over both parties, the resume rule across presses, and its stops.
#include "BattleTestKit.h"

#include <gtest/gtest.h>

namespace {

using pc::OBJE;

// A member that always misses with the plain attack: three draws per action.
MemberSpec misser(const char* name, double wp)
{
    return {.name = name, .WP = wp, .HIT = 0};
}

struct DriverTest : testing::Test {
    BattleKit kit;

    // One press that ends after exactly one action; returns the actor's name.
    std::string press()
    {
        kit.script({0, 0, 0});
        kit.press();
        EXPECT_TRUE(kit.state.stopBattleLoop);
        return kit.view.p1.name;
    }
};

TEST_F(DriverTest, TwoMembersOfWait500AlternateAfterTheFirstStop)
{
    OBJE* player = kit.player(misser("P", 500));
    OBJE* enemy = kit.enemy(misser("E", 500));
    kit.setUp();
    const struct {
        const char* actor;
        double playerWP, enemyWP;
    } presses[] = {{"P", 500, 1}, {"E", 499, 500}, {"P", 500, 1}, {"E", 499, 500}};
    for (const auto& p : presses) {
        EXPECT_EQ(press(), p.actor);
        EXPECT_EQ(player->curStatus.WP, p.playerWP);
        EXPECT_EQ(enemy->curStatus.WP, p.enemyWP);
    }
}

TEST_F(DriverTest, FirstStopResumesAtTheStoppedMemberLaterStopsAtTheNext)
{
    kit.player(misser("A", 1));
    kit.player(misser("B", 1));
    OBJE* c = kit.player(misser("C", 100));
    OBJE* enemy = kit.enemy(misser("E", 100));
    kit.setUp();
    for (const char* actor : {"A", "A", "B", "A"})
        EXPECT_EQ(press(), actor);
    EXPECT_EQ(c->curStatus.WP, 99);
    EXPECT_EQ(enemy->curStatus.WP, 99);
}

TEST_F(DriverTest, CounterPastTheLastMemberSkipsThatHalf)
{
    kit.player(misser("P", 1));
    OBJE* enemy = kit.enemy(misser("E", 100));
    kit.setUp();
    EXPECT_EQ(press(), "P");
    EXPECT_EQ(press(), "P");
    EXPECT_EQ(kit.state.currentNumberRP, 2);
    EXPECT_EQ(enemy->curStatus.WP, 100);
    EXPECT_EQ(press(), "P");
    EXPECT_EQ(enemy->curStatus.WP, 99);

    kit.state.currentNumberRP = 7;
    EXPECT_EQ(press(), "P");
    EXPECT_EQ(enemy->curStatus.WP, 98);
}

TEST_F(DriverTest, NewBattleResumesAtTheOldPositionWithFreshStatistics)
{
    kit.player({.name = "A", .WP = 1, .HIT = 100});
    kit.player(misser("B", 1));
    OBJE* enemy = kit.enemy(misser("E", 100));
    kit.setUp();
    kit.script({0, 0, 0, 0});
    kit.press();
    EXPECT_EQ(enemy->curStatus.HP, 80);

    kit.setUp();
    EXPECT_EQ(enemy->curStatus.HP, 100);
    EXPECT_EQ(enemy->curStatus.WP, 100);
    kit.script({0, 0, 0, 0});
    kit.press();
    EXPECT_EQ(kit.view.p1.name, "A");
    EXPECT_EQ(kit.state.currentNumberRP, 2);
}

TEST_F(DriverTest, PressWithNobodyLivingStopsAtOnce)
{
    OBJE* player = kit.player({.HP = 0});
    kit.enemy({.HP = 0});
    kit.setUp();
    kit.press();
    EXPECT_EQ(kit.view.naviText, "誰も行動できない！");
    EXPECT_TRUE(kit.state.stopBattleLoop);
    EXPECT_EQ(player->curStatus.WP, 1);
}

} // namespace
