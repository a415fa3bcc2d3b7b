// SPDX-License-Identifier: GPL-3.0-or-later
#include "BradleyTerry.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace pc::sim {

namespace {

constexpr double kVirtualBattles = 2; // one win and one defeat against the mean
constexpr double kSettled = 1e-7;     // the largest change of a strength at which the fit stops
constexpr double kQuickSettled = 1e-3;
constexpr int kSweeps = 40;
constexpr int kRefitSweeps = 8; // a refit's work, in sweeps; the next round's refit goes on from it
constexpr int kMostNewtonSteps = 50;
constexpr double kLongestStep = 1; // a step further than this is not trusted without a check
constexpr double kFarthest = 600;  // strengths stay where their exponentials are finite
constexpr double kSolved = 1e-10;  // the residual, relative to the first, at which a Newton step is solved

double logistic(double x)
{
    return 1 / (1 + std::exp(-x));
}

// log(logistic(x)), without overflow either way.
double logLogistic(double x)
{
    return x > 0 ? -std::log1p(std::exp(-x)) : x - std::log1p(std::exp(x));
}

// What the fit reads: the summed results, each entrant's score, and each
// entrant's opponents with the battles against them laid out one after the
// other, so that a sweep reads its memory in order.
struct Problem {
    const PairResults& results;
    std::vector<double> scores;
    std::vector<std::size_t> firstOpponent; // of entrant i at firstOpponent[i], up to firstOpponent[i + 1]
    std::vector<std::uint32_t> opponents;
    std::vector<double> battles;

    explicit Problem(const PairResults& r)
        : results(r), scores(r.entrants(), kVirtualBattles / 2), firstOpponent(r.entrants() + 1),
          opponents(2 * r.pairs().size()), battles(2 * r.pairs().size())
    {
        for (std::size_t i = 0; i < r.entrants(); ++i)
            firstOpponent[i + 1] = firstOpponent[i] + r.pairsOf(i).size();
        for (std::size_t i = 0; i < r.entrants(); ++i) {
            std::size_t at = firstOpponent[i];
            for (const std::uint32_t k : r.pairsOf(i)) {
                const Matchup& m = r.pairs()[k];
                opponents[at] = m.first == i ? m.second : m.first;
                battles[at++] = m.battles;
                scores[i] += m.first == i ? m.firstScore() : m.battles - m.firstScore();
            }
        }
    }

    double logLikelihood(const std::vector<double>& strengths) const
    {
        double sum = 0;
        for (const double s : strengths)
            sum += kVirtualBattles / 2 * (logLogistic(s) + logLogistic(-s));
        for (const Matchup& m : results.pairs()) {
            const double d = strengths[m.first] - strengths[m.second];
            sum += m.firstScore() * logLogistic(d) + (m.battles - m.firstScore()) * logLogistic(-d);
        }
        return sum;
    }
};

// An entrant's expected score and Fisher information at the strengths whose
// exponentials are `gamma`, the virtual battles included.
struct Expectation {
    double score = 0;
    double information = 0;
};

Expectation expectationOf(const Problem& problem, const std::vector<double>& gamma, std::size_t i)
{
    // p (1 - p) as a product of the two chances, so that a near-certain result
    // still counts for a little instead of nothing.
    double p = gamma[i] / (gamma[i] + 1);
    Expectation e{kVirtualBattles * p, kVirtualBattles * p / (gamma[i] + 1)};
    for (std::size_t k = problem.firstOpponent[i]; k < problem.firstOpponent[i + 1]; ++k) {
        const double other = gamma[problem.opponents[k]];
        p = gamma[i] / (gamma[i] + other);
        e.score += problem.battles[k] * p;
        e.information += problem.battles[k] * p * (other / (gamma[i] + other));
    }
    return e;
}

// Moves one strength to the best for its opponents as they stand (a Newton
// step on it alone); returns how far it moved.
double settleOne(const Problem& problem, std::vector<double>& strengths, std::vector<double>& gamma, std::size_t i)
{
    const Expectation e = expectationOf(problem, gamma, i);
    const double step = std::clamp((problem.scores[i] - e.score) / e.information, -kLongestStep, kLongestStep);
    strengths[i] = std::clamp(strengths[i] + step, -kFarthest, kFarthest);
    gamma[i] = std::exp(strengths[i]);
    return std::abs(step);
}

std::vector<double> exponentials(const std::vector<double>& strengths)
{
    std::vector<double> gamma(strengths.size());
    std::transform(strengths.begin(), strengths.end(), gamma.begin(), [](double s) { return std::exp(s); });
    return gamma;
}

// Sweeps over every entrant until none moves by kSettled or the sweeps run out.
void sweep(const Problem& problem, std::vector<double>& strengths)
{
    std::vector<double> gamma = exponentials(strengths);
    for (int round = 0; round < kSweeps; ++round) {
        double change = 0;
        for (std::size_t i = 0; i < strengths.size(); ++i)
            change = std::max(change, settleOne(problem, strengths, gamma, i));
        if (change < kSettled)
            return;
    }
}

// Settles the entrants in `queue`, then the opponents of every one that moved,
// and theirs, until none moves by kQuickSettled: new battles move the
// strengths near the entrants that fought them, and little beyond.
void settleFrom(const Problem& problem, std::vector<double>& strengths, std::vector<std::uint32_t> queue)
{
    std::vector<double> gamma = exponentials(strengths);
    std::vector<char> queued(strengths.size());
    std::erase_if(queue, [&](std::uint32_t i) { return std::exchange(queued[i], 1) != 0; });
    const std::size_t most = kRefitSweeps * strengths.size();
    for (std::size_t head = 0; head < queue.size() && head < most; ++head) {
        const std::uint32_t i = queue[head];
        queued[i] = 0;
        if (settleOne(problem, strengths, gamma, i) < kQuickSettled)
            continue;
        for (std::size_t k = problem.firstOpponent[i]; k < problem.firstOpponent[i + 1]; ++k) {
            const std::uint32_t other = problem.opponents[k];
            if (!std::exchange(queued[other], 1))
                queue.push_back(other);
        }
    }
}

double dot(const std::vector<double>& a, const std::vector<double>& b)
{
    return std::inner_product(a.begin(), a.end(), b.begin(), 0.0);
}

// The Newton step of every strength together: the information matrix (a
// weighted graph of the pairs, the virtual battles on its diagonal) solved
// against the gradient by conjugate gradients, preconditioned by its diagonal.
std::vector<double> newtonStep(const Problem& problem, const std::vector<double>& strengths)
{
    const std::size_t count = strengths.size();
    const std::vector<Matchup>& pairs = problem.results.pairs();
    std::vector<double> weights(pairs.size());
    std::vector<double> own(count);
    std::vector<double> residual(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double p = logistic(strengths[i]);
        own[i] = kVirtualBattles * p * logistic(-strengths[i]);
        residual[i] = problem.scores[i] - kVirtualBattles * p;
    }
    std::vector<double> diagonal = own;
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        const Matchup& m = pairs[k];
        const double p = logistic(strengths[m.first] - strengths[m.second]);
        weights[k] = m.battles * p * logistic(strengths[m.second] - strengths[m.first]);
        diagonal[m.first] += weights[k];
        diagonal[m.second] += weights[k];
        residual[m.first] -= m.battles * p;
        residual[m.second] -= m.battles * (1 - p);
    }
    const auto times = [&](const std::vector<double>& x, std::vector<double>& into) {
        for (std::size_t i = 0; i < count; ++i)
            into[i] = own[i] * x[i];
        for (std::size_t k = 0; k < pairs.size(); ++k) {
            const double t = weights[k] * (x[pairs[k].first] - x[pairs[k].second]);
            into[pairs[k].first] += t;
            into[pairs[k].second] -= t;
        }
    };
    std::vector<double> step(count);
    std::vector<double> z(count);
    for (std::size_t i = 0; i < count; ++i)
        z[i] = residual[i] / diagonal[i];
    std::vector<double> direction = z;
    std::vector<double> product(count);
    double rz = dot(residual, z);
    const double first = std::sqrt(dot(residual, residual));
    for (std::size_t iteration = 0; iteration < 4 * count + 100; ++iteration) {
        if (std::sqrt(dot(residual, residual)) <= kSolved * first)
            break;
        times(direction, product);
        const double alpha = rz / dot(direction, product);
        for (std::size_t i = 0; i < count; ++i) {
            step[i] += alpha * direction[i];
            residual[i] -= alpha * product[i];
            z[i] = residual[i] / diagonal[i];
        }
        const double next = dot(residual, z);
        for (std::size_t i = 0; i < count; ++i)
            direction[i] = z[i] + next / rz * direction[i];
        rz = next;
    }
    return step;
}

// Newton steps until no strength moves; a long step is halved until it gains.
void solve(const Problem& problem, std::vector<double>& strengths)
{
    for (int n = 0; n < kMostNewtonSteps; ++n) {
        const std::vector<double> step = newtonStep(problem, strengths);
        double longest = 0;
        for (const double s : step)
            longest = std::max(longest, std::abs(s));
        std::vector<double> tried(strengths.size());
        const double before = longest > kLongestStep ? problem.logLikelihood(strengths) : 0;
        for (double share = 1; share > 1e-6; share /= 2) {
            for (std::size_t i = 0; i < strengths.size(); ++i)
                tried[i] = std::clamp(strengths[i] + share * step[i], -kFarthest, kFarthest);
            if (longest * share <= kLongestStep || problem.logLikelihood(tried) >= before)
                break;
        }
        strengths = tried;
        if (longest < kSettled)
            return;
    }
}

// The strengths on the Elo scale, centred on 1500, with their intervals.
std::vector<Rating> ratingsOf(const Problem& problem, const std::vector<double>& strengths)
{
    const std::size_t count = strengths.size();
    const std::vector<double> gamma = exponentials(strengths);
    double mean = 0;
    for (const double s : strengths)
        mean += s / static_cast<double>(count);
    std::vector<Rating> ratings(count);
    for (std::size_t i = 0; i < count; ++i)
        ratings[i] = {kEloMean + (strengths[i] - mean) * kEloPerUnit,
                      kZ95Normal * kEloPerUnit / std::sqrt(expectationOf(problem, gamma, i).information)};
    return ratings;
}

} // namespace

void PairResults::add(Matchup matchup)
{
    if (matchup.first > matchup.second) {
        std::swap(matchup.first, matchup.second);
        std::swap(matchup.firstWins, matchup.secondWins);
    }
    const std::uint64_t key = (std::uint64_t{matchup.first} << 32) | matchup.second;
    const auto [at, fresh] = index_.try_emplace(key, static_cast<std::uint32_t>(pairs_.size()));
    if (fresh) {
        pairs_.push_back(matchup);
        byEntrant_[matchup.first].push_back(at->second);
        byEntrant_[matchup.second].push_back(at->second);
        return;
    }
    Matchup& sum = pairs_[at->second];
    sum.battles += matchup.battles;
    sum.firstWins += matchup.firstWins;
    sum.secondWins += matchup.secondWins;
}

double winChance(double a, double b)
{
    return 1 / (1 + std::pow(10.0, (b - a) / 400));
}

std::vector<Rating> fitRatings(const PairResults& results, std::vector<double>& strengths)
{
    const Problem problem(results);
    sweep(problem, strengths);
    solve(problem, strengths);
    return ratingsOf(problem, strengths);
}

std::vector<Rating> refitRatings(const PairResults& results, std::vector<double>& strengths,
                                 const std::vector<std::uint32_t>& changed)
{
    const Problem problem(results);
    settleFrom(problem, strengths, changed);
    return ratingsOf(problem, strengths);
}

} // namespace pc::sim
