// SPDX-License-Identifier: GPL-3.0-or-later
// What a start does to a data folder before loading it, while it holds the
// folder's lock: it finishes or undoes an import that was cut short, and
// removes the temporary files of writes that never finished.
#pragma once

#include "Storage.h"

#include <string>

namespace pc {

// An import whose note is still there is kept when the preset list names one
// of its character files (it was put in place whole) and otherwise undone:
// every file it made is removed. Then every ".partyclash-*" file of the data
// folder and of "img/" is removed, but the lock.
void recoverDataFolder(Storage& storage, const std::string& baseDir);

} // namespace pc
