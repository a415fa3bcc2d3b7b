#include "DataFolder.h"

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

} // namespace pc
