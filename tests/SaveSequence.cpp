// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveSequence.h"

#include "records/RowRule.h"
#include "roster/CharacterFile.h"
#include "roster/QtStorage.h"

#include <QImage>

namespace savesequence {

namespace {

using namespace pc;

constexpr int kMaxCharacters = 12;
// How often a character has been edited is kept in its LUK.
constexpr double STATUS::*kEdits = &STATUS::LUK;

void fillInserted(OBJE& record, int row)
{
    InitObje(record);
    const std::string number = std::to_string(row);
    record.name = "キャラ" + number;
    record.fileName = "chara" + number + ".txt";
    record.imageName = "chara" + number + ".png";
    record.baseStatus.*kEdits = 0;
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(QColor(pictureColour(row)));
    record.image = pictureOf(picture);
}

// Changes a character so that its file changes size: up to 40 attacks.
void edit(OBJE& record, int row, AppState& state)
{
    const int edits = static_cast<int>(record.baseStatus.*kEdits) + 1;
    record.baseStatus.*kEdits = edits;
    record.baseStatus.HP = 100 + edits;
    record.name = "キャラ" + std::to_string(row) + "・第" + std::to_string(edits) + "版";
    record.attacks = nullptr;
    ATTACK** link = &record.attacks;
    for (int k = 0; k < edits % 5 * 10; ++k) {
        ATTACK* attack = state.attacks.make();
        InitAttack(*attack);
        attack->name = "技" + std::to_string(edits) + "-" + std::to_string(k);
        attack->MP = k;
        attack->range = k % 3;
        *link = attack;
        link = &attack->next;
    }
}

} // namespace

QRgb pictureColour(int row)
{
    return qRgb(row * 47 % 256, 200 - row * 13 % 200, 90);
}

std::string insertedText(int row)
{
    OBJE record;
    fillInserted(record, row);
    return characterText(record);
}

void nextEdit(AppState& state)
{
    const int count = countOf(state.objeTop);
    OBJE* leastEdited = nullptr;
    int leastRow = 0;
    int row = 0;
    for (OBJE* record = state.objeTop; record; record = record->next, ++row) {
        if (!leastEdited || record->baseStatus.*kEdits < leastEdited->baseStatus.*kEdits) {
            leastEdited = record;
            leastRow = row;
        }
    }
    if (count < kMaxCharacters && (!leastEdited || leastEdited->baseStatus.*kEdits >= count)) {
        OBJE* record = state.objes.make();
        fillInserted(*record, count);
        (count == 0 ? state.objeTop : lastOf(state.objeTop)->next) = record;
        state.ClistClickedRow = -1;
        return;
    }
    edit(*leastEdited, leastRow, state);
    state.ClistClickedRow = leastRow;
}

long savesBehind(const AppState& state)
{
    long saves = 0;
    for (const OBJE* record = state.objeTop; record; record = record->next)
        saves += 1 + static_cast<long>(record->baseStatus.*kEdits);
    return saves;
}

} // namespace savesequence
