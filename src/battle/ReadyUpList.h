// SPDX-License-Identifier: GPL-3.0-or-later
// The party-selection window's controller: two roster tables, two party
// tables, their add and remove buttons, and the start of a battle.
#pragma once

#include "ui/AppContext.h"
#include "battle/PartySelection.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

namespace Ui {
class ReadyUpList;
}

namespace pc {

class RowArrayModel;

class ReadyUpList : public QWidget {
    Q_OBJECT
public:
    explicit ReadyUpList(AppContext& context);
    ~ReadyUpList() override;

    void timerAction3();
    void RPadd();
    void REadd();
    void RPdelete();
    void REdelete();
    void StartOff();
    void ToTheTitle();
    // Empties both parties and fills them, as 追加 does, with copies of the
    // roster characters at these rows: a battle chosen in another window,
    // also while the battle window still shows the one before.
    void chooseParties(const std::vector<std::int32_t>& players, const std::vector<std::int32_t>& enemies);

protected:
    // The close box goes back to the title as タイトルへ does.
    void closeEvent(QCloseEvent* event) override;

private:
    // Copies the row arrays into the four tables.
    void showTables();
    void showParties();
    bool battleShown() const;
    void showSeedRefusal(bool refused);
    void followClickedRows();

    AppContext& context_;
    std::unique_ptr<Ui::ReadyUpList> ui_;
    PartyTables tables_;
    RowArrayModel* CPlistMA_;
    RowArrayModel* CElistMA_;
    RowArrayModel* RPlistMA_;
    RowArrayModel* RElistMA_;
    QTimer timer;
};

} // namespace pc
