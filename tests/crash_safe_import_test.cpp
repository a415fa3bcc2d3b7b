// Crash-safe imports: a writer importing a roster folder over and over is
// killed at random moments; after each kill and a start on the folder, the
// roster is the one before an import or after it, every file in the folder is
// one the roster names, and no temporary file is left.
#include "TempDataFolder.h"

#include "roster/CharacterFile.h"
#include "roster/DataFolder.h"
#include "roster/RosterStore.h"

#include <QBuffer>
#include <QDirIterator>
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <random>
#include <set>
#include <thread>

using namespace pc;

namespace {

constexpr int kKills = 25;
constexpr int kCharacters = 10;

// A roster folder of kCharacters characters, each with a picture of its own colour.
std::string makeSource(const TempDataFolder& source)
{
    std::string preset;
    for (int i = 0; i < kCharacters; ++i) {
        OBJE record;
        InitObje(record);
        record.name = "客" + std::to_string(i);
        record.fileName = "guest" + std::to_string(i) + ".txt";
        record.imageName = "guest" + std::to_string(i) + ".png";
        source.write(record.fileName, characterText(record));
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(qRgb(i * 8, 0, 255 - i * 8));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "PNG");
        source.write("img/" + record.imageName, png.toStdString());
        preset += record.fileName + '\n';
    }
    source.write("preset.txt", preset);
    return source.path("");
}

std::unique_ptr<AppState> loadRoster(const TempDataFolder& folder)
{
    auto state = std::make_unique<AppState>();
    state->baseDir = folder.base();
    QtStorage storage;
    initPreset(*state, storage);
    roadFile(*state, storage);
    return state;
}

} // namespace

TEST(CrashSafeImportTest, EveryKillLeavesTheRosterBeforeOrAfterAnImportAndNothingElse)
{
    TempDataFolder source;
    const std::string sourceFolder = makeSource(source);
    TempDataFolder folder;
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delayMilliseconds(0, 1500);
    int before = 0;
    int cutShort = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        QProcess writer;
        writer.start(CRASH_IMPORT_WRITER, {QString::fromStdString(folder.base()), QString::fromStdString(sourceFolder)});
        ASSERT_TRUE(writer.waitForReadyRead(30000)) << writer.readAllStandardError().toStdString();
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMilliseconds(random)));
        writer.kill();
        ASSERT_TRUE(writer.waitForFinished(30000));
        ASSERT_EQ(writer.exitStatus(), QProcess::CrashExit) << writer.readAllStandardError().toStdString();

        cutShort += folder.exists(".partyclash-import");
        {
            const FolderClaim start = claimDataFolder(folder.base()); // as the next start does
            ASSERT_TRUE(start.lock) << start.readOnlyReason;
        }
        const auto roster = loadRoster(folder);
        std::set<std::string> named{"preset.txt"};
        int count = 0;
        for (const OBJE* record = roster->objeTop; record; record = record->next, ++count) {
            EXPECT_EQ(record->unreadable, "") << record->fileName;
            EXPECT_TRUE(record->image) << record->fileName << " has its picture";
            EXPECT_EQ(record->name, "客" + std::to_string(count % kCharacters)) << "in the order imported";
            named.insert(record->fileName);
            named.insert("img/" + record->imageName);
        }
        EXPECT_EQ(count % kCharacters, 0) << "whole imports only";
        EXPECT_GE(count, before) << "no finished import is undone";
        const QDir data(QString::fromStdString(folder.path("")));
        QDirIterator files(data.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const std::string name = data.relativeFilePath(files.next()).toStdString();
            EXPECT_TRUE(named.contains(name)) << name << " is neither listed nor a listed character's picture";
        }
        if (testing::Test::HasFailure())
            return;
        before = count;
    }
    std::cout << kKills << " kills survived over " << before / kCharacters << " imports of " << kCharacters
              << " characters; " << cutShort << " cut an import short\n";
    EXPECT_GE(before / kCharacters, kKills / 4) << "the writer gets through imports between the kills";
}
