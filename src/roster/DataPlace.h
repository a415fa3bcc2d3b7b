// SPDX-License-Identifier: GPL-3.0-or-later
// Where the data folder lives: beside the executable in a build tree, in the
// user's own data folder for an installed copy, which never writes beside
// its executable.
#pragma once

#include <string>
#include <string_view>

namespace pc {

// The user's folder for PartyClash: "$XDG_DATA_HOME/partyclash" when that is an
// absolute path, else "$HOME/.local/share/partyclash" when HOME is an absolute
// path to a folder. Empty when there is no usable home.
std::string userDataBase(const char* xdgDataHome, const char* home);
// The same from this process's environment.
std::string userDataBase();

// Whether an executable in `folder` is an installed copy: one in a system
// folder (/usr, /opt, /bin, /sbin, /snap, /app), or any when the build is
// made for installing.
bool isInstalledCopy(std::string_view folder);

// The folder of the running executable.
std::string executableFolder();

// The folder that holds "data/CharaList/": for a build tree `appDir` when
// that data folder is there (even read-only) or can be made there, otherwise
// `userDir`; for an installed copy always `userDir`. With `create` the
// chosen data folder is made. Empty when `userDir` is needed and empty.
std::string dataBaseFolder(const std::string& appDir, const std::string& userDir, bool installed, bool create);

// Why there is no data folder, when dataBaseFolder gave none.
inline constexpr std::string_view kNoHome =
    "データフォルダを置く場所がありません（HOMEが設定されていないか、フォルダではありません）";

} // namespace pc
