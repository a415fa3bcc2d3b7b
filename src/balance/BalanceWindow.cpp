// SPDX-License-Identifier: GPL-3.0-or-later
#include "BalanceWindow.h"

#include "balance/HeatMapPicture.h"
#include "balance/RankingChart.h"
#include "balance/RosterChecks.h"
#include "sim/MatrixReport.h"
#include "ui/Fields.h"
#include "ui/Navigation.h"
#include "ui/Text.h"
#include "ui/TimeLeft.h"

#include "ui_BalanceWindow.h"

#include <QHeaderView>
#include <QSaveFile>
#include <QThread>

#include <sstream>

namespace pc {

namespace {

constexpr int kBattleChoices[] = {100, 1000, 10000};
constexpr int kDefaultChoice = 1;
// The widest half-width of a pairing's 95% interval at which it stops; 0 fights every battle.
constexpr std::pair<const char*, double> kPrecisionChoices[] = {
    {"すべて戦う", 0}, {"±5%", 0.05}, {"±2%", 0.02}, {"±1%", 0.01}};
// Progress is read from the runner's counters and drawn four times a second,
// so that the window's thread stays idle while the workers fight.
constexpr int kPollMs = 250;

const QString kOutdated = QStringLiteral("キャラクターが変わりました。もう一度計算してください");

} // namespace

BalanceWindow::BalanceWindow(AppContext& context, WatchPairing watch)
    : RosterRunWindow(context)
    , watch_(std::move(watch))
    , ui_(std::make_unique<Ui::BalanceWindow>())
{
    ui_->setupUi(this);
    for (const int battles : kBattleChoices)
        ui_->battlesBox->addItem(QLocale(QLocale::English).toString(battles), battles);
    ui_->battlesBox->setCurrentIndex(kDefaultChoice);
    for (const auto& [text, precision] : kPrecisionChoices)
        ui_->precisionBox->addItem(QString::fromUtf8(text), precision);
    ui_->heatMapView->setModel(&heatMap_);
    ui_->heatMapView->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Every column as wide as "100%" needs, so that no figure is cut to "…" while a run fills the table.
    ui_->heatMapView->horizontalHeader()->setDefaultSectionSize(
        std::max(48, ui_->heatMapView->fontMetrics().horizontalAdvance(QStringLiteral("100%")) + 16));
    ui_->rankingView->setRenderHint(QPainter::Antialiasing);
    pollTimer_.setInterval(kPollMs);

    connect(ui_->startButton, &QPushButton::clicked, this, &BalanceWindow::start);
    connect(ui_->stopButton, &QPushButton::clicked, this, &BalanceWindow::stop);
    connect(ui_->toTheTitleButton, &QPushButton::clicked, this, &BalanceWindow::ToTheTitle);
    connect(ui_->rankingButton, &QPushButton::clicked, this,
            [this] { closeAndBringToFront(this, context_.windows.ranking); });
    connect(ui_->checkAllButton, &QPushButton::clicked, this, [this] { setAllChecks(ui_->rosterList, true); });
    connect(ui_->checkNoneButton, &QPushButton::clicked, this, [this] { setAllChecks(ui_->rosterList, false); });
    connect(ui_->heatMapView, &QTableView::doubleClicked, this, &BalanceWindow::watch);
    connect(&pollTimer_, &QTimer::timeout, this, &BalanceWindow::poll);
    connect(ui_->csvButton, &QPushButton::clicked, this, [this] {
        exportWith(QStringLiteral("CSVを保存"), QStringLiteral("CSV (*.csv)"),
                   [this](const QString& path) { return saveCsv(path); }, ui_->statusLabel);
    });
    connect(ui_->heatMapPngButton, &QPushButton::clicked, this, [this] {
        exportWith(QStringLiteral("勝率表をPNGで保存"), QStringLiteral("PNG (*.png)"),
                   [this](const QString& path) { return saveHeatMapPng(path); }, ui_->statusLabel);
    });
    connect(ui_->chartPngButton, &QPushButton::clicked, this, [this] {
        exportWith(QStringLiteral("ランキングをPNGで保存"), QStringLiteral("PNG (*.png)"),
                   [this](const QString& path) { return saveChartPng(path); }, ui_->statusLabel);
    });
    setRunning(false);
}

BalanceWindow::~BalanceWindow()
{
    runner_.reset(); // stops the threads before the roster they read goes
}

void BalanceWindow::checkOutdated()
{
    if (!running())
        showOutdated(computedOn_.outdatedIn(context_.state.objeTop));
}

void BalanceWindow::showOutdated(bool outdated)
{
    if (outdated == outdated_)
        return;
    outdated_ = outdated;
    heatMap_.setOutdated(outdated);
    ui_->rankingView->setEnabled(!outdated);
    ui_->rankingView->chart()->setOpacity(outdated ? 0.35 : 1.0);
    ui_->outdatedLabel->setText(kOutdated);
    ui_->outdatedLabel->setVisible(outdated);
}

void BalanceWindow::showRoster()
{
    showRosterChecks(ui_->rosterList, context_.state.objeTop);
}

void BalanceWindow::start()
{
    if (running())
        return;
    const std::optional<std::uint32_t> seed = firstSeedIn(ui_->seedField, ui_->seedProblem);
    if (!seed)
        return;
    auto snapshot = std::make_unique<AppState>();
    sim::copyRoster(context_.state.objeTop, *snapshot);
    sim::MatrixSetup setup;
    setup.lineups.push_back({snapshot->objeTop, {}});
    std::vector<std::string> fileNames;
    for (const CheckedCharacter& character : checkedCharacters(ui_->rosterList, snapshot->objeTop)) {
        setup.names.push_back(character.label);
        setup.lineups[0].entrants.push_back({character.row});
        fileNames.push_back(character.fileName);
    }
    if (setup.names.empty()) {
        ui_->statusLabel->setText(QStringLiteral("キャラクターを1人以上選んでください"));
        return;
    }
    setup.pairings = sim::everyPairing(setup.names.size());
    setup.battles = ui_->battlesBox->currentData().toInt();
    setup.precision = ui_->precisionBox->currentData().toDouble();
    setup.firstSeed = *seed;
    computedOn_.remember(snapshot->objeTop, fileNames);
    snapshot_ = std::move(snapshot);
    showOutdated(false);
    showResult({setup, std::vector<std::optional<sim::PairingResult>>(setup.pairings.size())});
    runner_ = std::make_unique<sim::MatrixRunner>(std::move(setup), std::max(1, QThread::idealThreadCount()));
    clock_.start();
    ui_->statusLabel->setText(QStringLiteral("%1組を対戦中…").arg(heatMap_.result().setup.pairings.size()));
    setRunning(true);
    pollTimer_.start();
}

void BalanceWindow::stop()
{
    if (!running())
        return;
    runner_->cancel();
    finish();
}

void BalanceWindow::poll()
{
    if (!running())
        return;
    if (runner_->finished()) {
        finish();
        return;
    }
    const std::int64_t done = runner_->done();
    const std::int64_t total = runner_->total();
    ui_->progressBar->setValue(static_cast<int>(done * 1000 / std::max<std::int64_t>(1, total)));
    if (done > 0 && clock_.elapsed() > 300)
        ui_->timeLeftLabel->setText(timeLeftText(clock_.elapsed() / 1000.0 * static_cast<double>(total - done) / done));
    heatMap_.setResult(runner_->snapshot());
}

void BalanceWindow::finish()
{
    pollTimer_.stop();
    const sim::MatrixResult result = runner_->wait();
    runner_.reset();
    snapshot_.reset();
    showResult(result);
    std::size_t finished = 0;
    for (const auto& pairing : result.pairings)
        finished += pairing.has_value();
    QString status = result.complete()
        ? QStringLiteral("%1組を%2秒で対戦しました").arg(finished).arg(clock_.elapsed() / 1000.0, 0, 'f', 1)
        : QStringLiteral("中止しました：%1組のうち%2組の結果を表示しています").arg(result.pairings.size()).arg(finished);
    checkOutdated();
    if (outdated_)
        status = QStringLiteral("計算中にキャラクターが変わりました。この結果は変わる前のキャラクターのものです。");
    ui_->statusLabel->setText(status);
    ui_->progressBar->setValue(result.complete() ? ui_->progressBar->maximum() : ui_->progressBar->value());
    ui_->timeLeftLabel->clear();
    setRunning(false);
}

void BalanceWindow::showResult(const sim::MatrixResult& result)
{
    heatMap_.setResult(result);
    showRanking(*ui_->rankingView->chart(), result);
    ui_->rankingView->setMinimumHeight(rankingHeight(result.setup.names.size()));
}

void BalanceWindow::setRunning(bool running)
{
    ui_->startButton->setEnabled(!running);
    ui_->stopButton->setEnabled(running);
    ui_->rosterList->setEnabled(!running);
    ui_->battlesBox->setEnabled(!running);
    ui_->precisionBox->setEnabled(!running);
    ui_->seedField->setEnabled(!running);
    const bool results = !running && !heatMap_.result().pairings.empty();
    for (QPushButton* button : {ui_->csvButton, ui_->heatMapPngButton, ui_->chartPngButton})
        button->setEnabled(results);
    if (!running)
        ui_->progressBar->setValue(heatMap_.result().complete() && results ? ui_->progressBar->maximum()
                                                                           : ui_->progressBar->value());
}

QString BalanceWindow::saveCsv(const QString& path) const
{
    std::ostringstream text;
    sim::writeMatrixCsv(text, heatMap_.result());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const std::string bytes = text.str();
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return file.commit() ? QString() : file.errorString();
}

namespace {

QString savePicture(const QImage& picture, const QString& path)
{
    if (picture.isNull())
        return QStringLiteral("表が大きすぎて画像にできません");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (!picture.save(&file, "PNG")) {
        file.cancelWriting();
        return QStringLiteral("PNGを書けませんでした");
    }
    return file.commit() ? QString() : file.errorString();
}

} // namespace

QString BalanceWindow::saveHeatMapPng(const QString& path) const
{
    return savePicture(heatMapPicture(heatMap_), path);
}

QString BalanceWindow::saveChartPng(const QString& path) const
{
    return savePicture(rankingPicture(heatMap_.result()), path);
}

void BalanceWindow::watch(const QModelIndex& cell)
{
    if (!watch_)
        return;
    if (running()) {
        ui_->statusLabel->setText(QStringLiteral("計算が終わってから対戦を観られます"));
        return;
    }
    if (!heatMap_.pairingAt(cell.row(), cell.column())) {
        ui_->statusLabel->setText(QStringLiteral("この組はまだ対戦していません"));
        return;
    }
    checkOutdated();
    const auto& names = heatMap_.result().setup.names;
    for (const std::size_t entrant : {static_cast<std::size_t>(cell.row()), static_cast<std::size_t>(cell.column())}) {
        const EntrantNow now = computedOn_.entrantNow(context_.state.objeTop, entrant);
        if (now == EntrantNow::vanished) {
            ui_->statusLabel->setText(QStringLiteral("「%1」は一覧にもういません。もう一度計算してください").arg(qs(names[entrant])));
            return;
        }
        if (now == EntrantNow::changed) {
            ui_->statusLabel->setText(QStringLiteral("「%1」は計算のあとで変わりました。もう一度計算してください").arg(qs(names[entrant])));
            return;
        }
    }
    watch_(computedOn_.fileName(static_cast<std::size_t>(cell.row())),
           computedOn_.fileName(static_cast<std::size_t>(cell.column())), heatMap_.result().setup.firstSeed);
}

void BalanceWindow::ToTheTitle()
{
    closeAndBringToFront(this, context_.windows.title);
}

} // namespace pc
