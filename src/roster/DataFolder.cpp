#include "DataFolder.h"

#include "DemoRoster.h"
#include "FileNames.h"
#include "FolderRecovery.h"
#include "QtStorage.h"
#include "ui/Text.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

#include <cerrno>

namespace pc {

QString dataBaseFolder(const QString& appDir, const QString& userDir)
{
    const QString data = appDir + "/data/CharaList";
    if (QFileInfo(data).isDir() || QDir().mkpath(data))
        return appDir;
    QDir().mkpath(userDir);
    return userDir;
}

QString dataBaseFolderWithoutCreating(const QString& appDir, const QString& userDir)
{
    const bool holdsOne = QFileInfo(appDir + "/data/CharaList").isDir()
        || ::access(QFile::encodeName(appDir).constData(), W_OK) == 0;
    return holdsOne ? appDir : userDir;
}

FolderClaim claimDataFolder(const std::string& baseDir)
{
    FolderClaim claim;
    std::string folder = characterFolder(baseDir);
    folder.pop_back();
    QDir().mkpath(qs(folder));
    if (::access(folder.c_str(), W_OK) != 0) {
        claim.readOnlyReason = "フォルダに書き込めません：" + folder + " " + systemFailure(errno);
        return claim;
    }
    // The lock file's name is one no character may take.
    auto lock = std::make_unique<QLockFile>(qs(folder + "/.partyclash-lock"));
    errno = 0;
    const bool locked = lock->tryLock(0);
    const int error = errno != 0 ? errno : EACCES;
    if (locked) {
        claim.lock = std::move(lock);
        // No other copy writes the folder now: what a killed one left is cleared.
        QtStorage storage;
        recoverDataFolder(storage, baseDir);
        return claim;
    }
    claim.readOnlyReason = lock->error() == QLockFile::LockFailedError
        ? std::string(failure::kLocked) + "：" + folder
        : "フォルダをロックできません：" + folder + " " + systemFailure(error);
    return claim;
}

QString startingDataFolder(const QString& appDir, const QString& userDir, const QString& demoFolder)
{
    const QString base = dataBaseFolder(appDir, userDir);
    if (base == userDir) {
        QtStorage storage;
        seedDemoRoster(storage, base.toStdString(), demoFolder);
    }
    return base;
}

} // namespace pc
