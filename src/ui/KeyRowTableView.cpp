// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyRowTableView.h"

#include <QKeyEvent>

namespace pc {

void KeyRowTableView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Taken here, so that Enter does not also press the window's default button.
        event->accept();
        if (clickedRow() >= 0)
            emit doubleClicked(clickedRow());
        return;
    }
    if (event->key() == Qt::Key_Delete) {
        event->accept();
        emit deletePressed();
        return;
    }
    RowTableView::keyPressEvent(event);
}

} // namespace pc
