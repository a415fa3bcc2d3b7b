#include "HeadlessBattle.h"

#include "battle/BattleDriver.h"
#include "battle/BattleSetup.h"
#include "battle/Messages.h"
#include "battle/PartySelection.h"

#include <ostream>

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

BattleResult fightBattle(OBJE* roster, const PartyRows& rows, RandomSource& random, std::int32_t maxPresses,
                         const std::function<void(const std::string&)>& show)
{
    AppState state;
    state.objeTop = roster;
    buildParties(state, rows);
    BattleView view;
    // The plain attack's diagnostic line is of no use here.
    std::ostream noLog(nullptr);
    BattleContext ctx{state, view, random, noLog};
    // Texts are built only for a battle that is shown.
    ctx.formatTexts = static_cast<bool>(show);

    // The start button, then the battle window's tick that sets the battle up.
    StartOff(state);
    battleTick(ctx);
    if (show)
        show(view.naviText);
    DamageLedger ledger(state);
    BattleResult result;
    while (result.presses < maxPresses) {
        ledger.beforePress(state);
        Navigation(ctx);
        if (show)
            battleTick(ctx);
        ledger.afterPress(state);
        ++result.presses;
        if (show)
            show(view.naviText);
        if (const auto outcome = announcedOutcome(view.naviText)) {
            result.outcome = *outcome;
            break;
        }
    }
    result.damage = ledger.damage();
    return result;
}

} // namespace pc::sim
