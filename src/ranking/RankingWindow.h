// SPDX-License-Identifier: GPL-3.0-or-later
// The ランキング window: the ticked characters rated on the Elo scale by the
// ladder, fought on worker threads until every 95% interval is as narrow as
// chosen; the ladder as a table with interval bars and tiers, the pairings
// that disagree with the ratings, each entrant's results by opponent, and the
// command line's CSV and a PNG to save.
#pragma once

#include "roster/ComputedRoster.h"
#include "balance/RosterRunWindow.h"
#include "ranking/LadderModel.h"
#include "sim/LadderRunner.h"
#include "ui/AppContext.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

namespace Ui {
class RankingWindow;
}

namespace pc {

class RankingWindow : public RosterRunWindow {
    Q_OBJECT
public:
    explicit RankingWindow(AppContext& context);
    ~RankingWindow() override;

    void showRoster() override;
    void start();
    void stop();
    bool running() const override { return runner_ != nullptr; }
    bool outdated() const { return model_.outdated(); }
    void checkOutdated() override;
    const LadderModel& ladder() const { return model_; }
    // The results of the entrant at a ladder row against each opponent.
    void showOpponents(int row);
    // Each returns why the file could not be written, or an empty text.
    QString saveCsv(const QString& path) const;
    QString savePng(const QString& path) const;
    void ToTheTitle();

private:
    void poll();
    void finish();
    void setRunning(bool running);
    void showOutdated(bool outdated);
    void showDisagreements();
    QString caption() const;

    std::unique_ptr<Ui::RankingWindow> ui_;
    LadderModel model_;
    sim::LadderSetup shownSetup_;           // what the ladder shown was run with
    ComputedRoster computedOn_;             // the entrants shown, as they were run
    std::vector<std::string> runningNames_; // of the run under way
    std::unique_ptr<sim::LadderRunner> runner_;
    QElapsedTimer clock_;
    QTimer pollTimer_;
};

} // namespace pc
