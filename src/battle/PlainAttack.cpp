// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlainAttack.h"

#include "Messages.h"
#include "Outcome.h"
#include "Values.h"
#include "records/Numbers.h"

#include <cmath>

namespace pc {

void plainAttack(BattleContext& ctx, const OBJE& actor, OBJE& target)
{
    const STATUS& own = actor.curStatus;
    const STATUS& their = target.curStatus;
    BreakdownRecorder* recorder = ctx.breakdown;
    Breakdown* shown = partOf(recorder, &BreakdownRecorder::shown);
    if (shown)
        *shown = {.source = Source::plainAttack,
                  .hit = {.kind = Roll::plainAttack, .actorHIT = own.HIT, .targetEVA = their.EVA}};
    if (!rollSucceeds(ctx.random, own.HIT / their.EVA * 50.0, partOf(shown, &Breakdown::hit))) {
        if (ctx.formatTexts)
            ctx.view.naviText = plainAttackMissMessage(actor.name, target.name);
        if (shown)
            shown->effect = Effect::miss;
        return;
    }
    const std::int32_t truncated = toInt32(own.ATK);
    const std::int32_t draw = ctx.random.draw();
    const std::int32_t bonus = remainderOf(draw, truncated) / 3;
    const double defence = their.DEF / 2.0;
    const double damage = std::floor(own.ATK + bonus - defence);
    if (shown)
        shown->value = {.formula = Formula::plain, .count = own.ATK, .base = own.ATK, .truncated = truncated,
                        .divisor = 3, .draws = {draw, 0}, .terms = {bonus, 0}, .defence = Defence::halfDEF,
                        .defenceStatistic = their.DEF, .defenceValue = defence, .raw = damage, .value = damage};
    const double amount = changeHP(ctx, Effect::damage, target, damage, dealDamage);
    if (!ctx.formatTexts)
        return;
    ctx.log << formulaLine(own.ATK, own.ATK / 3.0, defence) << '\n';
    ctx.view.naviText = plainAttackHitMessage(actor.name, target.name, amount);
}

} // namespace pc
