#include "Title.h"

#include "ui_Title.h"

#include <QCloseEvent>
#include <QCoreApplication>

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

// Hidden rather than closed: only the close box of the title ends the application.
void Title::characterRegister()
{
    hide();
    bringToFront(context_.windows.roster);
}

void Title::battleReady()
{
    hide();
    bringToFront(context_.windows.partySelection);
}

void Title::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->spontaneous())
        QCoreApplication::quit();
}

} // namespace pc
