#include "BattleWindow.h"

#include "battle/BattleLogModel.h"
#include "battle/BattleSetup.h"
#include "battle/Explanation.h"
#include "roster/QtStorage.h"
#include "ui/HpGauge.h"
#include "ui/PollingTimer.h"
#include "ui/RowArrayModel.h"
#include "ui/Text.h"

#include "ui_BattleWindow.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QShortcut>

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

} // namespace

BattleWindow::BattleWindow(AppContext& context)
    : context_(context)
    , ui_(std::make_unique<Ui::BattleWindow>())
    , battle_{.state = context.state, .view = view_, .random = context.random, .breakdown = &breakdown_}
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
    const bool settingUp = context_.state.ReadyUpListStartOffFlag;
    battleTick(battle_);
    if (settingUp) {
        log_->clear();
        ui_->breakdownText->clear();
        showBattle();
        ui_->navigationButton->setFocus();
    }
    showSides();
}

void BattleWindow::Navigation()
{
    log_->append(pressLogged(battle_));
    ui_->logView->scrollToBottom();
    showBattle();
    if (announcesEnd(view_.naviText))
        ui_->autoAdvanceButton->setChecked(false);
}

void BattleWindow::autoPress()
{
    Navigation();
}

void BattleWindow::ToTheTitle()
{
    ui_->autoAdvanceButton->setChecked(false);
    closeAndBringToFront(this, context_.windows.title);
}

void BattleWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->spontaneous()) {
        ui_->autoAdvanceButton->setChecked(false);
        bringToFront(context_.windows.title);
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
