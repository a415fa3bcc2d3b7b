// SPDX-License-Identifier: GPL-3.0-or-later
// Totals of a batch of battles and the figures reported from them.
#pragma once

#include "sim/HeadlessBattle.h"

#include <cstdint>
#include <vector>

namespace pc::sim {

// Mean and spread of a series, kept with Welford's update and merged with
// Chan's formula, so a series can be summed in parts.
class RunningMean {
public:
    void add(double value);
    void merge(const RunningMean& other);

    std::int64_t count() const { return count_; }
    double mean() const { return mean_; }
    // The sample standard deviation; 0 below two values.
    double deviation() const;
    // The sum of squared distances from the mean, and a mean made again from
    // its parts, so that a series written down reads back exactly.
    double squares() const { return squares_; }
    static RunningMean fromParts(std::int64_t count, double mean, double squares)
    {
        RunningMean made;
        made.count_ = count;
        made.mean_ = mean;
        made.squares_ = squares;
        return made;
    }

private:
    std::int64_t count_ = 0;
    double mean_ = 0;
    double squares_ = 0; // sum of squared distances from the mean
};

struct Interval {
    double low;
    double high;
};

// The 95% Wilson score interval of a proportion of `successes` in `trials` (> 0).
Interval wilsonInterval(std::int64_t successes, std::int64_t trials);

class BatchTotals {
public:
    void add(const BattleResult& result);
    // Adds the totals of the battles that come after these; merging in the
    // order of the battles gives the same figures however they were parted.
    void merge(const BatchTotals& later);

    std::int64_t runs() const { return runs_; }
    std::int64_t count(Outcome outcome) const { return outcomes_[static_cast<std::size_t>(outcome)]; }
    // Presses of the battles that ended with a victory or a defeat.
    const RunningMean& pressesToEnd() const { return presses_; }
    std::int32_t fewestPresses() const { return fewest_; }
    std::int32_t mostPresses() const { return most_; }
    // Mean damage per battle, by member.
    std::vector<MemberDamage> meanDamage() const;

private:
    std::int64_t runs_ = 0;
    std::int64_t outcomes_[4] = {};
    RunningMean presses_;
    std::int32_t fewest_ = 0;
    std::int32_t most_ = 0;
    std::vector<MemberDamage> damage_; // sums
};

} // namespace pc::sim
