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
    return {ctx.view.naviText, ctx.breakdown ? ctx.breakdown->shown : Breakdown{}};
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
