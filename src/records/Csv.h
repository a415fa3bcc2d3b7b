// One field of a CSV line: quoted, with its quotes doubled, when it holds a
// comma, a quote or a line break.
#pragma once

#include <string>
#include <string_view>

namespace pc {

inline std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace pc
