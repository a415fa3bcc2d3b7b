// SPDX-License-Identifier: GPL-3.0-or-later
#include "ElidedLabel.h"

#include <QPainter>
#include <QStyle>

namespace pc {

namespace {
// Room for a few characters before eliding sets in.
constexpr int kShortestWidth = 48;
} // namespace

QSize ElidedLabel::minimumSizeHint() const
{
    return {kShortestWidth, QLabel::minimumSizeHint().height()};
}

QSize ElidedLabel::sizeHint() const
{
    return {kShortestWidth, QLabel::sizeHint().height()};
}

void ElidedLabel::paintEvent(QPaintEvent*)
{
    updateToolTip();
    QPainter painter(this);
    const QRect room = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, room.width());
    style()->drawItemText(&painter, room, static_cast<int>(alignment()), palette(), isEnabled(), shown,
                          foregroundRole());
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    updateToolTip();
}

// The whole text is the tooltip exactly while it is cut short.
void ElidedLabel::updateToolTip()
{
    const bool cut = fontMetrics().horizontalAdvance(text()) > contentsRect().width();
    const QString tip = cut ? text() : QString();
    if (toolTip() != tip)
        setToolTip(tip);
}

} // namespace pc
