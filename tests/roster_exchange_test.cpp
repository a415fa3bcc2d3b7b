// SPDX-License-Identifier: GPL-3.0-or-later
// Sharing characters: export into a roster folder of its own, import with new names, hostile folders.
#include "Fixtures.h"
#include "MemoryStorage.h"

#include "roster/CharacterFile.h"
#include "roster/RosterEdit.h"
#include "roster/RosterExchange.h"
#include "roster/RosterStore.h"
#include "records/RowRule.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

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

// Every name the roster refuses, its prefixes, and names already taken: the
// import ends (the storage stops an endless search, which then gives a wrong
// name) with a usable name that overwrites nothing.
TEST(RosterExchangeTest, EveryTakenOrRefusedNameGetsAUsableNewNameAndNothingIsOverwritten)
{
    const std::string tooLong(250, 'x'), fresh = "imported2.txt", freshPng = "imported1.png";
    const struct {
        std::string file, picture, expectedFile, expectedPicture;
    } cases[] = {
        {"hero.txt", "hero.png", "hero.txt2", "hero.png2"},     // both held by a roster character
        {"stray.txt", "stray.png", "stray.txt2", "stray.png2"}, // files in the folder no character lists
        {"preset.txt", "img", fresh, freshPng},                 // "imported1.txt" is in the folder
        {"preset.txt.bak", ".partyclash-lock", fresh, freshPng},
        {"preset.txt.bak.4", ".partyclash-import", fresh, freshPng},
        {"preset.txt.bakery", ".partyclash-XYZ123", fresh, freshPng},
        {".", "..", fresh, freshPng},
        {"", std::string("a\0b", 3), fresh, freshPng},
        {"../../etc.txt", "a\\b.png", fresh, freshPng}, // paths out of the folder
        {tooLong, tooLong, fresh, freshPng},             // no room left for a number
        {"preset.tx", "im", "preset.tx", "im"},          // prefixes of refused names are names
        {"preset.txt.ba", ".partyclash", "preset.txt.ba", ".partyclash"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + " / " + c.picture);
        MemoryStorage storage;
        storage.lookupLimit = 10000;
        AppState state;
        state.baseDir = "/b";
        const std::string folder = "/b/data/CharaList/";
        storeCharacter(storage, folder, "先住", "hero.txt", "hero.png");
        storage.files[folder + "stray.txt"] = storage.files[folder + "imported1.txt"] = "stray";
        storage.files[folder + "img/stray.png"] = "stray picture";
        storage.files[folder + "preset.txt"] = "hero.txt\n";
        reload(state, storage);
        auto unchanged = storage.files;
        storeCharacter(storage, "/in/", "客", "guest.txt", "guest.png");
        std::vector<Incoming> incoming = readCharacterFiles(state, storage, {"/in/guest.txt"});
        incoming[0].record->fileName = c.file;
        incoming[0].record->imageName = c.picture;
        const ImportReport report = importCharacters(state, storage, incoming);

        EXPECT_EQ(report.added, std::vector<std::string>{"客"});
        const OBJE* added = state.objeTop->next;
        EXPECT_EQ(added->fileName, c.expectedFile);
        EXPECT_EQ(added->imageName, c.expectedPicture);
        unchanged[folder + c.expectedFile] = characterText(*added);
        unchanged[folder + "img/" + c.expectedPicture] = "PNG of 客";
        unchanged[folder + "preset.txt"] = "hero.txt\n" + c.expectedFile + "\n";
        std::erase_if(storage.files, [](const auto& file) { return file.first.starts_with("/in/"); });
        EXPECT_EQ(storage.files, unchanged) << "the import's note goes when it is done";
    }
}

// Each limit of the store, each unreadable file and each failed write: refused
// with its reason, and the data folder and the roster are left as they were.
TEST(RosterExchangeTest, EveryRefusedInputAndFailedWriteLeavesTheFolderAsItWas)
{
    const std::string source = "/in/CharaList/", folder = "/b/data/CharaList/";
    using Change = std::function<void(MemoryStorage&)>;
    const auto put = [](std::string path, std::string bytes) -> Change { return [=](auto& s) { s.files[path] = bytes; }; };
    const auto grow = [](std::string path, std::size_t size) -> Change {
        return [=](auto& s) { s.files[path].resize(size, '\n'); };
    };
    const auto fail = [&](std::string name, Fault fault) -> Change { return [=](auto& s) { s.faults[folder + name] = fault; }; };
    const auto link = [](std::string path) -> Change { return [=](auto& s) { s.special[path] = "link"; }; };
    const std::string full = "追加できませんでした：" + faultText(Fault::NoSpace), tooMany = "追加できません：キャラクターは "
        "100000 人までです（preset.txt は 100000 行まで読み込めます）";
    const struct {
        const char* what;
        Change change;
        std::string reason;
    } cases[] = {
        {"a character file of exactly 1 MB is read", grow(source + "a.txt", kCharacterFileLimit), ""},
        {"a character file over 1 MB", grow(source + "a.txt", kCharacterFileLimit + 1), "a.txt: ファイルが大きすぎます"},
        {"a picture over 32 MB", grow(source + "img/a.png", kPictureFileLimit + 1), "a.txt: 画像 a.png：ファイルが大きすぎます"},
        {"a character file that is a link or a device", link(source + "a.txt"), "a.txt: 通常のファイルではありません"},
        {"a picture that is a link or a device", link(source + "img/a.png"), "a.txt: 画像 a.png：通常のファイルではありません"},
        {"a list over 32 MB", grow(source + "preset.txt", kPresetFileLimit + 1), "preset.txt: ファイルが大きすぎます"},
        {"a list of 100,001 lines", put(source + "preset.txt", std::string(kPresetLineLimit + 1, '\n')), "preset.txt: 行が多すぎます（100000 行まで）"},
        {"a list naming a path out of the folder", put(source + "preset.txt", "../a.txt\n"), "../a.txt: 使えないファイル名です"},
        {"a file not UTF-8", put(source + "a.txt", "\xE9t\xE9\n"), "a.txt: UTF-8 のテキストではありません"},
        {"a file that is no character file", put(source + "a.txt", "名前だけ\n"), "a.txt: キャラクターファイルの形式ではありません"},
        {"a full disk at the character file", fail("a.txt", Fault::NoSpace), full},
        {"a full disk at the picture", fail("img/a.png", Fault::NoSpace), full},
        {"a rename refused at the list", fail("preset.txt", Fault::Rename), "追加できませんでした：" + faultText(Fault::Rename)},
        {"a full disk at the import's note", fail(".partyclash-import", Fault::NoSpace), full},
        {"a roster one short of the most a list holds takes one", put(folder + "preset.txt", std::string(kPresetLineLimit - 1, '\n')), ""},
        {"a roster as long as a list may be takes none, nor a new character", put(folder + "preset.txt", std::string(kPresetLineLimit, '\n')),
         tooMany},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryStorage storage;
        storeCharacter(storage, source, "甲", "a.txt", "a.png");
        storage.files[source + "preset.txt"] = "a.txt\n";
        storeCharacter(storage, folder, "先住", "hero.txt", "hero.png");
        storage.files[folder + "preset.txt"] = "hero.txt\n";
        c.change(storage);
        AppState state;
        state.baseDir = "/b";
        reload(state, storage);
        const std::vector<std::string> roster = texts(state.objeTop);
        const auto before = storage.files;
        const ImportReport report = importCharacters(state, storage, readRosterFolder(state, storage, source));
        EXPECT_EQ(report.added.size(), c.reason.empty() ? 1u : 0u);
        if (c.reason.empty())
            continue;
        EXPECT_EQ(report.problems, std::vector<std::string>{c.reason});
        EXPECT_EQ(storage.files, before);
        EXPECT_TRUE(storage.nothingStaged());
        EXPECT_EQ(texts(state.objeTop), roster);
        EXPECT_EQ(insertCharacter(state, storage) < 0, c.reason == tooMany);
    }
}

// An export that fails at any file removes what it wrote, so that a retry into
// the same folder completes; what it wrote imports elsewhere as it was.
TEST(RosterExchangeTest, AFailedExportLeavesNothingAndItsRetryImportsElsewhereAsItWas)
{
    MemoryStorage storage;
    const std::string source = "/a/data/CharaList/";
    std::vector<std::string> originals{storeCharacter(storage, source, "勇者", "hero.txt", "hero.png"),
                                       storeCharacter(storage, source, "魔王", "king.txt", "king.png")};
    storage.files[source + "preset.txt"] = "hero.txt\nking.txt\n";
    AppState first, second;
    second.baseDir = "/b";
    const std::vector<Incoming> own = readRosterFolder(first, storage, source);
    const auto before = storage.files;
    for (const char* failing : {"hero.txt", "img/hero.png", "king.txt", "img/king.png", "preset.txt"}) {
        storage.faults = {{"/out/CharaList/" + std::string(failing), Fault::NoSpace}};
        EXPECT_EQ(exportCharacters(storage, {own[0].record, own[1].record}, "/out"), faultText(Fault::NoSpace));
        EXPECT_EQ(storage.files, before) << failing;
    }
    storage.faults.clear();
    EXPECT_EQ(exportCharacters(storage, {own[0].record, own[1].record}, "/out"), "");
    storage.special["/empty/CharaList"] = "a folder without a list";
    for (const char* taken : {"/out", "/empty"})
        EXPECT_EQ(exportCharacters(storage, {own[0].record}, taken), "選んだフォルダーにはすでに CharaList があります");
    // The folder itself, or one holding CharaList/ or data/CharaList/.
    for (const char* chosen : {"/out/CharaList", "/out", "/a/data/CharaList/", "/a/data", "/a"})
        EXPECT_TRUE(rosterFolderIn(storage, chosen).ends_with("CharaList/")) << chosen;
    EXPECT_EQ(importCharacters(second, storage, readRosterFolder(second, storage, rosterFolderIn(storage, "/out"))).added,
              (std::vector<std::string>{"勇者", "魔王"}));
    EXPECT_EQ(texts(second.objeTop), originals);
}
