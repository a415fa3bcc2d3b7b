#include "Fields.h"

#include <QRegularExpression>

namespace pc {

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
    for (QLineEdit* field : fields) {
        const std::optional<std::int32_t> number = fieldNumber(utf8(field->text()));
        field->setStyleSheet(number ? QString() : QStringLiteral("border: 2px solid #b00020;"));
        if (number)
            numbers.push_back(*number);
        else
            wrong << fieldName(field);
    }
    showProblem(problem, wrong.isEmpty() ? std::string()
                                         : utf8(QStringLiteral("数ではありません：") + wrong.join(u'、')
                                                + QStringLiteral("（整数を入れてください）")));
    if (!wrong.isEmpty())
        return std::nullopt;
    return numbers;
}

} // namespace pc
