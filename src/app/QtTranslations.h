// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own texts (the buttons of questions, file dialogs) in the user's
// language, or in Japanese, the interface's language, when Qt has none for it.
#pragma once

#include <QLocale>

namespace pc {

// Installs the translations for `locale` into the running application; true
// when some were found.
bool installQtTranslations(const QLocale& locale = QLocale());

} // namespace pc
