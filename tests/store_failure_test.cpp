// SPDX-License-Identifier: GPL-3.0-or-later
// Saves and deletes against failing, changed and damaged folders: all or nothing,
// never over a file that was not loaded, rotated copies of the preset list.
#include "MemoryStorage.h"

#include "editor/CharacterSubmit.h"
#include "records/RowRule.h"
#include "roster/CharacterFile.h"
#include "roster/RosterEdit.h"
#include "roster/RosterStore.h"

#include <gtest/gtest.h>

#include <functional>

using namespace pc;

namespace {

const std::string kFolder = "/base/data/CharaList/";

std::string characterFile(const std::string& name, const std::string& file, const std::string& picture)
{
    OBJE record;
    InitObje(record);
    record.name = name;
    record.fileName = file;
    record.imageName = picture;
    return characterText(record);
}

// A folder with the characters "a" and "b" and a's picture, loaded as the
// application loads it.
struct Folder {
    explicit Folder(std::string list = "a\nb\n")
    {
        storage.files = {{kFolder + "preset.txt", std::move(list)},
                         {kFolder + "a", characterFile("エー", "a", "a.png")},
                         {kFolder + "b", characterFile("ビー", "b", "b.png")},
                         {kFolder + "img/a.png", "PNG a"}};
        load();
    }
    void load()
    {
        state = std::make_unique<AppState>();
        state->baseDir = "/base";
        state->initPresetFlag = true;
        initPreset(*state, storage);
        roadFile(*state, storage);
    }
    SubmitOutcome submit(std::int32_t row, const std::string& file = {})
    {
        state->ClistClickedRow = row;
        CharacterEdit edit = characterEditOf(*recordAt(state->objeTop, row));
        edit.stats[0] = 777;
        edit.image = bytesPicture("PNG new");
        if (!file.empty())
            edit.texts.fileName = file;
        SubmitOutcome outcome = submitCharacter(*state, storage, edit);
        const CharacterProblems& p = outcome.problems;
        if (p.any())
            outcome.saveFailure = p.name + p.tag + p.fileName + p.imageName;
        return outcome;
    }
    std::vector<std::string> names() const
    {
        std::vector<std::string> result;
        for (const OBJE* record = state->objeTop; record; record = record->next)
            result.push_back(record->name);
        return result;
    }

    MemoryStorage storage;
    std::unique_ptr<AppState> state;
};

using Action = std::function<std::string(Folder&)>;

} // namespace

TEST(StoreFailureTest, EveryFailingWriteOfEveryActionLeavesEveryFileAsItWas)
{
    const struct { const char* name; Action action; std::vector<std::string> writes; } actions[] = {
        {"edit a", [](Folder& f) { return f.submit(0).saveFailure; }, {"img/a.png", "a", "preset.txt"}},
        {"edit a under a new file name", [](Folder& f) { return f.submit(0, "a2").saveFailure; },
         {"img/a.png", "a2", "preset.txt"}},
        {"new character",
         [](Folder& f) {
             f.state->ClistClickedRow = -1;
             return f.submit(insertCharacter(*f.state, f.storage)).saveFailure;
         },
         {"img/新規画像", "新規ファイル", "preset.txt"}},
        {"delete a",
         [](Folder& f) {
             const std::string failure = deleteCharacter(*f.state, f.storage).failure;
             const std::string prefix = "削除できませんでした：";
             return failure.starts_with(prefix) ? failure.substr(prefix.size()) : "unexpected: " + failure;
         },
         {"preset.txt"}},
    };
    for (const auto& action : actions) {
        for (const std::string& write : action.writes) {
            for (Fault fault : {Fault::NoSpace, Fault::Permission, Fault::NameTooLong, Fault::Flush, Fault::Sync,
                                Fault::Rename}) {
                Folder folder;
                const auto before = folder.storage.files;
                const auto roster = folder.names();
                const double hp = folder.state->objeTop->baseStatus.HP;
                folder.storage.faults[kFolder + write] = fault;
                const std::string failure = action.action(folder);
                SCOPED_TRACE(std::string(action.name) + ", " + write + ": " + faultText(fault));
                EXPECT_EQ(failure, faultText(fault));
                EXPECT_EQ(folder.storage.files, before);
                EXPECT_TRUE(folder.storage.nothingStaged());
                if (std::string(action.name) != "new character") {
                    EXPECT_EQ(folder.names(), roster) << "the roster in memory is the one on disk";
                    EXPECT_EQ(folder.state->objeTop->baseStatus.HP, hp);
                }
            }
        }
    }
}

TEST(StoreFailureTest, NothingThatWasNotLoadedIsWrittenOverOrRemoved)
{
    // The list does not load (UTF-16): the names of the files in the folder stay taken.
    Folder folder(std::string("\xFF\xFE" "a\0\n\0", 6));
    ASSERT_TRUE(folder.state->initPresetFlag);
    folder.storage.files[kFolder + "新規ファイル"] = "someone's file";
    folder.storage.files[kFolder + "img/新規画像"] = "PNG someone's";
    const std::int32_t row = insertCharacter(*folder.state, folder.storage);
    EXPECT_EQ(folder.submit(row).saveFailure, "");
    EXPECT_EQ(folder.storage.files[kFolder + "新規ファイル"], "someone's file");
    EXPECT_EQ(folder.storage.files[kFolder + "img/新規画像"], "PNG someone's");
    EXPECT_EQ(folder.storage.files[kFolder + "preset.txt"], "新規ファイル2\n");
    EXPECT_EQ(folder.storage.files[kFolder + "preset.txt.bak"], std::string("\xFF\xFE" "a\0\n\0", 6));

    // Renaming a character onto a file the roster does not list is refused.
    Folder other;
    other.storage.files[kFolder + "c"] = "not listed";
    EXPECT_EQ(other.submit(0, "c").saveFailure, "同じ名前のファイルがすでにあります：c");
    EXPECT_EQ(other.storage.files[kFolder + "c"], "not listed");
}

TEST(StoreFailureTest, AnUnreadableCharacterIsNeitherSavedOverNorDeletedWithoutTheQuestion)
{
    Folder folder;
    folder.storage.files[kFolder + "b"] = "\x82\xa0\n";
    folder.storage.special[kFolder + "c"] = "a FIFO";
    folder.storage.files[kFolder + "preset.txt"] = "a\nb\nc\n";
    folder.load();
    const OBJE* b = recordAt(folder.state->objeTop, 1);
    EXPECT_EQ(b->name, "b");
    EXPECT_EQ(b->unreadable, "UTF-8 のテキストではありません");
    EXPECT_EQ(recordAt(folder.state->objeTop, 2)->unreadable, failure::kNotRegular);

    EXPECT_EQ(folder.submit(1).saveFailure, "読み込めなかったキャラクターには保存しません（UTF-8 のテキストではありません）");
    folder.state->ClistClickedRow = 1;
    EXPECT_EQ(deleteCharacter(*folder.state, folder.storage).failure,
              "削除していません：このキャラクターのファイルは読み込めません（UTF-8 のテキストではありません）");
    EXPECT_EQ(folder.storage.files[kFolder + "b"], "\x82\xa0\n");
    EXPECT_EQ(folder.storage.files[kFolder + "preset.txt"], "a\nb\nc\n");

    EXPECT_EQ(deleteCharacter(*folder.state, folder.storage, true).row, 1) << "deleted once the user was asked";
    EXPECT_FALSE(folder.storage.exists(kFolder + "b"));
    EXPECT_EQ(folder.storage.files[kFolder + "preset.txt"], "a\nc\n");
}

TEST(StoreFailureTest, AListChangedOnDiskIsReadAgainNotDiscarded)
{
    Folder folder;
    folder.storage.files[kFolder + "preset.txt"] = "a\nb\nhand\n";
    folder.storage.files[kFolder + "hand"] = characterFile("手書き", "hand", "h.png");
    EXPECT_EQ(folder.submit(1).saveFailure, "");
    EXPECT_EQ(folder.storage.files[kFolder + "preset.txt"], "a\nb\nhand\n");
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"エー", "ビー", "手書き"}));
    EXPECT_EQ(recordAt(folder.state->objeTop, 1)->baseStatus.HP, 777) << "the pending edit is kept";
    EXPECT_EQ(folder.state->storeNotice, "preset.txt がほかで変更されていたので読み直しました");

    // A character listed twice keeps its record once and is read again for the second line.
    Folder twice;
    twice.storage.files[kFolder + "preset.txt"] = "a\na\nb\n";
    EXPECT_EQ(twice.submit(1).saveFailure, "");
    ASSERT_NE(twice.state->objeTop, twice.state->objeTop->next) << "one record linked twice";
    EXPECT_EQ(twice.names(), (std::vector<std::string>{"エー", "エー", "ビー"}));

    // A file copied by hand under a new name is its own character, not the one it was copied from.
    Folder copied("a\ncopy\n");
    copied.storage.files[kFolder + "copy"] = characterFile("コピー", "a", "copy.png");
    copied.load();
    EXPECT_EQ(copied.submit(1).saveFailure, "");
    EXPECT_EQ(copied.storage.files[kFolder + "preset.txt"], "a\ncopy\n");
}

TEST(StoreFailureTest, AListThatDoesNotLoadIsReadAgainOnlyOnceItChanges)
{
    Folder folder(std::string(kPresetLineLimit + 1, '\n'));
    EXPECT_EQ(folder.state->presetProblem, "行が多すぎます（100000 行まで）");
    const int reads = folder.storage.reads;
    for (int tick = 0; tick < 5; ++tick)
        initPreset(*folder.state, folder.storage);
    EXPECT_EQ(folder.storage.reads, reads);
    folder.storage.files[kFolder + "preset.txt"] = "a\n";
    initPreset(*folder.state, folder.storage);
    EXPECT_FALSE(folder.state->initPresetFlag);
}

TEST(StoreFailureTest, KeptListsRotateAndEachIsWrittenOncePerRun)
{
    // Each run starts on a list it cannot take byte for byte (no final line feed).
    Folder folder;
    for (int run = 1; run <= 7; ++run) {
        folder.storage.files[kFolder + "preset.txt"] = "a\nb\nrun " + std::to_string(run);
        folder.load();
        EXPECT_TRUE(folder.submit(0).saved());
        folder.storage.files[kFolder + "preset.txt"] = "a\nb\nlater";
        EXPECT_TRUE(folder.submit(0).saved()) << "a second save in the run";
    }
    EXPECT_EQ(folder.storage.files[kFolder + "preset.txt.bak"], "a\nb\nrun 7");
    EXPECT_EQ(folder.storage.files[kFolder + "preset.txt.bak.1"], "a\nb\nrun 6");
    EXPECT_EQ(folder.storage.files[kFolder + "preset.txt.bak.4"], "a\nb\nrun 3");
    EXPECT_FALSE(folder.storage.exists(kFolder + "preset.txt.bak.5"));
}

TEST(StoreFailureTest, AReadOnlyRunRefusesEverySave)
{
    Folder folder;
    folder.state->readOnlyReason = "別のPartyClashがこのフォルダを使っています";
    const auto before = folder.storage.files;
    const std::string refused = "読み取り専用で開いています（別のPartyClashがこのフォルダを使っています）";
    EXPECT_EQ(folder.submit(0).saveFailure, refused);
    EXPECT_EQ(deleteCharacter(*folder.state, folder.storage).failure, "削除できませんでした：" + refused);
    EXPECT_EQ(setPreset(*folder.state, folder.storage), refused);
    EXPECT_EQ(folder.storage.files, before);
}
