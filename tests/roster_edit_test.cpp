// SPDX-License-Identifier: GPL-3.0-or-later
// Inserting and deleting characters in the roster: positions, designated rows, files and names.
#include "Fixtures.h"
#include "MemoryStorage.h"

#include "roster/RosterEdit.h"

#include <gtest/gtest.h>

using namespace pc;
using Names = std::vector<std::string>;

namespace {

const std::string kFolder = "/base/data/CharaList/";

// A roster whose characters' names, file names and picture names are all the
// given name, with both files in storage.
struct Roster {
    explicit Roster(const Names& names)
    {
        state.baseDir = "/base";
        for (const std::string& name : names)
            add(name, name, name);
    }
    void add(const std::string& name, const std::string& file, const std::string& picture)
    {
        addCharacter(state, name, file, picture);
        storage.files[kFolder + file] = "file of " + name;
        storage.files[kFolder + "img/" + picture] = "PNG of " + name;
    }
    Names names() const
    {
        Names result;
        for (const OBJE* record = state.objeTop; record; record = record->next)
            result.push_back(record->name);
        return result;
    }
    AppState state;
    MemoryStorage storage;
};

const Names kFive = {"A", "B", "C", "D", "E"};
const std::string kNew = "新規キャラクター";

} // namespace

// A click below the rows is -1, a row past the end of the list designates nothing.
TEST(RosterEditTest, InsertAndDeleteFollowTheDesignatedRow)
{
    const struct { const char* name; bool insert; std::int32_t clicked; Names expected; std::int32_t designated; } cases[] = {
        {"insert before any click", true, 0, {kNew, "A", "B", "C", "D", "E"}, 0},
        {"insert after a click below the rows", true, -1, {"A", "B", "C", "D", "E", kNew}, 5},
        {"insert at row 2", true, 2, {"A", "B", kNew, "C", "D", "E"}, 2},
        {"delete before any click", false, 0, {"B", "C", "D", "E"}, 0},
        {"delete after a click below the rows deletes nothing", false, -1, kFive, -1},
        {"delete row 2", false, 2, {"A", "B", "D", "E"}, 1},
        {"delete past the end", false, 7, kFive, 7},
    };
    for (const auto& c : cases) {
        Roster roster(kFive);
        roster.state.ClistClickedRow = c.clicked;
        if (c.insert)
            insertCharacter(roster.state, roster.storage);
        else
            deleteCharacter(roster.state, roster.storage);
        EXPECT_EQ(roster.names(), c.expected) << c.name;
        EXPECT_EQ(roster.state.ClistClickedRow, c.designated) << c.name;
    }
}

TEST(RosterEditTest, DeleteKeepsAFileThatAnotherCharacterNames)
{
    Roster roster({});
    roster.add("deleted", "shared", "a.png");
    roster.add("other", "b", "a.png");
    addCharacter(roster.state, "third", "shared", "c.png");
    roster.state.ClistClickedRow = 0;
    deleteCharacter(roster.state, roster.storage);
    EXPECT_TRUE(roster.storage.exists(kFolder + "shared"));
    EXPECT_TRUE(roster.storage.exists(kFolder + "img/a.png"));
}

TEST(RosterEditTest, NewCharactersTakeTheFirstFreeNames)
{
    Roster roster({});
    roster.state.ClistClickedRow = -1;
    for (const std::string number : {"", "2", "3"}) {
        const OBJE* fresh = recordAt(roster.state.objeTop, insertCharacter(roster.state, roster.storage));
        EXPECT_EQ(fresh->fileName, "新規ファイル" + number);
        EXPECT_EQ(fresh->imageName, "新規画像" + number);
        roster.state.ClistClickedRow = -1;
    }
}
