// SPDX-License-Identifier: GPL-3.0-or-later
// Which names from the user or from files may be used as a path inside the data folder.
#pragma once

#include <string>
#include <string_view>

namespace pc {

// False for an empty name, ".", "..", the roster's own files and folder
// ("preset.txt", its copies "preset.txt.bak*", "img", temporary ".partyclash-*"),
// and any name holding "/", "\" or NUL.
bool isUsableFileName(std::string_view name);

// The note an import keeps in the data folder while it puts its files in
// place; a start that finds it removes what the cut-short import left.
inline constexpr std::string_view kImportJournal = ".partyclash-import";

// The data folder and the picture folder inside a base folder, with a trailing "/".
std::string characterFolder(const std::string& baseDir);
std::string pictureFolder(const std::string& baseDir);

} // namespace pc
