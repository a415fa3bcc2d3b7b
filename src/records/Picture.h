// SPDX-License-Identifier: GPL-3.0-or-later
// A character's picture as the core sees it: an opaque, immutable handle.
#pragma once

#include <memory>

namespace pc {

// The platform side derives from this to hold its decoded image.
class PictureData {
public:
    virtual ~PictureData() = default;
};

using Picture = std::shared_ptr<const PictureData>;

} // namespace pc
