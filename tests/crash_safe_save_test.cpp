// SPDX-License-Identifier: GPL-3.0-or-later
// Crash-safe saves and imports: a writer saving characters over and over is
// killed at random moments, and every kill leaves whole files and the roster of
// one save of its sequence; a writer importing a roster folder over and over
// likewise leaves, after the next start, the roster before an import or after
// it, every file in the folder one the roster names, and no temporary file.
#include "Fixtures.h"
#include "SaveSequence.h"
#include "TempDataFolder.h"

#include "records/RowRule.h"
#include "roster/CharacterFile.h"
#include "roster/DataFolder.h"
#include "roster/PresetList.h"
#include "roster/RosterStore.h"

#include <QDirIterator>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <thread>

using namespace pc;

namespace {

constexpr int kKills = 200;

std::unique_ptr<AppState> loadRoster(const TempDataFolder& folder)
{
    auto state = std::make_unique<AppState>();
    state->baseDir = folder.base();
    QtStorage storage;
    reload(*state, storage);
    return state;
}

std::vector<std::string> rosterTexts(const AppState& state)
{
    std::vector<std::string> texts;
    for (const OBJE* record = state.objeTop; record; record = record->next)
        texts.push_back(characterText(*record));
    return texts;
}

// A character file is whole when it is exactly the file its own content writes.
bool isWholeCharacterFile(const std::string& text)
{
    Arena<ATTACK> attacks;
    OBJE record;
    readCharacter(text, "", record, attacks);
    return characterText(record) == text;
}

// A preset list is whole when every name in it ends with its line feed.
bool isWholeList(const std::string& text)
{
    const auto names = parsePresetText(text);
    std::string rewritten;
    for (const std::string& name : names.value_or(std::vector<std::string>{}))
        rewritten += name + '\n';
    return rewritten == text;
}

// The file a name stands for: Qt's atomic write, killed after it has put its
// finished copy beside the file as "<name>.XXXXXX" but before renaming it over the
// file, leaves that copy behind.
std::string targetOf(const std::string& name)
{
    const std::size_t dot = name.size() > 7 ? name.size() - 7 : std::string::npos;
    const bool leftover = dot != std::string::npos && name[dot] == '.'
        && std::all_of(name.begin() + static_cast<long>(dot) + 1, name.end(), [](unsigned char c) { return std::isalnum(c) != 0; });
    return leftover ? name.substr(0, dot) : name;
}

struct FolderScan {
    bool newFileUnlisted = false;
    std::set<std::string> leftovers;
};

// Checks every file of the folder against `roster`, the roster it loaded: the
// preset list is whole and names that roster; every character file, picture and
// leftover copy is whole; and the only character file the list does not name is
// the one the next insert writes, with the content it writes.
FolderScan expectWholeFolder(const TempDataFolder& folder, const AppState& roster)
{
    EXPECT_EQ(folder.exists("preset.txt") ? folder.read("preset.txt") : "", presetText(roster.objeTop));
    std::map<std::string, std::string> listed;
    std::map<std::string, int> pictureRows;
    int count = 0;
    for (const OBJE* record = roster.objeTop; record; record = record->next, ++count) {
        listed[record->fileName] = characterText(*record);
        pictureRows["img/" + record->imageName] = count;
        EXPECT_EQ(imageOf(record->image).pixel(0, 0), savesequence::pictureColour(count)) << record->name;
    }
    const std::string nextFile = "chara" + std::to_string(count) + ".txt";
    pictureRows["img/chara" + std::to_string(count) + ".png"] = count;

    FolderScan scan;
    const QDir data(QString::fromStdString(folder.path("")));
    QDirIterator files(data.path(), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const std::string name = data.relativeFilePath(files.next()).toStdString();
        // A save cut short before its rename leaves its temporary file, which nothing reads.
        if (name.starts_with(".partyclash-") || name.starts_with("img/.partyclash-"))
            continue;
        const std::string target = targetOf(name);
        if (target != name)
            scan.leftovers.insert(name);
        if (target == "preset.txt") {
            EXPECT_TRUE(isWholeList(folder.read(name))) << name;
        } else if (target.starts_with("img/")) {
            const auto row = pictureRows.find(target);
            const QImage picture(QString::fromStdString(folder.path(name)));
            EXPECT_TRUE(row != pictureRows.end() && !picture.isNull()
                        && picture.pixel(0, 0) == savesequence::pictureColour(row->second))
                << name;
        } else if (const auto text = listed.find(name); text != listed.end()) {
            EXPECT_EQ(folder.read(name), text->second) << "whole: what its character writes";
        } else if (target != name) {
            EXPECT_TRUE(isWholeCharacterFile(folder.read(name))) << name;
        } else {
            scan.newFileUnlisted = true;
            EXPECT_EQ(name, nextFile);
            EXPECT_EQ(folder.read(name), savesequence::insertedText(count)) << name;
        }
    }
    return scan;
}

// Starts the writer on `args`, lets it write for `delay` and kills it.
void killWriter(const QStringList& args, std::chrono::microseconds delay)
{
    QProcess writer;
    writer.start(CRASH_SAVE_WRITER, args);
    ASSERT_TRUE(writer.waitForReadyRead(30000)) << writer.readAllStandardError().toStdString();
    std::this_thread::sleep_for(delay);
    writer.kill();
    ASSERT_TRUE(writer.waitForFinished(30000));
    ASSERT_EQ(writer.exitStatus(), QProcess::CrashExit) << "the writer writes until it is killed";
}

} // namespace

TEST(CrashSafeSaveTest, EveryKillLeavesWholeFilesAndTheRosterOfOneSave)
{
    TempDataFolder folder;
    AppState sequence;
    std::mt19937 random(20240611);
    // Every file reaches the disk before it is renamed, so a save takes a few fsyncs.
    std::uniform_int_distribution<int> delayMicroseconds(0, 150000);
    long savesBefore = 0;
    int killsBetweenFileAndList = 0;
    std::set<std::string> leftovers;
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        killWriter({QString::fromStdString(folder.base())}, std::chrono::microseconds(delayMicroseconds(random)));
        if (testing::Test::HasFatalFailure())
            return;

        const auto loaded = loadRoster(folder);
        const long saves = savesequence::savesBehind(*loaded);
        ASSERT_GE(saves, savesBefore) << "no save is undone and no character lost";
        while (savesequence::savesBehind(sequence) < saves)
            savesequence::nextEdit(sequence);
        ASSERT_EQ(rosterTexts(*loaded), rosterTexts(sequence)) << "the roster is the one after save " << saves;
        const FolderScan scan = expectWholeFolder(folder, *loaded);
        killsBetweenFileAndList += scan.newFileUnlisted;
        leftovers.insert(scan.leftovers.begin(), scan.leftovers.end());
        if (testing::Test::HasFailure())
            return;
        savesBefore = saves;
    }
    std::cout << kKills << " kills survived over " << savesBefore << " saves; " << killsBetweenFileAndList
              << " fell between a new character's file and its listing; " << leftovers.size()
              << " whole copies left beside their files\n";
    EXPECT_GE(savesBefore, kKills / 2) << "the writer gets through saves between the kills";
}

TEST(CrashSafeImportTest, EveryKillLeavesTheRosterBeforeOrAfterAnImportAndNothingElse)
{
    constexpr int kKills = 25, kCharacters = 10;
    TempDataFolder source, folder;
    AppState sourceRoster; // the first characters of the save sequence, with their pictures
    sourceRoster.baseDir = source.base();
    QtStorage storage;
    while (countOf(sourceRoster.objeTop) < kCharacters) {
        savesequence::nextEdit(sourceRoster);
        ASSERT_EQ(saveFile(sourceRoster, storage), "");
    }
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delayMilliseconds(0, 1500);
    int before = 0, cutShort = 0;
    // Kills go on past kKills, up to four times as many, until one has fallen within an import:
    // where the kills land depends on the machine's speed.
    for (int kill = 0; (kill < kKills || (cutShort == 0 && kill < 4 * kKills)) && !testing::Test::HasFailure();
         ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        killWriter({QString::fromStdString(folder.base()), QString::fromStdString(source.path(""))},
                   std::chrono::milliseconds(delayMilliseconds(random)));

        cutShort += folder.exists(".partyclash-import");
        ASSERT_TRUE(claimDataFolder(folder.base()).lock) << "the next start, which clears what the kill left";
        std::set<std::string> named{"preset.txt"};
        int count = 0;
        const auto roster = loadRoster(folder);
        for (const OBJE* record = roster->objeTop; record; record = record->next, ++count) {
            EXPECT_EQ(record->name, recordAt(sourceRoster.objeTop, count % kCharacters)->name) << "whole, in the order imported";
            EXPECT_TRUE(record->image && record->unreadable.empty()) << record->fileName;
            named.insert({record->fileName, "img/" + record->imageName});
        }
        EXPECT_EQ(count % kCharacters, 0) << "whole imports only";
        EXPECT_GE(count, before) << "no finished import is undone";
        const QDir data(QString::fromStdString(folder.path("")));
        for (QDirIterator files(data.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); files.hasNext();) {
            const std::string name = data.relativeFilePath(files.next()).toStdString();
            EXPECT_TRUE(named.contains(name)) << name << " is neither listed nor a listed character's picture";
        }
        before = count;
    }
    EXPECT_GE(before / kCharacters, kKills / 4) << "the writer gets through imports between the kills";
    EXPECT_GT(cutShort, 0) << "some kills fell within an import";
}
