#include "ResistWindow.h"

#include "ui/PollingTimer.h"

#include "ui_ResistWindow.h"

namespace pc {

ResistWindow::ResistWindow(AppContext& context)
    : context_(context)
    , ui_(std::make_unique<Ui::ResistWindow>())
{
    ui_->setupUi(this);
    connect(ui_->submitButton, &QPushButton::clicked, this, &ResistWindow::submit);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &ResistWindow::cancel);
    context_.state.Robje.reset();
    startPolling(timer, this, &ResistWindow::timerAction5);
}

ResistWindow::~ResistWindow() = default;

void ResistWindow::timerAction5()
{
    if (context_.state.initResistFlag)
        context_.state.initResistFlag = false;
}

void ResistWindow::submit()
{
    closeAndBringToFront(this, context_.windows.editor);
}

void ResistWindow::cancel()
{
    closeAndBringToFront(this, context_.windows.editor);
}

} // namespace pc
