#include "BattleWindow.h"

#include "battle/BattleDriver.h"
#include "battle/BattleSetup.h"
#include "roster/QtStorage.h"
#include "ui/HpGauge.h"
#include "ui/PollingTimer.h"
#include "ui/RowArrayModel.h"
#include "ui/Text.h"

#include "ui_BattleWindow.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace pc {

namespace {

const QString kName = QStringLiteral("name");
const QString kHp = QStringLiteral("hp");

RowArrayModel* sideTable(RowTableView* view, QObject* parent)
{
    auto* model = new RowArrayModel({{kName, QStringLiteral("名前")}, {kHp, QStringLiteral("HP")}}, parent);
    view->setModel(model);
    view->setItemDelegateForColumn(1, new HpGaugeDelegate(view));
    view->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    view->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    view->horizontalHeader()->resizeSection(1, 110);
    view->horizontalHeader()->setStretchLastSection(false);
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

void showRows(RowArrayModel& model, const std::vector<SideRow>& rows)
{
    if (model.rowCount() != static_cast<int>(rows.size())) {
        model.clear();
        for (const SideRow& row : rows)
            model.append({{kName, qs(row.name)}, {kHp, qs(row.hp)}});
        return;
    }
    for (int i = 0; i < model.rowCount(); ++i) {
        const SideRow& row = rows[static_cast<std::size_t>(i)];
        model.setValue(i, kName, qs(row.name));
        model.setValue(i, kHp, qs(row.hp));
    }
}

} // namespace

BattleWindow::BattleWindow(AppContext& context)
    : context_(context)
    , ui_(std::make_unique<Ui::BattleWindow>())
    , battle_{context.state, view_, context.random}
{
    ui_->setupUi(this);
    SCPlistMA_ = sideTable(ui_->SCPlistTV, this);
    SCElistMA_ = sideTable(ui_->SCElistTV, this);

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
    ui_->navigationButton->setFocus();
    startPolling(timer, this, &BattleWindow::timerAction4);
}

BattleWindow::~BattleWindow() = default;

void BattleWindow::timerAction4()
{
    const bool settingUp = context_.state.ReadyUpListStartOffFlag;
    battleTick(battle_);
    if (settingUp) {
        showBattle();
        ui_->navigationButton->setFocus();
    }
    showSides();
}

void BattleWindow::keyPressEvent(QKeyEvent* event)
{
    // Enter advances the battle from anywhere in the window; Space presses the focused button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Navigation();
        return;
    }
    QWidget::keyPressEvent(event);
}

void BattleWindow::Navigation()
{
    pc::Navigation(battle_);
    showBattle();
}

void BattleWindow::ToTheTitle()
{
    closeAndBringToFront(this, context_.windows.title);
}

void BattleWindow::showBattle()
{
    ui_->NaviTF->setText(qs(view_.naviText));
    ui_->P1nameTF->setText(qs(view_.p1.name));
    ui_->P1HPTF->setText(qs(view_.p1.hpText));
    showGauge(ui_->P1HPLI, view_.p1.hpLevel);
    showPicture(ui_->P1IV, view_.p1.picture);
    ui_->P2nameTF->setText(qs(view_.p2.name));
    ui_->P2HPTF->setText(qs(view_.p2.hpText));
    showGauge(ui_->P2HPLI, view_.p2.hpLevel);
    showPicture(ui_->P2IV, view_.p2.picture);
}

void BattleWindow::showSides()
{
    showRows(*SCPlistMA_, view_.SCPlistMA);
    showRows(*SCElistMA_, view_.SCElistMA);
    ui_->SCPlistTV->selectRowOnly(view_.SCPlistSelectedRow);
    ui_->SCElistTV->selectRowOnly(view_.SCElistSelectedRow);
    ui_->CPHPTF->setText(qs(view_.cp.hpText));
    ui_->CPMPTF->setText(qs(view_.cp.mpText));
    showGauge(ui_->CPHPLI, view_.cp.hpLevel);
    showPicture(ui_->CPIV, view_.cp.picture);
    ui_->CEHPTF->setText(qs(view_.ce.hpText));
    ui_->CEMPTF->setText(qs(view_.ce.mpText));
    showGauge(ui_->CEHPLI, view_.ce.hpLevel);
    showPicture(ui_->CEIV, view_.ce.picture);
}

} // namespace pc
