// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeatMapPicture.h"

#include "ui/Text.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace pc {

namespace {

constexpr int kMargin = 16;
constexpr int kCellWidth = 48;
constexpr int kCellHeight = 24;
constexpr int kLegendWidth = 320;
constexpr int kLegendHeight = 14;

QString settingsLine(const HeatMapModel& model)
{
    const sim::MatrixSetup& setup = model.result().setup;
    QString line = QStringLiteral("行が味方、列が敵。数字は味方の勝率。シード %1 から、1組 %2 戦")
                       .arg(setup.firstSeed)
                       .arg(QLocale(QLocale::English).toString(static_cast<qlonglong>(setup.battles)));
    if (model.outdated())
        line += QStringLiteral("（古い結果：キャラクターがそのあと変わりました）");
    return line;
}

void drawLegend(QPainter& painter, const QFontMetrics& metrics, int x, int y, bool outdated)
{
    for (int i = 0; i < kLegendWidth; ++i) {
        const QColor colour = winRateColour(static_cast<double>(i) / (kLegendWidth - 1));
        painter.setPen(outdated ? greyedOut(colour) : colour);
        painter.drawLine(x + i, y, x + i, y + kLegendHeight);
    }
    painter.setPen(Qt::black);
    painter.drawRect(x - 1, y - 1, kLegendWidth + 1, kLegendHeight + 2); // around the scale, not over its ends
    for (int percent = 0; percent <= 100; percent += 25) {
        const int at = x + (kLegendWidth - 1) * percent / 100;
        const QString label = QString::number(percent) + QStringLiteral("%");
        painter.drawLine(at, y + kLegendHeight, at, y + kLegendHeight + 4);
        painter.drawText(at - metrics.horizontalAdvance(label) / 2, y + kLegendHeight + 4 + metrics.ascent(), label);
    }
}

} // namespace

QImage heatMapPicture(const HeatMapModel& model)
{
    const QFont font = QApplication::font();
    const QFontMetrics metrics(font);
    const int count = model.rowCount();
    const int line = metrics.height() + 4;

    int labelWidth = 0;
    for (int row = 0; row < count; ++row)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(model.headerData(row, Qt::Vertical, Qt::DisplayRole).toString()));
    labelWidth += 8;
    const QString settings = settingsLine(model);
    const int tableWidth = labelWidth + count * kCellWidth;
    const int width = 2 * kMargin + std::max({tableWidth, metrics.horizontalAdvance(settings), kLegendWidth + 40});
    const int tableTop = kMargin + line + kCellHeight;
    const int legendTop = tableTop + count * kCellHeight + line;
    const int height = legendTop + kLegendHeight + 4 + line + kMargin;

    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(kMargin, kMargin + metrics.ascent(), settings);

    const int left = kMargin + labelWidth;
    for (int column = 0; column < count; ++column)
        painter.drawText(QRect(left + column * kCellWidth, tableTop - kCellHeight, kCellWidth, kCellHeight),
                         Qt::AlignCenter, model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    for (int row = 0; row < count; ++row) {
        const int top = tableTop + row * kCellHeight;
        painter.setPen(Qt::black);
        painter.drawText(QRect(kMargin, top, labelWidth - 8, kCellHeight), Qt::AlignVCenter | Qt::AlignLeft,
                         model.headerData(row, Qt::Vertical, Qt::DisplayRole).toString());
        for (int column = 0; column < count; ++column) {
            const QModelIndex cell = model.index(row, column);
            const QRect box(left + column * kCellWidth, top, kCellWidth, kCellHeight);
            const QVariant background = model.data(cell, Qt::BackgroundRole);
            painter.fillRect(box, background.isValid() ? background.value<QColor>() : QColor(Qt::white));
            painter.setPen(QColor(0xff, 0xff, 0xff));
            painter.drawRect(box.adjusted(0, 0, -1, -1));
            const QVariant foreground = model.data(cell, Qt::ForegroundRole);
            painter.setPen(foreground.isValid() ? foreground.value<QColor>() : QColor(Qt::black));
            painter.drawText(box, Qt::AlignCenter, model.data(cell, Qt::DisplayRole).toString());
        }
    }
    drawLegend(painter, metrics, kMargin, legendTop, model.outdated());
    return image;
}

} // namespace pc
