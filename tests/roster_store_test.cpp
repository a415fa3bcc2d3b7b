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
    EXPECT_EQ(folder.read("img/hero.jpg").substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(setPreset(state, storage), "");
    AppState reloaded;
    reloaded.baseDir = folder.base();
    reload(reloaded, storage);
    ASSERT_NE(reloaded.objeTop, nullptr);
    EXPECT_EQ(imageOf(reloaded.objeTop->image).pixelColor(3, 3), QColor(Qt::red));

    QDir().mkpath(QString::fromStdString(folder.path("img/blocked.png")));
    state.objeTop->imageName = "blocked.png";
    EXPECT_NE(saveFile(state, storage), "") << "a picture that cannot be written is reported";
}
