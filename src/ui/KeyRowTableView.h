// SPDX-License-Identifier: GPL-3.0-or-later
// A row table for keyboard use: Enter on the highlighted row acts as a double
// click on it and Delete asks for its deletion, so a list can be worked without a mouse.
#pragma once

#include "RowTableView.h"

namespace pc {

class KeyRowTableView : public RowTableView {
    Q_OBJECT
public:
    using RowTableView::RowTableView;

signals:
    void deletePressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace pc
