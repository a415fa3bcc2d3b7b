// SPDX-License-Identifier: GPL-3.0-or-later
// Where the data folder lives, and whether this run may write it.
#pragma once

#include <QLockFile>
#include <QString>

#include <memory>
#include <string>

namespace pc {

// This run's hold on a data folder: the lock while it may write, or why not
// (another copy holds the lock, or the folder cannot be written). With the
// lock, what an earlier copy killed while writing left is cleared first.
struct FolderClaim {
    std::unique_ptr<QLockFile> lock;
    std::string readOnlyReason;
};
FolderClaim claimDataFolder(const std::string& baseDir);

// The folder dataBaseFolder chooses, made. When that is `userDir` and its data
// folder has no preset list yet, it first receives a copy of the demo roster
// in `demoFolder`. Empty when there is none (see kNoHome).
QString startingDataFolder(const QString& appDir, const QString& userDir, bool installed, const QString& demoFolder);

} // namespace pc
