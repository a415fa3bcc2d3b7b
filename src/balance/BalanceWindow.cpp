#include "BalanceWindow.h"

#include "balance/RankingChart.h"
#include "sim/MatrixReport.h"
#include "ui/Navigation.h"
#include "ui/Text.h"

#include "ui_BalanceWindow.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QSaveFile>
#include <QSet>
#include <QThread>

#include <sstream>

namespace pc {

namespace {

constexpr int kBattleChoices[] = {100, 1000, 10000};
constexpr int kDefaultChoice = 1;
constexpr int kPollMs = 50;

QString timeLeft(double seconds)
{
    if (seconds < 60)
        return QStringLiteral("残り 約%1秒").arg(std::max(1, static_cast<int>(std::ceil(seconds))));
    return QStringLiteral("残り 約%1分").arg(static_cast<int>(std::ceil(seconds / 60)));
}

} // namespace

BalanceWindow::BalanceWindow(AppContext& context, WatchPairing watch)
    : context_(context)
    , watch_(std::move(watch))
    , ui_(std::make_unique<Ui::BalanceWindow>())
{
    ui_->setupUi(this);
    for (const int battles : kBattleChoices)
        ui_->battlesBox->addItem(QLocale(QLocale::English).toString(battles), battles);
    ui_->battlesBox->setCurrentIndex(kDefaultChoice);
    ui_->seedField->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,10}")), this));
    ui_->heatMapView->setModel(&heatMap_);
    ui_->heatMapView->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ui_->heatMapView->horizontalHeader()->setDefaultSectionSize(48);
    ui_->rankingView->setRenderHint(QPainter::Antialiasing);
    ui_->rankingView->chart()->setTitle(QStringLiteral("総合勝率"));
    ui_->rankingView->chart()->legend()->hide();
    pollTimer_.setInterval(kPollMs);

    connect(ui_->startButton, &QPushButton::clicked, this, &BalanceWindow::start);
    connect(ui_->stopButton, &QPushButton::clicked, this, &BalanceWindow::stop);
    connect(ui_->toTheTitleButton, &QPushButton::clicked, this, &BalanceWindow::ToTheTitle);
    connect(ui_->checkAllButton, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < ui_->rosterList->count(); ++i)
            ui_->rosterList->item(i)->setCheckState(Qt::Checked);
    });
    connect(ui_->checkNoneButton, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < ui_->rosterList->count(); ++i)
            ui_->rosterList->item(i)->setCheckState(Qt::Unchecked);
    });
    connect(ui_->heatMapView, &QTableView::doubleClicked, this, &BalanceWindow::watch);
    connect(&pollTimer_, &QTimer::timeout, this, &BalanceWindow::poll);
    connect(ui_->csvButton, &QPushButton::clicked, this, [this] {
        exportWith(QStringLiteral("CSVを保存"), QStringLiteral("CSV (*.csv)"), &BalanceWindow::saveCsv);
    });
    connect(ui_->heatMapPngButton, &QPushButton::clicked, this, [this] {
        exportWith(QStringLiteral("勝率表をPNGで保存"), QStringLiteral("PNG (*.png)"), &BalanceWindow::saveHeatMapPng);
    });
    connect(ui_->chartPngButton, &QPushButton::clicked, this, [this] {
        exportWith(QStringLiteral("ランキングをPNGで保存"), QStringLiteral("PNG (*.png)"), &BalanceWindow::saveChartPng);
    });
    setRunning(false);
}

BalanceWindow::~BalanceWindow()
{
    runner_.reset(); // stops the threads before the roster they read goes
}

void BalanceWindow::showEvent(QShowEvent* event)
{
    if (!running())
        showRoster();
    QWidget::showEvent(event);
}

void BalanceWindow::showRoster()
{
    QSet<QString> unchecked;
    for (int i = 0; i < ui_->rosterList->count(); ++i) {
        if (ui_->rosterList->item(i)->checkState() == Qt::Unchecked)
            unchecked.insert(ui_->rosterList->item(i)->data(Qt::UserRole).toString());
    }
    ui_->rosterList->clear();
    for (const OBJE* character = context_.state.objeTop; character; character = character->next) {
        auto* item = new QListWidgetItem(qs(sim::characterLabel(context_.state.objeTop, *character)), ui_->rosterList);
        item->setData(Qt::UserRole, qs(character->fileName));
        item->setCheckState(unchecked.contains(qs(character->fileName)) ? Qt::Unchecked : Qt::Checked);
    }
}

void BalanceWindow::start()
{
    if (running())
        return;
    auto snapshot = std::make_unique<AppState>();
    sim::copyRoster(context_.state.objeTop, *snapshot);
    sim::MatrixSetup setup;
    setup.lineups.push_back({snapshot->objeTop, {}});
    fileNames_.clear();
    std::int32_t row = 0;
    for (const OBJE* character = snapshot->objeTop; character; character = character->next, ++row) {
        const QListWidgetItem* item = ui_->rosterList->item(row);
        if (!item || item->checkState() != Qt::Checked || item->data(Qt::UserRole).toString() != qs(character->fileName))
            continue;
        setup.names.push_back(sim::characterLabel(snapshot->objeTop, *character));
        setup.lineups[0].entrants.push_back({row});
        fileNames_.push_back(character->fileName);
    }
    if (setup.names.empty()) {
        ui_->statusLabel->setText(QStringLiteral("キャラクターを1人以上選んでください"));
        return;
    }
    setup.pairings = sim::everyPairing(setup.names.size());
    setup.battles = ui_->battlesBox->currentData().toInt();
    setup.firstSeed = static_cast<std::uint32_t>(std::min<qulonglong>(ui_->seedField->text().toULongLong(), 4294967295u));
    snapshot_ = std::move(snapshot);
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
        ui_->timeLeftLabel->setText(timeLeft(clock_.elapsed() / 1000.0 * static_cast<double>(total - done) / done));
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
    ui_->statusLabel->setText(result.complete()
                                  ? QStringLiteral("%1組を%2秒で対戦しました").arg(finished).arg(clock_.elapsed() / 1000.0, 0, 'f', 1)
                                  : QStringLiteral("中止しました：%1組のうち%2組の結果を表示しています")
                                        .arg(result.pairings.size())
                                        .arg(finished));
    ui_->progressBar->setValue(result.complete() ? ui_->progressBar->maximum() : ui_->progressBar->value());
    ui_->timeLeftLabel->clear();
    setRunning(false);
}

void BalanceWindow::showResult(const sim::MatrixResult& result)
{
    heatMap_.setResult(result);
    ui_->heatMapView->resizeColumnsToContents();
    showRanking(*ui_->rankingView->chart(), result);
}

void BalanceWindow::setRunning(bool running)
{
    ui_->startButton->setEnabled(!running);
    ui_->stopButton->setEnabled(running);
    ui_->rosterList->setEnabled(!running);
    ui_->battlesBox->setEnabled(!running);
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

// A view in a tab not shown has never been laid out: it takes the shown tab's size.
QString savePng(QWidget* view, const QTabWidget* tabs, const QString& path)
{
    if (!view->isVisible())
        view->resize(tabs->currentWidget()->size());
    return view->grab().save(path, "PNG") ? QString() : QStringLiteral("PNGを書けませんでした");
}

} // namespace

QString BalanceWindow::saveHeatMapPng(const QString& path) const
{
    return savePng(ui_->heatMapView, ui_->resultTabs, path);
}

QString BalanceWindow::saveChartPng(const QString& path) const
{
    return savePng(ui_->rankingView, ui_->resultTabs, path);
}

void BalanceWindow::exportWith(const QString& title, const QString& filter,
                               QString (BalanceWindow::*save)(const QString&) const)
{
    const QString path = QFileDialog::getSaveFileName(this, title, {}, filter);
    if (path.isEmpty())
        return;
    const QString failure = (this->*save)(path);
    ui_->statusLabel->setText(failure.isEmpty() ? QStringLiteral("保存しました：") + path
                                                : QStringLiteral("保存できませんでした：") + failure);
}

void BalanceWindow::watch(const QModelIndex& cell)
{
    if (running() || !heatMap_.pairingAt(cell.row(), cell.column()) || !watch_)
        return;
    watch_(fileNames_.at(static_cast<std::size_t>(cell.row())), fileNames_.at(static_cast<std::size_t>(cell.column())),
           heatMap_.result().setup.firstSeed);
}

void BalanceWindow::ToTheTitle()
{
    closeAndBringToFront(this, context_.windows.title);
}

} // namespace pc
