// SPDX-License-Identifier: GPL-3.0-or-later
// The balance window: the checked roster characters against each other, many
// seeded battles per pairing fought on worker threads, shown as a heat map and
// a ranking chart, exported as CSV and PNG.
#pragma once

#include "roster/ComputedRoster.h"
#include "balance/HeatMap.h"
#include "balance/RosterRunWindow.h"
#include "sim/Matrix.h"
#include "ui/AppContext.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class BalanceWindow;
}

namespace pc {

class BalanceWindow : public RosterRunWindow {
    Q_OBJECT
public:
    // Opens the battle window on the characters with these file names, seeded.
    using WatchPairing = std::function<void(const std::string& player, const std::string& enemy, std::uint32_t seed)>;

    BalanceWindow(AppContext& context, WatchPairing watch);
    ~BalanceWindow() override;

    // Refills the roster list from the roster, keeping what was unchecked.
    void showRoster() override;
    void start();
    void stop();
    bool running() const override { return runner_ != nullptr; }
    // Whether a character the result was computed from has changed or gone
    // since; the table is then greyed and says so.
    bool outdated() const { return outdated_; }
    void checkOutdated() override;
    const sim::MatrixResult& result() const { return heatMap_.result(); }
    // Each returns why the file could not be written, or an empty text.
    QString saveCsv(const QString& path) const;
    QString saveHeatMapPng(const QString& path) const;
    QString saveChartPng(const QString& path) const;
    void watch(const QModelIndex& cell);
    void ToTheTitle();

private:
    void poll();
    void finish();
    void showResult(const sim::MatrixResult& result);
    void setRunning(bool running);
    void showOutdated(bool outdated);

    WatchPairing watch_;
    std::unique_ptr<Ui::BalanceWindow> ui_;
    HeatMapModel heatMap_;
    ComputedRoster computedOn_;                  // the entrants shown, as they were run
    bool outdated_ = false;
    std::unique_ptr<AppState> snapshot_;         // the roster the run reads
    std::unique_ptr<sim::MatrixRunner> runner_;  // while a run is under way
    QElapsedTimer clock_;
    QTimer pollTimer_;
};

} // namespace pc
