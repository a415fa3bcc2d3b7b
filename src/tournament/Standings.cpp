// SPDX-License-Identifier: GPL-3.0-or-later
#include "Standings.h"

#include <algorithm>
#include <tuple>

namespace pc::tournament {

namespace {

bool eliminates(Format format)
{
    return format == Format::singleElimination || format == Format::doubleElimination;
}

// Match wins, losses, byes, battles and exits, from the matches alone.
std::vector<Standing> counted(const Event& event)
{
    std::vector<Standing> table(event.setup.entrants.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i].entrant = static_cast<int>(i);
        table[i].seed = event.seedOf[i];
    }
    const int lossesToGoOut = event.setup.format == Format::doubleElimination ? 2 : 1;
    for (const Match& match : event.matches) {
        Standing& first = table[static_cast<std::size_t>(match.first)];
        if (match.bye()) {
            ++first.byes;
            first.wins += event.setup.format == Format::swiss ? 1 : 0;
            continue;
        }
        Standing& second = table[static_cast<std::size_t>(match.second)];
        ++first.played;
        ++second.played;
        first.battlesWon += match.winsOf(true);
        first.battlesLost += match.winsOf(false);
        second.battlesWon += match.winsOf(false);
        second.battlesLost += match.winsOf(true);
        Standing& winner = match.winner == match.first ? first : second;
        Standing& loser = match.winner == match.first ? second : first;
        ++winner.wins;
        ++loser.losses;
        if (eliminates(event.setup.format) && loser.losses == lossesToGoOut)
            loser.out = match.round;
    }
    return table;
}

void addOpponentScores(const Event& event, std::vector<Standing>& table)
{
    for (const Match& match : event.matches) {
        if (match.bye())
            continue;
        Standing& first = table[static_cast<std::size_t>(match.first)];
        Standing& second = table[static_cast<std::size_t>(match.second)];
        const int firstWins = first.wins;
        first.buchholz += second.wins;
        second.buchholz += firstWins;
        if (match.winner == match.first)
            first.sonnebornBerger += second.wins;
        else
            second.sonnebornBerger += firstWins;
    }
}

// An exit ranks by its round, later better; those still in rank first.
int exitRank(const Standing& standing)
{
    return standing.out == 0 ? 1 << 30 : standing.out;
}

bool levelOnPoints(const Standing& a, const Standing& b)
{
    return exitRank(a) == exitRank(b) && a.wins == b.wins;
}

// The wins of every entrant of [begin, end) against the others of that range.
void addHeadToHead(const Event& event, std::vector<Standing>::iterator begin, std::vector<Standing>::iterator end)
{
    std::vector<int> tied(event.setup.entrants.size(), -1);
    for (auto it = begin; it != end; ++it)
        tied[static_cast<std::size_t>(it->entrant)] = static_cast<int>(it - begin);
    for (const Match& match : event.matches) {
        if (match.bye() || tied[static_cast<std::size_t>(match.first)] < 0
            || tied[static_cast<std::size_t>(match.second)] < 0)
            continue;
        ++(begin + tied[static_cast<std::size_t>(match.winner)])->headToHead;
    }
}

} // namespace

std::vector<Standing> standings(const Event& event)
{
    std::vector<Standing> table = counted(event);
    addOpponentScores(event, table);
    std::sort(table.begin(), table.end(), [](const Standing& a, const Standing& b) {
        return std::tuple(exitRank(b), b.wins, a.seed) < std::tuple(exitRank(a), a.wins, b.seed);
    });
    for (auto group = table.begin(); group != table.end();) {
        auto end = std::find_if(group, table.end(), [&](const Standing& s) { return !levelOnPoints(*group, s); });
        addHeadToHead(event, group, end);
        std::sort(group, end, [](const Standing& a, const Standing& b) {
            return std::tuple(b.headToHead, b.buchholz, b.sonnebornBerger, a.seed)
                < std::tuple(a.headToHead, a.buchholz, a.sonnebornBerger, b.seed);
        });
        group = end;
    }
    return table;
}

} // namespace pc::tournament
