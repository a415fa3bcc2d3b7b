// SPDX-License-Identifier: GPL-3.0-or-later
#include "TournamentWindow.h"

#include "sim/Entrants.h"
#include "sim/EventCommand.h"
#include "sim/EventReport.h"
#include "sim/Matrix.h"
#include "sim/RosterFolder.h"
#include "roster/Storage.h"
#include "tournament/Pairing.h"
#include "ui/Navigation.h"
#include "ui/Text.h"

#include <QBuffer>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QSvgRenderer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QValidator>

#include <sstream>

namespace pc {

using namespace pc::tournament;

namespace {

constexpr int kPollMs = 100;
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

TournamentWindow::TournamentWindow(AppContext& context, WatchPairing watch)
    : context_(context)
    , watch_(std::move(watch))
{
    setWindowTitle(QStringLiteral("大会"));
    resize(1200, 760);
    buildControls();
    pollTimer_.setInterval(kPollMs);
    connect(&pollTimer_, &QTimer::timeout, this, &TournamentWindow::poll);
    connect(&showTimer_, &QTimer::timeout, this, &TournamentWindow::showNextOfShow);
    setRunning(false);
}

TournamentWindow::~TournamentWindow()
{
    stop();
}

void TournamentWindow::buildControls()
{
    entrantList_ = new QListWidget;
    entrantList_->setObjectName(QStringLiteral("entrantList"));
    entrantList_->setDragDropMode(QAbstractItemView::InternalMove);
    formatBox_ = new QComboBox;
    formatBox_->setObjectName(QStringLiteral("formatBox"));
    for (const FormatChoice& choice : kFormats)
        formatBox_->addItem(QString::fromUtf8(choice.label), static_cast<int>(choice.format));
    bestOfBox_ = new QSpinBox;
    bestOfBox_->setObjectName(QStringLiteral("bestOfBox"));
    bestOfBox_->setRange(1, kMaxBestOf);
    bestOfBox_->setSingleStep(2);
    bestOfBox_->setValue(3);
    roundsBox_ = new QSpinBox;
    roundsBox_->setObjectName(QStringLiteral("roundsBox"));
    roundsBox_->setRange(0, kMaxEntrants);
    roundsBox_->setSpecialValueText(QStringLiteral("自動"));
    twoLegsBox_ = new QCheckBox(QStringLiteral("総当たりを2回"));
    seedingBox_ = new QComboBox;
    seedingBox_->setObjectName(QStringLiteral("seedingBox"));
    seedingBox_->addItem(QStringLiteral("シードから無作為"), static_cast<int>(Seeding::random));
    seedingBox_->addItem(QStringLiteral("並べた順"), static_cast<int>(Seeding::chosen));
    seedingBox_->addItem(QStringLiteral("レーティング順"), static_cast<int>(Seeding::rating));
    seedEdit_ = new QLineEdit(QStringLiteral("1"));
    seedEdit_->setObjectName(QStringLiteral("seedEdit"));
    seedEdit_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,10}")), seedEdit_));
    paceBox_ = new QSpinBox;
    paceBox_->setObjectName(QStringLiteral("paceBox"));
    paceBox_->setRange(1, 60);
    paceBox_->setValue(2);
    paceBox_->setSuffix(QStringLiteral(" 秒ごと"));

    startButton_ = new QPushButton(QStringLiteral("開始(&S)"));
    startButton_->setObjectName(QStringLiteral("startButton"));
    stopButton_ = new QPushButton(QStringLiteral("中止"));
    stopButton_->setObjectName(QStringLiteral("stopButton"));
    showButton_ = new QPushButton(QStringLiteral("大会を観戦"));
    showButton_->setObjectName(QStringLiteral("showButton"));
    exportButton_ = new QPushButton(QStringLiteral("書き出し…"));
    exportButton_->setObjectName(QStringLiteral("exportButton"));
    auto* titleButton = new QPushButton(QStringLiteral("タイトルへ"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("形式"), formatBox_);
    form->addRow(QStringLiteral("1試合の戦闘数（最大）"), bestOfBox_);
    form->addRow(QStringLiteral("スイス式の回戦数"), roundsBox_);
    form->addRow(QString(), twoLegsBox_);
    form->addRow(QStringLiteral("シード順"), seedingBox_);
    form->addRow(QStringLiteral("シード値"), seedEdit_);
    form->addRow(QStringLiteral("観戦の速さ"), paceBox_);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("出場キャラクター（チェックした順に並べ替え可）")));
    left->addWidget(entrantList_, 1);
    left->addLayout(form);
    for (QPushButton* button : {startButton_, stopButton_, showButton_, exportButton_, titleButton})
        left->addWidget(button);
    auto* leftPanel = new QWidget;
    leftPanel->setLayout(left);

    pictureLabel_ = new QLabel;
    pictureLabel_->setObjectName(QStringLiteral("pictureLabel"));
    pictureLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* pictureScroll = new QScrollArea;
    pictureScroll->setWidget(pictureLabel_);
    pictureScroll->setWidgetResizable(true);
    matchTree_ = new QTreeWidget;
    matchTree_->setObjectName(QStringLiteral("matchTree"));
    matchTree_->setHeaderLabel(QStringLiteral("試合（ダブルクリックで戦闘画面で観戦）"));
    summaryLabel_ = new QLabel;
    summaryLabel_->setObjectName(QStringLiteral("summaryLabel"));
    summaryLabel_->setWordWrap(true);
    summaryLabel_->setStyleSheet(QStringLiteral("font-weight: bold;"));
    statusLabel_ = new QLabel;
    statusLabel_->setObjectName(QStringLiteral("statusLabel"));
    statusLabel_->setWordWrap(true);
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(pictureScroll);
    splitter->addWidget(matchTree_);
    splitter->setSizes({460, 240});
    auto* right = new QVBoxLayout;
    right->addWidget(summaryLabel_);
    right->addWidget(splitter, 1);
    right->addWidget(statusLabel_);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(leftPanel);
    layout->addLayout(right, 1);

    connect(startButton_, &QPushButton::clicked, this, &TournamentWindow::start);
    connect(stopButton_, &QPushButton::clicked, this, &TournamentWindow::stop);
    connect(showButton_, &QPushButton::clicked, this, &TournamentWindow::watchShow);
    connect(exportButton_, &QPushButton::clicked, this, &TournamentWindow::exportEvent);
    connect(titleButton, &QPushButton::clicked, this, [this] { closeAndBringToFront(this, context_.windows.title); });
    connect(matchTree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { watchItem(item); });
}

std::string TournamentWindow::eventPath() const
{
    return eventFolder(context_.state.baseDir) + "current.txt";
}

void TournamentWindow::showRoster()
{
    std::vector<std::pair<std::string, bool>> kept;
    for (int i = 0; i < entrantList_->count(); ++i)
        kept.emplace_back(utf8(entrantList_->item(i)->data(Qt::UserRole).toString()),
                          entrantList_->item(i)->checkState() == Qt::Checked);
    entrantList_->clear();
    const auto add = [&](const OBJE& character, bool checked) {
        auto* item = new QListWidgetItem(qs(sim::characterLabel(context_.state.objeTop, character)), entrantList_);
        item->setData(Qt::UserRole, qs(character.fileName));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    };
    // Those listed before keep their place and choice; new characters come last.
    for (const auto& [fileName, checked] : kept) {
        for (const OBJE* c = context_.state.objeTop; c; c = c->next) {
            if (c->fileName == fileName)
                add(*c, checked);
        }
    }
    for (const OBJE* c = context_.state.objeTop; c; c = c->next) {
        const bool listed = std::any_of(kept.begin(), kept.end(), [&](const auto& k) { return k.first == c->fileName; });
        if (!listed)
            add(*c, false);
    }
}

std::optional<EventSetup> TournamentWindow::chosenSetup(QString& problem) const
{
    std::vector<std::string> fileNames;
    for (int i = 0; i < entrantList_->count(); ++i) {
        if (entrantList_->item(i)->checkState() == Qt::Checked)
            fileNames.push_back(utf8(entrantList_->item(i)->data(Qt::UserRole).toString()));
    }
    std::string unknown;
    const auto named = fileNames.empty() ? std::optional<std::vector<sim::Named>>()
                                         : sim::charactersNamed(fileNames, context_.state.objeTop, unknown);
    EventSetup setup;
    if (named) {
        for (const sim::Named& entrant : *named)
            setup.entrants.push_back({entrant.label, entrant.members});
    }
    setup.format = static_cast<Format>(formatBox_->currentData().toInt());
    setup.bestOf = bestOfBox_->value() | 1;
    setup.rounds = setup.format == Format::swiss ? roundsBox_->value() : 0;
    setup.legs = setup.format == Format::roundRobin && twoLegsBox_->isChecked() ? 2 : 1;
    setup.seeding = static_cast<Seeding>(seedingBox_->currentData().toInt());
    bool ok = false;
    setup.seed = seedEdit_->text().toUInt(&ok);
    problem = !ok ? QStringLiteral("シード値は 0 から 4294967295 の整数です") : qs(setupProblem(setup));
    if (!problem.isEmpty())
        return std::nullopt;
    return setup;
}

void TournamentWindow::start()
{
    if (running())
        return;
    QString problem;
    const std::optional<EventSetup> setup = chosenSetup(problem);
    if (!setup) {
        statusLabel_->setText(problem);
        return;
    }
    Storage& storage = context_.storage;
    const std::string path = eventPath();
    Event event(*setup);
    std::vector<Match> recorded;
    if (storage.exists(path)) {
        const SavedEvent saved = loadEvent(storage, path);
        if (saved.problem.empty() && continues(saved.setup, *setup)) {
            event = resumedEvent(saved);
            recorded = saved.matches;
        }
    }
    if (const std::string reason = storage.makeFolders(eventFolder(context_.state.baseDir)); !reason.empty()) {
        statusLabel_->setText(QStringLiteral("大会のフォルダを作れません：") + qs(reason));
        return;
    }
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
    statusLabel_->setText(!recorded.empty() ? QStringLiteral("保存された大会の続きから戦います")
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
        if (!showTimer_.isActive())
            showProgress(*shown_, shown_->matches.size());
    }
    if (!failure.empty())
        statusLabel_->setText(QStringLiteral("大会を保存できません：") + qs(failure));
    if (worker_.joinable() && workerDone) {
        worker_.join();
        pollTimer_.stop();
        snapshot_.reset();
        setRunning(false);
        if (failure.empty())
            statusLabel_->setText(shown_ && eventOver(*shown_) ? QStringLiteral("大会が終わりました")
                                                              : QStringLiteral("中止しました。「開始」で続きから戦えます"));
    } else if (!worker_.joinable()) {
        pollTimer_.stop();
        setRunning(false);
    }
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
    pictureLabel_->setPixmap(QPixmap::fromImage(picture()));
    matchTree_->clear();
    for (std::size_t m = 0; m < part.matches.size(); ++m) {
        const Match& match = part.matches[m];
        auto* item = new QTreeWidgetItem(matchTree_, {qs(matchTitle(part, match))});
        item->setData(0, kMatchRole, static_cast<int>(m));
        item->setData(0, kBattleRole, 0);
        for (std::size_t k = 0; k < match.battles.size(); ++k) {
            auto* battle = new QTreeWidgetItem(item, {qs(battleTitle(part, match, k))});
            battle->setData(0, kMatchRole, static_cast<int>(m));
            battle->setData(0, kBattleRole, static_cast<int>(k));
        }
    }
    if (!part.matches.empty())
        matchTree_->scrollToItem(matchTree_->topLevelItem(matchTree_->topLevelItemCount() - 1));
    summaryLabel_->setText(qs(summaryOf(part)));
}

void TournamentWindow::watchShow()
{
    if (!shown_)
        return;
    showNext_ = 0;
    showTimer_.start(paceBox_->value() * 1000);
    showNextOfShow();
}

void TournamentWindow::showNextOfShow()
{
    if (!shown_ || showNext_ >= shown_->matches.size()) {
        if (!running())
            showTimer_.stop();
        return;
    }
    ++showNext_;
    showProgress(*shown_, showNext_);
    QTreeWidgetItem* current = matchTree_->topLevelItem(static_cast<int>(showNext_ - 1));
    current->setExpanded(true);
    matchTree_->setCurrentItem(current);
    statusLabel_->setText(QStringLiteral("観戦中：") + current->text(0));
}

void TournamentWindow::watchItem(QTreeWidgetItem* item)
{
    if (!shown_ || !item)
        return;
    const Match& match = shown_->matches[static_cast<std::size_t>(item->data(0, kMatchRole).toInt())];
    const std::size_t k = static_cast<std::size_t>(item->data(0, kBattleRole).toInt());
    if (match.bye() || k >= match.battles.size())
        return;
    const BattleRecord& battle = match.battles[k];
    const Entrant& player = shown_->setup.entrants[static_cast<std::size_t>(battle.firstIsPlayer ? match.first : match.second)];
    const Entrant& enemy = shown_->setup.entrants[static_cast<std::size_t>(battle.firstIsPlayer ? match.second : match.first)];
    statusLabel_->setText(QStringLiteral("戦闘画面で観戦：シード %1").arg(battle.seed));
    watch_(player.members.front(), enemy.members.front(), battle.seed);
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
    statusLabel_->setText(failure.isEmpty() ? QStringLiteral("保存しました：") + path
                                            : QStringLiteral("保存できませんでした：") + failure);
}

void TournamentWindow::showSaved(const SavedEvent& saved)
{
    formatBox_->setCurrentIndex(formatBox_->findData(static_cast<int>(saved.setup.format)));
    bestOfBox_->setValue(saved.setup.bestOf);
    roundsBox_->setValue(saved.setup.rounds);
    twoLegsBox_->setChecked(saved.setup.legs == 2);
    seedingBox_->setCurrentIndex(seedingBox_->findData(static_cast<int>(saved.setup.seeding)));
    seedEdit_->setText(QString::number(saved.setup.seed));
    // The saved entrants checked and first, in their order.
    for (int i = 0; i < entrantList_->count(); ++i)
        entrantList_->item(i)->setCheckState(Qt::Unchecked);
    int place = 0;
    for (const Entrant& entrant : saved.setup.entrants) {
        for (int i = place; i < entrantList_->count(); ++i) {
            if (utf8(entrantList_->item(i)->data(Qt::UserRole).toString()) == entrant.members.front()) {
                QListWidgetItem* item = entrantList_->takeItem(i);
                item->setCheckState(Qt::Checked);
                entrantList_->insertItem(place++, item);
                break;
            }
        }
    }
    Event event = resumedEvent(saved);
    const bool over = eventOver(event);
    const int finishedRounds = event.lastRound();
    for (const Match& match : saved.matches) {
        if (match.round > finishedRounds)
            event.matches.push_back(match);
    }
    shown_ = event;
    showProgress(event, event.matches.size());
    statusLabel_->setText(over
                              ? QStringLiteral("前回の大会です")
                              : QStringLiteral("前回の大会の続きがあります。「開始」で続きから戦います"));
}

void TournamentWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    showRoster();
    if (running() || !context_.storage.exists(eventPath()))
        return;
    const SavedEvent saved = loadEvent(context_.storage, eventPath());
    if (saved.problem.empty())
        showSaved(saved);
    else
        statusLabel_->setText(QStringLiteral("前回の大会を読めません：") + qs(saved.problem));
}

void TournamentWindow::closeEvent(QCloseEvent* event)
{
    showTimer_.stop();
    QWidget::closeEvent(event);
}

void TournamentWindow::setRunning(bool running)
{
    for (QWidget* control : std::initializer_list<QWidget*>{entrantList_, formatBox_, bestOfBox_, roundsBox_,
                                                            twoLegsBox_, seedingBox_, seedEdit_, startButton_})
        control->setEnabled(!running);
    stopButton_->setEnabled(running);
}

} // namespace pc
