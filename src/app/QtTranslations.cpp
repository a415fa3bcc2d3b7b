// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace pc {

bool installQtTranslations(const QLocale& locale)
{
    auto* texts = new QTranslator(QCoreApplication::instance());
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const QLocale& language : {locale, QLocale(QLocale::Japanese)}) {
        if (language.language() != QLocale::C && texts->load(language, QStringLiteral("qt"), QStringLiteral("_"), folder))
            return QCoreApplication::installTranslator(texts);
    }
    delete texts;
    return false;
}

} // namespace pc
