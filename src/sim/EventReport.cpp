// SPDX-License-Identifier: GPL-3.0-or-later
#include "EventReport.h"

#include "battle/Messages.h"
#include "records/Csv.h"
#include "sim/Json.h"
#include "tournament/EventRun.h"
#include "tournament/Standings.h"

#include <algorithm>
#include <array>

namespace pc::sim {

using namespace pc::tournament;

namespace {

const std::string& nameOf(const Event& event, int entrant)
{
    static const std::string bye = "(bye)";
    return entrant == kBye ? bye : event.setup.entrants[static_cast<std::size_t>(entrant)].name;
}

std::string membersOf(const Event& event, int entrant)
{
    std::string members;
    for (const std::string& member : event.setup.entrants[static_cast<std::size_t>(entrant)].members)
        members += (members.empty() ? "" : ",") + member;
    return members;
}

int playerOf(const Match& match, const BattleRecord& battle)
{
    return battle.firstIsPlayer ? match.first : match.second;
}

int enemyOf(const Match& match, const BattleRecord& battle)
{
    return battle.firstIsPlayer ? match.second : match.first;
}

std::string_view endName(BattleEnd end)
{
    constexpr std::array kNames{"player", "enemy", "nobody", "unfinished"};
    return kNames[static_cast<std::size_t>(end)];
}

std::string_view bracketName(Bracket bracket)
{
    constexpr std::array kNames{"main", "losers", "final"};
    return kNames[static_cast<std::size_t>(bracket)];
}

std::string score(const Match& match)
{
    return std::to_string(match.winsOf(match.winner == match.first)) + "-"
        + std::to_string(match.winsOf(match.winner != match.first));
}

std::string describedSetup(const Event& event)
{
    const EventSetup& setup = event.setup;
    std::string text = std::string(formatName(setup.format)) + ", " + std::to_string(setup.entrants.size())
        + " entrants, best of " + std::to_string(setup.bestOf) + ", seed " + std::to_string(setup.seed)
        + ", seeding " + std::string(seedingName(setup.seeding));
    if (setup.format == Format::roundRobin)
        text += ", " + std::to_string(setup.legs) + (setup.legs == 1 ? " leg" : " legs");
    return text;
}

std::string championName(const Event& event)
{
    const int champ = champion(event);
    return champ < 0 ? "" : nameOf(event, champ);
}

std::string escapedXml(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

// The columns of the standings in every form: a key, a Japanese heading and the value.
struct Column {
    std::string_view key;
    std::string_view heading;
    int (*value)(const Standing&);
};

constexpr std::array kColumns{
    Column{"played", "試合", [](const Standing& s) { return s.played; }},
    Column{"wins", "勝", [](const Standing& s) { return s.wins; }},
    Column{"losses", "敗", [](const Standing& s) { return s.losses; }},
    Column{"byes", "不戦", [](const Standing& s) { return s.byes; }},
    Column{"battles_won", "戦闘勝", [](const Standing& s) { return s.battlesWon; }},
    Column{"battles_lost", "戦闘敗", [](const Standing& s) { return s.battlesLost; }},
    Column{"battle_difference", "差", [](const Standing& s) { return s.battleDifference(); }},
    Column{"head_to_head", "直接対決", [](const Standing& s) { return s.headToHead; }},
    Column{"buchholz", "Buchholz", [](const Standing& s) { return s.buchholz; }},
    Column{"sonneborn_berger", "SB", [](const Standing& s) { return s.sonnebornBerger; }},
    Column{"seed", "シード", [](const Standing& s) { return s.seed + 1; }},
    Column{"out_in_round", "敗退", [](const Standing& s) { return s.out; }},
};

} // namespace

std::string battleMessage(const BattleRecord& battle)
{
    switch (battle.end) {
    case BattleEnd::playerWins:
        return kPlayerVictory;
    case BattleEnd::enemyWins:
        return kPlayerDefeat;
    case BattleEnd::nobody:
        return kNobodyCanAct;
    case BattleEnd::unfinished:
        break;
    }
    return "決着がつかないまま終わりました";
}

std::string replayOptions(const Event& event, const Match& match, const BattleRecord& battle)
{
    return "--player " + membersOf(event, playerOf(match, battle)) + " --enemy "
        + membersOf(event, enemyOf(match, battle)) + " --seed " + std::to_string(battle.seed)
        + (event.setup.maxPresses != 1000 ? " --max-presses " + std::to_string(event.setup.maxPresses) : "");
}

void writeEventText(std::ostream& out, const Event& event)
{
    out << describedSetup(event) << "\n";
    for (int round = 1; round <= event.lastRound(); ++round) {
        out << "\nround " << round << "\n";
        for (const Match* match : event.roundMatches(round)) {
            if (match->bye()) {
                out << "  " << nameOf(event, match->first) << ": bye\n";
                continue;
            }
            out << "  " << nameOf(event, match->first) << " v " << nameOf(event, match->second)
                << (match->bracket == Bracket::main ? "" : " (" + std::string(bracketName(match->bracket)) + ")")
                << ": " << nameOf(event, match->winner) << " wins " << score(*match) << "\n";
            for (std::size_t k = 0; k < match->battles.size(); ++k) {
                const BattleRecord& battle = match->battles[k];
                const std::optional<bool> firstWon = battle.firstWon();
                out << "    " << k + 1 << ". "
                    << (firstWon ? nameOf(event, *firstWon ? match->first : match->second) + " won"
                                 : std::string(endName(battle.end)))
                    << " in " << battle.presses << " presses; replay: " << replayOptions(event, *match, battle)
                    << "\n";
            }
        }
    }
    out << "\nstandings\n  place  entrant";
    for (const Column& column : kColumns)
        out << "  " << column.key;
    out << "\n";
    const std::vector<Standing> table = standings(event);
    for (std::size_t place = 0; place < table.size(); ++place) {
        out << "  " << place + 1 << "  " << nameOf(event, table[place].entrant);
        for (const Column& column : kColumns)
            out << "  " << column.value(table[place]);
        out << "\n";
    }
    if (const std::string champ = championName(event); !champ.empty())
        out << "\nchampion: " << champ << "\n";
    if (const Match* closest = closestMatch(event))
        out << "closest match: round " << closest->round << ", " << nameOf(event, closest->first) << " v "
            << nameOf(event, closest->second) << " " << score(*closest) << "\n";
}

void writeEventJson(std::ostream& out, const Event& event)
{
    out << "{\"format\": " << jsonString(formatName(event.setup.format)) << ", \"seed\": " << event.setup.seed
        << ", \"bestOf\": " << event.setup.bestOf << ", \"seeding\": " << jsonString(seedingName(event.setup.seeding))
        << ", \"entrants\": [";
    for (std::size_t i = 0; i < event.setup.entrants.size(); ++i)
        out << (i ? ", " : "") << jsonString(event.setup.entrants[i].name);
    out << "],\n \"rounds\": [";
    for (int round = 1; round <= event.lastRound(); ++round) {
        out << (round > 1 ? ",\n  " : "\n  ") << "{\"round\": " << round << ", \"matches\": [";
        bool firstMatch = true;
        for (const Match* match : event.roundMatches(round)) {
            out << (firstMatch ? "" : ", ") << "{\"first\": " << jsonString(nameOf(event, match->first))
                << ", \"second\": " << (match->bye() ? "null" : jsonString(nameOf(event, match->second)))
                << ", \"bracket\": " << jsonString(bracketName(match->bracket))
                << ", \"winner\": " << jsonString(nameOf(event, match->winner)) << ", \"battles\": [";
            firstMatch = false;
            for (std::size_t k = 0; k < match->battles.size(); ++k) {
                const BattleRecord& battle = match->battles[k];
                out << (k ? ", " : "") << "{\"seed\": " << battle.seed
                    << ", \"player\": " << jsonString(nameOf(event, playerOf(*match, battle)))
                    << ", \"enemy\": " << jsonString(nameOf(event, enemyOf(*match, battle)))
                    << ", \"end\": " << jsonString(endName(battle.end)) << ", \"presses\": " << battle.presses
                    << "}";
            }
            out << "]}";
        }
        out << "]}";
    }
    out << "],\n \"standings\": [";
    const std::vector<Standing> table = standings(event);
    for (std::size_t place = 0; place < table.size(); ++place) {
        out << (place ? ",\n  " : "\n  ") << "{\"place\": " << place + 1
            << ", \"entrant\": " << jsonString(nameOf(event, table[place].entrant));
        for (const Column& column : kColumns)
            out << ", \"" << column.key << "\": " << column.value(table[place]);
        out << "}";
    }
    const std::string champ = championName(event);
    out << "],\n \"champion\": " << (champ.empty() ? "null" : jsonString(champ)) << "}\n";
}

void writeStandingsCsv(std::ostream& out, const Event& event)
{
    out << "place,entrant";
    for (const Column& column : kColumns)
        out << "," << column.key;
    out << "\n";
    const std::vector<Standing> table = standings(event);
    for (std::size_t place = 0; place < table.size(); ++place) {
        out << place + 1 << "," << csvField(nameOf(event, table[place].entrant));
        for (const Column& column : kColumns)
            out << "," << column.value(table[place]);
        out << "\n";
    }
}

std::string eventSvg(const Event& event)
{
    constexpr int kColumnWidth = 230;
    constexpr int kBoxHeight = 44;
    constexpr int kGap = 10;
    constexpr int kTop = 80;
    const int rounds = event.lastRound();
    std::size_t tallest = 1;
    for (int round = 1; round <= rounds; ++round)
        tallest = std::max(tallest, event.roundMatches(round).size());
    const std::vector<Standing> table = standings(event);
    const int standingsX = std::max(rounds, 1) * kColumnWidth + 20;
    const int width = standingsX + 330;
    const int height = kTop + static_cast<int>(std::max(tallest * (kBoxHeight + kGap), table.size() * 18 + 30)) + 20;
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) + "\" height=\""
        + std::to_string(height) + "\" font-family=\"sans-serif\" font-size=\"12\">\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    const std::string champ = championName(event);
    svg += "<text x=\"10\" y=\"24\" font-size=\"16\" font-weight=\"bold\">" + escapedXml(describedSetup(event))
        + "</text>\n<text id=\"champion\" x=\"10\" y=\"44\" font-size=\"14\">"
        + escapedXml(champ.empty() ? "進行中" : "優勝: " + champ) + "</text>\n";
    for (int round = 1; round <= rounds; ++round) {
        const int x = (round - 1) * kColumnWidth + 10;
        svg += "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(kTop - 4) + "\" font-weight=\"bold\">第"
            + std::to_string(round) + "回戦</text>\n";
        int y = kTop;
        for (const Match* match : event.roundMatches(round)) {
            const char* colour = match->bracket == Bracket::losers ? "#fdecea"
                : match->bracket == Bracket::final                 ? "#fff5cc"
                                                                   : "#e8f0fe";
            svg += "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\""
                + std::to_string(kColumnWidth - 20) + "\" height=\"" + std::to_string(kBoxHeight)
                + "\" rx=\"4\" fill=\"" + colour + "\" stroke=\"#5f6368\"/>\n";
            for (int line = 0; line < 2; ++line) {
                const int entrant = line == 0 ? match->first : match->second;
                const bool won = entrant == match->winner;
                const std::string wins = match->bye() ? "" : "  " + std::to_string(match->winsOf(line == 0));
                svg += "<text x=\"" + std::to_string(x + 6) + "\" y=\"" + std::to_string(y + 17 + 20 * line) + "\""
                    + (won ? " font-weight=\"bold\"" : "") + ">" + escapedXml(nameOf(event, entrant)) + wins
                    + "</text>\n";
            }
            y += kBoxHeight + kGap;
        }
    }
    svg += "<text x=\"" + std::to_string(standingsX) + "\" y=\"" + std::to_string(kTop - 4)
        + "\" font-weight=\"bold\">順位 (勝-敗, 戦闘差)</text>\n";
    for (std::size_t place = 0; place < table.size(); ++place) {
        const Standing& s = table[place];
        svg += "<text x=\"" + std::to_string(standingsX) + "\" y=\"" + std::to_string(kTop + 14 + 18 * static_cast<int>(place))
            + "\">" + std::to_string(place + 1) + ". " + escapedXml(nameOf(event, s.entrant)) + "  "
            + std::to_string(s.wins) + "-" + std::to_string(s.losses) + ", " + std::to_string(s.battleDifference())
            + "</text>\n";
    }
    return svg + "</svg>\n";
}

void writeEventHtml(std::ostream& out, const Event& event)
{
    const std::string champ = championName(event);
    out << "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n<title>PartyClash 大会: "
        << escapedXml(describedSetup(event)) << "</title>\n<style>\nbody{font-family:sans-serif;margin:1em}"
        << "table{border-collapse:collapse}td,th{border:1px solid #ccc;padding:2px 6px;text-align:right}"
        << "td.name,th.name{text-align:left}#bracket{overflow:auto}\n</style>\n</head>\n<body>\n<h1>大会</h1>\n<p>"
        << escapedXml(describedSetup(event)) << "</p>\n<p id=\"champion\">"
        << escapedXml(champ.empty() ? "進行中" : "優勝: " + champ) << "</p>\n<div id=\"bracket\">\n"
        << eventSvg(event) << "</div>\n<h2>順位</h2>\n<table id=\"standings\">\n<tr><th>順位</th><th class=\"name\">出場者</th>";
    for (const Column& column : kColumns)
        out << "<th>" << escapedXml(column.heading) << "</th>";
    out << "</tr>\n";
    const std::vector<Standing> table = standings(event);
    for (std::size_t place = 0; place < table.size(); ++place) {
        out << "<tr><td>" << place + 1 << "</td><td class=\"name\">" << escapedXml(nameOf(event, table[place].entrant))
            << "</td>";
        for (const Column& column : kColumns)
            out << "<td>" << column.value(table[place]) << "</td>";
        out << "</tr>\n";
    }
    out << "</table>\n<h2>試合</h2>\n<div id=\"matches\">\n";
    for (int round = 1; round <= event.lastRound(); ++round) {
        out << "<h3>第" << round << "回戦</h3>\n<ul>\n";
        for (const Match* match : event.roundMatches(round)) {
            if (match->bye()) {
                out << "<li>" << escapedXml(nameOf(event, match->first)) << ": 不戦勝</li>\n";
                continue;
            }
            out << "<li>" << escapedXml(nameOf(event, match->first)) << " 対 " << escapedXml(nameOf(event, match->second))
                << ": <b>" << escapedXml(nameOf(event, match->winner)) << "</b> " << score(*match) << "\n<ol>\n";
            for (const BattleRecord& battle : match->battles)
                out << "<li>シード " << battle.seed << ": " << escapedXml(nameOf(event, playerOf(*match, battle)))
                    << " (プレイヤー) 対 " << escapedXml(nameOf(event, enemyOf(*match, battle))) << ": "
                    << escapedXml(battleMessage(battle)) << " (" << battle.presses << "手) <code>"
                    << escapedXml(replayOptions(event, *match, battle)) << "</code></li>\n";
            out << "</ol></li>\n";
        }
        out << "</ul>\n";
    }
    out << "</div>\n</body>\n</html>\n";
}

} // namespace pc::sim
