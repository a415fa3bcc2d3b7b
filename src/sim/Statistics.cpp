// SPDX-License-Identifier: GPL-3.0-or-later
#include "Statistics.h"

#include <algorithm>
#include <cmath>

namespace pc::sim {

void RunningMean::add(double value)
{
    ++count_;
    const double delta = value - mean_;
    mean_ += delta / static_cast<double>(count_);
    squares_ += delta * (value - mean_);
}

void RunningMean::merge(const RunningMean& other)
{
    if (other.count_ == 0)
        return;
    const double n = static_cast<double>(count_);
    const double m = static_cast<double>(other.count_);
    const double delta = other.mean_ - mean_;
    count_ += other.count_;
    mean_ += delta * m / (n + m);
    squares_ += other.squares_ + delta * delta * n * m / (n + m);
}

double RunningMean::deviation() const
{
    return count_ < 2 ? 0 : std::sqrt(squares_ / static_cast<double>(count_ - 1));
}

Interval wilsonInterval(std::int64_t successes, std::int64_t trials)
{
    constexpr double z = 1.959963984540054;
    const double n = static_cast<double>(trials);
    const double p = static_cast<double>(successes) / n;
    const double scale = 1 + z * z / n;
    const double centre = (p + z * z / (2 * n)) / scale;
    const double half = z / scale * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n));
    // At no success or at every one the interval reaches 0 or 1 exactly; the
    // formula's rounding would leave it a hair inside.
    return {successes == 0 ? 0.0 : std::max(0.0, centre - half), successes == trials ? 1.0 : std::min(1.0, centre + half)};
}

void BatchTotals::add(const BattleResult& result)
{
    BatchTotals one;
    one.runs_ = 1;
    one.outcomes_[static_cast<std::size_t>(result.outcome)] = 1;
    if (result.outcome == Outcome::victory || result.outcome == Outcome::defeat) {
        one.presses_.add(result.presses);
        one.fewest_ = one.most_ = result.presses;
    }
    one.damage_ = result.damage;
    merge(one);
}

void BatchTotals::merge(const BatchTotals& later)
{
    if (later.presses_.count() > 0) {
        fewest_ = presses_.count() > 0 ? std::min(fewest_, later.fewest_) : later.fewest_;
        most_ = std::max(most_, later.most_);
    }
    runs_ += later.runs_;
    for (std::size_t i = 0; i < std::size(outcomes_); ++i)
        outcomes_[i] += later.outcomes_[i];
    presses_.merge(later.presses_);
    damage_.resize(std::max(damage_.size(), later.damage_.size()));
    for (std::size_t i = 0; i < later.damage_.size(); ++i) {
        damage_[i].dealt += later.damage_[i].dealt;
        damage_[i].taken += later.damage_[i].taken;
    }
}

std::vector<MemberDamage> BatchTotals::meanDamage() const
{
    std::vector<MemberDamage> means = damage_;
    for (MemberDamage& member : means) {
        member.dealt /= static_cast<double>(runs_);
        member.taken /= static_cast<double>(runs_);
    }
    return means;
}

} // namespace pc::sim
