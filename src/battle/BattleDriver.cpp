// SPDX-License-Identifier: GPL-3.0-or-later
#include "BattleDriver.h"

#include "BattleStep.h"
#include "Messages.h"
#include "Sides.h"
#include "Waits.h"
#include "records/RowRule.h"

#include <algorithm>
#include <cstdint>

namespace pc {

namespace {

using Resume = BattleContext::Scratch::Resume;

// Member c of a party counting from 1 for a counter c > 0, else the head;
// the member the walk stopped at when the counter is still the one it left.
OBJE* resumeMember(OBJE* top, std::int32_t counter, const Resume& resume)
{
    if (counter <= 0)
        return top;
    if (resume.member && resume.top == top && resume.counter == counter)
        return resume.member;
    return recordAt(top, counter - 1);
}

// Steps the members from the resume point on; true when a step stopped the driver.
bool walkHalf(BattleContext& ctx, OBJE* top, OBJE*& cursor, std::int32_t& counter, Resume& resume)
{
    // A resumed walk steps member c again with the counter at c + 1, so the
    // counter runs one ahead of the member stepped; a fresh walk keeps them level.
    const bool resumed = counter > 0;
    for (OBJE* member = resumeMember(top, counter, resume); member; member = member->next) {
        ++counter;
        theBattleLoop(ctx, *member);
        if (ctx.state.stopBattleLoop) {
            cursor = top;
            resume = {top, counter, resumed ? member->next : member};
            return true;
        }
    }
    cursor = top;
    counter = 0;
    return false;
}

void stopAsNobodyCanAct(BattleContext& ctx)
{
    ctx.view.naviText = kNobodyCanAct;
    ctx.state.stopBattleLoop = true;
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

bool atPassStart(const AppState& state)
{
    return state.currentNumberRP == 0 && state.currentNumberRE == 0;
}

// Marks a member whose wait never runs out in firstActingPass.
constexpr std::uint64_t kNeverActs = UINT64_MAX;

// The number of the first whole pass, counted from the coming one, in which a
// living member's wait runs out; kNeverActs when no living member's wait ever
// does. Fallen members never act, and nobody's hit points change before that pass.
std::uint64_t firstActingPass(const AppState& state)
{
    std::uint64_t first = kNeverActs;
    for (const OBJE* top : {state.RPtop, state.REtop}) {
        for (const OBJE* member = top; member; member = member->next) {
            if (isLiving(*member))
                first = std::min(first, stepsToRunOut(member->curStatus.WP).value_or(kNeverActs));
        }
    }
    return first;
}

void lowerWaits(OBJE* top, std::uint64_t steps)
{
    for (OBJE* member = top; member; member = member->next)
        member->curStatus.WP = lowerWait(member->curStatus.WP, steps);
}

// At the start of a whole pass, does in one move what the passes before the
// first one in which somebody acts would do: every wait lowered by their
// number, the cursors at the heads, the enemy half last. False when nobody
// can ever act.
bool skipQuietPasses(AppState& state)
{
    const std::uint64_t acting = firstActingPass(state);
    if (acting == kNeverActs)
        return false;
    const std::uint64_t quiet = acting - 1;
    if (quiet == 0)
        return true;
    lowerWaits(state.RPtop, quiet);
    lowerWaits(state.REtop, quiet);
    state.RP = state.RPtop;
    state.RE = state.REtop;
    state.playerAttackFlag = false;
    return true;
}

// Whether somebody may still act before the coming pass: a pass resumed in
// the middle is walked as it stands; a whole one after the skip.
bool somebodyCanAct(AppState& state)
{
    if (atPassStart(state))
        return skipQuietPasses(state);
    return anyLivingIn(state.RPtop) || anyLivingIn(state.REtop);
}

// One pass; true when the driver has to stop.
bool pass(BattleContext& ctx)
{
    AppState& state = ctx.state;
    state.playerAttackFlag = true;
    BattleContext::Scratch& scratch = ctx.scratch;
    if (state.currentNumberRE == 0
        && walkHalf(ctx, state.RPtop, state.RP, state.currentNumberRP, scratch.resumePlayers))
        return true;
    state.RP = state.RPtop;
    state.currentNumberRP = 0;
    state.playerAttackFlag = false;
    return walkHalf(ctx, state.REtop, state.RE, state.currentNumberRE, scratch.resumeEnemies);
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
        if (!somebodyCanAct(ctx.state)) {
            stopAsNobodyCanAct(ctx);
            return;
        }
        if (pass(ctx))
            return;
    }
}

} // namespace pc
