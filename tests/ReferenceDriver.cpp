// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReferenceDriver.h"

#include "battle/BattleStep.h"
#include "battle/Messages.h"
#include "battle/Sides.h"
#include "records/RowRule.h"

namespace pc::reference {

namespace {

// Member c of a party counting from 1 for a counter c > 0, else the head.
OBJE* resumeMember(OBJE* top, std::int32_t counter)
{
    return counter > 0 ? recordAt(top, counter - 1) : top;
}

// Steps the members from the resume point on; true when a step stopped the driver.
bool walkHalf(BattleContext& ctx, OBJE* top, OBJE*& cursor, std::int32_t& counter)
{
    for (OBJE* member = resumeMember(top, counter); member; member = member->next) {
        ++counter;
        theBattleLoop(ctx, *member);
        if (ctx.state.stopBattleLoop) {
            cursor = top;
            return true;
        }
    }
    cursor = top;
    counter = 0;
    return false;
}

// Nobody can ever act when no member of either party is living.
bool nobodyCanAct(BattleContext& ctx)
{
    const AppState& state = ctx.state;
    if (anyLivingIn(state.RPtop) || anyLivingIn(state.REtop))
        return false;
    ctx.view.naviText = kNobodyCanAct;
    ctx.state.stopBattleLoop = true;
    return true;
}

// While a multi-part action is under way, a press makes one step for the
// member that acts and leaves the counters alone. True when it did.
bool continuesAction(BattleContext& ctx)
{
    AppState& state = ctx.state;
    if (!state.multipleLoopFlag)
        return false;
    OBJE* actor = ctx.state.pendingActor;
    if (!actor) {
        state.multipleLoopFlag = false;
        return false;
    }
    theBattleLoop(ctx, *actor);
    return true;
}

// One pass; true when the driver has to stop.
bool pass(BattleContext& ctx)
{
    AppState& state = ctx.state;
    state.playerAttackFlag = true;
    if (state.currentNumberRE == 0 && walkHalf(ctx, state.RPtop, state.RP, state.currentNumberRP))
        return true;
    state.RP = state.RPtop;
    state.currentNumberRP = 0;
    state.playerAttackFlag = false;
    return walkHalf(ctx, state.REtop, state.RE, state.currentNumberRE);
}

} // namespace

void Navigation(BattleContext& ctx)
{
    ctx.state.stopBattleLoop = false;
    theBattle(ctx);
}

void theBattle(BattleContext& ctx)
{
    if (continuesAction(ctx))
        return;
    while (!ctx.state.stopBattleLoop) {
        if (nobodyCanAct(ctx) || pass(ctx))
            return;
    }
}

} // namespace pc::reference
