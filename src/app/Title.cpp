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
    connect(ui_->balanceButton, &QPushButton::clicked, this, &Title::balance);
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

void Title::balance()
{
    closeAndBringToFront(this, context_.windows.balance);
}

} // namespace pc
