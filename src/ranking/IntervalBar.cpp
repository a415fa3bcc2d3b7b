// SPDX-License-Identifier: GPL-3.0-or-later
#include "IntervalBar.h"

#include <QPainter>

#include <algorithm>

namespace pc {

void paintRatingBar(QPainter& painter, const QRectF& area, const sim::LadderEntry& entry, const RatingScale& scale,
                    bool greyed)
{
    const QRectF inner = area.adjusted(6, 0, -6, 0);
    const double span = std::max(1.0, scale.high - scale.low);
    const auto x = [&](double elo) { return inner.left() + inner.width() * (elo - scale.low) / span; };
    const double y = inner.center().y();
    const double left = std::max(inner.left(), x(entry.rating.elo - entry.rating.halfWidth));
    const double right = std::min(inner.right(), x(entry.rating.elo + entry.rating.halfWidth));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour = greyed ? QColor(0xa0, 0xa0, 0xa0) : tierColour(entry.tier).darker(160);
    painter.setPen(Qt::NoPen);
    painter.setBrush(greyed ? QColor(0xe4, 0xe4, 0xe4) : tierColour(entry.tier));
    painter.drawRoundedRect(QRectF(left, y - 4, std::max(2.0, right - left), 8), 3, 3);
    painter.setBrush(colour);
    painter.drawEllipse(QPointF(x(entry.rating.elo), y), 3.5, 3.5);
    // An entrant that won or lost every battle has only a bound: an arrow points past it.
    if (entry.beyondReach) {
        const double base = entry.winRate() > 0.5 ? std::min(right, inner.right() - 8) : std::max(left, inner.left() + 8);
        const double tip = entry.winRate() > 0.5 ? base + 8 : base - 8;
        painter.drawPolygon(QPolygonF{QPointF(tip, y), QPointF(base, y - 5), QPointF(base, y + 5)});
    }
    painter.restore();
}

void IntervalBarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (index.row() < model_.rowCount())
        paintRatingBar(*painter, option.rect, model_.ladder().entries[static_cast<std::size_t>(index.row())],
                       model_.scale(), model_.outdated());
}

QSize IntervalBarDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return QStyledItemDelegate::sizeHint(option, index).expandedTo(QSize(260, 0));
}

} // namespace pc
