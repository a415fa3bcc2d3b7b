// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pairing.h"

#include "tournament/Standings.h"

#include <algorithm>

namespace pc::tournament {

namespace {

Match paired(int round, std::size_t index, int first, int second, Bracket bracket = Bracket::main)
{
    Match match;
    match.round = round;
    match.index = static_cast<int>(index);
    match.first = first == kBye ? second : first;
    match.second = first == kBye ? kBye : second;
    match.bracket = bracket;
    if (match.bye())
        match.winner = match.first;
    return match;
}

void append(std::vector<Match>& matches, int round, int first, int second, Bracket bracket = Bracket::main)
{
    matches.push_back(paired(round, matches.size(), first, second, bracket));
}

std::vector<Match> roundRobin(const Event& event, int round)
{
    const std::size_t size = event.seeds.size() + event.seeds.size() % 2;
    const int perLeg = static_cast<int>(size) - 1;
    if (round > perLeg * event.setup.legs)
        return {};
    const int turn = (round - 1) % perLeg;
    const bool secondLeg = round > perLeg;
    // Seat 0 stays; the others turn one seat a round.
    std::vector<int> seats(size, kBye);
    seats[0] = event.seeds[0];
    for (std::size_t seat = 1; seat < size; ++seat) {
        const std::size_t place = 1 + (seat - 1 + static_cast<std::size_t>(turn)) % (size - 1);
        seats[seat] = place < event.seeds.size() ? event.seeds[place] : kBye;
    }
    std::vector<Match> matches;
    for (std::size_t i = 0; i < size / 2; ++i) {
        int first = seats[i];
        int second = seats[size - 1 - i];
        // The fixed seat takes each side in turn.
        if ((i == 0 && turn % 2 == 1) != secondLeg)
            std::swap(first, second);
        append(matches, round, first, second);
    }
    return matches;
}

// Seed places in bracket order: 1 v 8, 4 v 5, 2 v 7, 3 v 6 for eight.
std::vector<int> bracketOrder(std::size_t size)
{
    std::vector<int> order{0};
    while (order.size() < size) {
        const int twice = static_cast<int>(order.size() * 2);
        std::vector<int> next;
        for (const int place : order) {
            next.push_back(place);
            next.push_back(twice - 1 - place);
        }
        order = std::move(next);
    }
    return order;
}

std::vector<Match> openingBracket(const Event& event)
{
    std::size_t size = 1;
    while (size < event.seeds.size())
        size *= 2;
    const std::vector<int> order = bracketOrder(size);
    std::vector<Match> matches;
    for (std::size_t i = 0; i < size; i += 2) {
        const auto entrantAt = [&](int place) {
            return static_cast<std::size_t>(place) < event.seeds.size() ? event.seeds[static_cast<std::size_t>(place)]
                                                                         : kBye;
        };
        append(matches, 1, entrantAt(order[i]), entrantAt(order[i + 1]));
    }
    return matches;
}

// The winners of the last round's matches of `bracket`, in match order.
std::vector<int> lastWinners(const Event& event, Bracket bracket)
{
    std::vector<int> winners;
    for (int round = event.lastRound(); round > 0 && winners.empty(); --round) {
        for (const Match* match : event.roundMatches(round)) {
            if (match->bracket == bracket)
                winners.push_back(match->winner);
        }
    }
    return winners;
}

void pairNeighbours(std::vector<Match>& matches, int round, const std::vector<int>& entrants, Bracket bracket)
{
    for (std::size_t i = 0; i + 1 < entrants.size(); i += 2)
        append(matches, round, entrants[i], entrants[i + 1], bracket);
}

std::vector<Match> singleElimination(const Event& event, int round)
{
    if (round == 1)
        return openingBracket(event);
    const std::vector<int> winners = lastWinners(event, Bracket::main);
    std::vector<Match> matches;
    if (winners.size() > 1)
        pairNeighbours(matches, round, winners, Bracket::main);
    return matches;
}

std::vector<int> countedByes(const Event& event)
{
    std::vector<int> byes(event.seeds.size(), 0);
    for (const Match& match : event.matches)
        byes[static_cast<std::size_t>(match.first)] += match.bye() ? 1 : 0;
    return byes;
}

// Takes the bye out of `ranked` (best first): the lowest-ranked entrant without one, else the lowest.
int takeBye(std::vector<int>& ranked, const std::vector<int>& byes)
{
    auto chosen = std::find_if(ranked.rbegin(), ranked.rend(),
                               [&](int entrant) { return byes[static_cast<std::size_t>(entrant)] == 0; });
    if (chosen == ranked.rend())
        chosen = ranked.rbegin();
    const int entrant = *chosen;
    ranked.erase(std::next(chosen).base());
    return entrant;
}

std::vector<Match> doubleElimination(const Event& event, int round)
{
    if (round == 1)
        return openingBracket(event);
    std::vector<int> losses(event.seeds.size(), 0);
    for (const Match& match : event.matches) {
        if (!match.bye())
            ++losses[static_cast<std::size_t>(match.loser())];
    }
    std::vector<int> unbeaten = lastWinners(event, Bracket::main);
    std::erase_if(unbeaten, [&](int entrant) { return losses[static_cast<std::size_t>(entrant)] > 0; });
    std::vector<int> beatenOnce;
    for (const int entrant : event.seeds) {
        if (losses[static_cast<std::size_t>(entrant)] == 1)
            beatenOnce.push_back(entrant);
    }
    std::vector<Match> matches;
    if (unbeaten.size() + beatenOnce.size() <= 1)
        return matches;
    if (unbeaten.size() == 1 && beatenOnce.size() == 1) {
        append(matches, round, unbeaten[0], beatenOnce[0], Bracket::final);
        return matches;
    }
    const bool finalAgain = unbeaten.empty() && beatenOnce.size() == 2
        && event.roundMatches(round - 1).front()->bracket == Bracket::final;
    if (finalAgain) {
        const Match& final = *event.roundMatches(round - 1).front();
        append(matches, round, final.first, final.second, Bracket::final);
        return matches;
    }
    if (unbeaten.size() > 1)
        pairNeighbours(matches, round, unbeaten, Bracket::main);
    if (beatenOnce.size() > 1) {
        if (beatenOnce.size() % 2 == 1)
            append(matches, round, takeBye(beatenOnce, countedByes(event)), kBye, Bracket::losers);
        for (std::size_t i = 0; i < beatenOnce.size() / 2; ++i)
            append(matches, round, beatenOnce[i], beatenOnce[beatenOnce.size() - 1 - i], Bracket::losers);
    }
    return matches;
}

// Pairs `ranked` from the top, each with the nearest it has not met; gives up
// after `budget` tries. The pairs are appended to `pairs` in order.
bool pairUnmet(std::vector<int>& ranked, const std::vector<std::vector<bool>>& met,
               std::vector<std::pair<int, int>>& pairs, long& budget)
{
    if (ranked.empty())
        return true;
    const int top = ranked.front();
    for (std::size_t j = 1; j < ranked.size() && --budget > 0; ++j) {
        const int other = ranked[j];
        if (met[static_cast<std::size_t>(top)][static_cast<std::size_t>(other)])
            continue;
        std::vector<int> rest(ranked.begin() + 1, ranked.end());
        rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(j - 1));
        pairs.emplace_back(top, other);
        if (pairUnmet(rest, met, pairs, budget))
            return true;
        pairs.pop_back();
    }
    return false;
}

std::vector<Match> swiss(const Event& event, int round)
{
    const std::size_t count = event.seeds.size();
    const int rounds = event.setup.rounds > 0 ? event.setup.rounds : defaultSwissRounds(count);
    if (round > rounds)
        return {};
    std::vector<std::vector<bool>> met(count, std::vector<bool>(count, false));
    std::vector<int> firsts(count, 0);
    for (const Match& match : event.matches) {
        if (match.bye())
            continue;
        met[static_cast<std::size_t>(match.first)][static_cast<std::size_t>(match.second)] = true;
        met[static_cast<std::size_t>(match.second)][static_cast<std::size_t>(match.first)] = true;
        ++firsts[static_cast<std::size_t>(match.first)];
    }
    std::vector<int> ranked;
    for (const Standing& standing : standings(event))
        ranked.push_back(standing.entrant);
    std::vector<Match> matches;
    int bye = kBye;
    if (count % 2 == 1)
        bye = takeBye(ranked, countedByes(event));
    std::vector<std::pair<int, int>> pairs;
    long budget = 2'000'000;
    if (!pairUnmet(ranked, met, pairs, budget))
        return {};
    for (auto [first, second] : pairs) {
        if (firsts[static_cast<std::size_t>(second)] < firsts[static_cast<std::size_t>(first)])
            std::swap(first, second);
        append(matches, round, first, second);
    }
    if (bye != kBye)
        append(matches, round, bye, kBye);
    return matches;
}

std::vector<Match> gauntlet(const Event& event, int round)
{
    if (static_cast<std::size_t>(round) >= event.seeds.size())
        return {};
    const int challenger = event.seeds[0];
    const int other = event.seeds[static_cast<std::size_t>(round)];
    std::vector<Match> matches;
    if (round % 2 == 1)
        append(matches, round, challenger, other);
    else
        append(matches, round, other, challenger);
    return matches;
}

} // namespace

int defaultSwissRounds(std::size_t entrants)
{
    int rounds = 0;
    while ((std::size_t{1} << rounds) < entrants)
        ++rounds;
    return std::max(rounds, 1);
}

std::vector<Match> pairRound(const Event& event, int round)
{
    switch (event.setup.format) {
    case Format::roundRobin:
        return roundRobin(event, round);
    case Format::singleElimination:
        return singleElimination(event, round);
    case Format::doubleElimination:
        return doubleElimination(event, round);
    case Format::swiss:
        return swiss(event, round);
    case Format::gauntlet:
        return gauntlet(event, round);
    }
    return {};
}

} // namespace pc::tournament
