// SPDX-License-Identifier: GPL-3.0-or-later
#include "Navigation.h"

#include <QWidget>

namespace pc {

void bringToFront(QWidget* window)
{
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

void closeAndBringToFront(QWidget* closing, QWidget* front)
{
    if (closing)
        closing->close();
    bringToFront(front);
}

} // namespace pc
