// Where the data folder lives, and whether this run may write it.
#pragma once

#include <QLockFile>
#include <QString>

#include <memory>
#include <string>

namespace pc {

// The folder that holds "data/CharaList/": `appDir` when that data folder is
// there (even read-only) or can be made there, otherwise `userDir`, which is
// created.
QString dataBaseFolder(const QString& appDir, const QString& userDir);

// The same choice made without creating anything: `appDir` when its data
// folder exists or `appDir` is writable, otherwise `userDir`.
QString dataBaseFolderWithoutCreating(const QString& appDir, const QString& userDir);

// This run's hold on a data folder: the lock while it may write, or why not
// (another copy holds the lock, or the folder cannot be written). With the
// lock, what an earlier copy killed while writing left is cleared first.
struct FolderClaim {
    std::unique_ptr<QLockFile> lock;
    std::string readOnlyReason;
};
FolderClaim claimDataFolder(const std::string& baseDir);

// The folder dataBaseFolder chooses. When that is `userDir` (an installed copy)
// and its data folder has no preset list yet, it first receives a copy of the
// demo roster in `demoFolder`.
QString startingDataFolder(const QString& appDir, const QString& userDir, const QString& demoFolder);

} // namespace pc
