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
// A round seeks up to this many matches for each entrant still open, so that
// a round of a few open entrants still keeps the threads busy and earns its refit.
constexpr std::size_t kMostChallenges = 8;
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

// Of a few opponents drawn within `window` places of `place` on the ladder,
// the one whose battles teach most: an even chance and an uncertain rating.
std::uint32_t mostInstructive(const std::vector<Rating>& ratings, const Tally& tally,
                              const std::vector<std::uint32_t>& ladder, std::size_t place, std::size_t window,
                              double precision, Draws& draws)
{
    const std::size_t count = ladder.size();
    const std::uint32_t entrant = ladder[place];
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
    return best;
}

// Each entrant still too uncertain challenges the most instructive opponents
// near it on the ladder, several when few are open. Entrants of equal rating
// are ordered by a draw fixed at the start, so the first round pairs them at random.
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
    std::size_t open = 0;
    for (std::size_t i = 0; i < count; ++i)
        open += openWidth(ratings, tally, i) > precision;
    const std::size_t challenges = std::clamp<std::size_t>(count / (4 * std::max<std::size_t>(open, 1)), 1,
                                                           kMostChallenges);
    std::vector<Match> matches;
    for (std::size_t place = 0; place < count; ++place) {
        const std::uint32_t entrant = ladder[place];
        if (openWidth(ratings, tally, entrant) <= precision)
            continue;
        for (std::size_t challenge = 0; challenge < challenges; ++challenge)
            matches.push_back({entrant, mostInstructive(ratings, tally, ladder, place, window, precision, draws)});
    }
    return matches;
}

Matchup fightMatch(const Match& match, std::uint32_t firstSeed, const LadderPairing& pairing)
{
    const LadderBout asPlayer = pairing(match.first, match.second);
    const LadderBout asEnemy = pairing(match.second, match.first);
    Matchup result{match.first, match.second, kBattlesPerMatch, 0, 0};
    for (std::uint32_t s = 0; s < kSeedsPerMatch; ++s) {
        const Outcome first = asPlayer(firstSeed + s);
        const Outcome second = asEnemy(firstSeed + s);
        result.firstWins += (first == Outcome::victory) + (second == Outcome::defeat);
        result.secondWins += (first == Outcome::defeat) + (second == Outcome::victory);
    }
    return result;
}

// Fights the matches on `jobs` threads; match i gets the seeds from firstSeed + 4 (done + i).
std::vector<Matchup> fightRound(const std::vector<Match>& matches, std::int64_t done, const LadderSetup& setup,
                                const LadderPairing& pairing)
{
    std::vector<Matchup> results(matches.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < matches.size(); i = next++) {
            const auto seed = setup.firstSeed + static_cast<std::uint32_t>((done + i) * kSeedsPerMatch);
            results[i] = fightMatch(matches[i], seed, pairing);
        }
    };
    {
        std::vector<std::jthread> threads;
        for (int t = 1; t < std::min<int>(setup.jobs, static_cast<int>(matches.size())); ++t)
            threads.emplace_back(work);
        work();
    }
    return results;
}

double widest(const std::vector<Rating>& ratings, const Tally& tally)
{
    double most = 0;
    for (std::size_t i = 0; i < ratings.size(); ++i)
        most = std::max(most, openWidth(ratings, tally, i));
    return most;
}

Ladder ladderFrom(const std::vector<Rating>& ratings, const PairResults& results, const Tally& tally)
{
    Ladder ladder;
    for (std::size_t i = 0; i < ratings.size(); ++i)
        ladder.entries.push_back(
            {i, ratings[i], tally.battles[i], tally.wins[i], tierOf(ratings[i].elo), tally.beyondReach(i)});
    ladder.pairs = results.pairs();
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
    std::sort(ladder.disagreements.begin(), ladder.disagreements.end(), [](const Disagreement& a, const Disagreement& b) {
        if (std::abs(a.deviation) != std::abs(b.deviation))
            return std::abs(a.deviation) > std::abs(b.deviation);
        return a.matchup.first != b.matchup.first ? a.matchup.first < b.matchup.first
                                                  : a.matchup.second < b.matchup.second;
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

Ladder runLadder(const LadderSetup& setup, const LadderPairing& pairing, const LadderProgress& progress,
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
    PairResults results(count);
    std::vector<Rating> ratings = fitRatings(results, strengths);
    Tally tally(count);
    std::int64_t matches = 0;
    bool settled = widest(ratings, tally) <= setup.precision;
    while (!settled && !(cancel && cancel->load())) {
        const std::int64_t left = budget - matches * kBattlesPerMatch;
        std::vector<Match> round = roundOfMatches(ratings, tally, order, setup.precision, draws);
        round.resize(std::min<std::size_t>(round.size(), static_cast<std::size_t>(left / kBattlesPerMatch)));
        if (round.empty())
            break;
        std::vector<std::uint32_t> changed;
        for (const Matchup& result : fightRound(round, matches, setup, pairing)) {
            tally.add(result);
            results.add(result);
            changed.insert(changed.end(), {result.first, result.second});
        }
        matches += static_cast<std::int64_t>(round.size());
        ratings = refitRatings(results, strengths, changed);
        settled = widest(ratings, tally) <= setup.precision;
        if (settled) { // the ratings moved by one round alone; settled only once fitted in full
            ratings = fitRatings(results, strengths);
            settled = widest(ratings, tally) <= setup.precision;
        }
        if (progress)
            progress(matches * kBattlesPerMatch, widest(ratings, tally));
    }
    if (!settled)
        ratings = fitRatings(results, strengths);
    Ladder ladder = ladderFrom(ratings, results, tally);
    ladder.settled = settled;
    return ladder;
}

Ladder runLadder(const LadderSetup& setup, const LadderFight& fight, const LadderProgress& progress,
                 const std::atomic<bool>* cancel)
{
    const LadderPairing pairing = [&fight](std::size_t player, std::size_t enemy) {
        return LadderBout([&fight, player, enemy](std::uint32_t seed) { return fight(player, enemy, seed); });
    };
    return runLadder(setup, pairing, progress, cancel);
}

} // namespace pc::sim
