// SPDX-License-Identifier: GPL-3.0-or-later
#include "Outcome.h"

#include "Panels.h"

#include <cmath>

namespace pc {

namespace {

// Also a negative zero becomes 0, so that no message shows "-0".
double notNegative(double amount)
{
    return amount > 0 ? amount : 0.0;
}

} // namespace

void takeMP(OBJE& actor, double cost)
{
    double& mp = actor.curStatus.MP;
    mp -= std::floor(notNegative(cost));
    if (mp < 0)
        mp = 0;
}

double dealDamage(OBJE& target, double amount)
{
    const double counted = notNegative(amount);
    double& hp = target.curStatus.HP;
    hp -= counted;
    if (hp < 0)
        hp = 0;
    return counted;
}

double healBy(OBJE& target, double amount)
{
    const double counted = notNegative(amount);
    double& hp = target.curStatus.HP;
    hp += counted;
    if (hp > target.baseStatus.HP)
        hp = target.baseStatus.HP;
    return counted;
}

double changeHP(BattleContext& ctx, Effect effect, OBJE& member, double amount, double (*change)(OBJE&, double))
{
    const double before = member.curStatus.HP;
    const double counted = change(member, amount);
    if (ctx.breakdown)
        ctx.breakdown->noteEffect(effect, counted, before, member.curStatus.HP);
    if (ctx.hpWatcher)
        ctx.hpWatcher->hpChanged(member, before, member.curStatus.HP);
    return counted;
}

void endAction(BattleContext& ctx, const Side& side, OBJE& member, const OBJE* affected)
{
    if (affected && ctx.formatTexts)
        showMember(ctx.view.p2, *affected);
    side.opponents.cursor = side.opponents.top;
    member.curStatus.WP = member.baseStatus.WP;
    ctx.state.stopBattleLoop = true;
}

} // namespace pc
