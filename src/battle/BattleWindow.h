// The battle window's controller: the set-up after a start, the side tables and
// status panels refreshed on every tick, and the navigation button that runs
// the battle. The rules write a BattleView; this window only copies it.
#pragma once

#include "app/AppContext.h"
#include "battle/BattleContext.h"
#include "battle/BattleView.h"

#include <QTimer>
#include <QWidget>

#include <memory>

namespace Ui {
class BattleWindow;
}

namespace pc {

class RowArrayModel;

class BattleWindow : public QWidget {
    Q_OBJECT
public:
    explicit BattleWindow(AppContext& context);
    ~BattleWindow() override;

    const BattleView& view() const { return view_; }

    void timerAction4();
    void Navigation();
    void ToTheTitle();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showBattle();
    void showSides();

    AppContext& context_;
    std::unique_ptr<Ui::BattleWindow> ui_;
    BattleView view_;
    BattleContext battle_;
    RowArrayModel* SCPlistMA_;
    RowArrayModel* SCElistMA_;
    QTimer timer;
};

} // namespace pc
