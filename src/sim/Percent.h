// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers as the reports print them: fixed decimals and percentages.
#pragma once

#include <cstdio>
#include <string>

namespace pc::sim {

inline std::string fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

inline std::string percent(double share)
{
    return fixed(share * 100, 2) + "%";
}

} // namespace pc::sim
