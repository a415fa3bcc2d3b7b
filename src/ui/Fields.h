// The editors' numeric fields and the messages shown beside fields.
#pragma once

#include "Text.h"
#include "records/Numbers.h"

#include <QLabel>
#include <QLineEdit>

#include <cstdint>
#include <string>

namespace pc {

// Shows a number as its integer part, saturated to 32 bits.
inline void setWholeNumber(QLineEdit* field, double value)
{
    field->setText(QString::number(toInt32(value)));
}

// The leading whole number of the field's text, 0 when it has none.
inline std::int32_t wholeNumberIn(const QLineEdit* field)
{
    return readWholeNumber(utf8(field->text()));
}

// Shows a message in its label, or hides the label when there is none.
inline void showProblem(QLabel* label, const std::string& message)
{
    label->setText(qs(message));
    label->setVisible(!message.empty());
}

} // namespace pc
