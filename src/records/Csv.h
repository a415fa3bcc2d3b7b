// SPDX-License-Identifier: GPL-3.0-or-later
// One text cell of a CSV line, for every CSV the program writes. A text that a
// spreadsheet would take for a formula (one beginning with "=", "+", "-", "@",
// a tab or a carriage return) gets a leading "'", so it shows as the text it
// is; the cell is quoted, with its quotes doubled, when it holds a comma, a
// quote or a line break. Numbers the program writes go into the line as they
// are, never through here, so they stay numbers.
#pragma once

#include <string>
#include <string_view>

namespace pc {

inline std::string csvField(std::string_view text)
{
    std::string cell;
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos)
        cell += '\'';
    cell += text;
    if (cell.find_first_of(",\"\r\n") == std::string::npos)
        return cell;
    std::string quoted = "\"";
    for (const char c : cell) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace pc
