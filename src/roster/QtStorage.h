// Storage on the local file system through Qt: atomic writes with QSaveFile,
// pictures through QImage.
#pragma once

#include "Storage.h"

#include <QImage>

namespace pc {

// The platform's picture behind the core's opaque handle.
class QtPicture final : public PictureData {
public:
    explicit QtPicture(QImage image) : image_(std::move(image)) {}
    const QImage& image() const { return image_; }

private:
    QImage image_;
};

// The QImage of a picture handle, or a null image when there is none.
QImage imageOf(const Picture& picture);
Picture pictureOf(const QImage& image);

class QtStorage final : public Storage {
public:
    std::optional<std::string> read(const std::string& path) override;
    std::string writeAtomically(const std::string& path, std::string_view bytes) override;
    bool exists(const std::string& path) override;
    bool makeFolders(const std::string& path) override;
    bool remove(const std::string& path) override;
    bool hasTrash() const override;
    bool moveToTrash(const std::string& path) override;
    Picture decodePicture(std::string_view bytes) override;
    std::optional<std::string> encodePng(const Picture& picture) override;
};

} // namespace pc
