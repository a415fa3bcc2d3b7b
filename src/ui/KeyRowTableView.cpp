#include "KeyRowTableView.h"

#include <QKeyEvent>

namespace pc {

void KeyRowTableView::keyPressEvent(QKeyEvent* event)
{
    const int row = currentIndex().isValid() ? currentIndex().row() : -1;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Taken here, so that Enter does not also press the window's default button.
        event->accept();
        if (row >= 0)
            emit doubleClicked(row);
        return;
    }
    RowTableView::keyPressEvent(event);
    const int moved = currentIndex().isValid() ? currentIndex().row() : -1;
    if (moved >= 0 && moved != row)
        emit singleClicked(moved);
}

} // namespace pc
