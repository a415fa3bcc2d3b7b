// SPDX-License-Identifier: GPL-3.0-or-later
#include "Report.h"
#include "sim/Json.h"

#include <charconv>
#include <cstdio>

namespace pc::sim {

std::string jsonString(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\n') {
            quoted += "\\n";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

std::string jsonNumber(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

namespace {

std::string jsonStrings(const std::vector<std::string>& texts)
{
    std::string array = "[";
    for (const std::string& text : texts) {
        if (array.size() > 1)
            array += ',';
        array += jsonString(text);
    }
    return array + "]";
}

const char* outcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::victory:
        return "victory";
    case Outcome::defeat:
        return "defeat";
    case Outcome::nobodyCanAct:
        return "nobodyCanAct";
    case Outcome::unfinished:
        break;
    }
    return "unfinished";
}

void writeMembers(std::ostream& out, const char* side, const std::vector<std::string>& names,
                  const MemberDamage* damage, bool& first)
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        out << (first ? "" : ",") << "\n    {\"side\": \"" << side << "\", \"position\": " << i + 1
            << ", \"name\": " << jsonString(names[i]) << ", \"meanDamageDealt\": " << jsonNumber(damage[i].dealt)
            << ", \"meanDamageTaken\": " << jsonNumber(damage[i].taken) << "}";
        first = false;
    }
}

} // namespace

void writeTranscriptJson(std::ostream& out, const BattleTranscript& transcript)
{
    out << "{\n  \"seed\": " << (transcript.seed ? std::to_string(*transcript.seed) : "null")
        << ",\n  \"maxPresses\": " << transcript.maxPresses
        << ",\n  \"outcome\": \"" << outcomeName(transcript.result.outcome) << '"'
        << ",\n  \"presses\": " << transcript.result.presses
        << ",\n  \"texts\": " << jsonStrings(transcript.texts) << "\n}\n";
}

void writeReportJson(std::ostream& out, const BatchReport& report)
{
    const BatchTotals& totals = report.totals;
    const std::int64_t runs = totals.runs();
    const std::int64_t wins = totals.count(Outcome::victory);
    const Interval interval = wilsonInterval(wins, runs);
    const RunningMean& presses = totals.pressesToEnd();
    out << "{\n  \"player\": " << jsonStrings(report.player) << ",\n  \"enemy\": " << jsonStrings(report.enemy)
        << ",\n  \"runs\": " << runs << ",\n  \"firstSeed\": " << report.firstSeed
        << ",\n  \"maxPresses\": " << report.maxPresses;
    for (const Outcome outcome : {Outcome::victory, Outcome::defeat, Outcome::nobodyCanAct, Outcome::unfinished})
        out << ",\n  \"" << outcomeName(outcome) << "\": " << totals.count(outcome);
    out << ",\n  \"winRate\": " << jsonNumber(static_cast<double>(wins) / static_cast<double>(runs))
        << ",\n  \"winRateInterval95\": [" << jsonNumber(interval.low) << ", " << jsonNumber(interval.high) << "]";
    out << ",\n  \"pressesToEnd\": ";
    if (presses.count() > 0)
        out << "{\"battles\": " << presses.count() << ", \"mean\": " << jsonNumber(presses.mean())
            << ", \"sd\": " << jsonNumber(presses.deviation()) << ", \"least\": " << totals.fewestPresses()
            << ", \"most\": " << totals.mostPresses() << "}";
    else
        out << "null";
    const std::vector<MemberDamage> damage = totals.meanDamage();
    out << ",\n  \"members\": [";
    bool first = true;
    writeMembers(out, "player", report.player, damage.data(), first);
    writeMembers(out, "enemy", report.enemy, damage.data() + report.player.size(), first);
    out << "\n  ]\n}\n";
}

} // namespace pc::sim
