#include "BattleWindow.h"

#include "ui/PollingTimer.h"

#include "ui_BattleWindow.h"

namespace pc {

BattleWindow::BattleWindow(AppContext& context)
    : context_(context)
    , ui_(std::make_unique<Ui::BattleWindow>())
{
    ui_->setupUi(this);
    connect(ui_->toTheTitleButton, &QPushButton::clicked, this, &BattleWindow::ToTheTitle);
    startPolling(timer, this, &BattleWindow::timerAction4);
}

BattleWindow::~BattleWindow() = default;

void BattleWindow::timerAction4()
{
    if (context_.state.ReadyUpListStartOffFlag)
        context_.state.ReadyUpListStartOffFlag = false;
}

void BattleWindow::ToTheTitle()
{
    closeAndBringToFront(this, context_.windows.title);
}

} // namespace pc
