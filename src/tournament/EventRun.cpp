// SPDX-License-Identifier: GPL-3.0-or-later
#include "EventRun.h"

#include "tournament/Pairing.h"
#include "tournament/Standings.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <thread>

namespace pc::tournament {

namespace {

bool sameMatch(const Match& a, const Match& b)
{
    return a.round == b.round && a.index == b.index && a.first == b.first && a.second == b.second && a.winner >= 0;
}

const Match* recordedMatch(const std::vector<Match>& recorded, const Match& match)
{
    for (const Match& candidate : recorded) {
        if (sameMatch(candidate, match))
            return &candidate;
    }
    return nullptr;
}

bool beforeInOrder(const Match& a, const Match& b)
{
    return std::pair(a.round, a.index) < std::pair(b.round, b.index);
}

} // namespace

int decidedWinner(const Match& match, const Event& event)
{
    if (match.bye())
        return match.first;
    const int first = match.winsOf(true);
    const int second = match.winsOf(false);
    const int needed = event.setup.bestOf / 2 + 1;
    if (std::max(first, second) < needed && static_cast<int>(match.battles.size()) < 2 * event.setup.bestOf)
        return -1;
    const bool firstWins = first != second
        ? first > second
        : event.seedOf[static_cast<std::size_t>(match.first)] < event.seedOf[static_cast<std::size_t>(match.second)];
    return firstWins ? match.first : match.second;
}

void playMatch(Match& match, const Event& event, const BattleFight& fight)
{
    match.battles.clear();
    for (int k = 0; (match.winner = decidedWinner(match, event)) < 0; ++k) {
        const bool firstIsPlayer = k % 2 == 0;
        const std::uint32_t seed = battleSeed(event.setup.seed, match.round, match.index, k);
        BattleRecord battle = firstIsPlayer ? fight(match.first, match.second, seed)
                                            : fight(match.second, match.first, seed);
        battle.seed = seed;
        battle.firstIsPlayer = firstIsPlayer;
        match.battles.push_back(battle);
    }
}

bool playEvent(Event& event, const std::vector<Match>& recorded, const FightMaker& makeFight, int jobs,
               const MatchDone& done, const std::atomic<bool>* cancel)
{
    const auto cancelled = [&] { return cancel && cancel->load(); };
    for (int round = event.lastRound() + 1; !cancelled(); ++round) {
        std::vector<Match> matches = pairRound(event, round);
        if (matches.empty())
            return true;
        std::mutex mutex;
        std::vector<Match> finished;
        // Recorded matches and byes are told along with the next fought match.
        const auto finish = [&](const Match& match, bool fought) {
            std::lock_guard lock(mutex);
            finished.push_back(match);
            if (!done || !fought)
                return;
            Event sofar = event;
            sofar.matches.insert(sofar.matches.end(), finished.begin(), finished.end());
            std::sort(sofar.matches.begin(), sofar.matches.end(), beforeInOrder);
            done(sofar, match);
        };
        std::vector<std::size_t> toFight;
        for (std::size_t i = 0; i < matches.size(); ++i) {
            if (const Match* known = recordedMatch(recorded, matches[i]))
                matches[i] = *known;
            else if (!matches[i].bye())
                toFight.push_back(i);
            if (toFight.empty() || toFight.back() != i)
                finish(matches[i], false);
        }
        std::atomic<std::size_t> next{0};
        const auto work = [&] {
            const BattleFight fight = makeFight();
            for (std::size_t n = next++; n < toFight.size() && !cancelled(); n = next++) {
                Match& match = matches[toFight[n]];
                playMatch(match, event, fight);
                finish(match, true);
            }
        };
        {
            std::vector<std::jthread> threads;
            for (int j = 1; j < std::min<int>(jobs, static_cast<int>(toFight.size())); ++j)
                threads.emplace_back(work);
            work();
        }
        if (cancelled())
            return false;
        event.matches.insert(event.matches.end(), matches.begin(), matches.end());
    }
    return false;
}

bool eventOver(const Event& event)
{
    return pairRound(event, event.lastRound() + 1).empty();
}

int champion(const Event& event)
{
    return eventOver(event) ? standings(event).front().entrant : -1;
}

const Match* closestMatch(const Event& event)
{
    const Match* closest = nullptr;
    const auto margin = [](const Match& m) { return std::abs(m.winsOf(true) - m.winsOf(false)); };
    for (const Match& match : event.matches) {
        if (match.bye())
            continue;
        if (!closest || margin(match) < margin(*closest)
            || (margin(match) == margin(*closest) && match.battles.size() > closest->battles.size()))
            closest = &match;
    }
    return closest;
}

} // namespace pc::tournament
