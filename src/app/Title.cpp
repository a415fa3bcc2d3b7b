#include "Title.h"

#include "ui_Title.h"

namespace pc {

Title::Title(AppContext& context)
    : context_(context)
    , ui_(std::make_unique<Ui::Title>())
{
    ui_->setupUi(this);
    connect(ui_->characterRegisterButton, &QPushButton::clicked, this, &Title::characterRegister);
    connect(ui_->battleReadyButton, &QPushButton::clicked, this, &Title::battleReady);
}

Title::~Title() = default;

void Title::characterRegister()
{
    closeAndBringToFront(this, context_.windows.roster);
}

void Title::battleReady()
{
    closeAndBringToFront(this, context_.windows.partySelection);
}

} // namespace pc
