// SPDX-License-Identifier: GPL-3.0-or-later
// What a window's editable fields hold, so that an editor can tell whether
// anything was changed since it was opened.
#pragma once

#include <QStringList>

class QWidget;

namespace pc {

// The text of every writable line field, the choice of every pop-up menu and
// the picture of every picture view, in the window's child order.
QStringList fieldValues(const QWidget& window);

} // namespace pc
