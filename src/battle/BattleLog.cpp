// SPDX-License-Identifier: GPL-3.0-or-later
#include "BattleLog.h"

#include "BattleDriver.h"
#include "Messages.h"

#include <algorithm>

namespace pc {

LogEntry pressLogged(BattleContext& ctx)
{
    if (ctx.breakdown)
        ctx.breakdown->shown = {};
    Navigation(ctx);
    LogEntry entry{ctx.view.naviText, ctx.breakdown ? ctx.breakdown->shown : Breakdown{}};
    const Breakdown& b = entry.breakdown;
    if (b.source == Source::none)
        return entry;
    entry.actor = ctx.view.p1.name;
    entry.attack = b.source == Source::plainAttack ? kPlainAttackName : ctx.state.atkName;
    if (b.effect != Effect::none)
        entry.target = ctx.view.p2.name;
    return entry;
}

std::string logLine(std::size_t number, const LogEntry& entry)
{
    std::string line = std::to_string(number) + '\t' + entry.message;
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

bool announcesEnd(const std::string& message)
{
    return message == kPlayerVictory || message == kPlayerDefeat || message == kNobodyCanAct;
}

} // namespace pc
