// SPDX-License-Identifier: GPL-3.0-or-later
#include "BattleStep.h"

#include "Messages.h"
#include "MultiTarget.h"
#include "Outcome.h"
#include "Panels.h"
#include "PlainAttack.h"
#include "SingleTarget.h"
#include "Targets.h"

namespace pc {

namespace {

void announceEnd(BattleContext& ctx, const Side& side)
{
    ctx.view.naviText = side.player ? kPlayerVictory : kPlayerDefeat;
    ctx.state.stopBattleLoop = true;
}

// The first attack decides the mode of the turn: a run of multi-target
// attacks is weighed first, and an attack of range 1 or 5 after it (or at the
// head) starts the single-target choice. Without a usable attack the turn
// falls back to the plain attack.
void chooseAttack(BattleContext& ctx, const Side& side, const OBJE& actor, const TurnTargets& targets,
                  Turn& turn)
{
    const ATTACK* cursor = actor.attacks;
    if (cursor && isMultiTargetRange(cursor->range))
        cursor = chooseMultiTarget(ctx, side, actor, targets, *cursor, turn);
    if (cursor && (cursor->range == 1 || cursor->range == 5))
        chooseSingleTarget(ctx, side, actor, targets, *cursor, turn);
}

// Nothing chosen, or a heal left standing by the multi-target choice with no
// value chosen to heal by.
bool makesPlainAttack(const Turn& turn)
{
    if (turn.multiReady)
        return false;
    return turn.healFlag ? !turn.chosenValueSet : !turn.singleReady;
}

void carryOut(BattleContext& ctx, const Side& side, OBJE& actor, const TurnTargets& targets, const Turn& turn)
{
    if (makesPlainAttack(turn)) {
        plainAttack(ctx, actor, targets.damage);
        endAction(ctx, side, actor, side.opponents.cursor);
        return;
    }
    if (turn.multiReady) {
        beginMultiPartAction(ctx, side, actor, turn);
        return;
    }
    applySingleTarget(ctx, actor, targets, turn);
    const OBJE* affected = turn.healFlag && turn.allyFlag ? targets.heal : side.opponents.cursor;
    endAction(ctx, side, actor, affected);
}

} // namespace

void takeTurn(BattleContext& ctx, OBJE& actor)
{
    if (ctx.formatTexts)
        showMember(ctx.view.p1, actor);
    AppState& state = ctx.state;
    Side side = sideOf(state, ctx.view);
    gatherMembers(side.opponents, ctx.scratch.opponents, ctx.gatherPartiesAbove);
    gatherMembers(side.own, ctx.scratch.own, ctx.gatherPartiesAbove);
    const DamageDraw damage = drawDamageTarget(ctx.random, side.opponents, state.targetNumb);
    OBJE* heal = drawHealTarget(ctx.random, side.own, state.targetNumb);
    if (damage.everyOpponentDown) {
        announceEnd(ctx, side);
        return;
    }
    const TurnTargets targets{*damage.target, heal};
    Turn turn;
    chooseAttack(ctx, side, actor, targets, turn);
    carryOut(ctx, side, actor, targets, turn);
}

} // namespace pc
