// SPDX-License-Identifier: GPL-3.0-or-later
// The battle window's controller: the set-up after a start, the side tables and
// status panels refreshed on every tick, and the navigation button that runs
// the battle. The rules write a BattleView; this window only copies it. Each
// press is logged with the breakdown of its numbers, which the log explains
// for the line chosen; auto-advance presses the button at a chosen pace. A
// battle started with a seed draws from its own seeded source and can be
// fought again, or on the command line. Beside NaviTF a gauge shows the
// player's chance to win, estimated on worker threads after every press; the
// decided battle's HP and chances are drawn in a chart.
#pragma once

#include "ui/AppContext.h"
#include "battle/BattleContext.h"
#include "battle/BattleHistory.h"
#include "battle/BattleLog.h"
#include "battle/SeededRandom.h"
#include "battle/WinChance.h"
#include "battle/BattleView.h"
#include "battle/Breakdown.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class BattleWindow;
}

namespace pc {

class BattleChart;
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
    // Makes タイトルへ, Escape and the close box of this battle go back to
    // `window` instead of the title, until they have done so once.
    void returnTo(QWidget* window, const QString& buttonText);
    // The auto-advance timer's tick: one press, the same as the button's.
    void autoPress();
    // Turns auto-advance on or off, as its button does.
    void setAutoAdvancing(bool on);
    // A line over the battle telling what it belongs to (a match of an event); empty hides it.
    void showCaption(const QString& caption);
    // Copies the chosen log lines as text, or the whole log when none is chosen.
    void copyLog();
    // The same parties set up again, drawing from the same seed.
    void replay();
    // The partyclash-sim command line that fights this battle; empty without a seed.
    QString simCommand() const;
    void copyCommand();
    // Writes the log as CSV for a name ending in ".csv", else as text; the
    // reason when it cannot, else "".
    QString saveLog(const QString& path) const;
    void saveLogAs();
    void showChart();
    // The estimate of the battle as it stands; none while it is off or under way.
    std::optional<WinEstimate> winChance() const;
    // Waits for the estimate under way and shows it, as the polling tick would.
    void settleWinChance();
    const BattleHistory& history() const { return history_; }

protected:
    // The close box goes back to the title as タイトルへ does.
    void closeEvent(QCloseEvent* event) override;

private:
    void addShortcuts();
    void showBattle();
    void showSides();
    void showExplanation(const QModelIndex& row);
    void showLogMenu(const QPoint& at);
    void startWinChance();
    void showWinChance();
    void pollWinChance();
    // The number of presses recorded, 0 at the set-up.
    std::size_t currentPress() const;

    AppContext& context_;
    // The window to go back to, once; the title unless returnTo named another.
    QWidget* takeBack();

    std::unique_ptr<Ui::BattleWindow> ui_;
    QWidget* back_ = nullptr; // where the battle goes back to, when not the title
    BattleView view_;
    BreakdownRecorder breakdown_;
    ChosenRandom random_;
    BattleContext battle_;
    std::optional<std::uint32_t> seed_;
    WinChanceEstimator estimator_;
    std::optional<WinEstimate> shownChance_;
    std::size_t estimatedPress_ = 0;
    std::size_t shownPress_ = 0;
    bool decided_ = false;
    BattleHistory history_;
    BattleChart* chart_ = nullptr;
    RowArrayModel* SCPlistMA_;
    RowArrayModel* SCElistMA_;
    BattleLogModel* log_;
    QTimer timer;
    QTimer autoTimer_;
};

} // namespace pc
