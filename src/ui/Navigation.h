// SPDX-License-Identifier: GPL-3.0-or-later
// Moving between windows: every navigation action closes one window and brings
// another to the front, in that order.
#pragma once

class QWidget;

namespace pc {

// Every window of the application, handed to the controllers that refer to them.
struct Windows {
    QWidget* title = nullptr;
    QWidget* roster = nullptr;
    QWidget* editor = nullptr;
    QWidget* resist = nullptr;
    QWidget* attack = nullptr;
    QWidget* special = nullptr;
    QWidget* partySelection = nullptr;
    QWidget* battle = nullptr;
    QWidget* balance = nullptr;
    QWidget* tournament = nullptr;
    QWidget* ranking = nullptr;
};

void bringToFront(QWidget* window);
void closeAndBringToFront(QWidget* closing, QWidget* front);

} // namespace pc
