// SPDX-License-Identifier: GPL-3.0-or-later
#include "TournamentWindow.h"

#include "battle/BattleWindow.h"
#include "records/RowRule.h"
#include "roster/Storage.h"
#include "sim/EventCommand.h"
#include "sim/EventReport.h"
#include "sim/Matrix.h"
#include "sim/RosterFolder.h"
#include "tournament/Pairing.h"
#include "tournamentwindow/EntrantList.h"
#include "ui/Navigation.h"
#include "ui/Text.h"

#include "ui_TournamentWindow.h"

#include <QBuffer>
#include <QFileDialog>
#include <QPainter>
#include <QSvgRenderer>
#include <QValidator>

#include <sstream>

namespace pc {

using namespace pc::tournament;

namespace {

constexpr int kPollMs = 100;
constexpr int kOutdatedCheckMs = 1000;
constexpr int kJobs = 2;
constexpr int kMatchRole = Qt::UserRole;
constexpr int kBattleRole = Qt::UserRole + 1;

struct FormatChoice {
    Format format;
    const char* label;
};

constexpr FormatChoice kFormats[] = {
    {Format::swiss, "スイス式"},
    {Format::roundRobin, "総当たり"},
    {Format::singleElimination, "シングルエリミネーション"},
    {Format::doubleElimination, "ダブルエリミネーション"},
    {Format::gauntlet, "ガントレット"},
};

// The event with only its first `count` matches.
Event firstMatches(const Event& event, std::size_t count)
{
    Event part = event;
    part.matches.resize(std::min(count, event.matches.size()));
    return part;
}

const std::string& entrantName(const Event& event, int entrant)
{
    static const std::string bye = "(不戦勝)";
    return entrant == kBye ? bye : event.setup.entrants[static_cast<std::size_t>(entrant)].name;
}

std::string matchTitle(const Event& event, const Match& match)
{
    std::string title = "第" + std::to_string(match.round) + "回戦  " + entrantName(event, match.first);
    if (match.bye())
        return title + "  不戦勝";
    return title + " 対 " + entrantName(event, match.second) + "  → " + entrantName(event, match.winner) + " "
        + std::to_string(match.winsOf(match.winner == match.first)) + "-"
        + std::to_string(match.winsOf(match.winner != match.first));
}

std::string battleTitle(const Event& event, const Match& match, std::size_t k)
{
    const BattleRecord& battle = match.battles[k];
    const int player = battle.firstIsPlayer ? match.first : match.second;
    const int enemy = battle.firstIsPlayer ? match.second : match.first;
    return "第" + std::to_string(k + 1) + "戦  シード " + std::to_string(battle.seed) + "  "
        + entrantName(event, player) + " 対 " + entrantName(event, enemy) + "：" + sim::battleMessage(battle) + "（"
        + std::to_string(battle.presses) + "手）";
}

// What the battle window shows over a battle of the event.
std::string battleCaption(const Event& event, const Match& match, std::size_t k)
{
    const char* bracket = match.bracket == Bracket::losers ? "（敗者側）" : match.bracket == Bracket::final ? "（決勝）" : "";
    const BattleRecord& battle = match.battles[k];
    return "大会　第" + std::to_string(match.round) + "回戦 第" + std::to_string(match.index + 1) + "試合" + bracket + "　第"
        + std::to_string(k + 1) + "戦　" + entrantName(event, battle.firstIsPlayer ? match.first : match.second) + " 対 "
        + entrantName(event, battle.firstIsPlayer ? match.second : match.first);
}

std::string summaryOf(const Event& event)
{
    if (!eventOver(event))
        return {};
    std::string summary = "優勝：" + entrantName(event, champion(event));
    if (const Match* closest = closestMatch(event))
        summary += "　　最も接戦だった試合：" + matchTitle(event, *closest);
    return summary;
}

} // namespace

TournamentWindow::TournamentWindow(AppContext& context, BattleWindow& battleWindow, WatchParties watch)
    : context_(context)
    , battleWindow_(battleWindow)
    , watch_(std::move(watch))
    , ui_(std::make_unique<Ui::TournamentWindow>())
    , broadcast_(battleWindow, context.state, [this](const Match& match, std::size_t battle) {
        return openBattle(match, battle, QStringLiteral("観戦をやめる(&T)"));
    })
{
    ui_->setupUi(this);
    for (const FormatChoice& choice : kFormats)
        ui_->formatBox->addItem(QString::fromUtf8(choice.label), static_cast<int>(choice.format));
    ui_->bestOfBox->setRange(1, kMaxBestOf);
    ui_->bestOfBox->setValue(3);
    ui_->roundsBox->setRange(0, kMaxEntrants);
    ui_->seedingBox->addItem(QStringLiteral("シードから無作為"), static_cast<int>(Seeding::random));
    ui_->seedingBox->addItem(QStringLiteral("並べた順"), static_cast<int>(Seeding::chosen));
    ui_->seedingBox->addItem(QStringLiteral("レーティング順"), static_cast<int>(Seeding::rating));
    ui_->seedEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,10}")), ui_->seedEdit));
    ui_->resultSplitter->setSizes({460, 240});

    connect(ui_->startButton, &QPushButton::clicked, this, &TournamentWindow::start);
    connect(ui_->stopButton, &QPushButton::clicked, this, &TournamentWindow::stop);
    connect(ui_->showButton, &QPushButton::clicked, this, &TournamentWindow::watchShow);
    connect(ui_->exportButton, &QPushButton::clicked, this, &TournamentWindow::exportEvent);
    connect(ui_->partiesButton, &QPushButton::clicked, this, &TournamentWindow::chooseParties);
    connect(ui_->titleButton, &QPushButton::clicked, this,
            [this] { closeAndBringToFront(this, context_.windows.title); });
    connect(ui_->matchTree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { watchItem(item); });
    pollTimer_.setInterval(kPollMs);
    connect(&pollTimer_, &QTimer::timeout, this, &TournamentWindow::poll);
    outdatedTimer_.setInterval(kOutdatedCheckMs);
    connect(&outdatedTimer_, &QTimer::timeout, this, &TournamentWindow::checkOutdated);
    setRunning(false);
}

TournamentWindow::~TournamentWindow()
{
    stop();
}

std::string TournamentWindow::eventPath() const
{
    return eventFolder(context_.state.baseDir) + "current.txt";
}

void TournamentWindow::showRoster()
{
    listRoster(*ui_->entrantList, context_.state.objeTop);
}

QString TournamentWindow::addParties(const QString& path)
{
    std::string reason;
    const std::optional<std::vector<sim::Named>> parties = sim::partiesOfFile(context_.storage, utf8(path), reason);
    if (!parties)
        return QStringLiteral("パーティのファイルを読めません：") + qs(reason);
    if (parties->empty())
        return QStringLiteral("パーティがありません（1行に1パーティ、キャラクターをカンマで区切ります）");
    listParties(*ui_->entrantList, *parties);
    return {};
}

void TournamentWindow::chooseParties()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("パーティを読み込む"), {},
                                                      QStringLiteral("テキスト (*.txt);;すべてのファイル (*)"));
    if (path.isEmpty())
        return;
    const QString failure = addParties(path);
    ui_->statusLabel->setText(failure.isEmpty() ? QStringLiteral("パーティを加えました：") + path : failure);
}

std::optional<EventSetup> TournamentWindow::chosenSetup(QString& problem) const
{
    EventSetup setup;
    for (sim::Named& entrant : tickedEntrants(*ui_->entrantList)) {
        const sim::NamedRows rows = sim::rosterRows(context_.state.objeTop, entrant.members);
        if (!rows.unknown.empty()) {
            problem = QStringLiteral("「%1」というキャラクターはいません").arg(qs(rows.unknown));
            return std::nullopt;
        }
        setup.entrants.push_back({std::move(entrant.label), std::move(entrant.members)});
    }
    setup.format = static_cast<Format>(ui_->formatBox->currentData().toInt());
    setup.bestOf = ui_->bestOfBox->value() | 1;
    setup.rounds = setup.format == Format::swiss ? ui_->roundsBox->value() : 0;
    setup.legs = setup.format == Format::roundRobin && ui_->twoLegsBox->isChecked() ? 2 : 1;
    setup.seeding = static_cast<Seeding>(ui_->seedingBox->currentData().toInt());
    bool ok = false;
    setup.seed = ui_->seedEdit->text().toUInt(&ok);
    problem = !ok ? QStringLiteral("シード値は 0 から 4294967295 の整数です") : qs(setupProblem(setup));
    if (!problem.isEmpty())
        return std::nullopt;
    return setup;
}

// Every member's file name, or its name when no character answers to it, so
// that a member gone since shows the event outdated.
void TournamentWindow::rememberRoster(const EventSetup& setup)
{
    const OBJE* roster = context_.state.objeTop;
    std::vector<std::string> fileNames;
    for (const Entrant& entrant : setup.entrants) {
        for (const std::string& member : entrant.members) {
            const sim::NamedRows rows = sim::rosterRows(roster, {member});
            fileNames.push_back(rows.unknown.empty() ? recordAt(roster, rows.rows.front())->fileName : member);
        }
    }
    computedOn_.remember(roster, fileNames);
    checkOutdated();
}

void TournamentWindow::checkOutdated()
{
    showOutdated(computedOn_.outdatedIn(context_.state.objeTop));
}

void TournamentWindow::showOutdated(bool outdated)
{
    if (outdated == outdated_)
        return;
    outdated_ = outdated;
    ui_->outdatedLabel->setVisible(outdated);
    ui_->pictureLabel->setEnabled(!outdated);
    ui_->summaryLabel->setEnabled(!outdated);
    ui_->matchTree->setStyleSheet(outdated ? QStringLiteral("color: #909090;") : QString());
}

void TournamentWindow::start()
{
    if (running())
        return;
    checkOutdated();
    QString problem;
    const std::optional<EventSetup> setup = chosenSetup(problem);
    if (!setup) {
        ui_->statusLabel->setText(problem);
        return;
    }
    Storage& storage = context_.storage;
    const std::string path = eventPath();
    Event event(*setup);
    std::vector<Match> recorded;
    // An event fought with characters changed since is fought again from its start.
    if (!outdated_ && storage.exists(path)) {
        const SavedEvent saved = loadEvent(storage, path);
        if (saved.problem.empty() && continues(saved.setup, *setup)) {
            event = resumedEvent(saved);
            recorded = saved.matches;
        }
    }
    if (const std::string reason = storage.makeFolders(eventFolder(context_.state.baseDir)); !reason.empty()) {
        ui_->statusLabel->setText(QStringLiteral("大会のフォルダを作れません：") + qs(reason));
        return;
    }
    rememberRoster(*setup);
    snapshot_ = std::make_unique<AppState>();
    sim::copyRoster(context_.state.objeTop, *snapshot_);
    std::vector<std::vector<std::int32_t>> rows;
    for (const Entrant& entrant : setup->entrants)
        rows.push_back(sim::rosterRows(snapshot_->objeTop, entrant.members).rows);
    shown_ = firstMatches(event, event.matches.size());
    showProgress(*shown_, shown_->matches.size());
    saveFailure_.clear();
    cancel_ = false;
    workerDone_ = false;
    // Entrants seeded by rating are rated on the worker, before the first match.
    const bool rate = setup->seeding == Seeding::rating && event.setup.ratedOrder.empty();
    const tournament::FightMaker fights = sim::rosterFights(snapshot_->objeTop, rows, setup->maxPresses);
    worker_ = std::jthread([this, event, recorded, fights, path, rate, rows = std::move(rows)]() mutable {
        if (rate) {
            EventSetup rated = event.setup;
            rated.ratedOrder = sim::ratedOrder(snapshot_->objeTop, std::move(rows), rated, kJobs, &cancel_);
            event = Event(std::move(rated));
            std::lock_guard lock(mutex_);
            latest_ = event;
        }
        const auto save = [&](const Event& sofar) {
            const std::string failure = saveEvent(context_.storage, path, sofar);
            std::lock_guard lock(mutex_);
            if (saveFailure_.empty())
                saveFailure_ = failure;
            latest_ = sofar;
        };
        if (playEvent(event, recorded, fights, kJobs, [&](const Event& sofar, const Match&) { save(sofar); }, &cancel_))
            save(event);
        workerDone_ = true;
    });
    setRunning(true);
    ui_->statusLabel->setText(!recorded.empty() ? QStringLiteral("保存された大会の続きから戦います")
                              : rate        ? QStringLiteral("レーティングでシードを決めています")
                                            : QStringLiteral("大会を始めました"));
    pollTimer_.start();
}

void TournamentWindow::stop()
{
    if (!running())
        return;
    cancel_ = true;
    worker_.join();
    poll();
}

void TournamentWindow::poll()
{
    // Read before the hand-over, so that the worker's last event is taken before it is joined.
    const bool workerDone = workerDone_;
    std::optional<Event> latest;
    std::string failure;
    {
        std::lock_guard lock(mutex_);
        latest.swap(latest_);
        failure = saveFailure_;
    }
    if (latest) {
        shown_ = std::move(latest);
        if (!broadcasting())
            showProgress(*shown_, shown_->matches.size());
    }
    if (!failure.empty())
        ui_->statusLabel->setText(QStringLiteral("大会を保存できません：") + qs(failure));
    if (worker_.joinable() && workerDone) {
        worker_.join();
        snapshot_.reset();
        setRunning(false);
        if (failure.empty())
            ui_->statusLabel->setText(shown_ && eventOver(*shown_)
                                          ? QStringLiteral("大会が終わりました")
                                          : QStringLiteral("中止しました。「開始」で続きから戦えます"));
    }
    if (shown_ && broadcasting()) {
        broadcast_.tick(*shown_, running());
        const std::optional<std::size_t> match = broadcast_.matchShown(*shown_);
        if (!broadcasting()) {
            showProgress(*shown_, shown_->matches.size());
            ui_->statusLabel->setText(broadcast_.finished() ? QStringLiteral("観戦を終えました")
                                                            : QStringLiteral("観戦をやめました"));
        } else if (match && shownCount_ != *match + 1) {
            // The picture grows with the broadcast, up to the match on screen.
            showProgress(*shown_, *match + 1);
        }
    }
    if (!running() && !broadcasting())
        pollTimer_.stop();
}

QImage TournamentWindow::picture() const
{
    if (!shown_)
        return {};
    QSvgRenderer renderer(QByteArray::fromStdString(sim::eventSvg(firstMatches(*shown_, shownCount_))));
    QImage image(renderer.defaultSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

void TournamentWindow::showProgress(const Event& event, std::size_t revealed)
{
    shownCount_ = revealed;
    const Event part = firstMatches(event, revealed);
    ui_->pictureLabel->setPixmap(QPixmap::fromImage(picture()));
    ui_->matchTree->clear();
    for (std::size_t m = 0; m < part.matches.size(); ++m) {
        const Match& match = part.matches[m];
        auto* item = new QTreeWidgetItem(ui_->matchTree, {qs(matchTitle(part, match))});
        item->setData(0, kMatchRole, static_cast<int>(m));
        item->setData(0, kBattleRole, 0);
        for (std::size_t k = 0; k < match.battles.size(); ++k) {
            auto* battle = new QTreeWidgetItem(item, {qs(battleTitle(part, match, k))});
            battle->setData(0, kMatchRole, static_cast<int>(m));
            battle->setData(0, kBattleRole, static_cast<int>(k));
        }
    }
    if (!part.matches.empty())
        ui_->matchTree->scrollToItem(ui_->matchTree->topLevelItem(ui_->matchTree->topLevelItemCount() - 1));
    ui_->summaryLabel->setText(qs(summaryOf(part)));
}

void TournamentWindow::watchShow()
{
    checkOutdated();
    if (outdated_) {
        ui_->statusLabel->setText(ui_->outdatedLabel->text());
        return;
    }
    if (!shown_)
        start();
    if (!shown_)
        return;
    broadcast_.start(ui_->paceBox->value() * 1000);
    ui_->statusLabel->setText(QStringLiteral("観戦を始めます"));
    pollTimer_.start();
    poll();
}

bool TournamentWindow::openBattle(const Match& match, std::size_t k, const QString& backText)
{
    const BattleRecord& battle = match.battles[k];
    const auto& entrants = shown_->setup.entrants;
    const Entrant& player = entrants[static_cast<std::size_t>(battle.firstIsPlayer ? match.first : match.second)];
    const Entrant& enemy = entrants[static_cast<std::size_t>(battle.firstIsPlayer ? match.second : match.first)];
    if (!watch_(player.members, enemy.members, battle.seed, backText)) {
        ui_->statusLabel->setText(QStringLiteral("戦闘画面を開けませんでした"));
        return false;
    }
    const QString caption = qs(battleCaption(*shown_, match, k));
    battleWindow_.showCaption(caption + QStringLiteral("　シード %1").arg(battle.seed));
    ui_->statusLabel->setText(QStringLiteral("戦闘画面で観戦：") + caption);
    return true;
}

void TournamentWindow::watchItem(QTreeWidgetItem* item)
{
    if (!shown_ || !item)
        return;
    checkOutdated();
    if (outdated_) {
        ui_->statusLabel->setText(ui_->outdatedLabel->text());
        return;
    }
    const Match& match = shown_->matches[static_cast<std::size_t>(item->data(0, kMatchRole).toInt())];
    const std::size_t k = static_cast<std::size_t>(item->data(0, kBattleRole).toInt());
    if (!match.bye() && k < match.battles.size())
        openBattle(match, k, QStringLiteral("大会へ(&T)"));
}

QString TournamentWindow::saveAs(const QString& path) const
{
    if (!shown_)
        return QStringLiteral("大会がありません");
    std::ostringstream out;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "png") {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly) || !picture().save(&buffer, "PNG"))
            return QStringLiteral("PNGを作れませんでした");
        out << bytes.toStdString();
    } else if (suffix == "csv") {
        sim::writeStandingsCsv(out, *shown_);
    } else if (suffix == "json") {
        sim::writeEventJson(out, *shown_);
    } else if (suffix == "svg") {
        out << sim::eventSvg(*shown_);
    } else {
        sim::writeEventHtml(out, *shown_);
    }
    return qs(context_.storage.writeAtomically(utf8(path), out.str()));
}

void TournamentWindow::exportEvent()
{
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("大会を書き出す"), {},
        QStringLiteral("HTML (*.html);;CSV (*.csv);;JSON (*.json);;SVG (*.svg);;PNG (*.png)"));
    if (path.isEmpty())
        return;
    const QString failure = saveAs(path);
    ui_->statusLabel->setText(failure.isEmpty() ? QStringLiteral("保存しました：") + path
                                            : QStringLiteral("保存できませんでした：") + failure);
}

void TournamentWindow::showSaved(const SavedEvent& saved)
{
    ui_->formatBox->setCurrentIndex(ui_->formatBox->findData(static_cast<int>(saved.setup.format)));
    ui_->bestOfBox->setValue(saved.setup.bestOf);
    ui_->roundsBox->setValue(saved.setup.rounds);
    ui_->twoLegsBox->setChecked(saved.setup.legs == 2);
    ui_->seedingBox->setCurrentIndex(ui_->seedingBox->findData(static_cast<int>(saved.setup.seeding)));
    ui_->seedEdit->setText(QString::number(saved.setup.seed));
    tickEntrants(*ui_->entrantList, saved.setup.entrants);
    rememberRoster(saved.setup);
    Event event = resumedEvent(saved);
    const bool over = eventOver(event);
    const int finishedRounds = event.lastRound();
    for (const Match& match : saved.matches) {
        if (match.round > finishedRounds)
            event.matches.push_back(match);
    }
    shown_ = event;
    showProgress(event, event.matches.size());
    ui_->statusLabel->setText(over
                              ? QStringLiteral("前回の大会です")
                              : QStringLiteral("前回の大会の続きがあります。「開始」で続きから戦います"));
}

void TournamentWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    showRoster();
    // The saved event is shown once; afterwards the window keeps what it shows.
    if (!shown_ && !running() && context_.storage.exists(eventPath())) {
        const SavedEvent saved = loadEvent(context_.storage, eventPath());
        if (saved.problem.empty())
            showSaved(saved);
        else
            ui_->statusLabel->setText(QStringLiteral("前回の大会を読めません：") + qs(saved.problem));
    }
    checkOutdated();
    outdatedTimer_.start();
}

void TournamentWindow::hideEvent(QHideEvent* event)
{
    outdatedTimer_.stop();
    QWidget::hideEvent(event);
}

void TournamentWindow::setRunning(bool running)
{
    for (QWidget* control : std::initializer_list<QWidget*>{ui_->entrantList, ui_->partiesButton, ui_->formatBox,
                                                            ui_->bestOfBox, ui_->roundsBox, ui_->twoLegsBox,
                                                            ui_->seedingBox, ui_->seedEdit, ui_->startButton})
        control->setEnabled(!running);
    ui_->stopButton->setEnabled(running);
}

} // namespace pc
