// The battle driver: passes over both parties, the resume rule across presses, and its stops.
#include "BattleTestKit.h"

#include <gtest/gtest.h>

namespace {

using pc::OBJE;

// Members that always miss with the plain attack: three draws per action.
struct DriverTest : testing::Test {
    BattleKit kit;

    OBJE* player(const char* name, double wp) { return kit.player({.name = name, .WP = wp, .HIT = 0}); }
    OBJE* enemy(const char* name, double wp) { return kit.enemy({.name = name, .WP = wp, .HIT = 0}); }
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
    OBJE* p = player("P", 500);
    OBJE* e = enemy("E", 500);
    kit.setUp();
    const std::tuple<const char*, double, double> presses[] = {
        {"P", 500, 1}, {"E", 499, 500}, {"P", 500, 1}, {"E", 499, 500}};
    for (const auto& [actor, playerWP, enemyWP] : presses) {
        EXPECT_EQ(press(), actor);
        EXPECT_EQ(p->curStatus.WP, playerWP);
        EXPECT_EQ(e->curStatus.WP, enemyWP);
    }
}

TEST_F(DriverTest, FirstStopResumesAtTheStoppedMemberLaterStopsAtTheNext)
{
    player("A", 1);
    player("B", 1);
    OBJE* c = player("C", 100);
    enemy("E", 100);
    kit.setUp();
    for (const char* actor : {"A", "A", "B", "A"})
        EXPECT_EQ(press(), actor);
    EXPECT_EQ(c->curStatus.WP, 99);
    EXPECT_EQ(kit.state.REtop->curStatus.WP, 99);
}

TEST_F(DriverTest, CounterPastTheLastMemberSkipsThatHalf)
{
    player("P", 1);
    OBJE* e = enemy("E", 100);
    kit.setUp();
    for (const char* actor : {"P", "P"})
        EXPECT_EQ(press(), actor);
    EXPECT_EQ(kit.state.currentNumberRP, 2);
    EXPECT_EQ(press(), "P");
    EXPECT_EQ(e->curStatus.WP, 99);
    kit.state.currentNumberRP = 7;
    EXPECT_EQ(press(), "P");
    EXPECT_EQ(e->curStatus.WP, 98);
}

TEST_F(DriverTest, NewBattleResumesAtTheOldPositionWithFreshStatistics)
{
    kit.player({.name = "A", .HIT = 100});
    player("B", 1);
    OBJE* e = enemy("E", 100);
    kit.setUp();
    kit.script({0, 0, 0, 0});
    kit.press();
    EXPECT_EQ(e->curStatus.HP, 80);
    kit.setUp();
    EXPECT_EQ(e->curStatus.HP, 100);
    EXPECT_EQ(e->curStatus.WP, 100);
    kit.script({0, 0, 0, 0});
    kit.press();
    EXPECT_EQ(kit.view.p1.name, "A");
    EXPECT_EQ(kit.state.currentNumberRP, 2);
}

TEST_F(DriverTest, PressWithNobodyLivingStopsAtOnce)
{
    OBJE* p = kit.player({.HP = 0});
    kit.enemy({.HP = 0});
    kit.setUp();
    kit.press();
    EXPECT_EQ(kit.view.naviText, "誰も行動できない！");
    EXPECT_TRUE(kit.state.stopBattleLoop);
    EXPECT_EQ(p->curStatus.WP, 1);
}

} // namespace
