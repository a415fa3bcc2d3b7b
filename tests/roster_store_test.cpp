// Loading and saving the roster on disk: the index's backup, pictures, failed writes.
#include "Fixtures.h"
#include "TempDataFolder.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace pc;

namespace {

class RosterStoreTest : public ::testing::Test {
protected:
    RosterStoreTest() { state.baseDir = folder.base(); }

    TempDataFolder folder;
    AppState state;
    QtStorage storage;
};

} // namespace

TEST_F(RosterStoreTest, AnIndexThatDidNotLoadExactlyIsKeptOnceBeforeItIsReplaced)
{
    folder.write("preset.txt", "a\nb");
    reload(state, storage);
    state.objeTop = nullptr;
    addCharacter(state, "新", "new", "new.png");
    EXPECT_EQ(setPreset(state, storage), "");
    EXPECT_EQ(folder.read("preset.txt.bak"), "a\nb");
    EXPECT_EQ(folder.read("preset.txt"), "new\n");
    folder.write("preset.txt.bak", "untouched");
    EXPECT_EQ(setPreset(state, storage), "");
    EXPECT_EQ(folder.read("preset.txt.bak"), "untouched") << "the copy is made once per run";
}

TEST_F(RosterStoreTest, PicturesAreWrittenAsPngAndAFailedWriteIsReported)
{
    QImage red(8, 8, QImage::Format_ARGB32);
    red.fill(Qt::red);
    addCharacter(state, "勇者", "hero", "hero.jpg")->image = pictureOf(red);
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
    reload(reloaded, storage);
    ASSERT_NE(reloaded.objeTop, nullptr);
    EXPECT_EQ(imageOf(reloaded.objeTop->image).pixelColor(3, 3), QColor(Qt::red));

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
