// SPDX-License-Identifier: GPL-3.0-or-later
#include "BradleyTerry.h"

#include <algorithm>
#include <cmath>

namespace pc::sim {

namespace {

constexpr double kVirtualBattles = 2; // one win and one defeat against the mean
constexpr int kMostSteps = 5000;
constexpr double kSettled = 1e-7; // the largest change of a strength at which the fit stops

} // namespace

double winChance(double a, double b)
{
    return 1 / (1 + std::pow(10.0, (b - a) / 400));
}

std::vector<Rating> fitRatings(const std::vector<Matchup>& matchups, std::vector<double>& strengths)
{
    const std::size_t count = strengths.size();
    std::vector<double> scores(count, kVirtualBattles / 2);
    for (const Matchup& matchup : matchups) {
        scores[matchup.first] += matchup.firstScore();
        scores[matchup.second] += matchup.battles - matchup.firstScore();
    }
    std::vector<double> gamma(count);
    std::vector<double> sums(count);
    for (int step = 0; step < kMostSteps; ++step) {
        for (std::size_t i = 0; i < count; ++i) {
            gamma[i] = std::exp(strengths[i]);
            sums[i] = kVirtualBattles / (gamma[i] + 1);
        }
        for (const Matchup& matchup : matchups) {
            const double share = matchup.battles / (gamma[matchup.first] + gamma[matchup.second]);
            sums[matchup.first] += share;
            sums[matchup.second] += share;
        }
        double change = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const double next = std::log(scores[i] / sums[i]);
            change = std::max(change, std::abs(next - strengths[i]));
            strengths[i] = next;
        }
        if (change < kSettled)
            break;
    }

    // The Fisher information of each strength, the virtual battles included.
    std::vector<double> information(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double p = 1 / (1 + std::exp(-strengths[i]));
        information[i] = kVirtualBattles * p * (1 - p);
    }
    for (const Matchup& matchup : matchups) {
        const double p = 1 / (1 + std::exp(strengths[matchup.second] - strengths[matchup.first]));
        information[matchup.first] += matchup.battles * p * (1 - p);
        information[matchup.second] += matchup.battles * p * (1 - p);
    }
    double mean = 0;
    for (const double strength : strengths)
        mean += strength / static_cast<double>(count);
    std::vector<Rating> ratings(count);
    for (std::size_t i = 0; i < count; ++i)
        ratings[i] = {kEloMean + (strengths[i] - mean) * kEloPerUnit,
                      kZ95Normal * kEloPerUnit / std::sqrt(information[i])};
    return ratings;
}

} // namespace pc::sim
