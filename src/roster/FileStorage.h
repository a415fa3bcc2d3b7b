// SPDX-License-Identifier: GPL-3.0-or-later
// Storage on the local file system, in standard C++ and POSIX: regular files
// only, read within limits and written through a synced temporary file.
// Pictures are kept as the bytes read, undecoded, for programs that show none.
#pragma once

#include "Storage.h"

#include <sys/types.h>

namespace pc {

// The Japanese failure text for an errno value, with the system's text in parentheses.
std::string systemFailure(int error);

// Makes the folder and every folder above it that is missing; whether it is a folder now.
bool makeFolderPath(const std::string& path);

class FileStorage : public Storage {
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
    Picture decodePicture(std::string bytes) override;
    std::optional<std::string> encodePng(const Picture& picture) override;

protected:
    // Why a regular file of a real folder may not be removed; empty when it may,
    // or when it is missing, which sets `missing`.
    static std::string removalProblem(const std::string& path, bool& missing);

    // The calls that carry a write to the disk, each made in one place, so that
    // their order can be watched; `path` is the file being written.
    virtual ssize_t writeSome(int fd, std::string_view bytes, const std::string& path);
    virtual int syncFile(int fd, const std::string& path);
    virtual int renameOnto(const std::string& staged, const std::string& path);
    virtual void syncFolderOf(const std::string& path);
};

} // namespace pc
