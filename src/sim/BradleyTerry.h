// SPDX-License-Identifier: GPL-3.0-or-later
// Ratings on the Elo scale fitted to the results of pairings (the
// Bradley–Terry model), with a 95% interval for each.
#pragma once

#include <cstddef>
#include <cstdint>
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

// Fits every entrant's strength by the minorize-maximize iteration. Each
// entrant also holds one virtual win and one virtual defeat against an
// entrant of the mean rating, so an entrant that always wins or always
// loses still gets a finite rating. `strengths`, the natural strengths, is
// the starting point and receives the fit, so a refit after more battles
// starts from the last one. The ratings are centred on 1500; a half-width
// is 1.96 standard errors from the entrant's own Fisher information.
std::vector<Rating> fitRatings(const std::vector<Matchup>& matchups, std::vector<double>& strengths);

} // namespace pc::sim
