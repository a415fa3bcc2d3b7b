// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's picture behind the core's opaque handle: a QImage, made from
// the picture file's bytes the first time it is asked for.
#pragma once

#include "records/Picture.h"

#include <QByteArray>
#include <QImage>

#include <mutex>
#include <string>

namespace pc {

class QtPicture final : public PictureData {
public:
    explicit QtPicture(QImage image);
    // A picture file whose header was read.
    explicit QtPicture(std::string file);

    // Decoded once, by whichever thread asks first; null when the file does not decode.
    const QImage& image() const;
    // The bytes of the file it was read from; empty for a picture made from an image.
    const std::string& file() const { return file_; }

private:
    std::string file_;
    mutable std::once_flag decoded_;
    mutable QImage image_;
};

// The QImage of a picture handle, or a null image when there is none.
QImage imageOf(const Picture& picture);
Picture pictureOf(const QImage& image);

} // namespace pc
