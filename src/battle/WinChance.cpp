// SPDX-License-Identifier: GPL-3.0-or-later
#include "WinChance.h"

#include "BattleCopy.h"
#include "BattleDriver.h"
#include "Messages.h"
#include "SeededRandom.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace pc {

WinEstimate estimateOf(std::int32_t wins, std::int32_t runs)
{
    WinEstimate estimate{wins, runs};
    if (runs <= 0)
        return estimate;
    constexpr double z = 1.959963984540054;
    const double n = runs;
    const double p = wins / n;
    const double denominator = 1 + z * z / n;
    const double centre = (p + z * z / (2 * n)) / denominator;
    const double half = z * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n)) / denominator;
    estimate.chance = p;
    estimate.low = std::max(0.0, centre - half);
    estimate.high = std::min(1.0, centre + half);
    return estimate;
}

bool playerWinsFrom(const BattleCopy& battle, std::uint32_t seed, std::int32_t maxPresses)
{
    BattleCopy copy = copyBattle(*battle.state, battle.view, AttackCopies::shared);
    const BattleView& view = copy.view;
    SeededRandom random(seed);
    std::ostream noLog(nullptr);
    BattleContext ctx{*copy.state, copy.view, random, noLog};
    ctx.formatTexts = false;
    for (std::int32_t press = 0; press < maxPresses; ++press) {
        Navigation(ctx);
        if (view.naviText == kPlayerVictory)
            return true;
        if (view.naviText == kPlayerDefeat || view.naviText == kNobodyCanAct)
            return false;
    }
    return false;
}

struct WinChanceEstimator::Job {
    std::uint64_t generation = 0;
    BattleCopy battle;
    std::atomic<bool> cancelled{false};
    std::atomic<std::int32_t> wins{0};
    std::atomic<std::int32_t> workersLeft{0};
};

WinChanceEstimator::WinChanceEstimator() : WinChanceEstimator(Settings{}) {}

WinChanceEstimator::WinChanceEstimator(Settings settings) : settings_(settings)
{
    if (settings_.threads <= 0)
        settings_.threads = static_cast<std::int32_t>(std::max(1u, std::thread::hardware_concurrency()));
}

WinChanceEstimator::~WinChanceEstimator()
{
    cancel();
}

std::uint64_t WinChanceEstimator::start(BattleCopy battle)
{
    cancel();
    // Unformatted battles read only the side tables' sizes, and no pictures or file names:
    // the copies made for every continuation stay small, and no picture is
    // ever released on a worker.
    for (OBJE* top : {battle.state->RPtop, battle.state->REtop}) {
        for (OBJE* member = top; member; member = member->next) {
            member->image.reset();
            member->tag.clear();
            member->fileName.clear();
            member->imageName.clear();
        }
    }
    BattleView sizes;
    sizes.SCPlistMA.resize(battle.view.SCPlistMA.size());
    sizes.SCElistMA.resize(battle.view.SCElistMA.size());
    battle.view = std::move(sizes);

    auto job = std::make_shared<Job>();
    job->generation = ++generation_;
    job->battle = std::move(battle);
    job->workersLeft = settings_.threads;
    job_ = job;
    const Settings settings = settings_;
    for (std::int32_t worker = 0; worker < settings.threads; ++worker) {
        workers_.emplace_back([this, job, worker, settings] {
            std::int32_t wins = 0;
            for (std::int32_t run = worker; run < settings.runs && !job->cancelled; run += settings.threads) {
                const auto seed = settings.firstSeed + static_cast<std::uint32_t>(run);
                wins += playerWinsFrom(job->battle, seed, settings.maxPresses) ? 1 : 0;
            }
            job->wins += wins;
            if (--job->workersLeft == 0 && !job->cancelled) {
                const std::lock_guard lock(mutex_);
                finished_ = Result{job->generation, estimateOf(job->wins, settings.runs)};
            }
        });
    }
    return job->generation;
}

void WinChanceEstimator::cancel()
{
    if (job_)
        job_->cancelled = true;
    stopWorkers();
    const std::lock_guard lock(mutex_);
    finished_.reset();
}

std::optional<WinChanceEstimator::Result> WinChanceEstimator::take()
{
    const std::lock_guard lock(mutex_);
    std::optional<Result> result;
    if (finished_ && finished_->generation == generation_)
        result.swap(finished_);
    finished_.reset();
    return result;
}

void WinChanceEstimator::wait()
{
    stopWorkers();
}

void WinChanceEstimator::stopWorkers()
{
    for (std::thread& worker : workers_)
        worker.join();
    workers_.clear();
}

} // namespace pc
