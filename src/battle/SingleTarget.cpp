// SPDX-License-Identifier: GPL-3.0-or-later
#include "SingleTarget.h"

#include "Messages.h"
#include "Outcome.h"
#include "Values.h"

namespace pc {

namespace {

bool isKnownSeed(std::int32_t seed)
{
    return seed >= 0 && seed <= 5;
}

// Success roll, hit roll by seed and the critical draw, which has no effect.
void rollChosen(BattleContext& ctx, const OBJE& actor, const TurnTargets& targets, const ATTACK& chosen,
                Turn& turn)
{
    Breakdown* record = partOf(ctx.breakdown, &BreakdownRecorder::chosen);
    if (successRoll(ctx.random, chosen, partOf(record, &Breakdown::success)))
        turn.successFlag = true;
    const bool unaffordable = turn.mpCost > actor.curStatus.MP;
    if (unaffordable)
        turn.singleReady = false;
    RollTerms* hit = partOf(record, &Breakdown::hit);
    if (chosen.seed == 0) {
        if (plainHitRoll(ctx.random, chosen, hit))
            turn.hitFlag = true;
    } else if (isHealSeed(chosen.seed)) {
        turn.hitFlag = true;
        turn.healFlag = !unaffordable;
        if (hit)
            *hit = {.kind = Roll::sure, .succeeded = true};
    } else if (hitRollWithBonus(ctx.random, chosen, actor, targets.damage, hit)) {
        turn.hitFlag = true;
    }
    ctx.random.draw();
    if (ctx.formatTexts)
        ctx.state.atkName = chosen.name;
    turn.atkType = chosen.type;
}

} // namespace

void chooseSingleTarget(BattleContext& ctx, const Side& side, const OBJE& actor, const TurnTargets& targets,
                        const ATTACK& start, Turn& turn)
{
    turn.singleReady = true;
    turn.allyFlag = start.range == 5;
    double best = 0;
    const ATTACK* chosen = nullptr;
    const ATTACK* firstEvaluated = nullptr;
    Breakdown* record = partOf(ctx.breakdown, &BreakdownRecorder::chosen);
    if (record)
        *record = {.source = Source::singleTarget};
    ValueTerms evaluated;
    ValueTerms* terms = record ? &evaluated : nullptr;
    for (const ATTACK* attack = &start; attack; attack = attack->next) {
        if (!isKnownSeed(attack->seed))
            return;
        if (isHealSeed(attack->seed) && !targets.heal) {
            if (!attack->next) {
                turn.singleReady = false;
                return;
            }
            continue;
        }
        const OBJE* target = attack->range == 1 ? &targets.damage : targets.heal;
        double value = singleTargetValue(ctx.random, *attack, actor, targets.damage, side.player, terms).value_or(0);
        propCase(*attack, target, value, terms);
        const bool first = !firstEvaluated;
        if (first)
            firstEvaluated = attack;
        const bool better = value > best && actor.curStatus.MP >= mpCost(*attack, actor);
        if (better) {
            chosen = attack;
            best = value;
        }
        // The terms of the chosen attack, or of the first one evaluated while none is chosen.
        if (record && (first || better))
            record->value = evaluated;
    }
    // The walk always ends on an evaluated attack. When nothing beat 0, the
    // first attack evaluated stands, and its own rolls are made.
    if (!chosen)
        chosen = firstEvaluated;
    turn.chosenValue = best;
    turn.chosenValueSet = true;
    turn.mpCost = mpCost(*chosen, actor, partOf(record, &Breakdown::cost));
    rollChosen(ctx, actor, targets, *chosen, turn);
}

void applySingleTarget(BattleContext& ctx, OBJE& actor, const TurnTargets& targets, const Turn& turn)
{
    AppState& state = ctx.state;
    if (ctx.formatTexts)
        writePrefix(state.zenjutsu, turn.atkType, actor.name, state.atkName);
    const double mpBefore = actor.curStatus.MP;
    takeMP(actor, turn.mpCost);
    BreakdownRecorder* recorder = ctx.breakdown;
    if (recorder) {
        recorder->shown = recorder->chosen;
        noteTaken(recorder->shown.cost, mpBefore, actor.curStatus.MP);
    }
    OBJE* healed = turn.allyFlag ? targets.heal : &targets.damage;
    if (turn.hitFlag && turn.successFlag && !turn.healFlag) {
        const double amount = changeHP(ctx, Effect::damage, targets.damage, turn.chosenValue, dealDamage);
        if (ctx.formatTexts)
            ctx.view.naviText = damageMessage(state.zenjutsu, targets.damage.name, amount);
    } else if (turn.healFlag && healed) {
        const double amount = changeHP(ctx, Effect::heal, *healed, turn.chosenValue, healBy);
        if (ctx.formatTexts)
            ctx.view.naviText = healMessage(state.zenjutsu, healed->name, amount);
    } else {
        if (ctx.formatTexts)
            ctx.view.naviText = missMessage(state.zenjutsu, targets.damage.name);
        if (recorder)
            recorder->shown.effect = Effect::miss;
    }
}

} // namespace pc
