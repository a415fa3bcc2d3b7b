// A character's attack list: insert and delete by the designated row, and the attack editor's submit.
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

TEST(AttackEditTest, InsertGoesInFrontOfTheDesignatedRowOrAtTheEnd)
{
    const std::string fresh = "新規技";
    const struct { const char* name; Names attacks; std::int32_t row; Names expected; std::int32_t designated; } cases[] = {
        {"before any click", kXYZ, 0, {fresh, "X", "Y", "Z"}, 0},
        {"row 1", kXYZ, 1, {"X", fresh, "Y", "Z"}, 1},
        {"a click outside the rows", {"X", "Y"}, -1, {"X", "Y", fresh}, 2},
        {"empty list", {}, 0, {fresh}, 0},
        {"a row left past the end by another character", {"X", "Y"}, 5, {"X", "Y", fresh}, 2},
    };
    for (const auto& c : cases) {
        OneCharacter one(c.attacks);
        one.state.WlistClickedRow = c.row;
        EXPECT_EQ(insertAttack(one.state), c.designated) << c.name;
        EXPECT_EQ(one.names(), c.expected) << c.name;
        EXPECT_EQ(one.state.WlistClickedRow, c.designated) << c.name;
        EXPECT_EQ(designatedAttack(one.state)->name, fresh) << c.name << ": the attack editor opens on it";
    }
}

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

TEST(AttackEditTest, WithoutADesignatedCharacterNothingChanges)
{
    OneCharacter one(kXYZ);
    one.state.ClistClickedRow = 4;
    EXPECT_EQ(insertAttack(one.state), -1);
    EXPECT_EQ(deleteAttack(one.state), -1);
    EXPECT_EQ(designatedAttack(one.state), nullptr);
    EXPECT_EQ(submitAttack(one.state, {"new", "t", {}, {}}).any(), false);
    EXPECT_EQ(one.names(), kXYZ);
    EXPECT_FALSE(one.state.attackSetFlag);
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

TEST(AttackEditTest, TextsTheFileCannotHoldAreRefusedAndChangeNothing)
{
    const struct { const char* name; std::string attackName, tag; bool nameRefused, tagRefused; } cases[] = {
        {"comma in the name", "a,b", "t", true, false},
        {"line feed in the name", "a\nb", "t", true, false},
        {"separator in the tag", "a", "x----++", false, true},
        {"comma in the tag", "a", ",", false, true},
        {"both", "----++", "\n", true, true},
    };
    for (const auto& c : cases) {
        OneCharacter one(kXYZ);
        const AttackProblems problems = submitAttack(one.state, {c.attackName, c.tag, {1, 1, 1, 1, 1, 1}, {1, 1, 1, 1}});
        EXPECT_EQ(!problems.name.empty(), c.nameRefused) << c.name;
        EXPECT_EQ(!problems.tag.empty(), c.tagRefused) << c.name;
        EXPECT_EQ(one.names(), kXYZ) << c.name;
        EXPECT_EQ(one.character->attacks->MP, 0) << c.name;
        EXPECT_FALSE(one.state.attackSetFlag) << c.name;
    }
}
