// SPDX-License-Identifier: GPL-3.0-or-later
#include "BattleWindow.h"

#include "battle/BattleChart.h"
#include "battle/BattleCopy.h"
#include "battle/BattleLogModel.h"
#include "battle/BattleSetup.h"
#include "battle/Explanation.h"
#include "battle/LogExport.h"
#include "roster/FileNames.h"
#include "roster/QtStorage.h"
#include "ui/HpGauge.h"
#include "ui/PollingTimer.h"
#include "ui/RowArrayModel.h"
#include "ui/Text.h"

#include "ui_BattleWindow.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QSaveFile>
#include <QShortcut>
#include <QStandardPaths>

namespace pc {

namespace {

const QString kName = QStringLiteral("name");
const QString kHp = QStringLiteral("hp");
const QString kMp = QStringLiteral("mp");
const QString kFallen = QStringLiteral("fallen");
constexpr int kGaugeWidth = 90;

// The auto-advance paces, from one press every two seconds to about one a frame.
struct Pace {
    const char* label;
    int intervalMs;
};
constexpr Pace kPaces[] = {{"2秒", 2000}, {"1秒", 1000}, {"0.3秒", 300}, {"0.1秒", 100}, {"最速", 16}};
constexpr int kDefaultPace = 1;

// Greys the name of a fallen member, whose row carries "fallen".
class SideNameDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const auto* model = static_cast<const RowArrayModel*>(index.model());
        if (model->row(index.row()).value(kFallen).toBool())
            option->palette.setColor(QPalette::Text, QColor(0x9a, 0x9a, 0x9a));
    }
};

RowArrayModel* sideTable(RowTableView* view, QObject* parent)
{
    auto* model = new RowArrayModel(
        {{kName, QStringLiteral("名前")}, {kHp, QStringLiteral("HP")}, {kMp, QStringLiteral("MP")}}, parent);
    view->setModel(model);
    view->setItemDelegateForColumn(0, new SideNameDelegate(view));
    view->setItemDelegateForColumn(1, new HpGaugeDelegate(view));
    view->setItemDelegateForColumn(2, new HpGaugeDelegate(view, QColor(0x3a, 0x7b, 0xd5)));
    QHeaderView* header = view->horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column : {1, 2}) {
        header->setSectionResizeMode(column, QHeaderView::Fixed);
        header->resizeSection(column, kGaugeWidth);
    }
    return model;
}

// Scales and sets a picture only when it changed: this runs on every tick.
void showPicture(QLabel* label, const Picture& picture)
{
    const QVariant key = QVariant::fromValue(reinterpret_cast<quintptr>(picture.get()));
    if (label->property("pictureKey") == key)
        return;
    label->setProperty("pictureKey", key);
    const QImage image = imageOf(picture);
    if (image.isNull()) {
        label->clear();
        return;
    }
    label->setPixmap(QPixmap::fromImage(image.scaled(label->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

// The cells of a side-table row; a fallen member's name carries a cross.
RowArrayModel::Row cellsOf(const SideRow& row)
{
    const QString name = row.fallen ? QStringLiteral("✝ ") + qs(row.name) : qs(row.name);
    return {{kName, name}, {kHp, qs(row.hp)}, {kMp, qs(row.mp)}, {kFallen, row.fallen}};
}

void showPanel(const PanelView& panel, QLabel* name, QLabel* hp, QProgressBar* gauge, QLabel* picture)
{
    name->setText(qs(panel.name));
    hp->setText(qs(panel.hpText));
    showGauge(gauge, panel.hpLevel);
    showPicture(picture, panel.picture);
}

void showStatusPanel(const StatusPanelView& panel, QLabel* hp, QLabel* mp, QProgressBar* gauge, QLabel* picture)
{
    hp->setText(qs(panel.hpText));
    mp->setText(qs(panel.mpText));
    showGauge(gauge, panel.hpLevel);
    showPicture(picture, panel.picture);
}

void showRows(RowArrayModel& model, const std::vector<SideRow>& rows)
{
    if (model.rowCount() != static_cast<int>(rows.size())) {
        std::vector<RowArrayModel::Row> cells;
        for (const SideRow& row : rows)
            cells.push_back(cellsOf(row));
        model.setRows(std::move(cells));
        return;
    }
    for (int i = 0; i < model.rowCount(); ++i) {
        const RowArrayModel::Row cells = cellsOf(rows[static_cast<std::size_t>(i)]);
        for (auto cell = cells.begin(); cell != cells.end(); ++cell)
            model.setValue(i, cell.key(), cell.value());
    }
}

// A word as a POSIX shell reads it back: quoted unless it is plain.
QString shellWord(const QString& word)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./,:=@%+-]+$"));
    if (plain.match(word).hasMatch())
        return word;
    QString quoted = word;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// How the command line names a member: by its character's name, or by its
// file name where the name could mean another character.
std::string simName(const OBJE& member, const OBJE* roster)
{
    int sharing = 0;
    for (const OBJE* character = roster; character; character = character->next) {
        if (character->fileName == member.name && character->fileName != member.fileName)
            return member.fileName;
        sharing += character->name == member.name ? 1 : 0;
    }
    return sharing == 1 ? member.name : member.fileName;
}

QString simNames(const OBJE* top, const OBJE* roster)
{
    QStringList names;
    for (const OBJE* member = top; member; member = member->next)
        names << qs(simName(*member, roster));
    return shellWord(names.join(QLatin1Char(',')));
}

// partyclash-sim beside the application (installed) or in its build folder, else
// where the search path finds it, always by its full path; by name when it is nowhere.
QString simProgram()
{
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString& path : {dir + QStringLiteral("/partyclash-sim"), dir + QStringLiteral("/sim/partyclash-sim")})
        if (QFileInfo(path).isExecutable())
            return shellWord(path);
    const QString found = QStandardPaths::findExecutable(QStringLiteral("partyclash-sim"));
    return found.isEmpty() ? QStringLiteral("partyclash-sim") : shellWord(found);
}

QString percent(double chance)
{
    return QString::number(chance * 100.0, 'f', 1) + QStringLiteral(" %");
}

} // namespace

BattleWindow::BattleWindow(AppContext& context)
    : context_(context)
    , ui_(std::make_unique<Ui::BattleWindow>())
    , random_(context.random)
    , battle_{.state = context.state, .view = view_, .random = random_, .breakdown = &breakdown_}
{
    ui_->setupUi(this);
    SCPlistMA_ = sideTable(ui_->SCPlistTV, this);
    SCElistMA_ = sideTable(ui_->SCElistTV, this);
    log_ = new BattleLogModel(this);
    ui_->logView->setModel(log_);
    for (const Pace& pace : kPaces)
        ui_->paceBox->addItem(QString::fromUtf8(pace.label));
    ui_->paceBox->setCurrentIndex(kDefaultPace);
    autoTimer_.setInterval(kPaces[kDefaultPace].intervalMs);

    connect(ui_->SCPlistTV, &RowTableView::singleClicked, this, [this](int row) {
        SCPlistTVsgl(battle_, row);
        showSides();
    });
    connect(ui_->SCElistTV, &RowTableView::singleClicked, this, [this](int row) {
        SCElistTVsgl(battle_, row);
        showSides();
    });
    connect(ui_->navigationButton, &QPushButton::clicked, this, &BattleWindow::Navigation);
    connect(ui_->toTheTitleButton, &QPushButton::clicked, this, &BattleWindow::ToTheTitle);
    connect(ui_->autoAdvanceButton, &QPushButton::toggled, this, [this](bool on) {
        if (on)
            autoTimer_.start();
        else
            autoTimer_.stop();
    });
    connect(ui_->paceBox, &QComboBox::currentIndexChanged, this,
            [this](int pace) { autoTimer_.setInterval(kPaces[pace].intervalMs); });
    connect(&autoTimer_, &QTimer::timeout, this, &BattleWindow::autoPress);
    connect(ui_->logView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { showExplanation(current); });
    connect(ui_->copyLogButton, &QPushButton::clicked, this, &BattleWindow::copyLog);
    connect(ui_->saveLogButton, &QPushButton::clicked, this, &BattleWindow::saveLogAs);
    connect(ui_->logView, &QWidget::customContextMenuRequested, this, &BattleWindow::showLogMenu);
    connect(ui_->replayButton, &QPushButton::clicked, this, &BattleWindow::replay);
    connect(ui_->chartButton, &QPushButton::clicked, this, &BattleWindow::showChart);
    connect(ui_->winChanceBox, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            startWinChance();
        else
            estimator_.cancel();
        shownChance_.reset();
        showWinChance();
    });
    addShortcuts();
    ui_->navigationButton->setFocus();
    startPolling(timer, this, &BattleWindow::timerAction4);
}

BattleWindow::~BattleWindow() = default;

const std::vector<LogEntry>& BattleWindow::log() const
{
    return log_->entries();
}

// Enter and Space advance and Escape returns to the title from anywhere in the
// window; A toggles auto-advance; Ctrl+C in the log copies its chosen lines.
void BattleWindow::addShortcuts()
{
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
        new QShortcut(key, this, this, &BattleWindow::Navigation);
    new QShortcut(Qt::Key_A, this, ui_->autoAdvanceButton, &QPushButton::toggle);
    new QShortcut(Qt::Key_Escape, this, this, &BattleWindow::ToTheTitle);
    new QShortcut(QKeySequence::Copy, ui_->logView, this, &BattleWindow::copyLog, Qt::WidgetShortcut);
}

void BattleWindow::timerAction4()
{
    AppState& state = context_.state;
    const bool settingUp = state.ReadyUpListStartOffFlag;
    if (settingUp) {
        // A seeded battle goes as the first of a run would, so that it can be replayed.
        seed_ = state.battleSeed;
        state.battleSeed.reset();
        random_.choose(seed_);
        if (seed_)
            forgetEarlierBattles(state);
    }
    battleTick(battle_);
    if (settingUp) {
        log_->clear();
        ui_->breakdownText->clear();
        ui_->seedLabel->setText(qs(seedLine(seed_)));
        ui_->replayButton->setEnabled(seed_.has_value());
        ui_->chartButton->setEnabled(false);
        history_.start(state);
        decided_ = false;
        shownChance_.reset();
        showBattle();
        startWinChance();
        showWinChance();
        ui_->navigationButton->setFocus();
    }
    pollWinChance();
    showSides();
}

// Once the end is announced, a press shows the announcement again and records
// nothing more: the log, its saved forms and the chart end with the first one.
void BattleWindow::Navigation()
{
    LogEntry entry = pressLogged(battle_);
    if (!decided_) {
        log_->append(std::move(entry));
        history_.record(context_.state);
        ui_->logView->scrollToBottom();
        startWinChance();
    }
    showBattle();
    showWinChance();
    if (announcesEnd(view_.naviText)) {
        decided_ = true;
        ui_->autoAdvanceButton->setChecked(false);
        ui_->chartButton->setEnabled(true);
    }
}

void BattleWindow::replay()
{
    if (!seed_ || !context_.state.RPtop || !context_.state.REtop)
        return;
    ui_->autoAdvanceButton->setChecked(false);
    context_.state.battleSeed = seed_;
    context_.state.ReadyUpListStartOffFlag = true;
    timerAction4();
}

QString BattleWindow::simCommand() const
{
    const AppState& state = context_.state;
    if (!seed_)
        return {};
    return simProgram() + QStringLiteral(" --data ") + shellWord(qs(characterFolder(state.baseDir)))
        + QStringLiteral(" --player ") + simNames(state.RPtop, state.objeTop) + QStringLiteral(" --enemy ")
        + simNames(state.REtop, state.objeTop) + QStringLiteral(" --seed ") + QString::number(*seed_);
}

void BattleWindow::copyCommand()
{
    QGuiApplication::clipboard()->setText(simCommand());
}

QString BattleWindow::saveLog(const QString& path) const
{
    const bool csv = path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
    const std::string text = csv ? logAsCsv(log_->entries()) : logAsText(log_->entries(), seed_);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), static_cast<qint64>(text.size())) < 0
        || !file.commit())
        return file.errorString();
    return {};
}

void BattleWindow::saveLogAs()
{
    const QString text = QStringLiteral("テキスト (*.txt)");
    const QString csv = QStringLiteral("CSV (*.csv)");
    QString chosen;
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("ログを保存"), QStringLiteral("battle-log.txt"),
                                                text + QStringLiteral(";;") + csv, &chosen);
    if (path.isEmpty())
        return;
    const QString suffix = chosen == csv ? QStringLiteral(".csv") : QStringLiteral(".txt");
    if (QFileInfo(path).suffix().isEmpty())
        path += suffix;
    const QString reason = saveLog(path);
    if (!reason.isEmpty())
        QMessageBox::warning(this, QStringLiteral("保存できません"),
                             path + QStringLiteral(" に保存できませんでした。\n") + reason);
}

void BattleWindow::showLogMenu(const QPoint& at)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("ログをコピー"), this, &BattleWindow::copyLog);
    QAction* command = menu.addAction(QStringLiteral("コマンドをコピー"), this, &BattleWindow::copyCommand);
    command->setEnabled(seed_.has_value());
    command->setToolTip(QStringLiteral("この戦闘を partyclash-sim で再現するコマンドをコピーします"));
    menu.addAction(QStringLiteral("保存…"), this, &BattleWindow::saveLogAs);
    menu.exec(ui_->logView->viewport()->mapToGlobal(at));
}

void BattleWindow::showChart()
{
    if (!chart_)
        chart_ = new BattleChart(this);
    chart_->show(history_);
    chart_->QDialog::show();
    chart_->raise();
}

void BattleWindow::startWinChance()
{
    if (!ui_->winChanceBox->isChecked() || !context_.state.RPtop || !context_.state.REtop)
        return;
    estimatedPress_ = currentPress();
    estimator_.start(copyBattle(context_.state, view_));
}

void BattleWindow::pollWinChance()
{
    if (const auto result = estimator_.take()) {
        shownChance_ = result->estimate;
        shownPress_ = estimatedPress_;
        history_.noteChance(estimatedPress_, result->estimate.chance);
        showWinChance();
    }
}

void BattleWindow::settleWinChance()
{
    estimator_.wait();
    pollWinChance();
}

std::size_t BattleWindow::currentPress() const
{
    return history_.hp.empty() ? 0 : history_.hp.size() - 1;
}

std::optional<WinEstimate> BattleWindow::winChance() const
{
    if (shownChance_ && shownPress_ == currentPress())
        return shownChance_;
    return std::nullopt;
}

// An estimate of an earlier press stays in grey, marked as being recomputed.
void BattleWindow::showWinChance()
{
    const bool on = ui_->winChanceBox->isChecked();
    const bool current = on && winChance().has_value();
    ui_->winGauge->setEnabled(current);
    if (!on || !shownChance_) {
        ui_->winGauge->setValue(0);
        ui_->winGauge->setFormat(on ? QStringLiteral("計算中…") : QStringLiteral("オフ"));
        ui_->winGauge->setToolTip({});
        return;
    }
    const WinEstimate& chance = *shownChance_;
    ui_->winGauge->setValue(static_cast<int>(std::lround(chance.chance * 100.0)));
    if (!current) {
        ui_->winGauge->setFormat(QStringLiteral("計算中…（前の値 %1）").arg(percent(chance.chance)));
        ui_->winGauge->setToolTip(QStringLiteral("この局面の見込みを計算しています。灰色の値は前の局面のものです"));
        return;
    }
    ui_->winGauge->setFormat(percent(chance.chance));
    ui_->winGauge->setToolTip(QStringLiteral("プレイヤーが勝つ見込み %1（95 %区間 %2 〜 %3、続きを %4 回試した結果）")
                                  .arg(percent(chance.chance), percent(chance.low), percent(chance.high))
                                  .arg(chance.runs));
}

void BattleWindow::autoPress()
{
    Navigation();
}

void BattleWindow::setAutoAdvancing(bool on)
{
    ui_->autoAdvanceButton->setChecked(on);
}

void BattleWindow::showCaption(const QString& caption)
{
    ui_->captionLabel->setText(caption);
    ui_->captionLabel->setVisible(!caption.isEmpty());
}

void BattleWindow::ToTheTitle()
{
    ui_->autoAdvanceButton->setChecked(false);
    closeAndBringToFront(this, takeBack());
}

void BattleWindow::returnTo(QWidget* window, const QString& buttonText)
{
    back_ = window;
    ui_->toTheTitleButton->setText(buttonText);
}

QWidget* BattleWindow::takeBack()
{
    QWidget* back = back_ ? back_ : context_.windows.title;
    back_ = nullptr;
    ui_->toTheTitleButton->setText(QStringLiteral("タイトルへ(&T)"));
    showCaption({});
    return back;
}

void BattleWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->spontaneous()) {
        ui_->autoAdvanceButton->setChecked(false);
        bringToFront(takeBack());
    }
}

void BattleWindow::copyLog()
{
    QGuiApplication::clipboard()->setText(log_->text(ui_->logView->selectionModel()->selectedRows()));
}

void BattleWindow::showExplanation(const QModelIndex& row)
{
    if (!row.isValid()) {
        ui_->breakdownText->clear();
        return;
    }
    const LogEntry& entry = log_->entries().at(static_cast<std::size_t>(row.row()));
    ui_->breakdownText->setPlainText(QString::number(row.row() + 1) + QStringLiteral(": ") + qs(entry.message) +
                                     QStringLiteral("\n\n") + qs(explain(entry.breakdown)));
}

void BattleWindow::showBattle()
{
    ui_->NaviTF->setText(qs(view_.naviText));
    showPanel(view_.p1, ui_->P1nameTF, ui_->P1HPTF, ui_->P1HPLI, ui_->P1IV);
    showPanel(view_.p2, ui_->P2nameTF, ui_->P2HPTF, ui_->P2HPLI, ui_->P2IV);
}

void BattleWindow::showSides()
{
    showRows(*SCPlistMA_, view_.SCPlistMA);
    showRows(*SCElistMA_, view_.SCElistMA);
    ui_->SCPlistTV->selectRowOnly(view_.SCPlistSelectedRow);
    ui_->SCElistTV->selectRowOnly(view_.SCElistSelectedRow);
    showStatusPanel(view_.cp, ui_->CPHPTF, ui_->CPMPTF, ui_->CPHPLI, ui_->CPIV);
    showStatusPanel(view_.ce, ui_->CEHPTF, ui_->CEMPTF, ui_->CEHPLI, ui_->CEIV);
}

} // namespace pc
