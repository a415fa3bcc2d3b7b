// SPDX-License-Identifier: GPL-3.0-or-later
#include "RosterChecks.h"

#include "sim/Matrix.h"
#include "ui/Text.h"

#include <QSet>

namespace pc {

void showRosterChecks(QListWidget* list, const OBJE* roster)
{
    QSet<QString> unchecked;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->checkState() == Qt::Unchecked)
            unchecked.insert(list->item(i)->data(Qt::UserRole).toString());
    }
    list->clear();
    const std::vector<std::string> labels = sim::characterLabels(roster);
    std::size_t row = 0;
    for (const OBJE* character = roster; character; character = character->next, ++row) {
        auto* item = new QListWidgetItem(qs(labels[row]), list);
        item->setData(Qt::UserRole, qs(character->fileName));
        item->setCheckState(unchecked.contains(qs(character->fileName)) ? Qt::Unchecked : Qt::Checked);
    }
}

void setAllChecks(QListWidget* list, bool checked)
{
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

std::vector<CheckedCharacter> checkedCharacters(const QListWidget* list, const OBJE* roster)
{
    std::vector<CheckedCharacter> checked;
    const std::vector<std::string> labels = sim::characterLabels(roster);
    std::int32_t row = 0;
    for (const OBJE* character = roster; character; character = character->next, ++row) {
        const QListWidgetItem* item = list->item(row);
        if (item && item->checkState() == Qt::Checked && item->data(Qt::UserRole).toString() == qs(character->fileName))
            checked.push_back({row, labels[static_cast<std::size_t>(row)], character->fileName});
    }
    return checked;
}

} // namespace pc
