// SPDX-License-Identifier: GPL-3.0-or-later
// Storage on the local file system for the windows: the file access of
// FileStorage, with pictures decoded by QImage when first shown and deletes
// into the desktop's trash.
#pragma once

#include "FileStorage.h"
#include "ui/QtPicture.h"

namespace pc {

class QtStorage : public FileStorage {
public:
    bool hasTrash() const override;
    std::string moveToTrash(const std::string& path) override;
    Picture decodePicture(std::string bytes) override;
    std::optional<std::string> encodePng(const Picture& picture) override;
};

} // namespace pc
