// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileStorage.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <unordered_map>

namespace pc {

namespace {

std::string folderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

std::string nameOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A plain folder (not a link to one), so that nothing is read or written elsewhere.
std::string folderProblem(const std::string& path)
{
    struct stat info {};
    if (::lstat(folderOf(path).c_str(), &info) != 0)
        return systemFailure(errno);
    if (!S_ISDIR(info.st_mode))
        return std::string(failure::kNotRegular) + "（" + folderOf(path) + "）";
    return {};
}

// Missing, or a regular file: anything else is never written over or removed.
std::string targetProblem(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return errno == ENOENT ? std::string() : systemFailure(errno);
    return S_ISREG(info.st_mode) ? std::string() : std::string(failure::kNotRegular);
}

} // namespace

std::string systemFailure(int error)
{
    std::string_view what = failure::kOther;
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        what = failure::kNoSpace;
        break;
    case EACCES:
    case EPERM:
    case EROFS:
        what = failure::kPermission;
        break;
    case ENAMETOOLONG:
        what = failure::kNameTooLong;
        break;
    default:
        break;
    }
    return std::string(what) + "（" + std::strerror(error) + "）";
}

namespace {

FileRead failedRead(std::string reason, bool missing = false)
{
    FileRead result;
    result.reason = std::move(reason);
    result.missing = missing;
    return result;
}

FileRead missingFile()
{
    return failedRead("ファイルがありません", true);
}

// Reads a file opened without following links or blocking, and closes it. It
// must be a regular file, and the one `expected` names when given (an inode).
FileRead readOpened(int fd, std::size_t maxBytes, std::optional<ino_t> expected)
{
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || (expected && opened.st_ino != *expected)) {
        ::close(fd);
        return failedRead(std::string(failure::kNotRegular));
    }
    const auto size = static_cast<std::uintmax_t>(opened.st_size);
    if (size > maxBytes) {
        ::close(fd);
        return failedRead(std::string(failure::kTooLarge));
    }
    // One byte more than fstat gave: a short read then ends the file at once, and
    // a file that is growing is read on, but never beyond the limit.
    const std::size_t cap = maxBytes == kNoReadLimit ? maxBytes : maxBytes + 1;
    std::string bytes(std::min<std::uintmax_t>(size + 1, cap), '\0');
    std::size_t have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (have >= cap)
                break;
            bytes.resize(std::min(cap, have + std::max<std::size_t>(have, 65536)));
        }
        const ssize_t got = ::read(fd, bytes.data() + have, bytes.size() - have);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            return failedRead(systemFailure(error));
        }
        have += static_cast<std::size_t>(got);
        if (have < bytes.size())
            break;
    }
    ::close(fd);
    if (have > maxBytes)
        return failedRead(std::string(failure::kTooLarge));
    bytes.resize(have);
    FileRead result;
    result.bytes = std::move(bytes);
    return result;
}

constexpr int kOpenForReading = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;

// A folder opened once, never through a link, and listed once: a name is
// looked up in the listing, so one the folder lacks costs no system call and
// one that is no regular file is never opened.
class ListedFolder final : public FolderFiles {
public:
    explicit ListedFolder(std::string path)
    {
        while (path.size() > 1 && path.back() == '/')
            path.pop_back();
        folder_ = ::open(path.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (folder_ < 0) {
            const int error = errno;
            missing_ = error == ENOENT;
            problem_ = missing_ ? std::string()
                : error == ELOOP || error == ENOTDIR ? std::string(failure::kNotRegular) + "（" + path + "）"
                                                     : systemFailure(error);
            return;
        }
        list();
    }
    ~ListedFolder() override
    {
        if (folder_ >= 0)
            ::close(folder_);
    }
    ListedFolder(const ListedFolder&) = delete;
    ListedFolder& operator=(const ListedFolder&) = delete;

    FileRead read(const std::string& name, std::size_t maxBytes) override
    {
        if (folder_ < 0)
            return missing_ ? missingFile() : failedRead(problem_);
        if (name.size() > NAME_MAX)
            return failedRead(systemFailure(ENAMETOOLONG));
        if (name.empty() || name.find('/') != std::string::npos)
            return missingFile();
        unsigned char type = DT_UNKNOWN;
        if (listed_) {
            const auto entry = types_.find(name);
            if (entry == types_.end())
                return missingFile();
            type = entry->second;
        }
        if (type == DT_UNKNOWN) {
            struct stat info {};
            if (::fstatat(folder_, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
                return errno == ENOENT ? missingFile() : failedRead(systemFailure(errno));
            type = S_ISREG(info.st_mode) ? DT_REG : S_ISLNK(info.st_mode) ? DT_LNK : DT_UNKNOWN;
        }
        if (type != DT_REG)
            return failedRead(std::string(type == DT_LNK ? failure::kLink : failure::kNotRegular));
        const int fd = ::openat(folder_, name.c_str(), kOpenForReading);
        if (fd < 0)
            return errno == ENOENT ? missingFile() : failedRead(systemFailure(errno));
        return readOpened(fd, maxBytes, std::nullopt);
    }

private:
    // Without the right to list the folder, every name is looked up instead.
    void list()
    {
        const int listing = ::openat(folder_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        DIR* entries = listing < 0 ? nullptr : ::fdopendir(listing);
        if (!entries) {
            if (listing >= 0)
                ::close(listing);
            return;
        }
        while (const dirent* entry = ::readdir(entries))
            types_.emplace(entry->d_name, entry->d_type);
        ::closedir(entries);
        listed_ = true;
    }

    int folder_ = -1;
    bool missing_ = false;
    std::string problem_;
    bool listed_ = false;
    std::unordered_map<std::string, unsigned char> types_;
};

} // namespace

FileRead FileStorage::readFile(const std::string& path, std::size_t maxBytes)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return errno == ENOENT ? missingFile() : failedRead(systemFailure(errno));
    if (!S_ISREG(info.st_mode))
        return failedRead(std::string(S_ISLNK(info.st_mode) ? failure::kLink : failure::kNotRegular));
    if (std::string problem = folderProblem(path); !problem.empty())
        return failedRead(std::move(problem));
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes)
        return failedRead(std::string(failure::kTooLarge));
    // No link is followed and no pipe blocks, should the entry change after lstat.
    const int fd = ::open(path.c_str(), kOpenForReading);
    if (fd < 0)
        return failedRead(systemFailure(errno));
    return readOpened(fd, maxBytes, info.st_ino);
}

std::unique_ptr<FolderFiles> FileStorage::openFolder(const std::string& folder)
{
    return std::make_unique<ListedFolder>(folder);
}

std::string FileStorage::stage(const std::string& path, std::string_view bytes, std::string& staged)
{
    if (nameOf(path).size() > NAME_MAX)
        return systemFailure(ENAMETOOLONG);
    if (std::string problem = folderProblem(path); !problem.empty())
        return problem;
    if (std::string problem = targetProblem(path); !problem.empty())
        return problem;
    std::string temp = folderOf(path) + "/.partyclash-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return systemFailure(errno);
    const auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temp.c_str());
        return systemFailure(error);
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = writeSome(fd, bytes.substr(done), path);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return fail(put < 0 ? errno : ENOSPC);
        done += static_cast<std::size_t>(put);
    }
    if (syncFile(fd, path) != 0)
        return fail(errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return fail(errno);
    if (static_cast<std::size_t>(info.st_size) != bytes.size()) {
        ::close(fd);
        ::unlink(temp.c_str());
        return std::string(failure::kShortWrite);
    }
    if (::fchmod(fd, 0644) != 0 || ::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return systemFailure(error);
    }
    staged = std::move(temp);
    return {};
}

std::string FileStorage::commit(const std::string& staged, const std::string& path)
{
    if (std::string problem = targetProblem(path); !problem.empty())
        return problem;
    if (renameOnto(staged, path) != 0)
        return systemFailure(errno);
    syncFolderOf(path);
    return {};
}

ssize_t FileStorage::writeSome(int fd, std::string_view bytes, const std::string&)
{
    return ::write(fd, bytes.data(), bytes.size());
}

int FileStorage::syncFile(int fd, const std::string&)
{
    return ::fsync(fd);
}

int FileStorage::renameOnto(const std::string& staged, const std::string& path)
{
    return ::rename(staged.c_str(), path.c_str());
}

// The rename itself reaches the disk with its folder.
void FileStorage::syncFolderOf(const std::string& path)
{
    const int folder = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void FileStorage::discard(const std::string& staged)
{
    ::unlink(staged.c_str());
}

bool FileStorage::exists(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::optional<std::string> FileStorage::stamp(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return std::nullopt;
    return std::to_string(info.st_ino) + ':' + std::to_string(info.st_size) + ':'
        + std::to_string(info.st_mtim.tv_sec) + '.' + std::to_string(info.st_mtim.tv_nsec) + ':'
        + std::to_string(info.st_ctim.tv_sec) + '.' + std::to_string(info.st_ctim.tv_nsec);
}

bool makeFolderPath(const std::string& path)
{
    if (path.empty())
        return false;
    // Each folder along the path, from the top; one that is there already is kept.
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string folder = path.substr(0, end);
        if (folder.back() != '/' && ::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
        if (end == std::string::npos)
            break;
    }
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string FileStorage::makeFolders(const std::string& path)
{
    if (makeFolderPath(path))
        return {};
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return systemFailure(errno);
    return std::string(failure::kNotRegular) + "（" + path + "）";
}

void FileStorage::removeEmptyFolder(const std::string& path)
{
    ::rmdir(path.c_str());
}

std::vector<std::string> FileStorage::list(const std::string& folder)
{
    std::vector<std::string> names;
    const int listing = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    DIR* entries = listing < 0 ? nullptr : ::fdopendir(listing);
    if (!entries) {
        if (listing >= 0)
            ::close(listing);
        return names;
    }
    while (const dirent* entry = ::readdir(entries)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
    }
    ::closedir(entries);
    return names;
}

std::string FileStorage::removalProblem(const std::string& path, bool& missing)
{
    if (std::string problem = folderProblem(path); !problem.empty())
        return problem;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        missing = errno == ENOENT;
        return missing ? std::string() : systemFailure(errno);
    }
    return S_ISREG(info.st_mode) ? std::string() : std::string(failure::kNotRegular);
}

std::string FileStorage::remove(const std::string& path)
{
    bool missing = false;
    if (std::string problem = removalProblem(path, missing); !problem.empty() || missing)
        return problem;
    if (::unlink(path.c_str()) != 0)
        return systemFailure(errno);
    return {};
}

namespace {

// Pictures kept as the bytes read, never decoded: what is read unchanged is written back as it was.
class PictureBytes final : public PictureData {
public:
    explicit PictureBytes(std::string bytes) : bytes(std::move(bytes)) {}
    const std::string bytes;
};

} // namespace

Picture FileStorage::decodePicture(std::string bytes)
{
    if (bytes.empty() || bytes.size() > kPictureFileLimit)
        return nullptr;
    return std::make_shared<PictureBytes>(std::move(bytes));
}

std::optional<std::string> FileStorage::encodePng(const Picture& picture)
{
    if (const auto* kept = dynamic_cast<const PictureBytes*>(picture.get()))
        return kept->bytes;
    return std::nullopt;
}

} // namespace pc
