// SPDX-License-Identifier: GPL-3.0-or-later
// The attack editor's submit into the designated attack.
#include "editor/AttackList.h"
#include "editor/AttackSubmit.h"
#include "records/RowRule.h"

#include <gtest/gtest.h>

#include <vector>

using namespace pc;
using Names = std::vector<std::string>;

namespace {

// A roster of one character with the named attacks, designated.
struct OneCharacter {
    explicit OneCharacter(const Names& attacks)
    {
        character = state.objes.make();
        InitObje(*character);
        state.objeTop = character;
        ATTACK* last = nullptr;
        for (const std::string& name : attacks) {
            ATTACK* attack = state.attacks.make();
            InitAttack(*attack);
            attack->name = name;
            (last ? last->next : character->attacks) = attack;
            last = attack;
        }
    }

    Names names() const
    {
        Names result;
        for (const ATTACK* attack = character->attacks; attack; attack = attack->next)
            result.push_back(attack->name);
        return result;
    }

    AppState state;
    OBJE* character = nullptr;
};

const Names kXYZ = {"X", "Y", "Z"};

} // namespace

TEST(AttackEditTest, DeleteRemovesTheDesignatedAttackAndRequestsThePresetRewrite)
{
    const struct {
        const char* name;
        Names attacks;
        std::int32_t row;
        Names expected;
        std::int32_t designated;
        bool rewrite;
    } cases[] = {
        {"row 2", kXYZ, 2, {"X", "Y"}, 1, true},
        {"row 0", kXYZ, 0, {"Y", "Z"}, 0, true},
        {"a click outside the rows", {"X", "Y"}, -1, {"X", "Y"}, -1, false},
        {"the only attack", {"X"}, 0, {}, 0, true},
        {"a row left past the end by another character", kXYZ, 3, kXYZ, 3, false},
    };
    for (const auto& c : cases) {
        OneCharacter one(c.attacks);
        one.state.WlistClickedRow = c.row;
        deleteAttack(one.state);
        EXPECT_EQ(one.names(), c.expected) << c.name;
        EXPECT_EQ(one.state.WlistClickedRow, c.designated) << c.name;
        EXPECT_EQ(one.state.setPresetFlag, c.rewrite) << c.name;
    }
}

TEST(AttackEditTest, SubmitStoresTheEditIntoTheDesignatedAttack)
{
    OneCharacter one(kXYZ);
    one.state.WlistClickedRow = 1;
    const AttackEdit edit{"火炎", "fire", {5, 10, 95, 3, 40, 80}, {3, 1, 8, 2}};
    EXPECT_FALSE(submitAttack(one.state, edit).any());
    const ATTACK& y = *recordAt(one.character->attacks, 1);
    EXPECT_EQ(y.tag, "fire");
    EXPECT_EQ(std::tie(y.MP, y.MPP, y.succ, y.crit, y.count, y.hit), std::make_tuple(5, 10, 95, 3, 40, 80));
    EXPECT_EQ(std::tie(y.range, y.type, y.prop, y.seed), std::make_tuple(3, 1, 8, 2));
    EXPECT_TRUE(one.state.attackSetFlag);
    EXPECT_EQ(one.names(), (Names{"X", "火炎", "Z"}));
}
