// SPDX-License-Identifier: GPL-3.0-or-later
#include "CharacterSubmit.h"

#include "battle/DerivedStats.h"
#include "records/RowRule.h"
#include "roster/FileNames.h"
#include "roster/RosterEdit.h"
#include "roster/RosterStore.h"

namespace pc {

CharacterEdit characterEditOf(const OBJE& record)
{
    CharacterEdit edit;
    edit.texts = {record.name, record.tag, record.fileName, record.imageName, record.image != nullptr};
    edit.image = record.image;
    for (std::size_t i = 0; i < kEditedStats.size(); ++i)
        edit.stats[i] = record.baseStatus.*kEditedStats[i];
    return edit;
}

SubmitOutcome checkSubmit(const AppState& state, const CharacterEdit& edit)
{
    SubmitOutcome outcome;
    const OBJE* record = recordAt(state.objeTop, state.ClistClickedRow);
    if (!record) {
        outcome.saveFailure = "編集中のキャラクターが一覧にありません";
        return outcome;
    }
    if (!record->unreadable.empty()) {
        outcome.saveFailure = "読み込めなかったキャラクターには保存しません（" + record->unreadable + "）";
        return outcome;
    }
    CharacterTexts texts = edit.texts;
    texts.hasPicture = edit.image != nullptr;
    outcome.problems = characterProblems(texts, state.objeTop, record);
    return outcome;
}

SubmitOutcome submitCharacter(AppState& state, Storage& storage, const CharacterEdit& edit)
{
    SubmitOutcome outcome = checkSubmit(state, edit);
    if (!outcome.saved())
        return outcome;
    OBJE* record = recordAt(state.objeTop, state.ClistClickedRow);
    const CharacterTexts& texts = edit.texts;

    const OBJE before = *record;
    markPentaStale(state);
    record->name = texts.name;
    record->tag = texts.tag;
    record->fileName = texts.fileName;
    record->imageName = texts.imageName;
    record->image = edit.image;
    for (std::size_t i = 0; i < kEditedStats.size(); ++i)
        record->baseStatus.*kEditedStats[i] = edit.stats[i];
    if (state.Robje)
        record->baseResist = *state.Robje;
    // A cleared picture whose file another character also names keeps the file
    // but drops the name, so that it does not come back at the next start.
    const bool pictureCleared = before.image && !record->image;
    if (pictureCleared && namedByAnother(state.objeTop, record, &OBJE::imageName, record->imageName))
        record->imageName = freeName(state.objeTop, &OBJE::imageName, "新規画像", storage,
                                    pictureFolder(state.baseDir));

    outcome.saveFailure = saveFile(state, storage);
    if (!outcome.saveFailure.empty()) {
        // The list may have been read again meanwhile: the record keeps its place.
        OBJE* next = record->next;
        *record = before;
        record->next = next;
        return outcome;
    }
    // A picture the user cleared must not come back from its file at the next start.
    const std::string picturePath = pictureFolder(state.baseDir) + record->imageName;
    if (pictureCleared && isUsableFileName(record->imageName)
        && !namedByAnother(state.objeTop, record, &OBJE::imageName, record->imageName)
        && (!storage.hasTrash() || !storage.moveToTrash(picturePath).empty()))
        storage.remove(picturePath);
    state.initCListFlag = true;
    state.setPentaFlag = false;
    state.Robje.reset();
    state.unsavedNew = nullptr;
    return outcome;
}

} // namespace pc
