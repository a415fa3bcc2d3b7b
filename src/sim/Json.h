// SPDX-License-Identifier: GPL-3.0-or-later
// Pieces of the JSON that partyclash-sim writes.
#pragma once

#include <string>
#include <string_view>

namespace pc::sim {

// A JSON string literal of UTF-8 text.
std::string jsonString(std::string_view text);
// The shortest text that reads back as the same double.
std::string jsonNumber(double value);

} // namespace pc::sim
