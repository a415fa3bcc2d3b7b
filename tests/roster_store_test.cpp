// Loading and saving the roster on disk: preset list, character files, pictures.
#include "TempDataFolder.h"

#include "records/RowRule.h"
#include "roster/CharacterFile.h"
#include "roster/RosterStore.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace pc;

namespace {

const std::string kWorkedExample =
    "新規キャラクター\nxxxx\n新規ファイル,新規画像\n100,50,5,500\n30,30,30,30,30,30,30\n"
    "100,100,100,100,100,100,100,100\n100,100,100,100,100,100,100,100\n100,100,100,100,100,100\n----++\n"
    "新規技,xxxx,0,0,0,0,0,0,0,0,0,0\n0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n0,0,0,0,0,0,0\n----++\n";

class RosterStoreTest : public ::testing::Test {
protected:
    RosterStoreTest() { state.baseDir = folder.base(); }

    void load()
    {
        initPreset(state, storage);
        roadFile(state, storage);
    }

    OBJE* addCharacter(const std::string& fileName, const std::string& imageName)
    {
        OBJE* record = state.objes.make();
        InitObje(*record);
        record->fileName = fileName;
        record->imageName = imageName;
        if (OBJE* last = lastOf(state.objeTop))
            last->next = record;
        else
            state.objeTop = record;
        return record;
    }

    TempDataFolder folder;
    AppState state;
    QtStorage storage;
};

QImage redSquare()
{
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(Qt::red);
    return image;
}

} // namespace

TEST_F(RosterStoreTest, WorkedExampleLoadsAndSavesTheSameBytes)
{
    folder.write("preset.txt", "新規ファイル\n");
    folder.write("新規ファイル", kWorkedExample);
    load();
    EXPECT_FALSE(state.initPresetFlag);
    EXPECT_TRUE(state.initCPEListFlag);
    ASSERT_EQ(countOf(state.objeTop), 1);
    ASSERT_NE(state.objeTop->attacks, nullptr);
    EXPECT_EQ(state.objeTop->attacks->name, "新規技");
    EXPECT_EQ(state.objeTop->baseStatus.aux1, 3);

    state.ClistClickedRow = 0;
    EXPECT_EQ(saveFile(state, storage), "");
    EXPECT_EQ(setPreset(state, storage), "");
    EXPECT_EQ(folder.read("新規ファイル"), kWorkedExample);
    EXPECT_EQ(folder.read("preset.txt"), "新規ファイル\n");
    EXPECT_FALSE(folder.exists("preset.txt.bak")) << "a list loaded exactly needs no copy";
}

TEST_F(RosterStoreTest, NoLoadableListKeepsRetrying)
{
    for (const char* text : {"", "a", "\xFF\n"}) {
        if (*text)
            folder.write("preset.txt", text);
        state.initPresetFlag = true;
        load();
        EXPECT_TRUE(state.initPresetFlag) << text;
        EXPECT_EQ(state.objeTop, nullptr) << text;
    }
}

TEST_F(RosterStoreTest, PresetListIsRewrittenInRosterOrderAndEmptyForNoCharacters)
{
    EXPECT_NE(setPreset(state, storage), "") << "without the folder the write fails and says so";
    folder.write("preset.txt", "");
    EXPECT_EQ(setPreset(state, storage), "");
    EXPECT_EQ(folder.read("preset.txt"), "");
    addCharacter("a", "ia");
    addCharacter("b", "ib");
    addCharacter("c", "ic");
    state.setPresetFlag = true;
    EXPECT_EQ(setPreset(state, storage), "");
    EXPECT_FALSE(state.setPresetFlag);
    EXPECT_EQ(folder.read("preset.txt"), "a\nb\nc\n");
}

TEST_F(RosterStoreTest, AListThatDidNotLoadExactlyIsKeptBeforeItIsReplaced)
{
    for (const std::string old : {"a\nb", "a\n\xFF\n", "solo"}) {
        TempDataFolder other;
        AppState fresh;
        fresh.baseDir = other.base();
        other.write("preset.txt", old);
        initPreset(fresh, storage);
        OBJE* record = fresh.objes.make();
        InitObje(*record);
        record->fileName = "new";
        fresh.objeTop = record;
        EXPECT_EQ(setPreset(fresh, storage), "");
        EXPECT_EQ(other.read("preset.txt.bak"), old);
        EXPECT_EQ(other.read("preset.txt"), "new\n");
        other.write("preset.txt.bak", "untouched");
        EXPECT_EQ(setPreset(fresh, storage), "");
        EXPECT_EQ(other.read("preset.txt.bak"), "untouched") << "the copy is made once per run";
    }
}

TEST_F(RosterStoreTest, SaveWritesTheListWithTheCharacterAndMakesThePictureFolder)
{
    folder.write("preset.txt", "keep\n");
    OBJE* record = addCharacter("hero", "hero.jpg");
    EXPECT_EQ(saveFile(state, storage), "");
    EXPECT_EQ(folder.read("preset.txt"), "hero\n");
    EXPECT_EQ(folder.read("preset.txt.bak"), "keep\n") << "a list this run did not load is kept";
    EXPECT_TRUE(folder.exists("img"));
    EXPECT_EQ(folder.read("hero"), characterText(*record));
}

TEST_F(RosterStoreTest, PicturesAreWrittenAsPngWhateverTheExtensionAndKeptWithoutOne)
{
    OBJE* record = addCharacter("hero", "hero.jpg");
    record->image = pictureOf(redSquare());
    EXPECT_EQ(saveFile(state, storage), "");
    const std::string bytes = folder.read("img/hero.jpg");
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");

    record->image.reset();
    EXPECT_EQ(saveFile(state, storage), "");
    EXPECT_EQ(folder.read("img/hero.jpg"), bytes) << "saving without a picture keeps the old file";

    EXPECT_EQ(setPreset(state, storage), "");
    AppState reloaded;
    reloaded.baseDir = folder.base();
    initPreset(reloaded, storage);
    roadFile(reloaded, storage);
    ASSERT_NE(reloaded.objeTop, nullptr);
    EXPECT_EQ(imageOf(reloaded.objeTop->image).pixelColor(3, 3), QColor(Qt::red));
}

TEST_F(RosterStoreTest, SavingTheLastRowAndTwoRecordsSharingAFile)
{
    addCharacter("shared", "i1")->name = "first";
    addCharacter("shared", "i2")->name = "second";
    state.ClistClickedRow = -1;
    EXPECT_EQ(saveFile(state, storage), "");
    EXPECT_EQ(setPreset(state, storage), "");
    AppState reloaded;
    reloaded.baseDir = folder.base();
    initPreset(reloaded, storage);
    roadFile(reloaded, storage);
    ASSERT_EQ(countOf(reloaded.objeTop), 2);
    EXPECT_EQ(reloaded.objeTop->name, "second");
    EXPECT_EQ(reloaded.objeTop->next->name, "second");
}

TEST_F(RosterStoreTest, UnusableNamesAreNeverUsedAsPaths)
{
    folder.write("secret", "do not touch");
    folder.write("img/x", "picture");
    const std::vector<std::string> badNames = {"", ".", "..", "preset.txt", "img", "../secret", "a/b", "a\\b",
                                               std::string("a\0b", 3)};
    for (const std::string& bad : badNames) {
        AppState fresh;
        fresh.baseDir = folder.base();
        OBJE* record = fresh.objes.make();
        InitObje(*record);
        record->fileName = bad;
        record->imageName = bad;
        record->image = pictureOf(redSquare());
        fresh.objeTop = record;
        EXPECT_NE(saveFile(fresh, storage), "") << "a refused name is reported";
    }
    EXPECT_EQ(folder.read("secret"), "do not touch");
    EXPECT_EQ(folder.read("img/x"), "picture");

    folder.write("preset.txt", "..\nimg\n\n");
    state.initPresetFlag = true;
    load();
    ASSERT_EQ(countOf(state.objeTop), 3);
    EXPECT_EQ(state.objeTop->fileName, "..");
    EXPECT_EQ(state.objeTop->name, "..");
    EXPECT_EQ(state.objeTop->unreadable, "ファイル名が使えません");
}

TEST_F(RosterStoreTest, MissingCharacterFileGivesANewCharacterUnderTheListedName)
{
    folder.write("preset.txt", "never saved\n");
    load();
    ASSERT_NE(state.objeTop, nullptr);
    EXPECT_EQ(state.objeTop->fileName, "never saved");
    EXPECT_EQ(state.objeTop->baseStatus.HP, 100);
    EXPECT_EQ(state.objeTop->image, nullptr);
}
