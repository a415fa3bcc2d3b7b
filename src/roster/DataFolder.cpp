// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataFolder.h"

#include "DataPlace.h"
#include "DemoRoster.h"
#include "FileNames.h"
#include "FolderRecovery.h"
#include "QtStorage.h"
#include "ui/Text.h"

#include <QDir>

#include <unistd.h>

#include <cerrno>

namespace pc {

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

QString startingDataFolder(const QString& appDir, const QString& userDir, bool installed, const QString& demoFolder)
{
    const std::string base = dataBaseFolder(appDir.toStdString(), userDir.toStdString(), installed, true);
    if (!base.empty() && base == userDir.toStdString()) {
        QtStorage storage;
        seedDemoRoster(storage, base, demoFolder);
    }
    return qs(base);
}

} // namespace pc
