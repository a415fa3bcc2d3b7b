// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the data folder: beside the executable in a build tree that can hold it, else the user's folder;
// an installed copy always the user's, and none without a home.
#include "Version.h"
#include "app/AboutBox.h"
#include "roster/DataFolder.h"
#include "roster/DataPlace.h"
#include "roster/QtStorage.h"
#include "roster/RosterExchange.h"
#include "roster/RosterStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pc;

TEST(DataFolderTest, BesideTheExecutableOnlyInABuildTreeThatCanHoldItNeverForAnInstalledCopy)
{
    const struct {
        const char* name;
        const char* appDir; // inside the temporary folder, or absolute
        bool installed;
        bool hasHome;
        const char* chosen; // "app", "user" or "" for none
    } cases[] = {
        {"a writable build tree", "bin", false, true, "app"},
        {"a build tree no one may create folders in", "/proc", false, true, "user"},
        {"an installed copy in a folder it could write, as root can", "bin", true, true, "user"},
        {"an installed copy without a home", "bin", true, false, ""},
        {"an unwritable build tree without a home", "/proc", false, false, ""},
    };
    for (const auto& c : cases) {
        for (const bool create : {false, true}) {
            // Only making a folder tells root that it cannot write in /proc.
            if (!create && c.appDir[0] == '/')
                continue;
            SCOPED_TRACE(std::string(c.name) + (create ? ", creating" : ", only choosing"));
            QTemporaryDir temporary;
            const QDir root(temporary.path());
            ASSERT_TRUE(root.mkpath("bin"));
            const std::string appDir = root.filePath(c.appDir).toStdString();
            const std::string userDir = c.hasHome ? root.filePath("home/.local/share/partyclash").toStdString() : "";
            const std::string chosen = dataBaseFolder(appDir, userDir, c.installed, create);
            const std::string expected = c.chosen == std::string("app") ? appDir : c.chosen == std::string("user") ? userDir : "";
            EXPECT_EQ(chosen, expected);
            EXPECT_EQ(QFileInfo::exists(QString::fromStdString(appDir + "/data")), create && expected == appDir);
            EXPECT_EQ(QFileInfo::exists(root.filePath("home")), create && !userDir.empty() && expected == userDir);
        }
    }
}

TEST(DataFolderTest, TheUserFolderFollowsXdgDataHomeThenHomeAndAnInstalledCopyIsOneInASystemFolder)
{
    QTemporaryDir temporary;
    const std::string home = temporary.path().toStdString();
    const struct { const char* xdg; const char* home; std::string expected; } users[] = {
        {"/xdg/data", home.c_str(), "/xdg/data/partyclash"},
        {"relative/data", home.c_str(), home + "/.local/share/partyclash"},
        {nullptr, home.c_str(), home + "/.local/share/partyclash"},
        {"", nullptr, ""},
        {nullptr, "", ""},
        {nullptr, "relative", ""},
        {nullptr, "/no/such/home", ""},
    };
    for (const auto& u : users)
        EXPECT_EQ(userDataBase(u.xdg, u.home), u.expected) << (u.xdg ? u.xdg : "-") << " " << (u.home ? u.home : "-");

    for (const char* folder : {"/usr/games", "/usr/bin", "/usr/local/bin", "/opt/partyclash/bin", "/bin", "/sbin", "/usr"})
        EXPECT_TRUE(isInstalledCopy(folder)) << folder;
    for (const char* folder : {"/usr2/bin", "/home/user/partyclash/build/src", "/tmp/usr/games", "/optional", "build/src"})
        EXPECT_FALSE(isInstalledCopy(folder)) << folder;
}

TEST(DataFolderTest, AnInstalledCopyGetsTheDemoRosterOnceAndTheDemoButtonAddsOnlyWhatIsMissing)
{
    QTemporaryDir temporary;
    const QString userDir = temporary.path() + "/home/.local/share/partyclash";
    const std::string roster = userDir.toStdString() + "/data/CharaList/";
    const QString demo = QStringLiteral(PARTYCLASH_EXAMPLES);
    const auto read = [](const std::string& path) { return QtStorage().read(path).value_or("<missing>"); };
    const std::string demoPreset = read(demo.toStdString() + "/preset.txt");

    // A build tree's writable folder is left to scripts/run.
    const QString appDir = temporary.path() + "/bin";
    ASSERT_EQ(startingDataFolder(appDir, userDir, false, demo), appDir);
    EXPECT_FALSE(QFileInfo::exists(appDir + "/data/CharaList/preset.txt"));

    ASSERT_EQ(startingDataFolder(appDir, userDir, true, demo), userDir);
    EXPECT_EQ(read(roster + "preset.txt"), demoPreset);
    EXPECT_EQ(read(roster + "arus.txt"), read(demo.toStdString() + "/arus.txt"));
    EXPECT_TRUE(QImage(QString::fromStdString(roster + "img/slime.png")).width() > 0);

    // The user renames アルス and deletes everyone else.
    QtStorage storage;
    const std::string changed = "勇者アルス改\n" + read(roster + "arus.txt").substr(std::string("勇者アルス\n").size());
    ASSERT_TRUE(QDir(QString::fromStdString(roster)).removeRecursively());
    ASSERT_EQ(storage.makeFolders(roster + "img"), "");
    ASSERT_EQ(storage.writeAtomically(roster + "arus.txt", changed), "");
    ASSERT_EQ(storage.writeAtomically(roster + "preset.txt", "arus.txt\n"), "");
    startingDataFolder(appDir, userDir, true, demo);
    EXPECT_EQ(read(roster + "preset.txt"), "arus.txt\n");
    EXPECT_FALSE(storage.exists(roster + "mira.txt"));

    AppState state;
    state.baseDir = userDir.toStdString();
    initPreset(state, storage);
    roadFile(state, storage);
    const ImportReport report =
        importCharacters(state, storage, missingFrom(state.objeTop, readRosterFolder(state, storage, demo.toStdString())));
    EXPECT_EQ(report.added.size(), 11u);
    EXPECT_EQ(read(roster + "arus.txt"), changed);
    EXPECT_EQ(read(roster + "preset.txt"), demoPreset);
    EXPECT_TRUE(missingFrom(state.objeTop, readRosterFolder(state, storage, demo.toStdString())).empty());
}

TEST(AboutBoxTest, NamesTheVersionTheLicenceAndTheDataFolderInUseWithItsState)
{
    AppState state;
    state.baseDir = "/home/ユーザー/.local/share/partyclash";
    EXPECT_EQ(aboutText(state).find("読み取り専用"), std::string::npos);
    state.readOnlyReason = "別のPartyClashがこのフォルダを使っています<lock>";
    const std::string text = aboutText(state);
    for (const std::string& part : {"PartyClash " + std::string(kVersion), std::string("GPL-3.0-or-later"),
                                    state.baseDir + "/data/CharaList", std::string("読み取り専用"), std::string("&lt;lock&gt;")})
        EXPECT_NE(text.find(part), std::string::npos) << part;
}
