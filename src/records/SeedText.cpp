// SPDX-License-Identifier: GPL-3.0-or-later
#include "SeedText.h"

#include "records/Numbers.h"

#include <string>

namespace pc {

namespace {

constexpr std::string_view kBlanks = " \t";

} // namespace

bool seedTextIsBlank(std::string_view text)
{
    return asciiNumberText(text).find_first_not_of(kBlanks) == std::string::npos;
}

std::optional<std::uint32_t> parseSeed(std::string_view text)
{
    const std::string ascii = asciiNumberText(text);
    const std::size_t first = ascii.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return std::nullopt;
    const std::size_t end = ascii.find_last_not_of(kBlanks) + 1;
    std::uint64_t value = 0;
    for (std::size_t i = first; i < end; ++i) {
        const char c = ascii[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > kSeedMax)
            return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

} // namespace pc
