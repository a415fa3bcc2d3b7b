// SPDX-License-Identifier: GPL-3.0-or-later
#include "LadderPicture.h"

#include "ranking/IntervalBar.h"
#include "ui/Text.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace pc {

namespace {

constexpr int kRow = 22;
constexpr int kMargin = 12;
constexpr int kBar = 420;
constexpr int kMaxHeight = 32000; // QImage's practical limit on one side

} // namespace

QImage ladderPicture(const LadderModel& model, const QString& caption)
{
    const sim::Ladder& ladder = model.ladder();
    QFont font;
    const QFontMetrics metrics(font);
    int nameWidth = metrics.horizontalAdvance(QStringLiteral("名前"));
    for (const sim::LadderEntry& entry : ladder.entries)
        nameWidth = std::max(nameWidth, metrics.horizontalAdvance(qs(model.names().at(entry.entrant))));
    const int rankWidth = metrics.horizontalAdvance(QStringLiteral("00000")) + 8;
    const int tierWidth = kRow + 8;
    const int ratingWidth = metrics.horizontalAdvance(QStringLiteral("0000.0 ±000.0")) + 8;
    const int width = 2 * kMargin + rankWidth + tierWidth + nameWidth + 12 + kBar + ratingWidth;
    const int height = 2 * kMargin + kRow * (static_cast<int>(ladder.entries.size()) + 1) + kRow;
    if (height > kMaxHeight || width > kMaxHeight)
        return {};
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(kMargin, kMargin, width - 2 * kMargin, kRow), Qt::AlignLeft | Qt::AlignVCenter, caption);
    const int barLeft = kMargin + rankWidth + tierWidth + nameWidth + 12;
    const RatingScale& scale = model.scale();
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawText(QRect(barLeft, kMargin + kRow, kBar, kRow), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::number(scale.low, 'f', 0));
    painter.drawText(QRect(barLeft, kMargin + kRow, kBar, kRow), Qt::AlignRight | Qt::AlignVCenter,
                     QString::number(scale.high, 'f', 0));
    for (std::size_t i = 0; i < ladder.entries.size(); ++i) {
        const sim::LadderEntry& entry = ladder.entries[i];
        const int y = kMargin + kRow * (static_cast<int>(i) + 2);
        if (i % 2 == 1)
            painter.fillRect(QRect(kMargin, y, width - 2 * kMargin, kRow), QColor(0xf4, 0xf4, 0xf4));
        painter.setPen(Qt::black);
        painter.drawText(QRect(kMargin, y, rankWidth - 8, kRow), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(i + 1));
        const QRect tier(kMargin + rankWidth, y + 2, kRow - 4, kRow - 4);
        painter.fillRect(tier, tierColour(entry.tier));
        painter.drawText(tier, Qt::AlignCenter, QString(QChar(entry.tier)));
        painter.drawText(QRect(kMargin + rankWidth + tierWidth, y, nameWidth, kRow), Qt::AlignLeft | Qt::AlignVCenter,
                         qs(model.names().at(entry.entrant)));
        paintRatingBar(painter, QRectF(barLeft, y, kBar, kRow), entry, scale, false);
        painter.drawText(QRect(barLeft + kBar, y, ratingWidth, kRow), Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("%1 ±%2").arg(entry.rating.elo, 0, 'f', 1).arg(entry.rating.halfWidth, 0, 'f', 1));
    }
    return picture;
}

} // namespace pc
