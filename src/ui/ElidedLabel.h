// SPDX-License-Identifier: GPL-3.0-or-later
// A one-line label that never widens its window: a text too long for the
// room it is given is drawn cut short with "…", and shown whole in the tooltip.
#pragma once

#include <QLabel>

namespace pc {

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateToolTip();
};

} // namespace pc
