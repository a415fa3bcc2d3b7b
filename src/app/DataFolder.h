// Where the data folder lives: beside the executable while the application can
// write there, otherwise in the user's own application data folder.
#pragma once

#include <QString>

namespace pc {

// The folder that holds "data/CharaList/": `appDir` when that data folder exists
// there writable or can be made there, otherwise `userDir`, which is created.
QString dataBaseFolder(const QString& appDir, const QString& userDir);

// The folder dataBaseFolder chooses. When that is `userDir` (an installed copy)
// and its data folder has no preset list yet, it first receives a copy of the
// demo roster in `demoFolder`.
QString startingDataFolder(const QString& appDir, const QString& userDir, const QString& demoFolder);

} // namespace pc
