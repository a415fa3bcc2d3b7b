// SPDX-License-Identifier: GPL-3.0-or-later
#include "Title.h"

#include "AboutBox.h"
#include "roster/FileNames.h"
#include "ui/Text.h"

#include "ui_Title.h"

#include <QCloseEvent>
#include <QCoreApplication>

namespace pc {

Title::Title(AppContext& context)
    : context_(context)
    , ui_(std::make_unique<Ui::Title>())
{
    ui_->setupUi(this);
    // The title says which data folder is in use, and when it cannot be written.
    std::string title = "PartyClash — " + characterFolder(context_.state.baseDir);
    if (!context_.state.readOnlyReason.empty())
        title += "（読み取り専用：" + context_.state.readOnlyReason + "）";
    setWindowTitle(qs(title));
    connect(ui_->characterRegisterButton, &QPushButton::clicked, this, &Title::characterRegister);
    connect(ui_->battleReadyButton, &QPushButton::clicked, this, &Title::battleReady);
    connect(ui_->balanceButton, &QPushButton::clicked, this, &Title::balance);
    connect(ui_->tournamentButton, &QPushButton::clicked, this, &Title::tournament);
    connect(ui_->rankingButton, &QPushButton::clicked, this, &Title::ranking);
    connect(ui_->aboutButton, &QPushButton::clicked, this, [this] { showAbout(this, context_.state); });
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

void Title::balance()
{
    closeAndBringToFront(this, context_.windows.balance);
}

void Title::tournament()
{
    closeAndBringToFront(this, context_.windows.tournament);
}

void Title::ranking()
{
    closeAndBringToFront(this, context_.windows.ranking);
}

} // namespace pc
