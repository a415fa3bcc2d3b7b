// SPDX-License-Identifier: GPL-3.0-or-later
// Storage held in memory for core tests: files by path, faults injected per
// path and step, and pictures that are their own bytes.
#pragma once

#include "roster/Storage.h"

#include <map>
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

// Where a write or a removal fails, with the system text a real disk gives.
enum class Fault { NoSpace, Permission, NameTooLong, Flush, Sync, Rename };

inline std::string faultText(Fault fault)
{
    switch (fault) {
    case Fault::NoSpace: return "ディスクに空きがありません（No space left on device）";
    case Fault::Permission: return "書き込む権限がありません（Permission denied）";
    case Fault::NameTooLong: return "ファイル名が長すぎます（File name too long）";
    case Fault::Flush: return "書き込めませんでした（Input/output error）";
    case Fault::Sync: return "ディスクに空きがありません（No space left on device）";
    case Fault::Rename: return "書き込む権限がありません（Operation not permitted）";
    }
    return {};
}

class MemoryStorage final : public pc::Storage {
public:
    std::map<std::string, std::string> files;
    std::map<std::string, Fault> faults;
    // Entries that are links, pipes or devices: listed, never read, written or removed.
    std::map<std::string, std::string> special;
    int reads = 0;
    // Beyond this many look-ups by name nothing exists: a search for a free name that would never end stops.
    int lookupLimit = 1 << 30;

    pc::FileRead readFile(const std::string& path, std::size_t maxBytes) override
    {
        ++reads;
        if (special.contains(path))
            return {std::nullopt, std::string(pc::failure::kNotRegular)};
        const auto found = files.find(path);
        if (found == files.end())
            return {std::nullopt, "ファイルがありません", true};
        if (found->second.size() > maxBytes)
            return {std::nullopt, std::string(pc::failure::kTooLarge)};
        return {found->second, {}};
    }
    std::string stage(const std::string& path, std::string_view bytes, std::string& staged) override
    {
        if (const auto fault = faults.find(path); fault != faults.end() && fault->second != Fault::Rename)
            return faultText(fault->second);
        if (special.contains(path))
            return std::string(pc::failure::kNotRegular);
        staged = path + ".staged";
        staging[staged] = std::string(bytes);
        return {};
    }
    std::string commit(const std::string& staged, const std::string& path) override
    {
        if (const auto fault = faults.find(path); fault != faults.end() && fault->second == Fault::Rename)
            return faultText(fault->second);
        files[path] = staging[staged];
        staging.erase(staged);
        return {};
    }
    void discard(const std::string& staged) override { staging.erase(staged); }
    bool exists(const std::string& path) override
    {
        return ++lookups <= lookupLimit && (files.contains(path) || special.contains(path));
    }
    std::optional<std::string> stamp(const std::string& path) override
    {
        const auto found = files.find(path);
        return found == files.end() ? std::nullopt : std::optional(found->second);
    }
    std::string makeFolders(const std::string&) override { return {}; }
    std::string remove(const std::string& path) override
    {
        if (special.contains(path))
            return std::string(pc::failure::kNotRegular);
        if (const auto fault = faults.find(path); fault != faults.end())
            return faultText(fault->second);
        files.erase(path);
        return {};
    }
    pc::Picture decodePicture(std::string bytes) override
    {
        return bytes.starts_with("PNG") ? bytesPicture(std::move(bytes)) : nullptr;
    }
    std::optional<std::string> encodePng(const pc::Picture& picture) override
    {
        if (const auto* bytes = dynamic_cast<const BytesPicture*>(picture.get()))
            return bytes->bytes;
        return std::nullopt;
    }

    // Nothing staged is left behind by a finished action.
    bool nothingStaged() const { return staging.empty(); }

private:
    std::map<std::string, std::string> staging;
    int lookups = 0;
};
