#include "CharacterList.h"

#include "ui/PollingTimer.h"

#include "ui_CharacterList.h"

namespace pc {

CharacterList::CharacterList(AppContext& context)
    : context_(context)
    , ui_(std::make_unique<Ui::CharacterList>())
{
    ui_->setupUi(this);
    connect(ui_->toTheTitleButton, &QPushButton::clicked, this, &CharacterList::ToTheTitle);
    startPolling(timer, this, &CharacterList::timerAction);
    context_.state.initPresetFlag = true;
}

CharacterList::~CharacterList() = default;

void CharacterList::timerAction()
{
    if (context_.state.initCListFlag)
        initCList();
}

void CharacterList::initCList()
{
    context_.state.initCListFlag = false;
}

void CharacterList::ToTheTitle()
{
    context_.state.initCPEListFlag = true;
    closeAndBringToFront(this, context_.windows.title);
}

} // namespace pc
