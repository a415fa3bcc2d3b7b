// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeadlessBattle.h"

#include "battle/BattleDriver.h"
#include "battle/BattleSetup.h"
#include "battle/Messages.h"
#include "battle/PartySelection.h"


namespace pc::sim {

namespace {

// Adds the characters at the rows to the parties as the window's add buttons
// do, each appended: before any click a party table reports no clicked row.
void buildParties(AppState& state, const PartyRows& rows)
{
    PartyTables tables;
    for (const std::int32_t row : rows.player) {
        refreshInsertionRows(state, -1, -1);
        state.CPlistClickedRow = row;
        RPadd(state, tables);
    }
    for (const std::int32_t row : rows.enemy) {
        refreshInsertionRows(state, -1, -1);
        state.CElistClickedRow = row;
        REadd(state, tables);
    }
}

// What a battle leaves in the state beside the parties, put back as a fresh
// state has it; the set-up restores the members themselves.
void restartBattleState(AppState& state)
{
    state.stopBattleLoop = false;
    state.multipleLoopFlag = false;
    state.playerAttackFlag = false;
    state.currentNumberRP = 0;
    state.currentNumberRE = 0;
    state.targetNumb = 0;
    state.atkName.clear();
    state.zenjutsu.clear();
    state.MOSTDMGplayer = 0;
    state.MOSTDMGenemy = 0;
    state.targ.clear();
    state.targX.clear();
    state.targXcursor = 0;
    state.pendingActor = nullptr;
    state.pendingHealsOwnParty = false;
}

} // namespace

std::optional<Outcome> announcedOutcome(std::string_view naviText)
{
    if (naviText == kPlayerVictory)
        return Outcome::victory;
    if (naviText == kPlayerDefeat)
        return Outcome::defeat;
    if (naviText == kNobodyCanAct)
        return Outcome::nobodyCanAct;
    return std::nullopt;
}

BattleRunner::BattleRunner(OBJE* roster, const PartyRows& rows)
{
    state_.objeTop = roster;
    buildParties(state_, rows);
    if (state_.RPtop && state_.REtop)
        unwatched_.emplace(state_.RPtop, state_.REtop);
}

BattleResult BattleRunner::fight(RandomSource& random, std::int32_t maxPresses,
                                 const std::function<void(const std::string&)>& show)
{
    if (!show && unwatched_)
        return unwatched_->fight(random, maxPresses);
    restartBattleState(state_);
    BattleContext ctx{state_, view_, random, noLog_};
    ctx.formatTexts = static_cast<bool>(show);

    // The start button, then the battle window's tick that sets the battle up.
    StartOff(state_);
    battleTick(ctx);
    if (show)
        show(view_.naviText);
    DamageLedger ledger(state_);
    ctx.hpWatcher = &ledger;
    BattleResult result;
    while (result.presses < maxPresses) {
        ledger.beforePress(state_);
        Navigation(ctx);
        if (show)
            battleTick(ctx);
        ledger.afterPress(state_);
        ++result.presses;
        if (show)
            show(view_.naviText);
        if (const auto outcome = announcedOutcome(view_.naviText)) {
            result.outcome = *outcome;
            break;
        }
    }
    result.damage = ledger.damage();
    return result;
}

BattleResult fightBattle(OBJE* roster, const PartyRows& rows, RandomSource& random, std::int32_t maxPresses,
                         const std::function<void(const std::string&)>& show)
{
    return BattleRunner(roster, rows).fight(random, maxPresses, show);
}

} // namespace pc::sim
