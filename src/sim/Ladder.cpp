// SPDX-License-Identifier: GPL-3.0-or-later
#include "Ladder.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <thread>

namespace pc::sim {

namespace {

constexpr std::size_t kWindow = 12;    // opponents are drawn from this far up or down the ladder
constexpr int kCandidates = 4;         // of which the most instructive is taken
constexpr std::size_t kDisagreements = 10;
constexpr double kSurprise = 2.5;      // standard deviations from the expected score

// SplitMix64: a small generator that draws the same on every platform.
class Draws {
public:
    explicit Draws(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t bound) { return static_cast<std::size_t>(next() % bound); }

private:
    std::uint64_t state_;
};

struct Match {
    std::uint32_t first;
    std::uint32_t second;
};

// Each entrant's battles and wins so far.
struct Tally {
    std::vector<std::int64_t> battles;
    std::vector<std::int64_t> wins;

    explicit Tally(std::size_t count) : battles(count), wins(count) {}
    void add(const Matchup& m)
    {
        battles[m.first] += m.battles;
        battles[m.second] += m.battles;
        wins[m.first] += m.firstWins;
        wins[m.second] += m.secondWins;
    }
    bool beyondReach(std::size_t i) const
    {
        return battles[i] >= kDecidingBattles && (wins[i] == 0 || wins[i] == battles[i]);
    }
};

// The rating's half-width, or none for an entrant whose rating is only a bound.
double openWidth(const std::vector<Rating>& ratings, const Tally& tally, std::size_t i)
{
    return tally.beyondReach(i) ? 0 : ratings[i].halfWidth;
}

// Each entrant still too uncertain challenges the opponent, among a few drawn
// near it on the ladder, whose battles teach most: an even chance and an
// uncertain rating. Entrants of equal rating are ordered by a draw fixed at the
// start, so the first round pairs them at random.
std::vector<Match> roundOfMatches(const std::vector<Rating>& ratings, const Tally& tally,
                                  const std::vector<std::uint64_t>& order, double precision, Draws& draws)
{
    const std::size_t count = ratings.size();
    if (count < 2)
        return {};
    std::vector<std::uint32_t> ladder(count);
    std::iota(ladder.begin(), ladder.end(), 0U);
    std::sort(ladder.begin(), ladder.end(), [&](std::uint32_t a, std::uint32_t b) {
        return ratings[a].elo != ratings[b].elo ? ratings[a].elo > ratings[b].elo : order[a] < order[b];
    });
    const std::size_t window = std::min(kWindow, count - 1);
    std::vector<Match> matches;
    for (std::size_t place = 0; place < count; ++place) {
        const std::uint32_t entrant = ladder[place];
        if (openWidth(ratings, tally, entrant) <= precision)
            continue;
        std::uint32_t best = entrant;
        double bestValue = -1;
        for (int c = 0; c < kCandidates; ++c) {
            const std::size_t low = place >= window ? place - window : 0;
            const std::size_t high = std::min(count - 1, place + window);
            std::size_t other = low + draws.below(high - low);
            other += other >= place; // never the entrant itself
            const std::uint32_t opponent = ladder[other];
            const double p = winChance(ratings[entrant].elo, ratings[opponent].elo);
            const double value = p * (1 - p) * std::max(openWidth(ratings, tally, opponent), precision);
            if (value > bestValue) {
                bestValue = value;
                best = opponent;
            }
        }
        matches.push_back({entrant, best});
    }
    return matches;
}

Matchup fightMatch(const Match& match, std::uint32_t firstSeed, const LadderFight& fight)
{
    Matchup result{match.first, match.second, kBattlesPerMatch, 0, 0};
    for (std::uint32_t s = 0; s < kSeedsPerMatch; ++s) {
        const std::uint32_t seed = firstSeed + s;
        const Outcome asPlayer = fight(match.first, match.second, seed);
        const Outcome asEnemy = fight(match.second, match.first, seed);
        result.firstWins += (asPlayer == Outcome::victory) + (asEnemy == Outcome::defeat);
        result.secondWins += (asPlayer == Outcome::defeat) + (asEnemy == Outcome::victory);
    }
    return result;
}

// Fights the matches on `jobs` threads; match i gets the seeds from firstSeed + 4 (done + i).
void fightRound(const std::vector<Match>& matches, std::size_t done, const LadderSetup& setup,
                const LadderFight& fight, std::vector<Matchup>& into)
{
    const std::size_t start = into.size();
    into.resize(start + matches.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < matches.size(); i = next++) {
            const auto seed = setup.firstSeed + static_cast<std::uint32_t>((done + i) * kSeedsPerMatch);
            into[start + i] = fightMatch(matches[i], seed, fight);
        }
    };
    std::vector<std::jthread> threads;
    for (int t = 1; t < std::min<int>(setup.jobs, static_cast<int>(matches.size())); ++t)
        threads.emplace_back(work);
    work();
}

double widest(const std::vector<Rating>& ratings, const Tally& tally)
{
    double most = 0;
    for (std::size_t i = 0; i < ratings.size(); ++i)
        most = std::max(most, openWidth(ratings, tally, i));
    return most;
}

// The matchups of every pair of entrants summed, the first entrant the lower index.
std::vector<Matchup> byPair(std::vector<Matchup> matchups)
{
    for (Matchup& m : matchups) {
        if (m.first > m.second) {
            std::swap(m.first, m.second);
            std::swap(m.firstWins, m.secondWins);
        }
    }
    std::sort(matchups.begin(), matchups.end(), [](const Matchup& a, const Matchup& b) {
        return a.first != b.first ? a.first < b.first : a.second < b.second;
    });
    std::vector<Matchup> pairs;
    for (const Matchup& m : matchups) {
        if (!pairs.empty() && pairs.back().first == m.first && pairs.back().second == m.second) {
            pairs.back().battles += m.battles;
            pairs.back().firstWins += m.firstWins;
            pairs.back().secondWins += m.secondWins;
        } else {
            pairs.push_back(m);
        }
    }
    return pairs;
}

Ladder ladderFrom(const std::vector<Rating>& ratings, const std::vector<Matchup>& matchups)
{
    Ladder ladder;
    Tally tally(ratings.size());
    for (const Matchup& m : matchups)
        tally.add(m);
    for (std::size_t i = 0; i < ratings.size(); ++i)
        ladder.entries.push_back(
            {i, ratings[i], tally.battles[i], tally.wins[i], tierOf(ratings[i].elo), tally.beyondReach(i)});
    ladder.pairs = byPair(matchups);
    for (const Matchup& m : ladder.pairs) {
        ladder.battles += m.battles;
        const double p = winChance(ratings[m.first].elo, ratings[m.second].elo);
        const double expected = m.battles * p;
        const double deviation = (m.firstScore() - expected) / std::sqrt(m.battles * p * (1 - p));
        if (std::abs(deviation) >= kSurprise)
            ladder.disagreements.push_back({m, expected, deviation});
    }
    std::stable_sort(ladder.entries.begin(), ladder.entries.end(),
                     [](const LadderEntry& a, const LadderEntry& b) { return a.rating.elo > b.rating.elo; });
    std::stable_sort(ladder.disagreements.begin(), ladder.disagreements.end(),
                     [](const Disagreement& a, const Disagreement& b) {
                         return std::abs(a.deviation) > std::abs(b.deviation);
                     });
    if (ladder.disagreements.size() > kDisagreements)
        ladder.disagreements.resize(kDisagreements);
    return ladder;
}

} // namespace

char tierOf(double elo)
{
    return elo >= 1700 ? 'S' : elo >= 1600 ? 'A' : elo >= 1400 ? 'B' : elo >= 1300 ? 'C' : 'D';
}

Ladder ladderOf(std::size_t entrants, const std::vector<Matchup>& matchups)
{
    std::vector<double> strengths(entrants);
    return ladderFrom(fitRatings(matchups, strengths), matchups);
}

Ladder runLadder(const LadderSetup& setup, const LadderFight& fight, const LadderProgress& progress,
                 const std::atomic<bool>* cancel)
{
    const std::size_t count = setup.entrants;
    const std::int64_t budget = setup.maxBattles > 0 ? setup.maxBattles
                                                     : kLadderBattlesPerEntrant * static_cast<std::int64_t>(count);
    Draws draws(setup.firstSeed);
    std::vector<std::uint64_t> order(count);
    for (std::uint64_t& key : order)
        key = draws.next();
    std::vector<double> strengths(count);
    std::vector<Matchup> matchups;
    std::vector<Rating> ratings = fitRatings(matchups, strengths);
    Tally tally(count);
    bool settled = widest(ratings, tally) <= setup.precision;
    while (!settled && !(cancel && cancel->load())) {
        const std::int64_t left = budget - static_cast<std::int64_t>(matchups.size() * kBattlesPerMatch);
        std::vector<Match> matches = roundOfMatches(ratings, tally, order, setup.precision, draws);
        matches.resize(std::min<std::size_t>(matches.size(), static_cast<std::size_t>(left / kBattlesPerMatch)));
        if (matches.empty())
            break;
        const std::size_t before = matchups.size();
        fightRound(matches, before, setup, fight, matchups);
        for (std::size_t i = before; i < matchups.size(); ++i)
            tally.add(matchups[i]);
        ratings = fitRatings(matchups, strengths);
        settled = widest(ratings, tally) <= setup.precision;
        if (progress)
            progress(static_cast<std::int64_t>(matchups.size() * kBattlesPerMatch), widest(ratings, tally));
    }
    Ladder ladder = ladderFrom(ratings, matchups);
    ladder.settled = settled;
    return ladder;
}

} // namespace pc::sim
