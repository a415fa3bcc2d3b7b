#include "ReadyUpList.h"

#include "ui/PollingTimer.h"

#include "ui_ReadyUpList.h"

namespace pc {

ReadyUpList::ReadyUpList(AppContext& context)
    : context_(context)
    , ui_(std::make_unique<Ui::ReadyUpList>())
{
    ui_->setupUi(this);
    connect(ui_->startOffBtn, &QPushButton::clicked, this, &ReadyUpList::StartOff);
    connect(ui_->toTheTitleButton, &QPushButton::clicked, this, &ReadyUpList::ToTheTitle);
    startPolling(timer, this, &ReadyUpList::timerAction3);
}

ReadyUpList::~ReadyUpList() = default;

void ReadyUpList::timerAction3()
{
    if (context_.state.initCPEListFlag)
        context_.state.initCPEListFlag = false;
}

void ReadyUpList::StartOff()
{
    context_.state.ReadyUpListStartOffFlag = true;
    closeAndBringToFront(this, context_.windows.battle);
}

void ReadyUpList::ToTheTitle()
{
    closeAndBringToFront(this, context_.windows.title);
}

} // namespace pc
