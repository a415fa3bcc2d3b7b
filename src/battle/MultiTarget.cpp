// SPDX-License-Identifier: GPL-3.0-or-later
#include "MultiTarget.h"

#include "Messages.h"
#include "Outcome.h"
#include "Panels.h"
#include "SingleTarget.h"
#include "Targets.h"
#include "Values.h"
#include "records/Numbers.h"

namespace pc {

namespace {

const Party& partyOf(const Side& side, bool ownParty)
{
    return ownParty ? side.own : side.opponents;
}

// Seed 3 and unknown seeds compute no value, and their cost rules nothing out.
bool costCounts(std::int32_t seed)
{
    return seed >= 0 && seed <= 5 && seed != 3;
}

// The node's hit roll by seed: seeds 4 and 5 hit without a draw, seed 3 and
// unknown seeds roll nothing.
bool nodeHits(RandomSource& random, const ATTACK& attack, const OBJE& actor, const OBJE& target, RollTerms* terms)
{
    switch (attack.seed) {
    case 0:
        return plainHitRoll(random, attack, terms);
    case 1:
    case 2:
        return hitRollWithBonus(random, attack, actor, target, terms);
    case 4:
    case 5:
        if (terms)
            *terms = {.kind = Roll::sure, .succeeded = true};
        return true;
    default:
        return false;
    }
}

// Where a node's roll is recorded. A flag that an earlier attack of the turn
// has set stays set, so the roll that set it is kept and this one goes unrecorded.
RollTerms* rollRecord(RollTerms* kept, bool alreadySet)
{
    if (kept && alreadySet) {
        kept->carried = true;
        return nullptr;
    }
    return kept;
}

// The node's value against its member, then its rolls; a position without a
// member is worth nothing and rolls nothing.
void evaluateNode(RandomSource& random, const ATTACK& attack, const OBJE& actor, const OBJE* target,
                  TargetNode& node, NodeTerms* terms)
{
    if (!target) {
        node.value = 0;
        if (terms)
            *terms = {};
        return;
    }
    ValueTerms* valueTerms = partOf(terms, &NodeTerms::value);
    if (const auto value = multiTargetValue(random, attack, actor, *target, valueTerms)) {
        node.value = *value;
        propCase(attack, target, node.value, valueTerms);
    }
    if (successRoll(random, attack, rollRecord(partOf(terms, &NodeTerms::success), node.success)))
        node.success = true;
    if (nodeHits(random, attack, actor, *target, rollRecord(partOf(terms, &NodeTerms::hit), node.hit)))
        node.hit = true;
}

// Attacks on the own party are chosen only when they heal.
bool choosable(const ATTACK& attack)
{
    return !reachesOwnParty(attack.range) || isHealSeed(attack.seed);
}

// Evaluates one attack for every node, settles what its cost rules out, and
// keeps it when its total is the best so far.
void weigh(BattleContext& ctx, const Side& side, const OBJE& actor, const TurnTargets& targets,
           const ATTACK& attack, Turn& turn)
{
    AppState& state = ctx.state;
    BreakdownRecorder* recorder = ctx.breakdown;
    const bool ownParty = reachesOwnParty(attack.range);
    double total = 0;
    NodeTerms* terms = recorder ? recorder->walk.data() : nullptr;
    for (TargetNode& node : state.targ) {
        evaluateNode(ctx.random, attack, actor, memberAt(partyOf(side, ownParty), toInt32(node.position)), node,
                     terms);
        total += node.value;
        if (terms)
            ++terms;
    }
    CostTerms costTerms;
    const double cost = mpCost(attack, actor, recorder ? &costTerms : nullptr);
    const bool unaffordable = cost > actor.curStatus.MP;
    if (unaffordable && costCounts(attack.seed))
        turn.multiReady = false;
    if (isHealSeed(attack.seed)) {
        if (side.player && targets.heal)
            turn.healFlag = true;
        if (unaffordable)
            turn.singleReady = turn.healFlag = false;
    }
    if (choosable(attack) && total > side.mostDmg) {
        side.mostDmg = total;
        state.targX = state.targ;
        turn.multi = {&attack, cost, ownParty};
        if (recorder) {
            recorder->nodes = recorder->walk;
            recorder->nodesCost = costTerms;
        }
    }
}

// The member at the node, with the acting party's cursor on it; none for a
// position without a member.
OBJE* reach(const Party& party, const TargetNode& node)
{
    OBJE* member = memberAt(party, toInt32(node.position));
    if (member)
        party.cursor = member;
    return member;
}

// Shows the terms of the node at `index` of the pending action, one of `count`.
void showNodeTerms(BreakdownRecorder& recorder, std::size_t index, std::size_t count)
{
    const NodeTerms terms = index < recorder.nodes.size() ? recorder.nodes[index] : NodeTerms{};
    recorder.shown = {.source = Source::multiTarget, .value = terms.value, .success = terms.success,
                      .hit = terms.hit, .target = static_cast<std::int32_t>(index + 1),
                      .targets = static_cast<std::int32_t>(count)};
}

void applyNode(BattleContext& ctx, const TargetNode& node, OBJE& target, bool heals)
{
    BreakdownRecorder* recorder = ctx.breakdown;
    const bool hits = node.hit && node.success;
    double amount = 0;
    if (heals)
        amount = changeHP(ctx, Effect::heal, target, node.value, healBy);
    else if (hits)
        amount = changeHP(ctx, Effect::damage, target, node.value, dealDamage);
    else if (recorder)
        recorder->shown.effect = Effect::miss;
    if (!ctx.formatTexts)
        return;
    const std::string& prefix = ctx.state.zenjutsu;
    if (heals)
        ctx.view.naviText = healMessage(prefix, target.name, amount);
    else if (hits)
        ctx.view.naviText = damageMessage(prefix, target.name, amount);
    else
        ctx.view.naviText = missMessage(prefix, target.name);
    showMember(ctx.view.p2, target);
}

// Applies the next node that has a member, then stops while nodes remain;
// past the last node the action ends for the member.
void applyNextTarget(BattleContext& ctx, const Side& side, OBJE& member)
{
    AppState& state = ctx.state;
    const bool heals = ctx.state.pendingHealsOwnParty;
    const Party& party = partyOf(side, heals);
    while (state.targXcursor < state.targX.size()) {
        const std::size_t index = state.targXcursor++;
        const TargetNode& node = state.targX[index];
        OBJE* target = reach(party, node);
        if (!target)
            continue;
        if (ctx.breakdown)
            showNodeTerms(*ctx.breakdown, index, state.targX.size());
        applyNode(ctx, node, *target, heals);
        state.multipleLoopFlag = true;
        if (state.targXcursor < state.targX.size()) {
            state.stopBattleLoop = true;
            return;
        }
        state.zenjutsu.clear();
    }
    dropMultiPartAction(ctx);
    endAction(ctx, side, member, party.cursor);
}

} // namespace

const ATTACK* chooseMultiTarget(BattleContext& ctx, const Side& side, const OBJE& actor,
                                const TurnTargets& targets, const ATTACK& start, Turn& turn)
{
    drawTargetList(ctx.random, start.range, partyOf(side, reachesOwnParty(start.range)), ctx.state.targ);
    if (ctx.breakdown)
        ctx.breakdown->walk.assign(ctx.state.targ.size(), {});
    turn.multiReady = true;
    side.mostDmg = 0;
    const ATTACK* attack = &start;
    for (; attack && isMultiTargetRange(attack->range); attack = attack->next)
        weigh(ctx, side, actor, targets, *attack, turn);
    if (!turn.multi.attack)
        turn.multiReady = false;
    return attack;
}

void beginMultiPartAction(BattleContext& ctx, const Side& side, OBJE& actor, const Turn& turn)
{
    AppState& state = ctx.state;
    if (ctx.formatTexts) {
        state.atkName = turn.multi.attack->name;
        writePrefix(state.zenjutsu, turn.multi.attack->type, actor.name, state.atkName);
    }
    const double mpBefore = actor.curStatus.MP;
    takeMP(actor, turn.multi.cost);
    state.targXcursor = 0;
    state.pendingActor = &actor;
    state.pendingHealsOwnParty = turn.multi.healsOwnParty;
    applyNextTarget(ctx, side, actor);
    // The MP is taken once, with the first target's message.
    if (BreakdownRecorder* recorder = ctx.breakdown) {
        recorder->shown.cost = recorder->nodesCost;
        noteTaken(recorder->shown.cost, mpBefore, actor.curStatus.MP);
    }
}

void continueMultiPartAction(BattleContext& ctx, OBJE& member)
{
    ctx.state.zenjutsu.clear();
    Side side = sideOf(ctx.state, ctx.view);
    // The turn that began the action gathered the large parties; their places still hold.
    useGathered(side.opponents, ctx.scratch.opponents);
    useGathered(side.own, ctx.scratch.own);
    applyNextTarget(ctx, side, member);
}

void dropMultiPartAction(BattleContext& ctx)
{
    ctx.state.multipleLoopFlag = false;
    ctx.state.targXcursor = 0;
    ctx.state.pendingActor = nullptr;
    ctx.state.pendingHealsOwnParty = false;
}

} // namespace pc
