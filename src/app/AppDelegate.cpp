// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppDelegate.h"

#include "Title.h"
#include "balance/BalanceWindow.h"
#include "battle/BattleWindow.h"
#include "battle/ReadyUpList.h"
#include "editor/AttackWindow.h"
#include "editor/RegisterWindow.h"
#include "editor/ResistWindow.h"
#include "ranking/RankingWindow.h"
#include "roster/CharacterList.h"
#include "tournamentwindow/TournamentWindow.h"
#include "sim/RosterFolder.h"

#include <QApplication>
#include <QMessageBox>
#include <QShortcut>

namespace pc {

AppDelegate::AppDelegate(std::string baseDir)
    : context_{state_, storage_, random_, {}}
{
    state_.baseDir = std::move(baseDir);
    claim_ = claimDataFolder(state_.baseDir);
    state_.readOnlyReason = claim_.readOnlyReason;
    title_ = std::make_unique<Title>(context_);
    characterList_ = std::make_unique<CharacterList>(context_);
    registerWindow_ = std::make_unique<RegisterWindow>(context_);
    readyUpList_ = std::make_unique<ReadyUpList>(context_);
    battleWindow_ = std::make_unique<BattleWindow>(context_);
    resistWindow_ = std::make_unique<ResistWindow>(context_);
    attackWindow_ = std::make_unique<AttackWindow>(context_);
    balanceWindow_ = std::make_unique<BalanceWindow>(
        context_, [this](const std::string& player, const std::string& enemy, std::uint32_t seed) {
            watchParties({player}, {enemy}, seed, balanceWindow_.get(), QStringLiteral("バランス表へ(&T)"));
        });
    tournamentWindow_ = std::make_unique<TournamentWindow>(
        context_, *battleWindow_,
        [this](const std::vector<std::string>& players, const std::vector<std::string>& enemies, std::uint32_t seed,
               const QString& backText) {
            return watchParties(players, enemies, seed, tournamentWindow_.get(), backText);
        });

    rankingWindow_ = std::make_unique<RankingWindow>(context_);

    Windows& windows = context_.windows;
    windows.title = title_.get();
    windows.roster = characterList_.get();
    windows.editor = registerWindow_.get();
    windows.resist = resistWindow_.get();
    windows.attack = attackWindow_.get();
    windows.special = &attackWindow_->specialWindow();
    windows.partySelection = readyUpList_.get();
    windows.battle = battleWindow_.get();
    windows.balance = balanceWindow_.get();
    windows.tournament = tournamentWindow_.get();
    windows.ranking = rankingWindow_.get();

    // Ctrl+Q ends the application from every window, its dialogs included.
    auto* quit = new QShortcut(QKeySequence::Quit, title_.get(), [this] {
        if (mayQuit())
            QCoreApplication::quit();
    });
    quit->setContext(Qt::ApplicationShortcut);
}

bool AppDelegate::mayQuit()
{
    if (!registerWindow_->hasUnsavedChanges() && !attackWindow_->hasUnsavedChanges()
        && !resistWindow_->hasUnsavedChanges())
        return true;
    QWidget* window = QApplication::activeWindow() ? QApplication::activeWindow() : registerWindow_.get();
    return QMessageBox::question(window, QStringLiteral("PartyClash"),
                                 QStringLiteral("保存していない変更があります。終了しますか？"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::showTitle()
{
    bringToFront(title_.get());
}

bool AppDelegate::watchParties(const std::vector<std::string>& players, const std::vector<std::string>& enemies,
                               std::uint32_t seed, QWidget* from, const QString& backText)
{
    const sim::NamedRows playerRows = sim::rosterRows(state_.objeTop, players);
    const sim::NamedRows enemyRows = sim::rosterRows(state_.objeTop, enemies);
    if (!playerRows.unknown.empty() || !enemyRows.unknown.empty())
        return false;
    readyUpList_->chooseParties(playerRows.rows, enemyRows.rows);
    if (!StartOff(state_))
        return false;
    state_.battleSeed = seed;
    battleWindow_->returnTo(from, backText);
    closeAndBringToFront(from, battleWindow_.get());
    return true;
}

} // namespace pc
