// Choosing the data folder: beside the executable while it can be written there, else the user's folder.
#include "app/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pc;

TEST(DataFolderTest, BesideTheExecutableOnlyWhenTheDataFolderCanBeWrittenThere)
{
    const struct {
        const char* name;
        const char* appDir; // inside the temporary folder, or absolute
        const char* file;   // a plain file laid there first, if any
        bool besideExecutable;
    } cases[] = {
        {"a writable folder", "bin", nullptr, true},
        {"\"data\" is a file, not a folder", "bin", "bin/data", false},
        {"a folder no one may create folders in", "/proc", nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir temporary;
        const QDir root(temporary.path());
        ASSERT_TRUE(root.mkpath("bin"));
        if (c.file) {
            ASSERT_TRUE(root.mkpath(QFileInfo(root.filePath(c.file)).path()));
            QFile file(root.filePath(c.file));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        const QString appDir = root.filePath(c.appDir);
        const QString userDir = root.filePath("home/.local/share/partyclash");
        const QString chosen = dataBaseFolder(appDir, userDir);
        EXPECT_EQ(chosen, c.besideExecutable ? appDir : userDir);
        EXPECT_TRUE(QFileInfo(chosen).isDir());
        EXPECT_EQ(QFileInfo(appDir + "/data/CharaList").isDir(), c.besideExecutable);
    }
}
