// SPDX-License-Identifier: GPL-3.0-or-later
#include "LogExport.h"

#include "records/Csv.h"
#include "records/Numbers.h"

#include <algorithm>
#include <array>

namespace pc {

namespace {

constexpr const char* kCsvHeader = "press,actor,attack,target,effect,amount,hp_after,"
                                   "formula_base,draw1,draw2,defence,resistance,mp_cost,"
                                   "success_chance,success_draw,hit_chance,hit_draw,message";

const char* effectName(Effect effect)
{
    switch (effect) {
    case Effect::damage:
        return "damage";
    case Effect::heal:
        return "heal";
    case Effect::miss:
        return "miss";
    case Effect::none:
        break;
    }
    return "";
}

std::string rollChance(const RollTerms& roll)
{
    return roll.kind == Roll::none || roll.kind == Roll::sure ? "" : formatG(roll.chance);
}

std::string rollDraw(const RollTerms& roll)
{
    return roll.kind == Roll::none || roll.kind == Roll::sure || roll.carried ? "" : std::to_string(roll.draw);
}

void appendRow(std::string& csv, std::size_t press, const LogEntry& entry)
{
    const Breakdown& b = entry.breakdown;
    const bool effect = b.effect != Effect::none;
    const bool value = b.value.formula != Formula::none;
    std::string message = entry.message;
    std::replace(message.begin(), message.end(), '\n', ' ');
    const std::array<std::string, 18> fields{
        std::to_string(press),
        csvField(entry.actor),
        csvField(entry.attack),
        csvField(entry.target),
        effectName(b.effect),
        effect && b.effect != Effect::miss ? formatG(b.amount) : "",
        effect && b.effect != Effect::miss ? formatG(b.hpAfter) : "",
        value ? formatG(b.value.base) : "",
        value ? std::to_string(b.value.draws[0]) : "",
        b.value.formula == Formula::spread ? std::to_string(b.value.draws[1]) : "",
        value ? formatG(b.value.defenceValue) : "",
        value && b.value.scaled ? formatG(b.value.resistance) : "",
        b.cost.taken ? formatG(b.cost.cost) : "",
        rollChance(b.success),
        rollDraw(b.success),
        rollChance(b.hit),
        rollDraw(b.hit),
        csvField(message),
    };
    for (std::size_t i = 0; i < fields.size(); ++i)
        csv += (i ? "," : "") + fields[i];
    csv += "\r\n";
}

} // namespace

std::string seedLine(std::optional<std::uint32_t> seed)
{
    return seed ? "シード " + std::to_string(*seed) : std::string("シードなし");
}

std::string logAsText(const std::vector<LogEntry>& log, std::optional<std::uint32_t> seed)
{
    std::string text = seedLine(seed) + '\n';
    for (std::size_t i = 0; i < log.size(); ++i)
        text += logLine(i + 1, log[i]) + '\n';
    return text;
}

std::string logAsCsv(const std::vector<LogEntry>& log)
{
    std::string csv = "\xEF\xBB\xBF";
    csv += kCsvHeader;
    csv += "\r\n";
    for (std::size_t i = 0; i < log.size(); ++i)
        appendRow(csv, i + 1, log[i]);
    return csv;
}

} // namespace pc
