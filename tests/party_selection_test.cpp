// SPDX-License-Identifier: GPL-3.0-or-later
// Party selection: the roster tables, adding and removing members, and when a battle may start.
#include "battle/PartySelection.h"

#include "records/RowRule.h"

#include <gtest/gtest.h>

namespace {

using pc::OBJE;
using Names = std::vector<std::string>;

// A roster R0, R1, R2 loaded into the tables; party tables report `partyRow` as clicked.
struct PartySelectionTest : testing::Test {
    pc::AppState state;
    pc::PartyTables tables;

    void SetUp() override
    {
        for (const char* name : {"R0", "R1", "R2"}) {
            OBJE* character = state.objes.make();
            character->name = name;
            character->attacks = state.attacks.make();
            (state.objeTop ? pc::lastOf(state.objeTop)->next : state.objeTop) = character;
        }
        state.initCPEListFlag = true;
        tick(-1);
    }
    bool tick(std::int32_t partyRow) { return pc::readyUpTick(state, tables, partyRow, partyRow); }
    void add(std::int32_t rosterRow, std::int32_t partyRow = -1)
    {
        tick(partyRow);
        state.CPlistClickedRow = rosterRow;
        pc::RPadd(state, tables);
    }
    void build(const Names& names)
    {
        for (const std::string& name : names)
            add(name.back() - '0');
    }
    Names party() const
    {
        Names names;
        for (const OBJE* member = state.RPtop; member; member = member->next)
            names.push_back(member->name);
        EXPECT_EQ(names, tables.RPlistMA) << "the party and its table agree";
        return names;
    }
};

TEST_F(PartySelectionTest, AddsAppendWithoutARowOrPastTheEndAndInsertBeforeTheDesignatedRow)
{
    build({"R2", "R0", "R1"});
    EXPECT_EQ(party(), (Names{"R2", "R0", "R1"}));
    EXPECT_EQ(tables.RPlistSelectedRow, -1);
    const std::pair<std::int32_t, Names> cases[] = {{1, {"R0", "R2", "R1", "R1"}},
                                                    {0, {"R2", "R1", "R0", "R1"}},
                                                    {2, {"R0", "R1", "R2", "R1"}},
                                                    {7, {"R0", "R1", "R2", "R1"}}};
    for (const auto& [row, expected] : cases) {
        SetUp();
        build({"R0", "R1"});
        add(2, row);
        state.CPlistClickedRow = 1;
        pc::RPadd(state, tables);
        EXPECT_EQ(party(), expected) << row;
        EXPECT_EQ(tables.RPlistSelectedRow, row < 2 ? row + 2 : -1) << "the row added before stays designated";
    }
}

TEST_F(PartySelectionTest, RemovalFollowsTheRememberedRow)
{
    const struct {
        std::int32_t clickedRow;
        std::vector<Names> after;
    } cases[] = {
        {7, {{"R0", "R1", "R2", "R0"}}},
        {0, {{"R1", "R2", "R0"}, {"R2", "R0"}}},
        {-1, {{"R0", "R1", "R2", "R0"}}},
        {2, {{"R0", "R1", "R0"}, {"R0", "R0"}, {"R0"}, {}, {}}},
    };
    for (const auto& c : cases) {
        SetUp();
        build({"R0", "R1", "R2", "R0"});
        state.RPlistClickedRow = c.clickedRow;
        for (const Names& expected : c.after) {
            pc::RPdelete(state, tables);
            EXPECT_EQ(party(), expected) << "clicked row " << c.clickedRow;
        }
    }
    EXPECT_EQ(state.RP, nullptr);
}

} // namespace
