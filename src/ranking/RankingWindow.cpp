// SPDX-License-Identifier: GPL-3.0-or-later
#include "RankingWindow.h"

#include "balance/RosterChecks.h"
#include "ranking/IntervalBar.h"
#include "ranking/LadderPicture.h"
#include "roster/Storage.h"
#include "sim/LadderReport.h"
#include "ui/Fields.h"
#include "ui/Navigation.h"
#include "ui/Text.h"
#include "ui/TimeLeft.h"

#include "ui_RankingWindow.h"

#include <QBuffer>
#include <QHeaderView>
#include <QLocale>
#include <QThread>

#include <cmath>
#include <sstream>

namespace pc {

namespace {

// The widest half-width of a rating's 95% interval, in Elo.
constexpr double kPrecisionChoices[] = {50, 35, 20, 10};
constexpr int kDefaultPrecision = 1; // 35, as the command line
constexpr int kPollMs = 250;

const QString kOutdated = QStringLiteral("キャラクターが変わりました。もう一度計算してください");

// How far a run has come: a half-width shrinks as one over the square root of
// the battles, so (precision / widest)² of them are behind it; or the share
// of the battles it may fight, whichever is further.
double shareDone(const sim::LadderRunner& runner)
{
    const sim::LadderSetup& setup = runner.setup();
    const double byBattles = static_cast<double>(runner.battles()) / static_cast<double>(std::max<std::int64_t>(1, setup.maxBattles));
    const double widest = runner.widest();
    const double byWidth = widest > 0 ? std::pow(std::min(1.0, setup.precision / widest), 2) : 0;
    return std::clamp(std::max(byBattles, byWidth), 0.0, 1.0);
}

QTableWidgetItem* cell(const QString& text, bool number = true)
{
    auto* item = new QTableWidgetItem(text);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

RankingWindow::RankingWindow(AppContext& context)
    : RosterRunWindow(context)
    , ui_(std::make_unique<Ui::RankingWindow>())
{
    ui_->setupUi(this);
    for (const double precision : kPrecisionChoices)
        ui_->precisionBox->addItem(QStringLiteral("±%1").arg(precision), precision);
    ui_->precisionBox->setCurrentIndex(kDefaultPrecision);
    ui_->ladderView->setModel(&model_);
    ui_->ladderView->setItemDelegateForColumn(LadderModel::intervalColumn, new IntervalBarDelegate(model_, this));
    ui_->ladderView->verticalHeader()->hide();
    ui_->ladderView->horizontalHeader()->setSectionResizeMode(LadderModel::nameColumn, QHeaderView::Stretch);
    ui_->ladderView->horizontalHeader()->setSectionResizeMode(LadderModel::intervalColumn, QHeaderView::Fixed);
    ui_->ladderView->horizontalHeader()->resizeSection(LadderModel::intervalColumn, 280);
    ui_->opponentTable->setColumnCount(6);
    ui_->opponentTable->setHorizontalHeaderLabels({QStringLiteral("相手"), QStringLiteral("戦闘数"), QStringLiteral("勝ち"),
                                                   QStringLiteral("負け"), QStringLiteral("勝率"),
                                                   QStringLiteral("レーティングからの予想")});
    ui_->opponentTable->verticalHeader()->hide();
    ui_->opponentTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ui_->opponentTable->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ui_->ladderView->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    pollTimer_.setInterval(kPollMs);

    connect(&pollTimer_, &QTimer::timeout, this, &RankingWindow::poll);
    connect(ui_->startButton, &QPushButton::clicked, this, &RankingWindow::start);
    connect(ui_->stopButton, &QPushButton::clicked, this, &RankingWindow::stop);
    connect(ui_->toTheTitleButton, &QPushButton::clicked, this, &RankingWindow::ToTheTitle);
    connect(ui_->checkAllButton, &QPushButton::clicked, this, [this] { setAllChecks(ui_->rosterList, true); });
    connect(ui_->checkNoneButton, &QPushButton::clicked, this, [this] { setAllChecks(ui_->rosterList, false); });
    connect(ui_->ladderView, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { showOpponents(index.row()); });
    connect(ui_->csvButton, &QPushButton::clicked, this, [this] {
        exportWith(QStringLiteral("CSVを保存"), QStringLiteral("CSV (*.csv)"),
                   [this](const QString& path) { return saveCsv(path); }, ui_->statusLabel);
    });
    connect(ui_->pngButton, &QPushButton::clicked, this, [this] {
        exportWith(QStringLiteral("PNGで保存"), QStringLiteral("PNG (*.png)"),
                   [this](const QString& path) { return savePng(path); }, ui_->statusLabel);
    });
    setRunning(false);
}

RankingWindow::~RankingWindow()
{
    runner_.reset(); // stops the thread
}

void RankingWindow::showRoster()
{
    showRosterChecks(ui_->rosterList, context_.state.objeTop);
}

void RankingWindow::checkOutdated()
{
    if (running())
        return;
    const bool outdated = computedOn_.outdatedIn(context_.state.objeTop);
    if (outdated != model_.outdated())
        showOutdated(outdated);
}

void RankingWindow::showOutdated(bool outdated)
{
    model_.setOutdated(outdated);
    ui_->disagreementList->setEnabled(!outdated);
    ui_->opponentTable->setEnabled(!outdated);
    ui_->outdatedLabel->setText(kOutdated);
    ui_->outdatedLabel->setVisible(outdated);
}

void RankingWindow::start()
{
    if (running())
        return;
    const std::optional<std::uint32_t> seed = firstSeedIn(ui_->seedField, ui_->seedProblem);
    if (!seed)
        return;
    const std::vector<CheckedCharacter> checked = checkedCharacters(ui_->rosterList, context_.state.objeTop);
    if (checked.size() < 2) {
        ui_->statusLabel->setText(QStringLiteral("キャラクターを2人以上選んでください"));
        return;
    }
    std::vector<std::vector<std::int32_t>> entrants;
    std::vector<std::string> fileNames;
    runningNames_.clear();
    for (const CheckedCharacter& character : checked) {
        entrants.push_back({character.row});
        fileNames.push_back(character.fileName);
        runningNames_.push_back(character.label);
    }
    sim::LadderSetup setup;
    setup.entrants = checked.size();
    setup.precision = ui_->precisionBox->currentData().toDouble();
    setup.maxBattles = sim::kLadderBattlesPerEntrant * static_cast<std::int64_t>(checked.size());
    setup.firstSeed = *seed;
    setup.jobs = std::max(1, QThread::idealThreadCount());
    computedOn_.remember(context_.state.objeTop, fileNames);
    runner_ = std::make_unique<sim::LadderRunner>(context_.state.objeTop, std::move(entrants), setup, 1000);
    clock_.start();
    model_.setLadder({}, {});
    showOutdated(false);
    ui_->disagreementList->clear();
    ui_->opponentTable->setRowCount(0);
    ui_->progressBar->setValue(0);
    ui_->statusLabel->setText(QStringLiteral("%1人を順位付けしています…").arg(checked.size()));
    setRunning(true);
    pollTimer_.start();
}

void RankingWindow::stop()
{
    if (!running())
        return;
    runner_->cancel();
    ui_->statusLabel->setText(QStringLiteral("いまの回の対戦が終わりしだい中止します…"));
}

void RankingWindow::poll()
{
    if (!running())
        return;
    if (runner_->finished()) {
        finish();
        return;
    }
    const double done = shareDone(*runner_);
    ui_->progressBar->setValue(static_cast<int>(done * ui_->progressBar->maximum()));
    QString line = QStringLiteral("%1戦").arg(QLocale(QLocale::English).toString(static_cast<qlonglong>(runner_->battles())));
    if (runner_->widest() > 0)
        line += QStringLiteral("　最も広い区間 ±%1").arg(runner_->widest(), 0, 'f', 0);
    if (done > 0.01 && clock_.elapsed() > 300)
        line += QStringLiteral("　") + timeLeftText(clock_.elapsed() / 1000.0 * (1 - done) / done);
    ui_->timeLeftLabel->setText(line);
}

void RankingWindow::finish()
{
    pollTimer_.stop();
    const bool cancelled = runner_->cancelled();
    shownSetup_ = runner_->setup();
    model_.setLadder(runner_->wait(), runningNames_);
    runner_.reset();
    showDisagreements();
    const sim::Ladder& ladder = model_.ladder();
    const QString battles = QLocale(QLocale::English).toString(static_cast<qlonglong>(ladder.battles));
    QString status = cancelled ? QStringLiteral("中止しました：%1戦までの結果を表示しています").arg(battles)
        : ladder.settled
        ? QStringLiteral("%1人を%2戦で順位付けしました（%3秒）")
              .arg(ladder.entries.size())
              .arg(battles)
              .arg(clock_.elapsed() / 1000.0, 0, 'f', 1)
        : QStringLiteral("戦闘数の上限（%1戦）に達しました。区間が精度より広いキャラクターがいます").arg(battles);
    checkOutdated();
    if (model_.outdated())
        status = QStringLiteral("計算中にキャラクターが変わりました。この結果は変わる前のキャラクターのものです。");
    ui_->statusLabel->setText(status);
    ui_->progressBar->setValue(ladder.settled ? ui_->progressBar->maximum() : ui_->progressBar->value());
    ui_->timeLeftLabel->clear();
    ui_->ladderView->resizeColumnsToContents();
    ui_->ladderView->horizontalHeader()->resizeSection(LadderModel::intervalColumn, 280);
    setRunning(false);
}

void RankingWindow::showDisagreements()
{
    ui_->disagreementList->clear();
    const std::vector<std::string>& names = model_.names();
    for (const sim::Disagreement& d : model_.ladder().disagreements) {
        const sim::Matchup& m = d.matchup;
        auto* item = new QListWidgetItem(QStringLiteral("%1 対 %2：%1の勝率 %3%（予想 %4%）、%5戦")
                                           .arg(qs(names.at(m.first)), qs(names.at(m.second)))
                                           .arg(100 * m.firstScore() / m.battles, 0, 'f', 1)
                                           .arg(100 * d.expected / m.battles, 0, 'f', 1)
                                           .arg(m.battles),
                                         ui_->disagreementList);
        item->setToolTip(item->text());
    }
    if (ui_->disagreementList->count() == 0 && !model_.ladder().entries.empty())
        ui_->disagreementList->addItem(QStringLiteral("（どの対戦もレーティングどおりでした）"));
}

void RankingWindow::showOpponents(int row)
{
    const sim::Ladder& ladder = model_.ladder();
    if (row < 0 || static_cast<std::size_t>(row) >= ladder.entries.size())
        return;
    const sim::LadderEntry& entrant = ladder.entries[static_cast<std::size_t>(row)];
    std::vector<double> elo(ladder.entries.size());
    for (const sim::LadderEntry& entry : ladder.entries)
        elo[entry.entrant] = entry.rating.elo;
    const std::vector<std::string>& names = model_.names();
    ui_->opponentTitle->setText(QStringLiteral("%1の相手ごとの成績（両方の側で戦った合計）").arg(qs(names.at(entrant.entrant))));
    ui_->opponentTable->setRowCount(0);
    for (const sim::Matchup& m : ladder.pairs) {
        if (m.first != entrant.entrant && m.second != entrant.entrant)
            continue;
        const bool first = m.first == entrant.entrant;
        const std::size_t opponent = first ? m.second : m.first;
        const std::uint32_t wins = first ? m.firstWins : m.secondWins;
        const std::uint32_t losses = first ? m.secondWins : m.firstWins;
        const double score = first ? m.firstScore() : m.battles - m.firstScore();
        const int at = ui_->opponentTable->rowCount();
        ui_->opponentTable->insertRow(at);
        ui_->opponentTable->setItem(at, 0, cell(qs(names.at(opponent)), false));
        ui_->opponentTable->setItem(at, 1, cell(QString::number(m.battles)));
        ui_->opponentTable->setItem(at, 2, cell(QString::number(wins)));
        ui_->opponentTable->setItem(at, 3, cell(QString::number(losses)));
        ui_->opponentTable->setItem(at, 4, cell(QStringLiteral("%1%").arg(100 * score / m.battles, 0, 'f', 1)));
        ui_->opponentTable->setItem(
            at, 5, cell(QStringLiteral("%1%").arg(100 * sim::winChance(elo[entrant.entrant], elo[opponent]), 0, 'f', 1)));
    }
}

void RankingWindow::setRunning(bool running)
{
    ui_->startButton->setEnabled(!running);
    ui_->stopButton->setEnabled(running);
    ui_->rosterList->setEnabled(!running);
    ui_->checkAllButton->setEnabled(!running);
    ui_->checkNoneButton->setEnabled(!running);
    ui_->precisionBox->setEnabled(!running);
    ui_->seedField->setEnabled(!running);
    const bool results = !running && model_.rowCount() > 0;
    ui_->csvButton->setEnabled(results);
    ui_->pngButton->setEnabled(results);
}

QString RankingWindow::caption() const
{
    return QStringLiteral("ランキング：%1人、%2戦、シード %3、精度 ±%4")
        .arg(model_.rowCount())
        .arg(model_.ladder().battles)
        .arg(shownSetup_.firstSeed)
        .arg(shownSetup_.precision);
}

QString RankingWindow::saveCsv(const QString& path) const
{
    std::ostringstream text;
    sim::writeLadder(text, model_.ladder(), model_.names(), shownSetup_, sim::LadderForm::csv);
    return qs(context_.storage.writeAtomically(utf8(path), text.str()));
}

QString RankingWindow::savePng(const QString& path) const
{
    const QImage picture = ladderPicture(model_, caption());
    if (picture.isNull())
        return QStringLiteral("表が大きすぎて画像にできません");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG"))
        return QStringLiteral("PNGを書けませんでした");
    return qs(context_.storage.writeAtomically(utf8(path), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

void RankingWindow::ToTheTitle()
{
    closeAndBringToFront(this, context_.windows.title);
}

} // namespace pc
