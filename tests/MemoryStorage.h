// Storage held in memory for core tests: files by path, writes that fail on
// chosen paths, and pictures that are their own bytes.
#pragma once

#include "roster/Storage.h"

#include <map>
#include <set>
#include <string>

class BytesPicture final : public pc::PictureData {
public:
    explicit BytesPicture(std::string bytes) : bytes(std::move(bytes)) {}
    std::string bytes;
};

inline pc::Picture bytesPicture(std::string bytes)
{
    return std::make_shared<BytesPicture>(std::move(bytes));
}

class MemoryStorage final : public pc::Storage {
public:
    std::map<std::string, std::string> files;
    std::set<std::string> failingWrites;

    std::optional<std::string> read(const std::string& path) override
    {
        const auto found = files.find(path);
        if (found == files.end())
            return std::nullopt;
        return found->second;
    }
    std::string writeAtomically(const std::string& path, std::string_view bytes) override
    {
        if (failingWrites.contains(path))
            return "No space left on device";
        files[path] = std::string(bytes);
        return {};
    }
    bool exists(const std::string& path) override { return files.contains(path); }
    bool makeFolders(const std::string&) override { return true; }
    bool remove(const std::string& path) override { return files.erase(path) > 0; }
    pc::Picture decodePicture(std::string_view bytes) override
    {
        return bytes.starts_with("PNG") ? bytesPicture(std::string(bytes)) : nullptr;
    }
    std::optional<std::string> encodePng(const pc::Picture& picture) override
    {
        if (const auto* bytes = dynamic_cast<const BytesPicture*>(picture.get()))
            return bytes->bytes;
        return std::nullopt;
    }
};
