// SPDX-License-Identifier: GPL-3.0-or-later
// HP gauges coloured by the HP percentage: green when healthy, yellow when
// hurt, red when close to falling.
#pragma once

#include <QColor>
#include <QStyledItemDelegate>

class QProgressBar;

namespace pc {

QColor gaugeColor(int percent);

// Sets a level indicator (0 to 100) and its colour.
void showGauge(QProgressBar* gauge, int percent);

// Draws a cell holding a percentage as a small gauge with its number: coloured
// by the percentage for HP, in one colour (when given) for MP.
class HpGaugeDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit HpGaugeDelegate(QObject* parent, QColor fixedColour = {});
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QColor fixedColour_;
};

} // namespace pc
