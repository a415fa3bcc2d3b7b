// SPDX-License-Identifier: GPL-3.0-or-later
#include "FieldValues.h"

#include "PictureView.h"

#include <QComboBox>
#include <QLineEdit>

namespace pc {

QStringList fieldValues(const QWidget& window)
{
    QStringList values;
    for (const QWidget* child : window.findChildren<QWidget*>()) {
        if (const auto* line = qobject_cast<const QLineEdit*>(child); line && !line->isReadOnly())
            values << line->text();
        else if (const auto* menu = qobject_cast<const QComboBox*>(child))
            values << QString::number(menu->currentIndex());
        else if (const auto* picture = qobject_cast<const PictureView*>(child))
            values << QString::number(picture->picture().cacheKey());
    }
    return values;
}

} // namespace pc
