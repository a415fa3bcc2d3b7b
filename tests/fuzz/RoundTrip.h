// SPDX-License-Identifier: GPL-3.0-or-later
// Which texts read from a file the writer gives back unchanged: those the editors
// accept as lines or fields, except that the first line of a file must not open with
// a byte-order mark, which the reader takes for the encoding's.
#pragma once

#include "editor/EditChecks.h"

#include <string_view>

namespace pc {

inline bool comesBackAsFirstLine(std::string_view text)
{
    return lineTextProblem(text, "").empty() && !text.starts_with("\xEF\xBB\xBF");
}

} // namespace pc
