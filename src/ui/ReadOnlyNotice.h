// SPDX-License-Identifier: GPL-3.0-or-later
// The read-only notice of the roster window and every editor while this run
// may not write the data folder.
#pragma once

#include "records/AppState.h"

#include <QWidget>

#include <initializer_list>

namespace pc {

// Shows a banner across the top of `window` saying why the folder is read-only,
// and disables `refused`, the controls whose changes would not be saved; in a
// writable folder the banner is hidden and they are enabled. Calling it again
// reuses the one banner.
void showReadOnlyNotice(QWidget* window, const AppState& state, std::initializer_list<QWidget*> refused);

} // namespace pc
