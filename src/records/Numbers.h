// SPDX-License-Identifier: GPL-3.0-or-later
// Number conversions shared by the file format, the editors and the battle.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pc {

// The C conversion "%g" (six significant digits, shortest form).
std::string formatG(double value);

// How the character file writes a number: exactly as "%g" below a magnitude of
// one million, and as a whole number in full from there on, so that it reads back.
std::string fileNumber(double value);

// The leading whole number of a text: blanks and tabs skipped, an optional sign,
// the decimal digits up to the first other character; 0 when there is none.
// Clamped to the 32-bit signed range.
std::int32_t readWholeNumber(std::string_view text);

// The text with what a Japanese input method types for numbers in ASCII:
// full-width digits and signs, the minus sign U+2212 and the ideographic space.
std::string asciiNumberText(std::string_view text);

// What a number field holds: a whole number with an optional sign, between
// blanks, in ASCII or as an input method types it, clamped as readWholeNumber
// clamps; 0 for a blank text; nothing for any other text.
std::optional<std::int32_t> fieldNumber(std::string_view text);

// Whether a text that fieldNumber reads as a number is one beyond the 32-bit
// signed range, which fieldNumber clamps and a field must refuse.
bool beyondInt32(std::string_view text);

// Truncation toward zero to a 32-bit signed integer, saturating at the range;
// a NaN gives 0.
std::int32_t toInt32(double value);

// Remainder of a draw by a 32-bit divisor, with the sign of the draw; a divisor
// of 0 gives 0 (the draw is still made by the caller).
inline std::int32_t remainderOf(std::int32_t draw, std::int32_t divisor)
{
    if (divisor == 0 || divisor == -1)
        return 0; // INT32_MIN % -1 overflows; the remainder is 0 anyway
    return draw % divisor;
}

} // namespace pc
