// SPDX-License-Identifier: GPL-3.0-or-later
// Ratings on the Elo scale fitted to the results of pairings (the
// Bradley–Terry model), with a 95% interval for each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace pc::sim {

// Battles between two entrants, on both sides together.
struct Matchup {
    std::uint32_t first = 0; // entrant indices
    std::uint32_t second = 0;
    std::uint32_t battles = 0;
    std::uint32_t firstWins = 0;
    std::uint32_t secondWins = 0; // the rest were drawn: nobody able to act, or no end

    // The first entrant's score: its wins and half of the drawn battles.
    double firstScore() const { return firstWins + 0.5 * (battles - firstWins - secondWins); }
};

// The battles of every pair of entrants that met, summed: what the fit reads,
// however many matches were fought.
class PairResults {
public:
    explicit PairResults(std::size_t entrants) : byEntrant_(entrants) {}

    void add(Matchup matchup);
    std::size_t entrants() const { return byEntrant_.size(); }
    // One per pair, the lower entrant index first, in the order the pairs first met.
    const std::vector<Matchup>& pairs() const { return pairs_; }
    // The indices into pairs() of the entrant's pairs.
    const std::vector<std::uint32_t>& pairsOf(std::size_t entrant) const { return byEntrant_[entrant]; }

private:
    std::vector<Matchup> pairs_;
    std::vector<std::vector<std::uint32_t>> byEntrant_;
    std::unordered_map<std::uint64_t, std::uint32_t> index_;
};

inline constexpr double kEloMean = 1500;
// Elo points per unit of the model's natural strength: 400 / ln 10.
inline constexpr double kEloPerUnit = 173.71779276130073;
// The 95% quantile of the normal distribution, both tails.
inline constexpr double kZ95Normal = 1.959963984540054;

// The chance that an entrant of rating `a` beats one of rating `b`.
double winChance(double a, double b);

struct Rating {
    double elo = kEloMean;
    double halfWidth = 0; // of the 95% interval
};

// Fits every entrant's strength by maximum likelihood: sweeps that move each
// strength by a Newton step against its opponents as they stand, then Newton
// steps of all together, which move long stretches of the ladder at once,
// until nothing moves. Each entrant also holds one virtual win and one
// virtual defeat against an entrant of the mean rating, so an entrant that
// always wins or always loses still gets a finite rating. `strengths`, the
// natural strengths, is the starting point and receives the fit. The ratings
// are centred on 1500; a half-width is 1.96 standard errors from the
// entrant's own Fisher information.
std::vector<Rating> fitRatings(const PairResults& results, std::vector<double>& strengths);

// Takes a few more battles into `strengths`, fitted before them: the entrants
// `changed` (whose results changed) and the opponents of those that move are
// moved one at a time until none moves by more than about 0.02 Elo.
std::vector<Rating> refitRatings(const PairResults& results, std::vector<double>& strengths,
                                 const std::vector<std::uint32_t>& changed);

} // namespace pc::sim
