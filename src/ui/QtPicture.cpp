// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPicture.h"

#include <QBuffer>
#include <QImageReader>

namespace pc {

QtPicture::QtPicture(QImage image)
    : image_(std::move(image))
{
    std::call_once(decoded_, [] {});
}

QtPicture::QtPicture(std::string file)
    : file_(std::move(file))
{
}

const QImage& QtPicture::image() const
{
    std::call_once(decoded_, [this] {
        QByteArray file = QByteArray::fromRawData(file_.data(), static_cast<qsizetype>(file_.size()));
        QBuffer buffer(&file);
        buffer.open(QIODevice::ReadOnly);
        image_ = QImageReader(&buffer).read();
    });
    return image_;
}

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

} // namespace pc
