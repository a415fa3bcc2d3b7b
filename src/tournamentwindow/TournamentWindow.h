// SPDX-License-Identifier: GPL-3.0-or-later
// The 大会 window: roster characters and parties from a file chosen as
// entrants, a format, best-of, rounds and seed; the event fought on a worker
// thread and saved after every match in the data folder's tournaments/
// folder, continued after a restart; the bracket or standings picture growing
// as matches finish; a battle of any match watched in the battle window, or
// the whole event one battle after another as a broadcast; a summary; the
// event exported as HTML, CSV, JSON, SVG and PNG. What it shows remembers the
// characters it was fought with and shows itself outdated once they change.
#pragma once

#include "records/AppState.h"
#include "roster/ComputedRoster.h"
#include "tournament/EventFile.h"
#include "tournament/EventRun.h"
#include "tournamentwindow/EventBroadcast.h"
#include "ui/AppContext.h"

#include <QTimer>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class QTreeWidgetItem;

namespace Ui {
class TournamentWindow;
}

namespace pc {

class BattleWindow;

class TournamentWindow : public QWidget {
    Q_OBJECT
public:
    // Opens the battle window on one party against another, each member by
    // file or character name, seeded, with `backText` on its back button;
    // false when it could not.
    using WatchParties = std::function<bool(const std::vector<std::string>& players,
                                            const std::vector<std::string>& enemies, std::uint32_t seed,
                                            const QString& backText)>;

    TournamentWindow(AppContext& context, BattleWindow& battleWindow, WatchParties watch);
    ~TournamentWindow() override;

    // Refills the entrant list from the roster, keeping the choices made.
    void showRoster();
    // Lists the parties of a parties file (one a line) as entrants, ticked;
    // why they could not be read, or an empty text.
    QString addParties(const QString& path);
    // Starts the event the controls give, or continues the saved one when it is the same.
    void start();
    void stop();
    bool running() const { return worker_.joinable(); }
    // The event as far as it is known.
    const tournament::Event* event() const { return shown_ ? &*shown_ : nullptr; }
    std::string eventPath() const;
    // Shows the event's battles one after another in the battle window; it
    // stops when the battle window is left.
    void watchShow();
    bool broadcasting() const { return broadcast_.on(); }
    // The polling tick: takes the worker's progress and moves the broadcast on.
    void poll();
    // Whether a character the event was fought with has changed or gone, or
    // the roster gained one, since; the results are then greyed and say so.
    bool outdated() const { return outdated_; }
    void checkOutdated();
    // Each returns why the file could not be written, or an empty text.
    QString saveAs(const QString& path) const;
    QImage picture() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    std::optional<tournament::EventSetup> chosenSetup(QString& problem) const;
    void rememberRoster(const tournament::EventSetup& setup);
    void showOutdated(bool outdated);
    void showSaved(const tournament::SavedEvent& saved);
    void showProgress(const tournament::Event& event, std::size_t revealed);
    bool openBattle(const tournament::Match& match, std::size_t battle, const QString& backText);
    void watchItem(QTreeWidgetItem* item);
    void chooseParties();
    void exportEvent();
    void setRunning(bool running);

    AppContext& context_;
    BattleWindow& battleWindow_;
    WatchParties watch_;
    std::unique_ptr<Ui::TournamentWindow> ui_;

    std::optional<tournament::Event> shown_;
    ComputedRoster computedOn_; // the entrants' members as the event was fought
    bool outdated_ = false;
    std::unique_ptr<AppState> snapshot_; // the roster copy the worker reads
    std::jthread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> workerDone_{false};
    mutable std::mutex mutex_;
    std::optional<tournament::Event> latest_; // handed over by the worker
    std::string saveFailure_;
    QTimer pollTimer_;     // while the event runs or is broadcast
    QTimer outdatedTimer_; // while shown: the roster may change in another window
    EventBroadcast broadcast_;
    std::size_t shownCount_ = 0; // matches the picture shows
};

} // namespace pc
