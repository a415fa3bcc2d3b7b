// Damage and heal target draws, and the target lists of multi-target attacks.
#include "BattleTestKit.h"

#include "battle/Sides.h"
#include "battle/Targets.h"

#include <gtest/gtest.h>

namespace {

using pc::OBJE;

// Parties set up for the player side; `hp` gives each member's current HP.
struct TargetKit : BattleKit {
    TargetKit(const std::vector<double>& players, const std::vector<double>& enemies)
    {
        for (double hp : players)
            player()->baseStatus.HP = hp;
        for (double hp : enemies)
            enemy()->baseStatus.HP = hp;
        setUp();
        for (OBJE* m = state.RPtop; m; m = m->next)
            m->baseStatus.HP = 100;
        for (OBJE* m = state.REtop; m; m = m->next)
            m->baseStatus.HP = 100;
        state.playerAttackFlag = true;
    }
    pc::Side side() { return pc::sideOf(state, view); }
    OBJE* at(OBJE* top, std::int32_t row) { return pc::recordAt(top, row); }
};

TEST(DamageTarget, FallenOpponentsAreDrawnAgainWhileOneLives)
{
    TargetKit kit({100}, {0, 100, 0});
    kit.script({0, 5, 4});
    const pc::DamageDraw draw = pc::drawDamageTarget(kit.random, kit.side().opponents, kit.state.targetNumb);
    EXPECT_EQ(draw.target, kit.at(kit.state.REtop, 1));
    EXPECT_FALSE(draw.everyOpponentDown);
    EXPECT_EQ(kit.state.targetNumb, 2);
    EXPECT_EQ(kit.state.RE, draw.target);
}

TEST(DamageTarget, WithEveryOpponentDownOneDrawStands)
{
    TargetKit kit({100}, {0, 0});
    kit.script({7});
    const pc::DamageDraw draw = pc::drawDamageTarget(kit.random, kit.side().opponents, kit.state.targetNumb);
    EXPECT_EQ(draw.target, kit.at(kit.state.REtop, 1));
    EXPECT_TRUE(draw.everyOpponentDown);
}

TEST(HealTarget, IsAMemberBelowSeventyPercentFallenOnesIncluded)
{
    const struct {
        std::vector<double> party;
        std::vector<std::int32_t> draws;
        std::int32_t expectedRow; // -1: none
    } cases[] = {
        {{70}, {3}, -1}, {{69.5}, {3}, 0}, {{0}, {0}, 0}, {{100, 50, 0}, {0, 3, 2}, 2}, {{100, 50, 100}, {0, 4}, 1},
    };
    for (const auto& c : cases) {
        TargetKit kit(c.party, {100});
        kit.script(c.draws);
        OBJE* target = pc::drawHealTarget(kit.random, kit.side().own, kit.state.targetNumb);
        EXPECT_EQ(target, c.expectedRow < 0 ? nullptr : kit.at(kit.state.RPtop, c.expectedRow)) << c.party[0];
        EXPECT_EQ(kit.state.RP, target);
    }
}

} // namespace
