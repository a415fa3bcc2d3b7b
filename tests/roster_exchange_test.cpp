// Sharing characters: export into a roster folder of its own, import with new names, hostile folders.
#include "MemoryStorage.h"

#include "roster/CharacterFile.h"
#include "roster/RosterExchange.h"
#include "roster/RosterStore.h"

#include <gtest/gtest.h>

using namespace pc;

namespace {

// A character with one attack, stored in `storage` under the roster folder `folder` (ending in "/").
std::string storeCharacter(MemoryStorage& storage, const std::string& folder, const std::string& name,
                           const std::string& file, const std::string& picture)
{
    OBJE record;
    InitObje(record);
    ATTACK attack;
    InitAttack(attack);
    attack.name = "技" + name;
    attack.MP = 7;
    attack.flags[3] = true;
    record.attacks = &attack;
    record.name = name;
    record.fileName = file;
    record.imageName = picture;
    record.baseStatus.HP = 321;
    record.baseResist[4] = 55;
    const std::string text = characterText(record);
    storage.files[folder + file] = text;
    storage.files[folder + "img/" + picture] = "PNG of " + name;
    return text;
}

std::vector<std::string> texts(const OBJE* rosterTop)
{
    std::vector<std::string> result;
    for (const OBJE* record = rosterTop; record; record = record->next)
        result.push_back(characterText(*record));
    return result;
}

} // namespace

TEST(RosterExchangeTest, ExportThenImportElsewhereGivesTheSameCharactersAndPictures)
{
    MemoryStorage storage;
    const std::string source = "/a/data/CharaList/";
    std::vector<std::string> originals{storeCharacter(storage, source, "勇者", "hero.txt", "hero.png"),
                                       storeCharacter(storage, source, "魔王", "king.txt", "king.png")};
    storage.files[source + "preset.txt"] = "hero.txt\nking.txt\n";
    AppState first;
    first.baseDir = "/a";
    const std::vector<Incoming> own = readRosterFolder(first, storage, source);
    ASSERT_EQ(own.size(), 2u);

    EXPECT_EQ(exportCharacters(storage, {own[0].record, own[1].record}, "/out"), "");
    EXPECT_EQ(storage.files["/out/CharaList/preset.txt"], "hero.txt\nking.txt\n");
    storage.special["/empty/CharaList"] = "a folder without a list";
    for (const char* taken : {"/out", "/empty"})
        EXPECT_EQ(exportCharacters(storage, {own[0].record}, taken), "選んだフォルダーにはすでに CharaList があります");
    // The folder itself, or one holding CharaList/ or data/CharaList/.
    for (const char* chosen : {"/out/CharaList", "/out", "/a/data/CharaList/", "/a/data", "/a"})
        EXPECT_TRUE(rosterFolderIn(storage, chosen).ends_with("CharaList/")) << chosen;

    AppState second;
    second.baseDir = "/b";
    const ImportReport report =
        importCharacters(second, storage, readRosterFolder(second, storage, rosterFolderIn(storage, "/out")));
    EXPECT_EQ(report.added, (std::vector<std::string>{"勇者", "魔王"}));
    EXPECT_TRUE(report.problems.empty());
    EXPECT_EQ(texts(second.objeTop), originals);
    EXPECT_EQ(storage.files["/b/data/CharaList/hero.txt"], originals[0]);
    EXPECT_EQ(storage.files["/b/data/CharaList/img/king.png"], "PNG of 魔王");
    EXPECT_EQ(storage.files["/b/data/CharaList/preset.txt"], "hero.txt\nking.txt\n");
}

TEST(RosterExchangeTest, TakenRefusedAndPresentNamesAreNumberedAndNothingIsOverwritten)
{
    const struct {
        const char* file;
        const char* picture;
        const char* expectedFile;
        const char* expectedPicture;
    } cases[] = {
        {"hero.txt", "hero.png", "hero.txt2", "hero.png2"},   // both held by a roster character
        {"stray.txt", "stray.png", "stray.txt2", "stray.png2"}, // files in the folder no character lists
        {"preset.txt", "img", "preset.txt2", "img2"},         // the roster's own names
        {"x", "../../etc.png", "x", ".._.._etc.png"},          // a path out of the folder
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        MemoryStorage storage;
        AppState state;
        state.baseDir = "/b";
        const std::string folder = "/b/data/CharaList/";
        const std::string existing = storeCharacter(storage, folder, "先住", "hero.txt", "hero.png");
        storage.files[folder + "stray.txt"] = "stray";
        storage.files[folder + "img/stray.png"] = "stray picture";
        storage.files[folder + "preset.txt"] = "hero.txt\n";
        std::vector<Incoming> own = readRosterFolder(state, storage, folder);
        state.objeTop = own[0].record;

        storeCharacter(storage, "/in/", "客", "guest.txt", "guest.png");
        std::vector<Incoming> incoming = readCharacterFiles(state, storage, {"/in/guest.txt"});
        ASSERT_TRUE(incoming[0].record);
        incoming[0].record->fileName = c.file;
        incoming[0].record->imageName = c.picture;
        const ImportReport report = importCharacters(state, storage, incoming);

        EXPECT_EQ(report.added, std::vector<std::string>{"客"});
        const OBJE* added = state.objeTop->next;
        EXPECT_EQ(added->fileName, c.expectedFile);
        EXPECT_EQ(added->imageName, c.expectedPicture);
        EXPECT_EQ(storage.files[folder + c.expectedFile], characterText(*added));
        EXPECT_EQ(storage.files[folder + "img/" + c.expectedPicture], "PNG of 客");
        EXPECT_EQ(storage.files[folder + "hero.txt"], existing);
        EXPECT_EQ(storage.files[folder + "img/hero.png"], "PNG of 先住");
        EXPECT_EQ(storage.files[folder + "stray.txt"], "stray");
        EXPECT_EQ(storage.files[folder + "img/stray.png"], "stray picture");
        EXPECT_EQ(storage.files[folder + "preset.txt"], "hero.txt\n" + std::string(c.expectedFile) + "\n");
        state.ClistClickedRow = 1;
        EXPECT_EQ(saveFile(state, storage), "") << "an imported character is saved again under its new names";
    }
}

TEST(RosterExchangeTest, AHostileFolderGivesOnlyItsSoundCharactersAndReportsTheRest)
{
    MemoryStorage storage;
    const std::string source = "/in/CharaList/";
    const std::string good = storeCharacter(storage, source, "良", "good.txt", "../../secret.png");
    storage.files["/in/CharaList/img/../../secret.png"] = "PNG outside";
    storage.files[source + "latin1.txt"] = "\xE9t\xE9\n";
    storage.files[source + "short.txt"] = "名前だけ\n";
    storage.files["/in/outside.txt"] = good;
    storage.files[source + "preset.txt"] = "../outside.txt\nlatin1.txt\nmissing.txt\nshort.txt\ngood.txt\n";
    AppState state;
    state.baseDir = "/b";

    const ImportReport report =
        importCharacters(state, storage, readRosterFolder(state, storage, rosterFolderIn(storage, "/in")));
    EXPECT_EQ(report.added, std::vector<std::string>{"良"});
    EXPECT_EQ(report.problems, (std::vector<std::string>{
                                   "../outside.txt: 使えないファイル名です",
                                   "latin1.txt: UTF-8 のテキストではありません",
                                   "missing.txt: 読み込めません",
                                   "short.txt: キャラクターファイルの形式ではありません",
                               }));
    EXPECT_FALSE(state.objeTop->image) << "a picture path leading out of the folder is not read";
    EXPECT_EQ(state.objeTop->imageName, ".._.._secret.png");
    EXPECT_EQ(storage.files["/b/data/CharaList/preset.txt"], "good.txt\n");
    EXPECT_FALSE(storage.exists("/b/data/CharaList/img/.._.._secret.png"));
}
