// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileNames.h"

namespace pc {

bool isUsableFileName(std::string_view name)
{
    if (name.empty() || name == "." || name == ".." || name == "preset.txt" || name.starts_with("preset.txt.bak")
        || name == "img" || name.starts_with(".partyclash-"))
        return false;
    return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

std::string characterFolder(const std::string& baseDir)
{
    return baseDir + "/data/CharaList/";
}

std::string pictureFolder(const std::string& baseDir)
{
    return baseDir + "/data/CharaList/img/";
}

} // namespace pc
