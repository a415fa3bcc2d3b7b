#include "Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

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
