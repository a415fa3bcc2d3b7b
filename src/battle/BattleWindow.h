// The battle window's controller: the set-up after a start, the side tables and
// status panels refreshed on every tick, and the navigation button that runs
// the battle. The rules write a BattleView; this window only copies it. Each
// press is logged with the breakdown of its numbers, which the log explains
// for the line chosen; auto-advance presses the button at a chosen pace.
#pragma once

#include "ui/AppContext.h"
#include "battle/BattleContext.h"
#include "battle/BattleLog.h"
#include "battle/BattleView.h"
#include "battle/Breakdown.h"

#include <QTimer>
#include <QWidget>

#include <memory>
#include <vector>

namespace Ui {
class BattleWindow;
}

namespace pc {

class BattleLogModel;
class RowArrayModel;

class BattleWindow : public QWidget {
    Q_OBJECT
public:
    explicit BattleWindow(AppContext& context);
    ~BattleWindow() override;

    const BattleView& view() const { return view_; }
    const std::vector<LogEntry>& log() const;
    bool autoAdvancing() const { return autoTimer_.isActive(); }

    void timerAction4();
    void Navigation();
    void ToTheTitle();
    // The auto-advance timer's tick: one press, the same as the button's.
    void autoPress();
    // Copies the chosen log lines as text, or the whole log when none is chosen.
    void copyLog();

protected:
    // The close box goes back to the title as タイトルへ does.
    void closeEvent(QCloseEvent* event) override;

private:
    void addShortcuts();
    void showBattle();
    void showSides();
    void showExplanation(const QModelIndex& row);

    AppContext& context_;
    std::unique_ptr<Ui::BattleWindow> ui_;
    BattleView view_;
    BreakdownRecorder breakdown_;
    BattleContext battle_;
    RowArrayModel* SCPlistMA_;
    RowArrayModel* SCElistMA_;
    BattleLogModel* log_;
    QTimer timer;
    QTimer autoTimer_;
};

} // namespace pc
