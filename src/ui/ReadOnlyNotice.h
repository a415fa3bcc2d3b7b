// The read-only notice every editor carries in its title while this run may
// not write the data folder.
#pragma once

#include "Text.h"
#include "records/AppState.h"

#include <QVariant>
#include <QWidget>

namespace pc {

inline void showReadOnlyNotice(QWidget* window, const AppState& state)
{
    const char* key = "titleWithoutNotice";
    if (!window->property(key).isValid())
        window->setProperty(key, window->windowTitle());
    const QString title = window->property(key).toString();
    window->setWindowTitle(state.readOnlyReason.empty()
                               ? title
                               : title + QStringLiteral("（読み取り専用：") + qs(state.readOnlyReason)
                                   + QStringLiteral("。保存できません）"));
}

} // namespace pc
