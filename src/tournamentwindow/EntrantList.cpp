// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntrantList.h"

#include "sim/Matrix.h"
#include "ui/Text.h"

#include <QListWidget>

#include <algorithm>

namespace pc {

namespace {

// The members' names; a character's item also holds its file name alone.
constexpr int kMembersRole = Qt::UserRole + 1;
constexpr int kCharacterRole = Qt::UserRole;

QStringList membersOf(const std::vector<std::string>& members)
{
    QStringList names;
    for (const std::string& member : members)
        names << qs(member);
    return names;
}

QListWidgetItem* addItem(QListWidget& list, const sim::Named& entrant, bool ticked)
{
    auto* item = new QListWidgetItem(qs(entrant.label), &list);
    item->setData(kMembersRole, membersOf(entrant.members));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    return item;
}

QListWidgetItem* addCharacter(QListWidget& list, const OBJE* roster, const OBJE& character, bool ticked)
{
    QListWidgetItem* item = addItem(list, {sim::characterLabel(roster, character), {character.fileName}}, ticked);
    item->setData(kCharacterRole, qs(character.fileName));
    return item;
}

bool isCharacter(const QListWidgetItem& item)
{
    return item.data(kCharacterRole).isValid();
}

// The row of the entrant of this label and these members, from `from` on; -1 when none.
int rowOf(const QListWidget& list, const sim::Named& entrant, int from = 0)
{
    for (int i = from; i < list.count(); ++i) {
        const QListWidgetItem& item = *list.item(i);
        if (item.text() == qs(entrant.label) && item.data(kMembersRole).toStringList() == membersOf(entrant.members))
            return i;
    }
    return -1;
}

} // namespace

void listRoster(QListWidget& list, const OBJE* roster)
{
    struct Kept {
        QString fileName;
        bool ticked;
        QListWidgetItem* party;
    };
    std::vector<Kept> kept;
    while (list.count() > 0) {
        QListWidgetItem* item = list.takeItem(0);
        const bool ticked = item->checkState() == Qt::Checked;
        if (isCharacter(*item)) {
            kept.push_back({item->data(kCharacterRole).toString(), ticked, nullptr});
            delete item;
        } else {
            kept.push_back({{}, ticked, item});
        }
    }
    for (const Kept& k : kept) {
        if (k.party) {
            list.addItem(k.party);
            continue;
        }
        for (const OBJE* c = roster; c; c = c->next) {
            if (qs(c->fileName) == k.fileName)
                addCharacter(list, roster, *c, k.ticked);
        }
    }
    for (const OBJE* c = roster; c; c = c->next) {
        const bool listed = std::any_of(kept.begin(), kept.end(), [&](const Kept& k) { return k.fileName == qs(c->fileName); });
        if (!listed)
            addCharacter(list, roster, *c, false);
    }
}

void listParties(QListWidget& list, const std::vector<sim::Named>& parties)
{
    for (const sim::Named& party : parties) {
        if (const int row = rowOf(list, party); row >= 0)
            list.item(row)->setCheckState(Qt::Checked);
        else
            addItem(list, party, true);
    }
}

std::vector<sim::Named> tickedEntrants(const QListWidget& list)
{
    std::vector<sim::Named> entrants;
    for (int i = 0; i < list.count(); ++i) {
        const QListWidgetItem& item = *list.item(i);
        if (item.checkState() != Qt::Checked)
            continue;
        sim::Named entrant{utf8(item.text()), {}};
        for (const QString& member : item.data(kMembersRole).toStringList())
            entrant.members.push_back(utf8(member));
        entrants.push_back(std::move(entrant));
    }
    return entrants;
}

void tickEntrants(QListWidget& list, const std::vector<tournament::Entrant>& entrants)
{
    for (int i = 0; i < list.count(); ++i)
        list.item(i)->setCheckState(Qt::Unchecked);
    int place = 0;
    for (const tournament::Entrant& entrant : entrants) {
        const sim::Named named{entrant.name, entrant.members};
        const int row = rowOf(list, named, place);
        QListWidgetItem* item = row >= 0 ? list.takeItem(row) : addItem(list, named, true);
        if (row < 0)
            list.takeItem(list.row(item));
        item->setCheckState(Qt::Checked);
        list.insertItem(place++, item);
    }
}

} // namespace pc
