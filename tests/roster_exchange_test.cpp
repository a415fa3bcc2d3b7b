// Sharing characters: export into a roster folder of its own, import with new names, hostile folders.
#include "MemoryStorage.h"

#include "roster/CharacterFile.h"
#include "roster/FileNames.h"
#include "roster/RosterEdit.h"
#include "roster/RosterExchange.h"
#include "roster/RosterStore.h"
#include "records/RowRule.h"

#include <gtest/gtest.h>

#include <functional>

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

// Every name the roster refuses, its prefixes, and names already taken: the
// import ends (the storage stops an endless search) with a usable name that
// overwrites nothing.
TEST(RosterExchangeTest, EveryTakenOrRefusedNameGetsAUsableNewNameAndNothingIsOverwritten)
{
    const std::string tooLong(250, 'x');
    const struct {
        std::string file;
        std::string picture;
        std::string expectedFile;
        std::string expectedPicture;
    } cases[] = {
        {"hero.txt", "hero.png", "hero.txt2", "hero.png2"},       // both held by a roster character
        {"stray.txt", "stray.png", "stray.txt2", "stray.png2"},   // files in the folder no character lists
        {"preset.txt", "img", "imported2.txt", "imported1.png"},  // the roster's own names ("imported1.txt" is there)
        {"preset.txt.bak", ".partyclash-lock", "imported2.txt", "imported1.png"},
        {"preset.txt.bak.4", ".partyclash-import", "imported2.txt", "imported1.png"},
        {"preset.txt.bakery", ".partyclash-XYZ123", "imported2.txt", "imported1.png"},
        {".", "..", "imported2.txt", "imported1.png"},
        {"", std::string("a\0b", 3), "imported2.txt", "imported1.png"},
        {"../../etc.txt", "a\\b.png", "imported2.txt", "imported1.png"}, // paths out of the folder
        {tooLong, tooLong, "imported2.txt", "imported1.png"},           // no room left for a number
        {"preset.tx", "im", "preset.tx", "im"},                         // prefixes of refused names are names
        {"preset.txt.ba", ".partyclash", "preset.txt.ba", ".partyclash"},
        {"preset.txt2", "img2", "preset.txt2", "img2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + " / " + c.picture);
        MemoryStorage storage;
        storage.lookupLimit = 10000;
        AppState state;
        state.baseDir = "/b";
        const std::string folder = "/b/data/CharaList/";
        const std::string existing = storeCharacter(storage, folder, "先住", "hero.txt", "hero.png");
        storage.files[folder + "stray.txt"] = "stray";
        storage.files[folder + "imported1.txt"] = "an earlier import's";
        storage.files[folder + "img/stray.png"] = "stray picture";
        storage.files[folder + "preset.txt"] = "hero.txt\n";
        std::vector<Incoming> own = readRosterFolder(state, storage, folder);
        state.objeTop = own[0].record;
        const auto before = storage.files;

        storeCharacter(storage, "/in/", "客", "guest.txt", "guest.png");
        std::vector<Incoming> incoming = readCharacterFiles(state, storage, {"/in/guest.txt"});
        ASSERT_TRUE(incoming[0].record);
        incoming[0].record->fileName = c.file;
        incoming[0].record->imageName = c.picture;
        const ImportReport report = importCharacters(state, storage, incoming);

        EXPECT_EQ(report.added, std::vector<std::string>{"客"});
        EXPECT_TRUE(report.problems.empty()) << report.problems.front();
        const OBJE* added = state.objeTop->next;
        EXPECT_EQ(added->fileName, c.expectedFile);
        EXPECT_EQ(added->imageName, c.expectedPicture);
        EXPECT_EQ(storage.files[folder + c.expectedFile], characterText(*added));
        EXPECT_EQ(storage.files[folder + "img/" + c.expectedPicture], "PNG of 客");
        for (const auto& [path, bytes] : before) {
            if (path != folder + "preset.txt") {
                EXPECT_EQ(storage.files[path], bytes) << path;
            }
        }
        EXPECT_EQ(storage.files[folder + "preset.txt"], "hero.txt\n" + c.expectedFile + "\n");
        EXPECT_FALSE(storage.exists(folder + std::string(kImportJournal))) << "the import's note goes when it is done";
        EXPECT_TRUE(storage.nothingStaged());
        state.ClistClickedRow = 1;
        EXPECT_EQ(saveFile(state, storage), "") << "an imported character is saved again under its new names";
    }
}

// Each limit of the store: an input beyond it is refused with the store's
// reason, and the data folder is left byte for byte as it was.
TEST(RosterExchangeTest, EveryInputBeyondALimitIsRefusedWithItsReasonAndTheFolderIsUnchanged)
{
    const std::string source = "/in/CharaList/";
    const struct {
        const char* what;
        std::function<void(MemoryStorage&)> prepare;
        std::string reason;
    } cases[] = {
        {"a character file over 1 MB",
         [&](MemoryStorage& s) { s.files[source + "a.txt"] += std::string(kCharacterFileLimit, ' '); },
         "a.txt: ファイルが大きすぎます"},
        {"a character file of exactly 1 MB is read",
         [&](MemoryStorage& s) { s.files[source + "a.txt"].resize(kCharacterFileLimit, ' '); }, ""},
        {"a picture over 32 MB",
         [&](MemoryStorage& s) { s.files[source + "img/a.png"] += std::string(kPictureFileLimit, ' '); },
         "a.txt: 画像 a.png：ファイルが大きすぎます"},
        {"a character file that is a link or a special file",
         [&](MemoryStorage& s) { s.special[source + "a.txt"] = "link"; }, "a.txt: 通常のファイルではありません"},
        {"a picture that is a link or a special file",
         [&](MemoryStorage& s) { s.special[source + "img/a.png"] = "link"; },
         "a.txt: 画像 a.png：通常のファイルではありません"},
        {"a list over 32 MB",
         [&](MemoryStorage& s) { s.files[source + "preset.txt"] += std::string(kPresetFileLimit, 'x'); },
         "preset.txt: ファイルが大きすぎます"},
        {"a list of 100,001 lines",
         [&](MemoryStorage& s) { s.files[source + "preset.txt"] += std::string(kPresetLineLimit, '\n'); },
         "preset.txt: 行が多すぎます（100000 行まで）"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryStorage storage;
        storeCharacter(storage, source, "甲", "a.txt", "a.png");
        storage.files[source + "preset.txt"] = "a.txt\n";
        storage.files["/b/data/CharaList/preset.txt"] = "";
        c.prepare(storage);
        AppState state;
        state.baseDir = "/b";
        const auto before = storage.files;
        const ImportReport report = importCharacters(state, storage, readRosterFolder(state, storage, source));
        if (c.reason.empty()) {
            EXPECT_EQ(report.added, std::vector<std::string>{"甲"});
            continue;
        }
        EXPECT_EQ(report.problems, std::vector<std::string>{c.reason});
        EXPECT_TRUE(report.added.empty());
        EXPECT_EQ(storage.files, before);
        EXPECT_EQ(state.objeTop, nullptr);
    }
}

// A list the store reads back holds 100,000 characters: an import or a new
// character beyond that is refused with the limit named, and nothing changes.
TEST(RosterExchangeTest, NoAddMakesTheListLongerThanTheStoreReadsBack)
{
    MemoryStorage storage;
    const std::string source = "/in/CharaList/";
    storeCharacter(storage, source, "甲", "a.txt", "a.png");
    storage.files[source + "preset.txt"] = "a.txt\n";
    AppState state;
    state.baseDir = "/b";
    OBJE* last = nullptr;
    for (std::size_t i = 0; i + 1 < kPresetLineLimit; ++i) {
        OBJE* record = state.objes.make();
        record->fileName = "c" + std::to_string(i);
        (last ? last->next : state.objeTop) = record;
        last = record;
    }
    const ImportReport fits = importCharacters(state, storage, readRosterFolder(state, storage, source));
    EXPECT_EQ(fits.added, std::vector<std::string>{"甲"}) << "the 100,000th character is added";
    const auto before = storage.files;
    const ImportReport beyond = importCharacters(state, storage, readRosterFolder(state, storage, source));
    EXPECT_EQ(beyond.problems,
              std::vector<std::string>{"追加できません：キャラクターは 100000 人までです（preset.txt は 100000 行まで読み込めます）"});
    state.ClistClickedRow = -1;
    EXPECT_EQ(insertCharacter(state, storage), -1);
    EXPECT_EQ(countOf(state.objeTop), static_cast<std::int32_t>(kPresetLineLimit));
    EXPECT_EQ(storage.files, before);
}

// A failed write undoes the whole import: no file of it stays and the roster is as before.
TEST(RosterExchangeTest, AnImportThatCannotBeWrittenWholeLeavesNothing)
{
    for (const char* failing : {"b.txt", "img/b.png", "preset.txt", ".partyclash-import"}) {
        SCOPED_TRACE(failing);
        MemoryStorage storage;
        const std::string source = "/in/CharaList/";
        storeCharacter(storage, source, "甲", "a.txt", "a.png");
        storeCharacter(storage, source, "乙", "b.txt", "b.png");
        storage.files[source + "preset.txt"] = "a.txt\nb.txt\n";
        const std::string folder = "/b/data/CharaList/";
        const std::string existing = storeCharacter(storage, folder, "先住", "hero.txt", "hero.png");
        storage.files[folder + "preset.txt"] = "hero.txt\n";
        AppState state;
        state.baseDir = "/b";
        initPreset(state, storage);
        roadFile(state, storage);
        storage.faults[folder + failing] = Fault::NoSpace;
        const auto before = storage.files;
        const ImportReport report = importCharacters(state, storage, readRosterFolder(state, storage, source));
        EXPECT_EQ(report.problems, std::vector<std::string>{"追加できませんでした：" + faultText(Fault::NoSpace)});
        EXPECT_TRUE(report.added.empty());
        EXPECT_EQ(storage.files, before);
        EXPECT_TRUE(storage.nothingStaged());
        EXPECT_EQ(texts(state.objeTop), std::vector<std::string>{existing});
    }
}

// A failed export removes what it wrote, so that a retry into the same folder completes.
TEST(RosterExchangeTest, AFailedExportLeavesNothingAndItsRetrySucceeds)
{
    MemoryStorage storage;
    const std::string source = "/a/data/CharaList/";
    storeCharacter(storage, source, "勇者", "hero.txt", "hero.png");
    storeCharacter(storage, source, "魔王", "king.txt", "king.png");
    storage.files[source + "preset.txt"] = "hero.txt\nking.txt\n";
    AppState state;
    const std::vector<Incoming> own = readRosterFolder(state, storage, source);
    const auto before = storage.files;
    for (const char* failing : {"hero.txt", "img/hero.png", "king.txt", "img/king.png", "preset.txt"}) {
        SCOPED_TRACE(failing);
        storage.faults = {{"/out/CharaList/" + std::string(failing), Fault::NoSpace}};
        EXPECT_EQ(exportCharacters(storage, {own[0].record, own[1].record}, "/out"), faultText(Fault::NoSpace));
        EXPECT_EQ(storage.files, before);
    }
    storage.faults.clear();
    EXPECT_EQ(exportCharacters(storage, {own[0].record, own[1].record}, "/out"), "");
    EXPECT_EQ(storage.files["/out/CharaList/preset.txt"], "hero.txt\nking.txt\n");
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
                                   "missing.txt: ファイルがありません",
                                   "short.txt: キャラクターファイルの形式ではありません",
                               }));
    EXPECT_FALSE(state.objeTop->image) << "a picture path leading out of the folder is not read";
    EXPECT_EQ(state.objeTop->imageName, "imported1.png");
    EXPECT_EQ(storage.files["/b/data/CharaList/preset.txt"], "good.txt\n");
    EXPECT_FALSE(storage.exists("/b/data/CharaList/img/imported1.png"));
}
