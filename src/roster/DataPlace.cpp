// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataPlace.h"

#include "FileStorage.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>

namespace pc {

namespace {

bool isFolder(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

std::string userDataBase(const char* xdgDataHome, const char* home)
{
    if (xdgDataHome && xdgDataHome[0] == '/')
        return std::string(xdgDataHome) + "/partyclash";
    if (home && home[0] == '/' && isFolder(home))
        return std::string(home) + "/.local/share/partyclash";
    return {};
}

std::string userDataBase()
{
    return userDataBase(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

bool isInstalledCopy(std::string_view folder)
{
    if (PARTYCLASH_SYSTEM_INSTALL)
        return true;
    constexpr std::array<std::string_view, 6> systemFolders = {"/usr", "/opt", "/bin", "/sbin", "/snap", "/app"};
    for (const std::string_view system : systemFolders) {
        if (folder.starts_with(system) && (folder.size() == system.size() || folder[system.size()] == '/'))
            return true;
    }
    return false;
}

std::string executableFolder()
{
    std::string path(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size())
        return ".";
    path.resize(static_cast<std::size_t>(length));
    return path.substr(0, path.find_last_of('/'));
}

std::string dataBaseFolder(const std::string& appDir, const std::string& userDir, bool installed, bool create)
{
    if (!installed) {
        const std::string data = appDir + "/data/CharaList";
        if (isFolder(data) || (create ? makeFolderPath(data) : ::access(appDir.c_str(), W_OK) == 0))
            return appDir;
    }
    if (userDir.empty())
        return {};
    if (create)
        makeFolderPath(userDir);
    return userDir;
}

} // namespace pc
