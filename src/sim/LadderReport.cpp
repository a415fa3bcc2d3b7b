// SPDX-License-Identifier: GPL-3.0-or-later
#include "LadderReport.h"

#include "records/Csv.h"
#include "sim/Columns.h"
#include "sim/Json.h"
#include "sim/Percent.h"

#include <algorithm>

namespace pc::sim {

namespace {

std::string elo(double rating)
{
    return fixed(rating, 0);
}

std::string summary(const Ladder& ladder, const LadderSetup& setup)
{
    const std::string entrants = std::to_string(ladder.entries.size()) + " entrants, "
        + std::to_string(ladder.battles) + " battles from the seed " + std::to_string(setup.firstSeed);
    if (ladder.settled)
        return entrants + "; every rating within ±" + fixed(setup.precision, 0) + " Elo (95% interval)";
    double widest = 0;
    for (const LadderEntry& entry : ladder.entries)
        widest = std::max(widest, entry.beyondReach ? 0 : entry.rating.halfWidth);
    return entrants + "; stopped with ratings within ±" + fixed(widest, 0)
        + " Elo, not yet ±" + fixed(setup.precision, 0);
}

void writeText(std::ostream& out, const Ladder& ladder, const LadderNames& names, const LadderSetup& setup)
{
    out << "rating ladder of " << summary(ladder, setup) << "\n\n";
    std::size_t nameWidth = 4;
    for (const LadderEntry& entry : ladder.entries)
        nameWidth = std::max(nameWidth, displayWidth(names[entry.entrant]));
    out << "rank " << padRight("name", nameWidth) << "  rating  95% interval  battles  win rate  tier\n";
    for (std::size_t i = 0; i < ladder.entries.size(); ++i) {
        const LadderEntry& entry = ladder.entries[i];
        const Rating& rating = entry.rating;
        out << padLeft(std::to_string(i + 1), 4) << ' ' << padRight(names[entry.entrant], nameWidth) << "  "
            << padLeft(elo(rating.elo), 6) << "  " << padLeft(elo(rating.elo - rating.halfWidth), 5) << " to "
            << padLeft(elo(rating.elo + rating.halfWidth), 5) << ' ' << padLeft(std::to_string(entry.battles), 8)
            << "  " << padLeft(percent(entry.winRate()), 8) << "  " << entry.tier << '\n';
    }
    for (const LadderEntry& entry : ladder.entries) {
        if (entry.beyondReach)
            out << "  " << names[entry.entrant] << " won " << (entry.wins ? "every one" : "none") << " of its "
                << entry.battles << " battles: its rating is only a bound\n";
    }
    out << "\npairings whose results most disagree with the ratings: "
        << (ladder.disagreements.empty() ? "none" : std::to_string(ladder.disagreements.size())) << '\n';
    for (const Disagreement& d : ladder.disagreements) {
        const Matchup& m = d.matchup;
        out << "  " << names[m.first] << " vs " << names[m.second] << ": " << fixed(m.firstScore(), 1) << " of "
            << m.battles << " won, " << fixed(d.expected, 1) << " expected (" << (d.deviation > 0 ? "+" : "")
            << fixed(d.deviation, 1) << " sd)\n";
    }
}

void writeCsv(std::ostream& out, const Ladder& ladder, const LadderNames& names)
{
    out << kLadderCsvHeader << '\n';
    for (std::size_t i = 0; i < ladder.entries.size(); ++i) {
        const LadderEntry& entry = ladder.entries[i];
        const Rating& rating = entry.rating;
        out << i + 1 << ',' << csvField(names[entry.entrant]) << ',' << fixed(rating.elo, 1) << ','
            << fixed(rating.elo - rating.halfWidth, 1) << ',' << fixed(rating.elo + rating.halfWidth, 1) << ','
            << entry.battles << ',' << entry.wins << ',' << fixed(entry.winRate(), 4) << ',' << entry.tier << ','
            << (entry.beyondReach ? entry.wins ? "above" : "below" : "") << '\n';
    }
}

void writeJson(std::ostream& out, const Ladder& ladder, const LadderNames& names, const LadderSetup& setup)
{
    out << "{\n  \"precision\": " << jsonNumber(setup.precision) << ",\n  \"firstSeed\": " << setup.firstSeed
        << ",\n  \"battles\": " << ladder.battles << ",\n  \"settled\": " << (ladder.settled ? "true" : "false")
        << ",\n  \"ladder\": [";
    for (std::size_t i = 0; i < ladder.entries.size(); ++i) {
        const LadderEntry& entry = ladder.entries[i];
        const Rating& rating = entry.rating;
        out << (i ? "," : "") << "\n    {\"rank\": " << i + 1 << ", \"name\": " << jsonString(names[entry.entrant])
            << ", \"rating\": " << jsonNumber(rating.elo) << ", \"ratingInterval95\": ["
            << jsonNumber(rating.elo - rating.halfWidth) << ", " << jsonNumber(rating.elo + rating.halfWidth)
            << "], \"battles\": " << entry.battles << ", \"wins\": " << entry.wins
            << ", \"winRate\": " << jsonNumber(entry.winRate()) << ", \"tier\": \"" << entry.tier
            << "\", \"beyondReach\": " << (entry.beyondReach ? "true" : "false") << "}";
    }
    out << "\n  ],\n  \"disagreements\": [";
    for (std::size_t i = 0; i < ladder.disagreements.size(); ++i) {
        const Disagreement& d = ladder.disagreements[i];
        out << (i ? "," : "") << "\n    {\"first\": " << jsonString(names[d.matchup.first])
            << ", \"second\": " << jsonString(names[d.matchup.second]) << ", \"battles\": " << d.matchup.battles
            << ", \"firstWins\": " << d.matchup.firstWins << ", \"secondWins\": " << d.matchup.secondWins
            << ", \"expectedFirstScore\": " << jsonNumber(d.expected) << ", \"deviation\": " << jsonNumber(d.deviation)
            << "}";
    }
    out << "\n  ]\n}\n";
}

} // namespace

void writeLadder(std::ostream& out, const Ladder& ladder, const LadderNames& names, const LadderSetup& setup,
                 LadderForm form)
{
    switch (form) {
    case LadderForm::text:
        writeText(out, ladder, names, setup);
        break;
    case LadderForm::csv:
        writeCsv(out, ladder, names);
        break;
    case LadderForm::json:
        writeJson(out, ladder, names, setup);
        break;
    }
}

} // namespace pc::sim
