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
        OBJE* record = state.objes.make();
        InitObje(*record);
        record->name = name;
        record->fileName = file;
        record->imageName = picture;
        record->storedFileName = file;
        record->storedImageName = picture;
        (after ? after->next : state.objeTop) = record;
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
        {"delete after a click below the rows", false, -1, {"A", "B", "C", "D"}, 3},
        {"delete row 2", false, 2, {"A", "B", "D", "E"}, 1},
        {"delete past the end", false, 7, kFive, 7},
    };
    for (const auto& c : cases) {
        Roster roster(kFive);
        roster.state.ClistClickedRow = c.clicked;
        EXPECT_EQ(insertCharacter(roster.state, roster.storage), c.row) << c.name;
        EXPECT_EQ(roster.names(), c.expected) << c.name;
        EXPECT_EQ(roster.state.ClistClickedRow, c.row) << c.name;
        EXPECT_EQ(recordAt(roster.state.objeTop, c.row)->baseStatus.HP, 100) << c.name;
        EXPECT_FALSE(roster.state.setPresetFlag) << c.name << ": nothing is written before a submit";
    }
}

TEST(RosterEditTest, DeleteRemovesTheDesignatedCharacterAndDesignatesTheRowBefore)
{
    const struct {
        const char* name;
        Names roster;
        std::int32_t clicked;
        Names expected;
        std::int32_t designated;
        bool rewrite;
    } cases[] = {
        {"before any click", kFive, 0, {"B", "C", "D", "E"}, 0, true},
        {"after a click below the rows", kFive, -1, kFive, -1, false},
        {"after a click on row 3", kFive, 3, {"A", "B", "C", "E"}, 2, true},
        {"after a click on row 2", kFive, 2, {"A", "B", "D", "E"}, 1, true},
        {"the only character", {"A"}, 0, {}, 0, true},
        {"empty roster", {}, 0, {}, 0, false},
        {"a row past the end", kFive, 7, kFive, 7, false},
    };
    for (const auto& c : cases) {
        Roster roster(c.roster);
        roster.state.ClistClickedRow = c.clicked;
        EXPECT_EQ(deleteCharacter(roster.state, roster.storage).failure, "") << c.name;
        EXPECT_EQ(roster.names(), c.expected) << c.name;
        EXPECT_EQ(roster.state.ClistClickedRow, c.designated) << c.name;
        for (const std::string& name : c.roster) {
            const bool kept = std::find(c.expected.begin(), c.expected.end(), name) != c.expected.end();
            EXPECT_EQ(roster.storage.exists(kFolder + name), kept) << c.name << ": file " << name;
            EXPECT_EQ(roster.storage.exists(kPictures + name), kept) << c.name << ": picture " << name;
        }
        // The rewritten list names exactly the remaining characters.
        if (!c.rewrite) {
            EXPECT_FALSE(roster.storage.exists(kFolder + "preset.txt")) << c.name;
            continue;
        }
        std::string expectedList;
        for (const std::string& name : c.expected)
            expectedList += name + '\n';
        EXPECT_EQ(roster.storage.files[kFolder + "preset.txt"], expectedList) << c.name;
    }
}

TEST(RosterEditTest, DeleteKeepsAFileThatAnotherCharacterNames)
{
    const struct {
        const char* name;
        std::string file, picture, otherFile, otherPicture;
        bool fileRemoved, pictureRemoved;
    } cases[] = {
        {"a never-saved character beside a saved one", "新規ファイル", "新規画像", "新規ファイル", "新規画像", false, false},
        {"file shared", "shared", "a.png", "shared", "b.png", false, true},
        {"picture shared", "a", "shared.png", "b", "shared.png", true, false},
        {"names crossed between kinds", "x", "y", "y", "x", true, true},
        {"nothing shared", "a", "a.png", "b", "b.png", true, true},
        {"names that are no paths inside the data folder", "../x", "preset.txt", "b", "b.png", false, false},
    };
    for (const auto& c : cases) {
        Roster roster({});
        roster.add(roster.add(nullptr, "deleted", c.file, c.picture), "other", c.otherFile, c.otherPicture);
        roster.state.ClistClickedRow = 0;
        EXPECT_EQ(deleteCharacter(roster.state, roster.storage).row, 0) << c.name;
        EXPECT_EQ(roster.names(), Names{"other"}) << c.name;
        EXPECT_EQ(roster.storage.exists(kFolder + c.file), !c.fileRemoved) << c.name;
        EXPECT_EQ(roster.storage.exists(kPictures + c.picture), !c.pictureRemoved) << c.name;
        EXPECT_TRUE(roster.storage.exists(kFolder + c.otherFile)) << c.name;
        EXPECT_TRUE(roster.storage.exists(kPictures + c.otherPicture)) << c.name;
    }
}

TEST(RosterEditTest, NewCharactersTakeTheFirstFreeNames)
{
    const struct { const char* name; std::vector<std::pair<std::string, std::string>> roster; std::string file, picture; } cases[] = {
        {"empty roster", {}, "新規ファイル", "新規画像"},
        {"both taken", {{"新規ファイル", "新規画像"}}, "新規ファイル2", "新規画像2"},
        {"file and its second taken", {{"新規ファイル", "a"}, {"新規ファイル2", "b"}}, "新規ファイル3", "新規画像"},
        {"only a numbered one taken", {{"新規ファイル3", "新規画像2"}}, "新規ファイル", "新規画像"},
        {"a picture name does not take a file name", {{"x", "新規ファイル"}}, "新規ファイル", "新規画像"},
        {"files in the folder the roster does not list", {}, "新規ファイル2", "新規画像2"},
    };
    for (const auto& c : cases) {
        Roster roster({});
        OBJE* last = nullptr;
        for (const auto& [file, picture] : c.roster)
            last = roster.add(last, file, file, picture);
        if (c.roster.empty() && c.file.ends_with('2')) {
            roster.storage.files[kFolder + "新規ファイル"] = "not listed";
            roster.storage.special[kPictures + "新規画像"] = "a link";
        }
        roster.state.ClistClickedRow = -1;
        const OBJE* fresh = recordAt(roster.state.objeTop, insertCharacter(roster.state, roster.storage));
        EXPECT_EQ(fresh->fileName, c.file) << c.name;
        EXPECT_EQ(fresh->imageName, c.picture) << c.name;
    }
}
