// SPDX-License-Identifier: GPL-3.0-or-later
#include "DemoRoster.h"

#include "FileNames.h"
#include "RosterExchange.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace pc {

QString demoRosterFolder(const QString& appDir)
{
    const QString relative = QStringLiteral("partyclash/examples/CharaList");
    const QStringList candidates = {
        appDir + QStringLiteral("/examples/CharaList"),
        QDir::cleanPath(appDir + QStringLiteral("/../share/") + relative),
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, relative, QStandardPaths::LocateDirectory),
    };
    for (const QString& candidate : candidates) {
        if (!candidate.isEmpty() && QFileInfo::exists(candidate + QStringLiteral("/preset.txt")))
            return candidate;
    }
    return {};
}

bool seedDemoRoster(Storage& storage, const std::string& baseDir, const QString& demoFolder)
{
    if (demoFolder.isEmpty() || storage.exists(characterFolder(baseDir) + "preset.txt"))
        return false;
    AppState state;
    state.baseDir = baseDir;
    return !importCharacters(state, storage, readRosterFolder(state, storage, demoFolder.toStdString())).added.empty();
}

} // namespace pc
