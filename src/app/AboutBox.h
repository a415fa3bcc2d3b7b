// SPDX-License-Identifier: GPL-3.0-or-later
// The About box: the version, the licence and the data folder in use.
#pragma once

#include <string>

class QWidget;

namespace pc {

struct AppState;

// The box's text (rich text): names the version, the licence and the data folder.
std::string aboutText(const AppState& state);

void showAbout(QWidget* parent, const AppState& state);

} // namespace pc
