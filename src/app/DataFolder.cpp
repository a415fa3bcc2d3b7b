#include "DataFolder.h"

#include "roster/DemoRoster.h"
#include "roster/QtStorage.h"

#include <QDir>
#include <QFileInfo>

namespace pc {

namespace {

bool canHoldData(const QString& base)
{
    const QString data = base + "/data/CharaList";
    return QDir().mkpath(data) && QFileInfo(data).isWritable();
}

} // namespace

QString dataBaseFolder(const QString& appDir, const QString& userDir)
{
    if (canHoldData(appDir))
        return appDir;
    QDir().mkpath(userDir);
    return userDir;
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
