// Choosing the data folder: beside the executable while it can be written there, else the user's folder.
#include "roster/DataFolder.h"
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

TEST(DataFolderTest, BesideTheExecutableOnlyWhenTheDataFolderCanBeWrittenThere)
{
    const struct {
        const char* name;
        const char* appDir; // inside the temporary folder, or absolute
        bool besideExecutable;
    } cases[] = {
        {"a writable folder", "bin", true},
        {"a folder no one may create folders in", "/proc", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir temporary;
        const QDir root(temporary.path());
        ASSERT_TRUE(root.mkpath("bin"));
        const QString appDir = root.filePath(c.appDir);
        const QString userDir = root.filePath("home/.local/share/partyclash");
        const QString chosen = dataBaseFolder(appDir, userDir);
        EXPECT_EQ(chosen, c.besideExecutable ? appDir : userDir);
        EXPECT_TRUE(QFileInfo(chosen).isDir());
        EXPECT_EQ(QFileInfo(appDir + "/data/CharaList").isDir(), c.besideExecutable);
    }
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
    ASSERT_EQ(startingDataFolder(appDir, userDir, demo), appDir);
    EXPECT_FALSE(QFileInfo::exists(appDir + "/data/CharaList/preset.txt"));

    ASSERT_EQ(startingDataFolder("/proc", userDir, demo), userDir);
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
    startingDataFolder("/proc", userDir, demo);
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
