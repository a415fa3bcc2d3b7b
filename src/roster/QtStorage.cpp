// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtStorage.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QStandardPaths>

namespace pc {

// The platforms on which QFile::moveToTrash is implemented.
bool QtStorage::hasTrash() const
{
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN) || (defined(Q_OS_UNIX) && !defined(Q_OS_ANDROID))
    return true;
#else
    return false;
#endif
}

std::string QtStorage::moveToTrash(const std::string& path)
{
    bool missing = false;
    if (std::string problem = removalProblem(path, missing); !problem.empty() || missing)
        return problem;
    const QString original = QString::fromStdString(path);
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Without the data folder that holds the trash, Qt moves the file into
    // "files/" under the current folder and reports success.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
#endif
    QFile file(original);
    if (file.moveToTrash() && QFileInfo(file.fileName()).isAbsolute())
        return {};
    if (file.fileName() != original)
        QFile::rename(file.fileName(), original);
    return "ゴミ箱へ移せません（" + file.errorString().toStdString() + "）";
}

// Only the header is read here: a file that is no picture, or one whose image
// would pass QImageReader's allocation limit, is refused as reading it would be.
Picture QtStorage::decodePicture(std::string bytes)
{
    if (bytes.size() > kPictureFileLimit)
        return nullptr;
    QByteArray file = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    // A PNG file (the format pictures are saved in) goes straight to its reader
    // instead of through every format's probe.
    const bool png = bytes.starts_with("\x89PNG\r\n\x1a\n");
    QImageReader reader(&buffer, png ? QByteArrayLiteral("png") : QByteArray());
    if (!reader.canRead())
        return nullptr;
    const QSize size = reader.size();
    // A format that does not tell its size before decoding is decoded now.
    if (!size.isValid())
        return pictureOf(reader.read());
    if (size.isEmpty())
        return nullptr;
    const QImage::Format format = reader.imageFormat();
    const qint64 depth = format == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(format).bitsPerPixel();
    const qint64 limit = qint64(QImageReader::allocationLimit()) << 20;
    if (limit > 0 && qint64(size.width()) * size.height() * depth / 8 > limit)
        return nullptr;
    buffer.close();
    return std::make_shared<QtPicture>(std::move(bytes));
}

std::optional<std::string> QtStorage::encodePng(const Picture& picture)
{
    // A picture read from a file, and so never changed, is written as it was read.
    if (const auto* qtPicture = dynamic_cast<const QtPicture*>(picture.get()); qtPicture && !qtPicture->file().empty())
        return qtPicture->file();
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
