// The file operations the roster needs, supplied by the platform side.
#pragma once

#include "records/Picture.h"

#include <optional>
#include <string>
#include <string_view>

namespace pc {

class Storage {
public:
    virtual ~Storage() = default;

    // The whole file, or nothing when it is missing or unreadable.
    virtual std::optional<std::string> read(const std::string& path) = 0;
    // Writes aside, then replaces the file: it holds the old or the new content whole.
    // Returns an empty text on success, otherwise the reason.
    virtual std::string writeAtomically(const std::string& path, std::string_view bytes) = 0;
    virtual bool exists(const std::string& path) = 0;
    virtual bool makeFolders(const std::string& path) = 0;
    virtual bool remove(const std::string& path) = 0;
    // Whether the platform has a desktop trash, and a move of a file into it.
    virtual bool hasTrash() const { return false; }
    virtual bool moveToTrash(const std::string&) { return false; }

    // Pictures: decoded from any format the platform reads, encoded as PNG.
    virtual Picture decodePicture(std::string_view bytes) = 0;
    virtual std::optional<std::string> encodePng(const Picture& picture) = 0;
};

} // namespace pc
