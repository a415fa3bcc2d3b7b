// SPDX-License-Identifier: GPL-3.0-or-later
// The editors' numeric fields and the messages shown beside fields.
#pragma once

#include "Text.h"
#include "records/Numbers.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pc {

// Shows a number as its integer part, saturated to 32 bits.
inline void setWholeNumber(QLineEdit* field, double value)
{
    field->setText(QString::number(toInt32(value)));
}

// The leading whole number of the field's text, 0 when it has none; digits
// typed in full width count.
inline std::int32_t wholeNumberIn(const QLineEdit* field)
{
    return readWholeNumber(asciiNumberText(utf8(field->text())));
}

// Shows a message in its label, or hides the label when there is none.
inline void showProblem(QLabel* label, const std::string& message)
{
    label->setText(qs(message));
    label->setVisible(!message.empty());
}

// The seed of the first battle of a series typed in `field`; a blank field
// starts from kDefaultFirstSeed, as the command line does. Anything else is
// refused in `problem` with the range, and gives nothing.
std::optional<std::uint32_t> firstSeedIn(const QLineEdit* field, QLabel* problem);

// Keeps a numeric field wide enough for seven digits and a sign, however small
// its window is made.
void keepDigitsVisible(QLineEdit* field);

// The name a field's label gives it, without its shortcut mark.
QString fieldName(const QLineEdit* field);

// The numbers of the fields, or nothing when one holds text that is no number:
// those fields are then marked and named in `problem`.
std::optional<std::vector<std::int32_t>> numbersIn(const std::vector<QLineEdit*>& fields, QLabel* problem);

template <std::size_t N>
std::optional<std::array<std::int32_t, N>> numbersIn(const std::array<QLineEdit*, N>& fields, QLabel* problem)
{
    const auto numbers = numbersIn(std::vector<QLineEdit*>(fields.begin(), fields.end()), problem);
    if (!numbers)
        return std::nullopt;
    std::array<std::int32_t, N> result{};
    std::copy(numbers->begin(), numbers->end(), result.begin());
    return result;
}

} // namespace pc
