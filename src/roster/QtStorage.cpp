#include "QtStorage.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <limits>

namespace pc {

namespace {
QString qPath(const std::string& path)
{
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}
} // namespace

QImage imageOf(const Picture& picture)
{
    if (const auto* qtPicture = dynamic_cast<const QtPicture*>(picture.get()))
        return qtPicture->image();
    return {};
}

Picture pictureOf(const QImage& image)
{
    if (image.isNull())
        return nullptr;
    return std::make_shared<QtPicture>(image);
}

std::optional<std::string> QtStorage::read(const std::string& path)
{
    QFile file(qPath(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes.toStdString();
}

std::string QtStorage::writeAtomically(const std::string& path, std::string_view bytes)
{
    QSaveFile file(qPath(path));
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString().toStdString();
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        const std::string reason = file.errorString().toStdString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString().toStdString();
    return {};
}

bool QtStorage::exists(const std::string& path)
{
    return QFileInfo::exists(qPath(path));
}

bool QtStorage::makeFolders(const std::string& path)
{
    return QDir().mkpath(qPath(path));
}

bool QtStorage::remove(const std::string& path)
{
    return QFile::remove(qPath(path));
}

// The platforms on which QFile::moveToTrash is implemented.
bool QtStorage::hasTrash() const
{
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN) || (defined(Q_OS_UNIX) && !defined(Q_OS_ANDROID))
    return true;
#else
    return false;
#endif
}

bool QtStorage::moveToTrash(const std::string& path)
{
    const QString original = qPath(path);
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Without the data folder that holds the trash, Qt moves the file into
    // "files/" under the current folder and reports success.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
#endif
    QFile file(original);
    if (!file.moveToTrash())
        return false;
    if (QFileInfo(file.fileName()).isAbsolute())
        return true;
    QFile::rename(file.fileName(), original);
    return false;
}

Picture QtStorage::decodePicture(std::string_view bytes)
{
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return nullptr;
    QImage image;
    image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()));
    return pictureOf(image);
}

std::optional<std::string> QtStorage::encodePng(const Picture& picture)
{
    const QImage image = imageOf(picture);
    if (image.isNull())
        return std::nullopt;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return std::nullopt;
    return bytes.toStdString();
}

} // namespace pc
