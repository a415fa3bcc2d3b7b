// SPDX-License-Identifier: GPL-3.0-or-later
// Creates the state, the controllers and their windows, and shows the title.
#pragma once

#include "battle/Random.h"
#include "roster/DataFolder.h"
#include "roster/QtStorage.h"
#include "ui/AppContext.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace pc {

class Title;
class CharacterList;
class RegisterWindow;
class ReadyUpList;
class BattleWindow;
class ResistWindow;
class AttackWindow;
class BalanceWindow;
class TournamentWindow;
class RankingWindow;

class AppDelegate {
public:
    // `baseDir` is the folder that holds "data/CharaList/". The data folder is
    // locked for this run, or opened read-only when it cannot be.
    explicit AppDelegate(std::string baseDir);
    ~AppDelegate();

    void showTitle();
    // Whether Ctrl+Q may end the application: at once unless an editor holds
    // unsaved changes, else after the user has said so.
    bool mayQuit();

    AppState& state() { return state_; }
    AppContext& context() { return context_; }
    Title& title() { return *title_; }
    CharacterList& characterList() { return *characterList_; }
    RegisterWindow& registerWindow() { return *registerWindow_; }
    ReadyUpList& readyUpList() { return *readyUpList_; }
    BattleWindow& battleWindow() { return *battleWindow_; }
    ResistWindow& resistWindow() { return *resistWindow_; }
    AttackWindow& attackWindow() { return *attackWindow_; }
    BalanceWindow& balanceWindow() { return *balanceWindow_; }
    TournamentWindow& tournamentWindow() { return *tournamentWindow_; }
    RankingWindow& rankingWindow() { return *rankingWindow_; }

    // Opens the battle window on one party against another, each member given
    // by file or character name, drawing from the seeded source, in place of
    // the window `from`: the double click of the balance and tournament
    // windows. Its back button (`backText`) and Escape return to `from`.
    // False when a member is not in the roster.
    bool watchParties(const std::vector<std::string>& players, const std::vector<std::string>& enemies,
                      std::uint32_t seed, QWidget* from, const QString& backText);

private:
    AppState state_;
    FolderClaim claim_;
    QtStorage storage_;
    CRandomSource random_;
    AppContext context_;
    std::unique_ptr<Title> title_;
    std::unique_ptr<CharacterList> characterList_;
    std::unique_ptr<RegisterWindow> registerWindow_;
    std::unique_ptr<ReadyUpList> readyUpList_;
    std::unique_ptr<BattleWindow> battleWindow_;
    std::unique_ptr<ResistWindow> resistWindow_;
    std::unique_ptr<AttackWindow> attackWindow_;
    std::unique_ptr<BalanceWindow> balanceWindow_;
    std::unique_ptr<TournamentWindow> tournamentWindow_;
    std::unique_ptr<RankingWindow> rankingWindow_;
};

} // namespace pc
