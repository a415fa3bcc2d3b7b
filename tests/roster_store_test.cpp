// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and saving the roster on disk: pictures, failed writes, a large roster.
#include "Fixtures.h"
#include "TempDataFolder.h"
#include "roster/CharacterFile.h"

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

TEST(RosterStoreBackupTest, AnIndexThatDidNotLoadExactlyIsKeptOnceBeforeItIsReplaced)
{
    QtStorage withPictures;
    FileStorage withoutWindows;
    for (Storage* storage : std::initializer_list<Storage*>{&withPictures, &withoutWindows}) {
        TempDataFolder folder;
        AppState state;
        state.baseDir = folder.base();
        folder.write("preset.txt", "a\nb");
        reload(state, *storage);
        state.objeTop = nullptr;
        addCharacter(state, "新", "new", "new.png");
        EXPECT_EQ(setPreset(state, *storage), "");
        EXPECT_EQ(folder.read("preset.txt.bak"), "a\nb");
        EXPECT_EQ(folder.read("preset.txt"), "new\n");
        folder.write("preset.txt.bak", "untouched");
        EXPECT_EQ(setPreset(state, *storage), "");
        EXPECT_EQ(folder.read("preset.txt.bak"), "untouched") << "the copy is made once per run";
    }
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

TEST_F(RosterStoreTest, ALargeRosterReadOnSeveralThreadsIsReadWhole)
{
    // Enough characters to be read in parallel: each with its own numbers and
    // attacks, every third naming one shared picture and every fifth a missing one.
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    QDir().mkpath(QString::fromStdString(folder.path("img")));
    ASSERT_TRUE(red.save(QString::fromStdString(folder.path("img/shared.png")), "PNG"));
    std::vector<std::string> texts;
    std::string list;
    std::size_t attacks = 0;
    for (int i = 0; i < 1000; ++i) {
        OBJE record;
        InitObje(record);
        record.name = "キャラ" + std::to_string(i);
        record.fileName = "c" + std::to_string(i) + ".txt";
        record.imageName = i % 3 == 0 ? "shared.png" : i % 5 == 0 ? "missing.png" : "新規画像";
        record.baseStatus.HP = i;
        std::vector<ATTACK> made(static_cast<std::size_t>(i % 4));
        for (std::size_t k = 0; k < made.size(); ++k) {
            InitAttack(made[k]);
            made[k].name = "技" + std::to_string(i) + "-" + std::to_string(k);
            made[k].next = k + 1 < made.size() ? &made[k + 1] : nullptr;
        }
        record.attacks = made.empty() ? nullptr : made.data();
        attacks += made.size();
        texts.push_back(characterText(record));
        folder.write(record.fileName, texts.back());
        list += record.fileName + "\n";
    }
    folder.write("preset.txt", list);
    reload(state, storage);

    EXPECT_EQ(state.attacks.size(), attacks);
    const OBJE* shared = nullptr;
    int i = 0;
    for (const OBJE* record = state.objeTop; record; record = record->next, ++i) {
        SCOPED_TRACE(i);
        ASSERT_LT(i, 1000);
        EXPECT_EQ(characterText(*record), texts[static_cast<std::size_t>(i)]);
        EXPECT_EQ(record->image != nullptr, i % 3 == 0);
        if (i % 3 == 0) {
            if (shared) {
                EXPECT_EQ(record->image, shared->image) << "one picture, read and decoded once";
            }
            shared = record;
        }
    }
    EXPECT_EQ(i, 1000);
    EXPECT_EQ(imageOf(shared->image).pixelColor(1, 1), QColor(Qt::red));
}
