// SPDX-License-Identifier: GPL-3.0-or-later
#include "MatrixReport.h"

#include "records/Csv.h"
#include "sim/Columns.h"
#include "sim/Json.h"
#include "sim/Percent.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace pc::sim {

namespace {

std::string signedPercent(double share)
{
    const std::string text = percent(share);
    if (text == "-0.00%")
        return "+0.00%";
    return text.starts_with('-') ? text : "+" + text;
}

// The interval widened outward to the hundredth of a percent, so that what is
// shown holds the whole interval.
std::string percentInterval(const Interval& interval)
{
    return fixed(std::floor(interval.low * 10000) / 100, 2) + "% to " + fixed(std::ceil(interval.high * 10000) / 100, 2)
        + "%";
}

std::string signedInterval(const Interval& interval)
{
    const double low = std::floor(interval.low * 10000 + 1e-9) / 10000;
    const double high = std::ceil(interval.high * 10000 - 1e-9) / 10000;
    return signedPercent(low) + " to " + signedPercent(high);
}

std::string seedRange(const MatrixSetup& setup)
{
    const std::uint32_t last = setup.firstSeed + static_cast<std::uint32_t>(setup.battles - 1);
    const std::string stop = setup.precision > 0 ? "up to " : "";
    return stop + std::to_string(setup.battles) + " battles per pairing, seeds " + std::to_string(setup.firstSeed)
        + " to " + std::to_string(last);
}

const PairingResult* resultAt(const MatrixResult& result, std::size_t player, std::size_t enemy)
{
    for (std::size_t i = 0; i < result.setup.pairings.size(); ++i) {
        const Pairing& pairing = result.setup.pairings[i];
        if (pairing.player == player && pairing.enemy == enemy)
            return result.pairings[i] ? &*result.pairings[i] : nullptr;
    }
    return nullptr;
}

// The names of the entrants that play in the pairings, in entrant order.
std::vector<std::size_t> entrantsInPlay(const MatrixSetup& setup, bool player)
{
    std::vector<bool> plays(setup.names.size());
    for (const Pairing& pairing : setup.pairings)
        plays[player ? pairing.player : pairing.enemy] = true;
    std::vector<std::size_t> entrants;
    for (std::size_t i = 0; i < plays.size(); ++i) {
        if (plays[i])
            entrants.push_back(i);
    }
    return entrants;
}

void writeTable(std::ostream& out, const MatrixResult& result,
                const std::function<std::string(const PairingResult&)>& cell, std::size_t cellWidth)
{
    const MatrixSetup& setup = result.setup;
    const std::vector<std::size_t> rows = entrantsInPlay(setup, true);
    const std::vector<std::size_t> columns = entrantsInPlay(setup, false);
    std::size_t nameWidth = 0;
    for (const std::size_t row : rows)
        nameWidth = std::max(nameWidth, displayWidth(setup.names[row]));
    const std::size_t numberWidth = std::to_string(setup.names.size()).size();
    out << std::string(numberWidth + 2 + nameWidth, ' ');
    for (const std::size_t column : columns)
        out << padLeft(std::to_string(column + 1), cellWidth + 1);
    out << '\n';
    for (const std::size_t row : rows) {
        out << padLeft(std::to_string(row + 1), numberWidth) << ' ' << padRight(setup.names[row], nameWidth) << ' ';
        for (const std::size_t column : columns) {
            const PairingResult* fought = resultAt(result, row, column);
            out << padLeft(fought ? cell(*fought) : "-", cellWidth + 1);
        }
        out << '\n';
    }
}

void writeEndings(std::ostream& out, const MatrixResult& result, std::size_t lineup, const std::string& folder)
{
    const MatrixSetup& setup = result.setup;
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < setup.pairings.size(); ++i) {
        if (!result.pairings[i])
            continue;
        const PairingTotals& totals = result.pairings[i]->lineups[lineup];
        if (totals.nobody == 0 && totals.unfinished == 0)
            continue;
        lines.push_back("  " + setup.names[setup.pairings[i].player] + " vs " + setup.names[setup.pairings[i].enemy]
                        + ": nobody able to act " + std::to_string(totals.nobody) + ", no end after "
                        + std::to_string(setup.maxPresses) + " presses " + std::to_string(totals.unfinished));
    }
    out << "pairings that ended with nobody able to act or without an end" << folder << ": "
        << (lines.empty() ? "none" : std::to_string(lines.size())) << '\n';
    for (const std::string& line : lines)
        out << line << '\n';
}

std::string meanPresses(const PairingTotals& totals)
{
    return totals.presses.count() > 0 ? fixed(totals.presses.mean(), 2) : "";
}

std::string rateText(double rate)
{
    return fixed(rate, 4);
}

std::string jsonInterval(const Interval& interval)
{
    return "[" + jsonNumber(interval.low) + ", " + jsonNumber(interval.high) + "]";
}

void writeJsonSetup(std::ostream& out, const MatrixSetup& setup)
{
    out << "{\n  \"battlesPerPairing\": " << setup.battles << ",\n  \"firstSeed\": " << setup.firstSeed
        << ",\n  \"maxPresses\": " << setup.maxPresses;
    if (setup.precision > 0)
        out << ",\n  \"precision\": " << jsonNumber(setup.precision);
    out << ",\n  \"entrants\": [";
    for (std::size_t i = 0; i < setup.names.size(); ++i)
        out << (i ? ", " : "") << jsonString(setup.names[i]);
    out << "]";
}

std::string jsonTotals(const PairingTotals& totals)
{
    const Interval interval = wilsonInterval(totals.wins, totals.battles);
    return "\"battles\": " + std::to_string(totals.battles) + ", \"wins\": " + std::to_string(totals.wins)
        + ", \"defeats\": " + std::to_string(totals.defeats) + ", \"nobodyCanAct\": " + std::to_string(totals.nobody)
        + ", \"unfinished\": " + std::to_string(totals.unfinished) + ", \"winRate\": " + jsonNumber(totals.winRate())
        + ", \"winRateInterval95\": " + jsonInterval(interval) + ", \"meanPresses\": "
        + (totals.presses.count() > 0 ? jsonNumber(totals.presses.mean()) : "null");
}

std::string jsonChange(const PairedChange& change)
{
    return "\"change\": " + jsonNumber(change.mean()) + ", \"changeInterval95\": " + jsonInterval(change.interval());
}

} // namespace

void writeMatrixReport(std::ostream& out, const MatrixResult& result, const CompareNames& names,
                       std::string_view form)
{
    const bool compare = result.setup.lineups.size() == 2;
    if (form == "csv")
        compare ? writeCompareCsv(out, result) : writeMatrixCsv(out, result);
    else if (form == "json")
        compare ? writeCompareJson(out, result, names) : writeMatrixJson(out, result);
    else
        compare ? writeCompareText(out, result, names) : writeMatrixText(out, result);
}

void writeMatrixText(std::ostream& out, const MatrixResult& result)
{
    const MatrixSetup& setup = result.setup;
    out << "win rate of the player (row) against the enemy (column), " << seedRange(setup) << "\n\n";
    writeTable(out, result, [](const PairingResult& fought) {
        return std::to_string(std::lround(fought.lineups[0].winRate() * 100)) + "%";
    }, 4);
    if (setup.precision > 0) {
        out << "\nbattles of each pairing, stopped once its 95% interval's half-width was at most "
            << percent(setup.precision) << ":\n\n";
        const std::size_t width = std::to_string(setup.battles).size();
        writeTable(out, result, [](const PairingResult& fought) { return std::to_string(fought.lineups[0].battles); },
                   std::max<std::size_t>(width, 3));
    }
    out << "\noverall win rate on both sides, strongest first (95% interval):\n";
    const std::vector<Standing> ranking = standings(result);
    std::size_t nameWidth = 0;
    for (const Standing& standing : ranking)
        nameWidth = std::max(nameWidth, displayWidth(setup.names[standing.entrant]));
    for (std::size_t i = 0; i < ranking.size(); ++i) {
        const Standing& standing = ranking[i];
        out << padLeft(std::to_string(i + 1), 3) << ". " << padRight(setup.names[standing.entrant], nameWidth) << ' '
            << padLeft(percent(standing.winRate()), 7) << " ("
            << percentInterval(wilsonInterval(standing.wins, standing.battles)) << ") of " << standing.battles
            << " battles\n";
    }
    out << '\n';
    writeEndings(out, result, 0, "");
}

void writeMatrixCsv(std::ostream& out, const MatrixResult& result)
{
    const MatrixSetup& setup = result.setup;
    out << kMatrixCsvHeader << '\n';
    for (std::size_t i = 0; i < setup.pairings.size(); ++i) {
        if (!result.pairings[i])
            continue;
        const PairingTotals& totals = result.pairings[i]->lineups[0];
        const Interval interval = wilsonInterval(totals.wins, totals.battles);
        out << csvField(setup.names[setup.pairings[i].player]) << ',' << csvField(setup.names[setup.pairings[i].enemy])
            << ',' << totals.battles << ',' << totals.wins << ',' << totals.defeats << ',' << totals.nobody << ','
            << totals.unfinished << ',' << rateText(totals.winRate()) << ',' << rateText(interval.low) << ','
            << rateText(interval.high) << ',' << meanPresses(totals) << '\n';
    }
}

void writeMatrixJson(std::ostream& out, const MatrixResult& result)
{
    const MatrixSetup& setup = result.setup;
    writeJsonSetup(out, setup);
    out << ",\n  \"pairings\": [";
    bool first = true;
    for (std::size_t i = 0; i < setup.pairings.size(); ++i) {
        if (!result.pairings[i])
            continue;
        out << (first ? "" : ",") << "\n    {\"player\": " << jsonString(setup.names[setup.pairings[i].player])
            << ", \"enemy\": " << jsonString(setup.names[setup.pairings[i].enemy]) << ", "
            << jsonTotals(result.pairings[i]->lineups[0]) << "}";
        first = false;
    }
    out << "\n  ],\n  \"ranking\": [";
    first = true;
    for (const Standing& standing : standings(result)) {
        out << (first ? "" : ",") << "\n    {\"name\": " << jsonString(setup.names[standing.entrant])
            << ", \"battles\": " << standing.battles << ", \"wins\": " << standing.wins
            << ", \"winRate\": " << jsonNumber(standing.winRate())
            << ", \"winRateInterval95\": " << jsonInterval(wilsonInterval(standing.wins, standing.battles)) << "}";
        first = false;
    }
    out << "\n  ]\n}\n";
}

void writeCompareText(std::ostream& out, const MatrixResult& result, const CompareNames& names)
{
    const MatrixSetup& setup = result.setup;
    out << "change in the win rate from " << names.before << " to " << names.after
        << ", the same battles on both, " << seedRange(setup) << "\n\n";
    writeTable(out, result, [](const PairingResult& fought) {
        const long points = std::lround(fought.player.mean() * 100);
        return (points > 0 ? "+" : "") + std::to_string(points) + "%";
    }, 5);
    out << "\nevery pairing: before -> after, change (95% interval of the paired difference):\n";
    for (std::size_t i = 0; i < setup.pairings.size(); ++i) {
        if (!result.pairings[i])
            continue;
        const PairingResult& fought = *result.pairings[i];
        out << "  " << setup.names[setup.pairings[i].player] << " vs " << setup.names[setup.pairings[i].enemy] << ": "
            << percent(fought.lineups[0].winRate()) << " -> " << percent(fought.lineups[1].winRate()) << ", "
            << signedPercent(fought.player.mean()) << " (" << signedInterval(fought.player.interval()) << ")\n";
    }
    out << "\noverall win rate on both sides: before -> after, change (95% interval), strongest after first:\n";
    const std::vector<Standing> before = standings(result, 0);
    for (const Standing& standing : standings(result, 1)) {
        const auto old = std::find_if(before.begin(), before.end(),
                                      [&](const Standing& s) { return s.entrant == standing.entrant; });
        out << "  " << setup.names[standing.entrant] << ": " << percent(old->winRate()) << " -> "
            << percent(standing.winRate()) << ", " << signedPercent(standing.change.mean()) << " ("
            << signedInterval(standing.change.interval()) << ")\n";
    }
    for (const std::string& line : names.leftOut)
        out << line << '\n';
    out << '\n';
    writeEndings(out, result, 0, " in " + names.before);
    writeEndings(out, result, 1, " in " + names.after);
}

void writeCompareCsv(std::ostream& out, const MatrixResult& result)
{
    const MatrixSetup& setup = result.setup;
    out << "player,enemy,battles,win_rate_before,win_rate_after,change,low95,high95\n";
    for (std::size_t i = 0; i < setup.pairings.size(); ++i) {
        if (!result.pairings[i])
            continue;
        const PairingResult& fought = *result.pairings[i];
        const Interval interval = fought.player.interval();
        out << csvField(setup.names[setup.pairings[i].player]) << ',' << csvField(setup.names[setup.pairings[i].enemy])
            << ',' << fought.player.battles << ',' << rateText(fought.lineups[0].winRate()) << ','
            << rateText(fought.lineups[1].winRate()) << ',' << rateText(fought.player.mean()) << ','
            << rateText(interval.low) << ',' << rateText(interval.high) << '\n';
    }
}

void writeCompareJson(std::ostream& out, const MatrixResult& result, const CompareNames& names)
{
    const MatrixSetup& setup = result.setup;
    writeJsonSetup(out, setup);
    out << ",\n  \"before\": " << jsonString(names.before) << ",\n  \"after\": " << jsonString(names.after)
        << ",\n  \"leftOut\": [";
    for (std::size_t i = 0; i < names.leftOut.size(); ++i)
        out << (i ? ", " : "") << jsonString(names.leftOut[i]);
    out << "],\n  \"pairings\": [";
    bool first = true;
    for (std::size_t i = 0; i < setup.pairings.size(); ++i) {
        if (!result.pairings[i])
            continue;
        const PairingResult& fought = *result.pairings[i];
        out << (first ? "" : ",") << "\n    {\"player\": " << jsonString(setup.names[setup.pairings[i].player])
            << ", \"enemy\": " << jsonString(setup.names[setup.pairings[i].enemy]) << ", \"before\": {"
            << jsonTotals(fought.lineups[0]) << "}, \"after\": {" << jsonTotals(fought.lineups[1]) << "}, "
            << jsonChange(fought.player) << "}";
        first = false;
    }
    out << "\n  ],\n  \"ranking\": [";
    first = true;
    const std::vector<Standing> before = standings(result, 0);
    for (const Standing& standing : standings(result, 1)) {
        const auto old = std::find_if(before.begin(), before.end(),
                                      [&](const Standing& s) { return s.entrant == standing.entrant; });
        out << (first ? "" : ",") << "\n    {\"name\": " << jsonString(setup.names[standing.entrant])
            << ", \"battles\": " << standing.battles << ", \"winRateBefore\": " << jsonNumber(old->winRate())
            << ", \"winRateAfter\": " << jsonNumber(standing.winRate()) << ", " << jsonChange(standing.change) << "}";
        first = false;
    }
    out << "\n  ]\n}\n";
}

} // namespace pc::sim
