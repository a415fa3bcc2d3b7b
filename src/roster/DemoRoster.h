// SPDX-License-Identifier: GPL-3.0-or-later
// The demo roster that comes with the application: where it lies, and the
// copy a data folder without a roster receives.
#pragma once

#include "Storage.h"

#include <QString>

#include <string>

namespace pc {

// The demo roster folder: "examples/CharaList" beside the executable (the
// build tree), "share/partyclash/examples/CharaList" beside its "bin" folder
// (an installed copy), or in a system data folder. Empty when none is found.
QString demoRosterFolder(const QString& appDir);

// Copies every character of `demoFolder` into the data folder of `baseDir`
// when that has no preset list. Returns whether anything was copied.
bool seedDemoRoster(Storage& storage, const std::string& baseDir, const QString& demoFolder);

} // namespace pc
