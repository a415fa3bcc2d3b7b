// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureFile.h"

namespace pc {

PictureLoad loadPictureFile(Storage& storage, const std::string& path)
{
    auto bytes = storage.read(path);
    if (!bytes)
        return {nullptr, "ファイルを読み込めません：" + path};
    Picture picture = storage.decodePicture(std::move(*bytes));
    if (!picture)
        return {nullptr, "画像として読み込めない形式です：" + path};
    return {std::move(picture), {}};
}

} // namespace pc
