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
    if (!rollSucceeds(ctx.random, own.HIT / their.EVA * 50.0)) {
        ctx.view.naviText = plainAttackMissMessage(actor.name, target.name);
        return;
    }
    const std::int32_t bonus = remainderOf(ctx.random.draw(), toInt32(own.ATK)) / 3;
    const double amount = dealDamage(target, std::floor(own.ATK + bonus - their.DEF / 2.0));
    ctx.log << formulaLine(own.ATK, own.ATK / 3.0, their.DEF / 2.0) << '\n';
    ctx.view.naviText = plainAttackHitMessage(actor.name, target.name, amount);
}

} // namespace pc
