// SPDX-License-Identifier: GPL-3.0-or-later
// The roster window's controller: the roster table and its insert, delete and
// open actions, and the way back to the title.
#pragma once

#include "RosterExchange.h"
#include "records/Records.h"
#include "ui/AppContext.h"
#include "ui/RowArrayModel.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

namespace Ui {
class CharacterList;
}

namespace pc {

class CharacterList : public QWidget {
    Q_OBJECT
public:
    explicit CharacterList(AppContext& context);
    ~CharacterList() override;

    const RowArrayModel& rows() const { return ClistMA; }

    void timerAction();
    void ClistTVsgl(std::int32_t row);
    void ClistTVdbl();
    void Cinsert();
    void Cdelete();
    void ToTheTitle();
    void initCList();

    // The question asked before a character is deleted: its name, its file and
    // picture, and whether they go to the trash or are deleted for good.
    QString deleteQuestion(const OBJE& character) const;

    // Sharing characters with other roster folders.
    void addDemoCharacters();
    void exportChosen(bool everyCharacter);
    void importFromFolder();
    // Writes the highlighted character, or every one, into `folder`; shows the outcome.
    void exportTo(const QString& folder, bool everyCharacter);
    // Lists what `paths` (a roster folder, or character files) offer in the
    // import window and adds what the user ticks.
    void importPaths(const QStringList& paths);
    // Adds the incoming characters and shows what was added and what was left out.
    void addIncoming(const std::vector<Incoming>& incoming);
    QString message() const;

protected:
    void showEvent(QShowEvent* event) override;
    // The close box goes back to the title as タイトルへ does.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void openEditor();
    // Highlights the designated row and enables 削除 only while it names a character
    // and the folder can be written.
    void showDesignated();
    // While an editor is open the character it edits must stay where it is, so
    // the roster refuses to change and says why.
    bool refuseWhileEditing();
    bool askToDelete(const OBJE& character);
    void showStatus(const std::string& message);

    AppContext& context_;
    std::unique_ptr<Ui::CharacterList> ui_;
    RowArrayModel ClistMA;
    QTimer timer;
};

} // namespace pc
