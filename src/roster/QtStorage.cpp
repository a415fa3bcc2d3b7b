#include "QtStorage.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QStandardPaths>

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

FileRead QtStorage::readFile(const std::string& path, std::size_t maxBytes)
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

std::unique_ptr<FolderFiles> QtStorage::openFolder(const std::string& folder)
{
    return std::make_unique<ListedFolder>(folder);
}

std::string QtStorage::stage(const std::string& path, std::string_view bytes, std::string& staged)
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
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return fail(put < 0 ? errno : ENOSPC);
        done += static_cast<std::size_t>(put);
    }
    if (::fsync(fd) != 0)
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

std::string QtStorage::commit(const std::string& staged, const std::string& path)
{
    if (std::string problem = targetProblem(path); !problem.empty())
        return problem;
    if (::rename(staged.c_str(), path.c_str()) != 0)
        return systemFailure(errno);
    // The rename itself reaches the disk with its folder.
    const int folder = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return {};
}

void QtStorage::discard(const std::string& staged)
{
    ::unlink(staged.c_str());
}

bool QtStorage::exists(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::optional<std::string> QtStorage::stamp(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return std::nullopt;
    return std::to_string(info.st_ino) + ':' + std::to_string(info.st_size) + ':'
        + std::to_string(info.st_mtim.tv_sec) + '.' + std::to_string(info.st_mtim.tv_nsec) + ':'
        + std::to_string(info.st_ctim.tv_sec) + '.' + std::to_string(info.st_ctim.tv_nsec);
}

std::string QtStorage::makeFolders(const std::string& path)
{
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string folder = path.substr(0, end);
        if (!folder.empty() && folder.back() != '/' && ::mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST)
            return systemFailure(errno);
        if (end == std::string::npos)
            break;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return systemFailure(errno);
    return S_ISDIR(info.st_mode) ? std::string() : std::string(failure::kNotRegular) + "（" + path + "）";
}

void QtStorage::removeEmptyFolder(const std::string& path)
{
    ::rmdir(path.c_str());
}

std::vector<std::string> QtStorage::list(const std::string& folder)
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

namespace {

// Why a file may not be removed: its folder is no real folder, or it is no
// regular file. Empty for a regular file, and for a missing one, which sets `missing`.
std::string removalProblem(const std::string& path, bool& missing)
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

} // namespace

std::string QtStorage::remove(const std::string& path)
{
    bool missing = false;
    if (std::string problem = removalProblem(path, missing); !problem.empty() || missing)
        return problem;
    if (::unlink(path.c_str()) != 0)
        return systemFailure(errno);
    return {};
}

// The platforms on which QFile::moveToTrash is implemented.
bool QtStorage::hasTrash() const
{
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN) || (defined(Q_OS_UNIX) && !defined(Q_OS_ANDROID))
    return true;
#else
    return false;
#endif
}

std::string QtStorage::moveToTrash(const std::string& path)
{
    bool missing = false;
    if (std::string problem = removalProblem(path, missing); !problem.empty() || missing)
        return problem;
    const QString original = QString::fromStdString(path);
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Without the data folder that holds the trash, Qt moves the file into
    // "files/" under the current folder and reports success.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
#endif
    QFile file(original);
    if (file.moveToTrash() && QFileInfo(file.fileName()).isAbsolute())
        return {};
    if (file.fileName() != original)
        QFile::rename(file.fileName(), original);
    return "ゴミ箱へ移せません（" + file.errorString().toStdString() + "）";
}

// Only the header is read here: a file that is no picture, or one whose image
// would pass QImageReader's allocation limit, is refused as reading it would be.
Picture QtStorage::decodePicture(std::string bytes)
{
    if (bytes.size() > kPictureFileLimit)
        return nullptr;
    QByteArray file = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    // A PNG file (the format pictures are saved in) goes straight to its reader
    // instead of through every format's probe.
    const bool png = bytes.starts_with("\x89PNG\r\n\x1a\n");
    QImageReader reader(&buffer, png ? QByteArrayLiteral("png") : QByteArray());
    if (!reader.canRead())
        return nullptr;
    const QSize size = reader.size();
    // A format that does not tell its size before decoding is decoded now.
    if (!size.isValid())
        return pictureOf(reader.read());
    if (size.isEmpty())
        return nullptr;
    const QImage::Format format = reader.imageFormat();
    const qint64 depth = format == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(format).bitsPerPixel();
    const qint64 limit = qint64(QImageReader::allocationLimit()) << 20;
    if (limit > 0 && qint64(size.width()) * size.height() * depth / 8 > limit)
        return nullptr;
    buffer.close();
    return std::make_shared<QtPicture>(std::move(bytes));
}

std::optional<std::string> QtStorage::encodePng(const Picture& picture)
{
    // A picture read from a file, and so never changed, is written as it was read.
    if (const auto* qtPicture = dynamic_cast<const QtPicture*>(picture.get()); qtPicture && !qtPicture->file().empty())
        return qtPicture->file();
    const QImage image = imageOf(picture);
    if (image.isNull())
        return std::nullopt;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return std::nullopt;
    return bytes.toStdString();
}

} // namespace pc
