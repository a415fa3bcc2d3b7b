// Storage on the local file system: regular files only, read within limits and
// written through a synced temporary file; pictures through QImage, decoded
// when first shown.
#pragma once

#include "Storage.h"
#include "ui/QtPicture.h"

namespace pc {

// The Japanese failure text for an errno value, with the system's text in parentheses.
std::string systemFailure(int error);

class QtStorage final : public Storage {
public:
    FileRead readFile(const std::string& path, std::size_t maxBytes) override;
    std::unique_ptr<FolderFiles> openFolder(const std::string& folder) override;
    bool readsConcurrently() const override { return true; }
    std::string stage(const std::string& path, std::string_view bytes, std::string& staged) override;
    std::string commit(const std::string& staged, const std::string& path) override;
    void discard(const std::string& staged) override;
    bool exists(const std::string& path) override;
    std::optional<std::string> stamp(const std::string& path) override;
    std::string makeFolders(const std::string& path) override;
    void removeEmptyFolder(const std::string& path) override;
    std::vector<std::string> list(const std::string& folder) override;
    std::string remove(const std::string& path) override;
    bool hasTrash() const override;
    std::string moveToTrash(const std::string& path) override;
    Picture decodePicture(std::string bytes) override;
    std::optional<std::string> encodePng(const Picture& picture) override;
};

} // namespace pc
