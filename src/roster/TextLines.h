// Splitting and cleaning of the text files the roster reads.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pc {

bool isValidUtf8(std::string_view text);

// The text without a leading byte-order mark and with every "\r\n" made "\n".
std::string withoutBomAndCr(std::string_view text);

// The pieces between separators; n separators give n + 1 pieces.
std::vector<std::string_view> splitAt(std::string_view text, std::string_view separator);

} // namespace pc
