#include "AttackWindow.h"

#include "ui/PollingTimer.h"

#include "ui_AttackWindow.h"

namespace pc {

AttackWindow::AttackWindow(AppContext& context)
    : context_(context)
    , ui_(std::make_unique<Ui::AttackWindow>())
{
    ui_->setupUi(this);
    connect(ui_->submitButton, &QPushButton::clicked, this, &AttackWindow::submit);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &AttackWindow::cancel);
    connect(ui_->specialButton, &QPushButton::clicked, this, &AttackWindow::specialWindowBtn);
    startPolling(timer, this, &AttackWindow::timerAction6);
}

AttackWindow::~AttackWindow() = default;

void AttackWindow::timerAction6()
{
    if (context_.state.initAttackFlag)
        context_.state.initAttackFlag = false;
}

void AttackWindow::specialWindowBtn()
{
    bringToFront(&specialWindow_);
}

void AttackWindow::submit()
{
    closeAndBringToFront(this, context_.windows.editor);
}

void AttackWindow::cancel()
{
    closeAndBringToFront(this, context_.windows.editor);
}

} // namespace pc
