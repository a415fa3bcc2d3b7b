// SPDX-License-Identifier: GPL-3.0-or-later
// The 大会 window: roster characters chosen as entrants, a format, best-of,
// rounds and seed; the event fought on a worker thread and saved after every
// match in the data folder's tournaments/ folder, continued after a restart;
// the bracket or standings picture growing as matches finish; a battle of any
// match watched in the battle window; the whole event replayed match by match
// as a show; a summary; the event exported as HTML, CSV, JSON, SVG and PNG.
#pragma once

#include "records/AppState.h"
#include "tournament/EventFile.h"
#include "tournament/EventRun.h"
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

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace pc {

class TournamentWindow : public QWidget {
    Q_OBJECT
public:
    // Opens the battle window on the characters with these file names, seeded.
    using WatchPairing = std::function<void(const std::string& player, const std::string& enemy, std::uint32_t seed)>;

    TournamentWindow(AppContext& context, WatchPairing watch);
    ~TournamentWindow() override;

    // Refills the entrant list from the roster, keeping the choices made.
    void showRoster();
    // Starts the event the controls give, or continues the saved one when it is the same.
    void start();
    void stop();
    bool running() const { return worker_.joinable(); }
    // The event as far as it is known.
    const tournament::Event* event() const { return shown_ ? &*shown_ : nullptr; }
    std::string eventPath() const;
    // Plays the event's matches one after another at the chosen pace.
    void watchShow();
    // Each returns why the file could not be written, or an empty text.
    QString saveAs(const QString& path) const;
    QImage picture() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    std::optional<tournament::EventSetup> chosenSetup(QString& problem) const;
    void showSaved(const tournament::SavedEvent& saved);
    void poll();
    void showProgress(const tournament::Event& event, std::size_t revealed);
    void showNextOfShow();
    void watchItem(QTreeWidgetItem* item);
    void exportEvent();
    void setRunning(bool running);

    AppContext& context_;
    WatchPairing watch_;
    QListWidget* entrantList_ = nullptr;
    QComboBox* formatBox_ = nullptr;
    QSpinBox* bestOfBox_ = nullptr;
    QSpinBox* roundsBox_ = nullptr;
    QCheckBox* twoLegsBox_ = nullptr;
    QComboBox* seedingBox_ = nullptr;
    QLineEdit* seedEdit_ = nullptr;
    QSpinBox* paceBox_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QPushButton* showButton_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QLabel* pictureLabel_ = nullptr;
    QTreeWidget* matchTree_ = nullptr;
    QLabel* summaryLabel_ = nullptr;
    QLabel* statusLabel_ = nullptr;

    std::optional<tournament::Event> shown_;
    std::unique_ptr<AppState> snapshot_; // the roster copy the worker reads
    std::jthread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> workerDone_{false};
    mutable std::mutex mutex_;
    std::optional<tournament::Event> latest_; // handed over by the worker
    std::string saveFailure_;
    QTimer pollTimer_;
    QTimer showTimer_;
    std::size_t showNext_ = 0;
    std::size_t shownCount_ = 0; // matches the picture shows
};

} // namespace pc
