// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a picture the user puts into the character editor from a file.
#pragma once

#include "records/Picture.h"
#include "roster/Storage.h"

#include <string>

namespace pc {

struct PictureLoad {
    Picture picture;
    // Why no picture came of the file; empty when one did.
    std::string problem;
};

// The picture in the file at `path`, in any format the platform decodes.
PictureLoad loadPictureFile(Storage& storage, const std::string& path);

} // namespace pc
