// SPDX-License-Identifier: GPL-3.0-or-later
// The file operations the roster needs, supplied by the platform side.
#pragma once

#include "records/Picture.h"

#include <cstddef>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pc {

// Largest files the roster reads: anything bigger is refused with a reason.
inline constexpr std::size_t kCharacterFileLimit = 1u << 20;
inline constexpr std::size_t kPictureFileLimit = 32u << 20;
inline constexpr std::size_t kPresetFileLimit = 32u << 20;
inline constexpr std::size_t kPresetLineLimit = 100'000;
inline constexpr std::size_t kNoReadLimit = std::numeric_limits<std::size_t>::max();

// A file's bytes, or the reason (in Japanese) why it was not read.
struct FileRead {
    std::optional<std::string> bytes;
    std::string reason;
    bool missing = false;
};

// Reads files of one folder by name, as Storage::readFile reads them.
class FolderFiles {
public:
    virtual ~FolderFiles() = default;
    virtual FileRead read(const std::string& name, std::size_t maxBytes) = 0;
};

class Storage {
public:
    virtual ~Storage() = default;

    // Reads a regular file of at most `maxBytes`; links, folders, pipes and
    // devices are refused without being opened.
    virtual FileRead readFile(const std::string& path, std::size_t maxBytes) = 0;
    // For reading many files of one folder (its path ends with '/'): a platform
    // may check the folder once and list it instead of looking up every name.
    virtual std::unique_ptr<FolderFiles> openFolder(const std::string& folder);
    // Whether files may be read (through readFile and openFolder) and pictures decoded by several threads at once.
    virtual bool readsConcurrently() const { return false; }

    // Writes `bytes` to a new temporary file beside `path`, flushes and syncs it
    // and checks its size; `path` itself is not touched. On success `staged`
    // names the temporary file and the result is empty; otherwise the reason.
    virtual std::string stage(const std::string& path, std::string_view bytes, std::string& staged) = 0;
    // Puts a staged file in place of `path`, which must be missing or a regular file.
    virtual std::string commit(const std::string& staged, const std::string& path) = 0;
    // Removes a staged file that will not be committed.
    virtual void discard(const std::string& staged) = 0;

    // Whether anything (file, folder, link, pipe ...) has this name.
    virtual bool exists(const std::string& path) = 0;
    // A text that changes whenever the file is replaced or changed; nothing when missing.
    virtual std::optional<std::string> stamp(const std::string& path) = 0;
    // Makes the folder and any missing folders above it. Returns the reason of a failure.
    virtual std::string makeFolders(const std::string& path) = 0;
    // Removes a folder that holds nothing; anything else is left as it is.
    virtual void removeEmptyFolder(const std::string&) {}
    // The names in a folder, or none where the storage cannot list it.
    virtual std::vector<std::string> list(const std::string&) { return {}; }
    // Removes a regular file; a missing file counts as removed. Returns the reason of a failure.
    virtual std::string remove(const std::string& path) = 0;
    // Whether the platform has a desktop trash, and a move of a regular file of
    // the folder into it. Returns the reason of a failure.
    virtual bool hasTrash() const { return false; }
    virtual std::string moveToTrash(const std::string& path) { return remove(path); }

    // Pictures: read from any format the platform reads (decoded when first shown),
    // written as PNG, or as read when they come unchanged from a file.
    virtual Picture decodePicture(std::string bytes) = 0;
    virtual std::optional<std::string> encodePng(const Picture& picture) = 0;

    // The whole regular file, or nothing.
    std::optional<std::string> read(const std::string& path, std::size_t maxBytes = kNoReadLimit)
    {
        return readFile(path, maxBytes).bytes;
    }
    // Stage and commit in one: the file holds the old or the new content whole.
    std::string writeAtomically(const std::string& path, std::string_view bytes)
    {
        std::string staged;
        if (std::string reason = stage(path, bytes, staged); !reason.empty())
            return reason;
        std::string reason = commit(staged, path);
        if (!reason.empty())
            discard(staged);
        return reason;
    }
};

// Reads each file of the folder through Storage::readFile.
class FolderFilesByPath final : public FolderFiles {
public:
    FolderFilesByPath(Storage& storage, std::string folder) : storage_(storage), folder_(std::move(folder)) {}
    FileRead read(const std::string& name, std::size_t maxBytes) override
    {
        return storage_.readFile(folder_ + name, maxBytes);
    }

private:
    Storage& storage_;
    std::string folder_;
};

inline std::unique_ptr<FolderFiles> Storage::openFolder(const std::string& folder)
{
    return std::make_unique<FolderFilesByPath>(*this, folder);
}

// The failure texts shown to the user, each followed by the system's own text
// in parentheses where there is one.
namespace failure {
inline constexpr std::string_view kNoSpace = "ディスクに空きがありません";
inline constexpr std::string_view kPermission = "書き込む権限がありません";
inline constexpr std::string_view kNameTooLong = "ファイル名が長すぎます";
inline constexpr std::string_view kNotRegular = "通常のファイルではありません";
inline constexpr std::string_view kLink = "リンクです（リンク先は読みません）";
inline constexpr std::string_view kTooLarge = "ファイルが大きすぎます";
inline constexpr std::string_view kLocked = "別のPartyClashがこのフォルダを使っています";
inline constexpr std::string_view kShortWrite = "書き込んだ大きさが合いません";
inline constexpr std::string_view kOther = "書き込めませんでした";
} // namespace failure

} // namespace pc
