// SPDX-License-Identifier: GPL-3.0-or-later
#include "HpGauge.h"

#include <QPainter>
#include <QProgressBar>

#include <algorithm>

namespace pc {

namespace {

// 0 healthy (above 50 %), 1 hurt (above 20 %), 2 close to falling.
int gaugeLevel(int percent)
{
    return percent > 50 ? 0 : percent > 20 ? 1 : 2;
}

const QColor kLevelColours[] = {QColor(0x3c, 0xb3, 0x71), QColor(0xe6, 0xb4, 0x22), QColor(0xd9, 0x3b, 0x3b)};

} // namespace

QColor gaugeColor(int percent)
{
    return kLevelColours[gaugeLevel(percent)];
}

void showGauge(QProgressBar* gauge, int percent)
{
    gauge->setValue(std::clamp(percent, gauge->minimum(), gauge->maximum()));
    // Restyling is costly and the gauges are refreshed on every tick, so the
    // three styles are made once and the one in place is only compared.
    static const auto styleOf = [](const QColor& colour) {
        return QStringLiteral("QProgressBar::chunk { background-color: %1; }").arg(colour.name());
    };
    static const QString styles[] = {styleOf(kLevelColours[0]), styleOf(kLevelColours[1]), styleOf(kLevelColours[2])};
    const QString& style = styles[gaugeLevel(percent)];
    if (gauge->styleSheet() != style)
        gauge->setStyleSheet(style);
}

HpGaugeDelegate::HpGaugeDelegate(QObject* parent, QColor fixedColour)
    : QStyledItemDelegate(parent)
    , fixedColour_(fixedColour)
{
}

void HpGaugeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem base = option;
    initStyleOption(&base, index);
    const QString text = base.text;
    base.text.clear();
    QStyledItemDelegate::paint(painter, base, index);

    const int percent = std::clamp(text.toInt(), 0, 100);
    const QRect bar = option.rect.adjusted(4, 5, -4, -5);
    painter->save();
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(0xdd, 0xdd, 0xdd));
    painter->drawRoundedRect(bar, 3, 3);
    painter->setBrush(fixedColour_.isValid() ? fixedColour_ : gaugeColor(percent));
    painter->drawRoundedRect(QRect(bar.topLeft(), QSize(bar.width() * percent / 100, bar.height())), 3, 3);
    painter->setPen(option.palette.color(QPalette::Text));
    painter->drawText(bar, Qt::AlignCenter, text);
    painter->restore();
}

} // namespace pc
