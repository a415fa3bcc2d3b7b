// Battle set-up, the side tables' HP gauges and the status panels.
#include "BattleTestKit.h"

#include "battle/Panels.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(HpPercentage, DividesFirstFloorsAndSaturatesWithZeroForNoRegisteredHp)
{
    const std::tuple<double, double, std::int32_t> cases[] = {
        {29, 100, 28}, {100, 100, 100}, {50, 0, 0}, {5, -10, 0}, {1e300, 1, std::numeric_limits<std::int32_t>::max()}};
    for (const auto& [current, registered, expected] : cases) {
        pc::OBJE member;
        member.curStatus.HP = current;
        member.baseStatus.HP = registered;
        EXPECT_EQ(pc::hpPercentage(member), expected) << current << "/" << registered;
    }
}

struct BattleSetupTest : testing::Test {
    BattleKit kit;
    pc::OBJE* p1 = kit.player({.name = "P1"});
    pc::OBJE* p2 = kit.player({.name = "P2"});
    pc::OBJE* e1 = kit.enemy({.name = "E1"});
    pc::OBJE* e2 = kit.enemy({.name = "E2"});
    void tick() { pc::battleTick(kit.ctx); }
};

TEST_F(BattleSetupTest, StartBuildsSideTablesAndRestoresEveryMember)
{
    p2->curStatus.HP = 1;
    e2->curResist[pc::RESIST::fire] = 0;
    kit.state.SCPlistClickedRow = 1;
    kit.state.SCElistClickedRow = -1;
    kit.state.ReadyUpListStartOffFlag = true;
    pc::initSCPElist(kit.ctx);
    EXPECT_EQ(kit.view.SCPlistMA, (std::vector<pc::SideRow>{{"P1", "100"}, {"P2", "100"}}));
    EXPECT_EQ(kit.view.SCPlistSelectedRow, 0);
    EXPECT_FALSE(kit.state.ReadyUpListStartOffFlag);
    kit.state.ReadyUpListStartOffFlag = true;
    tick();
    EXPECT_EQ(p2->curStatus, p2->baseStatus);
    EXPECT_EQ(e2->curResist, e2->baseResist);
    EXPECT_EQ(kit.view.naviText, "戦闘開始！");
    EXPECT_EQ(kit.view.p1, (pc::PanelView{"ーーーー", "HP ーーーー/ーーーー", 100, nullptr}));
    EXPECT_EQ(kit.view.p2, kit.view.p1);
    EXPECT_EQ(kit.view.SCPlistSelectedRow, 1);
    EXPECT_EQ(kit.view.SCElistSelectedRow, -1);
}

TEST_F(BattleSetupTest, PanelsAndGaugesFollowTheMembersAndTheClickedRows)
{
    kit.setUp();
    p1->curStatus.HP = 29;
    e2->curStatus = {.HP = 37.5, .MP = 12};
    pc::SCElistTVsgl(kit.ctx, 1);
    EXPECT_EQ(kit.view.ce, (pc::StatusPanelView{"HP 37.5/100", "MP 12/50", 37, nullptr}));
    tick();
    EXPECT_EQ(kit.view.cp.hpText, "HP 29/100");
    EXPECT_EQ(kit.view.SCPlistMA[0].hp, "28");
    EXPECT_EQ(kit.view.SCElistSelectedRow, 1);
    for (std::int32_t row : {-1, 2, 40}) {
        pc::SCPlistTVsgl(kit.ctx, row);
        tick();
        EXPECT_EQ(kit.view.cp.hpLevel, 28) << "the first member for row " << row;
        EXPECT_EQ(kit.view.SCPlistSelectedRow, -1) << row;
    }
}

} // namespace
