#include "QtStorage.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

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

FileRead QtStorage::readFile(const std::string& path, std::size_t maxBytes)
{
    FileRead result;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        result.missing = errno == ENOENT;
        result.reason = result.missing ? "ファイルがありません" : systemFailure(errno);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.reason = std::string(failure::kNotRegular);
        return result;
    }
    if (std::string problem = folderProblem(path); !problem.empty()) {
        result.reason = std::move(problem);
        return result;
    }
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
        result.reason = std::string(failure::kTooLarge);
        return result;
    }
    // No link is followed and no pipe blocks, should the entry change after lstat.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.reason = systemFailure(errno);
        return result;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_ino != info.st_ino) {
        ::close(fd);
        result.reason = std::string(failure::kNotRegular);
        return result;
    }
    // Read on past the size fstat gave, should the file be growing, but never beyond the limit.
    const std::size_t cap = maxBytes == kNoReadLimit ? maxBytes : maxBytes + 1;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(opened.st_size));
    char chunk[65536];
    while (bytes.size() < cap) {
        const ssize_t got = ::read(fd, chunk, std::min(sizeof chunk, cap - bytes.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result.reason = systemFailure(errno);
            ::close(fd);
            return result;
        }
        if (got == 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (bytes.size() > maxBytes) {
        result.reason = std::string(failure::kTooLarge);
        return result;
    }
    result.bytes = std::move(bytes);
    return result;
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

bool QtStorage::makeFolders(const std::string& path)
{
    return QDir().mkpath(QString::fromStdString(path));
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
Picture QtStorage::decodePicture(std::string_view bytes)
{
    if (bytes.size() > kPictureFileLimit)
        return nullptr;
    QByteArray file(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
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
    return std::make_shared<QtPicture>(std::move(file));
}

std::optional<std::string> QtStorage::encodePng(const Picture& picture)
{
    // A picture read from a file, and so never changed, is written as it was read.
    if (const auto* qtPicture = dynamic_cast<const QtPicture*>(picture.get()); qtPicture && !qtPicture->file().isEmpty())
        return qtPicture->file().toStdString();
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
