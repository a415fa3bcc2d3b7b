// SPDX-License-Identifier: GPL-3.0-or-later
#include "Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>
#include <utility>

namespace pc {

namespace {
constexpr auto kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr auto kInt32Max = std::numeric_limits<std::int32_t>::max();
} // namespace

std::string formatG(double value)
{
    // Formats exactly as "%g" does, without printf's locale and parsing costs.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

std::string fileNumber(double value)
{
    if (std::isfinite(value) && std::fabs(value) >= 1e6) {
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%.0f", std::trunc(value));
        return buffer;
    }
    return formatG(value);
}

std::int32_t readWholeNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate as a magnitude, stopping early once past the 32-bit range.
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (magnitude <= std::int64_t{kInt32Max} + 1)
            magnitude = magnitude * 10 + (text[i] - '0');
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < kInt32Min)
        return kInt32Min;
    if (value > kInt32Max)
        return kInt32Max;
    return static_cast<std::int32_t>(value);
}

std::string asciiNumberText(std::string_view text)
{
    static constexpr std::pair<std::string_view, char> kForms[] = {
        {"\uFF0B", '+'}, {"\uFF0D", '-'}, {"\u2212", '-'}, {"\u3000", ' '},
    };
    std::string ascii;
    for (std::size_t i = 0; i < text.size();) {
        const std::string_view rest = text.substr(i);
        // U+FF10 to U+FF19 are EF BC 90 to EF BC 99.
        if (rest.size() >= 3 && rest.starts_with("\xEF\xBC") && rest[2] >= '\x90' && rest[2] <= '\x99') {
            ascii += static_cast<char>('0' + (rest[2] - '\x90'));
            i += 3;
            continue;
        }
        const auto form = std::find_if(std::begin(kForms), std::end(kForms),
                                       [rest](const auto& f) { return rest.starts_with(f.first); });
        if (form != std::end(kForms)) {
            ascii += form->second;
            i += form->first.size();
            continue;
        }
        ascii += text[i++];
    }
    return ascii;
}

std::optional<std::int32_t> fieldNumber(std::string_view text)
{
    const std::string ascii = asciiNumberText(text);
    const std::size_t first = ascii.find_first_not_of(" \t");
    if (first == std::string::npos)
        return 0;
    const std::size_t last = ascii.find_last_not_of(" \t");
    const std::size_t digits = first + (ascii[first] == '+' || ascii[first] == '-' ? 1 : 0);
    if (digits > last || ascii.find_first_not_of("0123456789", digits) <= last)
        return std::nullopt;
    return readWholeNumber(ascii);
}

bool beyondInt32(std::string_view text)
{
    const std::optional<std::int32_t> number = fieldNumber(text);
    if (number != kInt32Max && number != kInt32Min)
        return false;
    const std::string ascii = asciiNumberText(text);
    const std::size_t sign = ascii.find_first_not_of(" \t");
    const bool negative = ascii[sign] == '-';
    std::size_t first = ascii.find_first_not_of("+-0", sign);
    const std::size_t end = ascii.find_last_not_of(" \t") + 1;
    if (first == std::string::npos || first >= end)
        return false;
    const std::string_view digits = std::string_view(ascii).substr(first, end - first);
    const std::string_view limit = negative ? "2147483648" : "2147483647";
    return digits.size() > limit.size() || (digits.size() == limit.size() && digits > limit);
}

std::int32_t toInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= static_cast<double>(kInt32Min))
        return kInt32Min;
    if (value >= static_cast<double>(kInt32Max))
        return kInt32Max;
    return static_cast<std::int32_t>(value);
}

} // namespace pc
