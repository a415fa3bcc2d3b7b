// SPDX-License-Identifier: GPL-3.0-or-later
// A rating drawn as a bar across its 95% interval with a dot at the rating,
// on a scale shared by the whole ladder: in the table and in its picture.
#pragma once

#include "ranking/LadderModel.h"

#include <QStyledItemDelegate>

class QPainter;

namespace pc {

void paintRatingBar(QPainter& painter, const QRectF& area, const sim::LadderEntry& entry, const RatingScale& scale,
                    bool greyed);

// Draws the interval column of a LadderModel.
class IntervalBarDelegate : public QStyledItemDelegate {
public:
    IntervalBarDelegate(const LadderModel& model, QObject* parent) : QStyledItemDelegate(parent), model_(model) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const LadderModel& model_;
};

} // namespace pc
