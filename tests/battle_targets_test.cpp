// SPDX-License-Identifier: GPL-3.0-or-later
// Heal target draws, target counts and the kinds of range.
#include "BattleTestKit.h"

#include "battle/Sides.h"
#include "battle/Targets.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using pc::OBJE;

// Parties of members with registered HP 100 and the given current HP, seen
// from the player side.
struct TargetKit : BattleKit {
    TargetKit(const std::vector<double>& players, const std::vector<double>& enemies)
    {
        for (double hp : players)
            player()->baseStatus.HP = hp;
        for (double hp : enemies)
            enemy()->baseStatus.HP = hp;
        setUp();
        for (OBJE* top : {state.RPtop, state.REtop})
            for (OBJE* member = top; member; member = member->next)
                member->baseStatus.HP = 100;
        state.playerAttackFlag = true;
    }
    pc::Side side() { return pc::sideOf(state, view); }
};

TEST(HealTarget, IsAMemberBelowSeventyPercentFallenOnesIncluded)
{
    const struct {
        std::vector<double> party;
        Draws draws;
        std::int32_t row; // -1: none
    } cases[] = {{{70}, {3}, -1}, {{69.5}, {3}, 0}, {{100, 50, 0}, {0, 3, 2}, 2}};
    for (const auto& c : cases) {
        TargetKit kit(c.party, {100});
        kit.script(c.draws);
        OBJE* target = pc::drawHealTarget(kit.random, kit.side().own, kit.state.targetNumb);
        EXPECT_EQ(target, c.row < 0 ? nullptr : pc::recordAt(kit.state.RPtop, c.row)) << c.party[0];
        EXPECT_EQ(kit.state.RP, target);
    }
}

TEST(TargetCount, Ranges2And3FollowTheNumberOfLivingMembers)
{
    // Counts for 0 to 6 living members, with a draw of 3 where the count is drawn.
    const struct {
        std::int32_t range;
        std::array<std::int32_t, 7> count;
        std::array<bool, 7> drawn;
    } cases[] = {{2, {1, 1, 2, 1, 1, 1, 1}, {false, false, true, true, true, true, true}},
                 {3, {1, 1, 2, 3, 4, 5, 5}, {false, false, false, false, true, true, true}}};
    for (const auto& c : cases) {
        for (std::int32_t range : {c.range, c.range + 4}) {
            for (std::int32_t living = 0; living < 7; ++living) {
                ScriptedRandom random;
                if (c.drawn[static_cast<std::size_t>(living)])
                    random.add({3});
                EXPECT_EQ(pc::targetCount(random, range, living, 9), c.count[static_cast<std::size_t>(living)])
                    << "range " << range << ", living " << living;
            }
        }
    }
}

// Ranges -1 to 9, one character each.
TEST(Ranges, MultiTargetRangesAndThoseReachingTheOwnParty)
{
    const std::string multi = "00011101110", own = "00000001110";
    for (std::int32_t range = -1; range <= 9; ++range) {
        const auto i = static_cast<std::size_t>(range + 1);
        EXPECT_EQ(pc::isMultiTargetRange(range), multi[i] == '1') << range;
        EXPECT_EQ(pc::reachesOwnParty(range), own[i] == '1') << range;
    }
}
} // namespace
