// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fields.h"

#include "records/SeedText.h"

#include <QRegularExpression>

namespace pc {

std::optional<std::uint32_t> firstSeedIn(const QLineEdit* field, QLabel* problem)
{
    const std::string text = utf8(field->text());
    const std::optional<std::uint32_t> seed = seedTextIsBlank(text) ? kDefaultFirstSeed : parseSeed(text);
    showProblem(problem, seed ? std::string()
                              : "シードは 0〜" + std::to_string(kSeedMax) + " の整数で入力してください（空欄なら "
                                    + std::to_string(kDefaultFirstSeed) + "）");
    return seed;
}

void keepDigitsVisible(QLineEdit* field)
{
    // The frame and the text margins of a line edit take about this much beside the text.
    constexpr int kMargins = 14;
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("-0000000")) + kMargins);
}

QString fieldName(const QLineEdit* field)
{
    for (const QLabel* label : field->window()->findChildren<QLabel*>()) {
        if (label->buddy() == field)
            return label->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)"))).remove(u'&');
    }
    return field->objectName();
}

std::optional<std::vector<std::int32_t>> numbersIn(const std::vector<QLineEdit*>& fields, QLabel* problem)
{
    std::vector<std::int32_t> numbers;
    QStringList wrong;
    QStringList beyond;
    for (QLineEdit* field : fields) {
        const std::string text = utf8(field->text());
        const std::optional<std::int32_t> number = fieldNumber(text);
        const bool outOfRange = number && beyondInt32(text);
        field->setStyleSheet(number && !outOfRange ? QString() : QStringLiteral("border: 2px solid #b00020;"));
        if (!number)
            wrong << fieldName(field);
        else if (outOfRange)
            beyond << fieldName(field);
        else
            numbers.push_back(*number);
    }
    QStringList messages;
    if (!wrong.isEmpty())
        messages << QStringLiteral("数ではありません：") + wrong.join(u'、') + QStringLiteral("（整数を入れてください）");
    if (!beyond.isEmpty())
        messages << QStringLiteral("大きすぎる数です：") + beyond.join(u'、')
                + QStringLiteral("（-2147483648〜2147483647 の整数を入れてください）");
    showProblem(problem, utf8(messages.join(u'\n')));
    if (!messages.isEmpty())
        return std::nullopt;
    return numbers;
}

} // namespace pc
