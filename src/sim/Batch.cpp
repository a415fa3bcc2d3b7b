// SPDX-License-Identifier: GPL-3.0-or-later
#include "Batch.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace pc::sim {

namespace {

constexpr std::int64_t kBlockRuns = 64;
constexpr std::int64_t kBlocksAheadPerJob = 4;

class BlockMerge {
public:
    BlockMerge(std::int64_t runs, int jobs, const FightMaker& makeFight)
        : runs_(runs)
        , blocks_((runs + kBlockRuns - 1) / kBlockRuns)
        , ahead_(kBlocksAheadPerJob * jobs)
        , makeFight_(makeFight)
    {
    }

    void work()
    {
        const FightRun fight = makeFight_();
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return claimed_ == blocks_ || claimed_ < merged_ + ahead_; });
            if (claimed_ == blocks_)
                return;
            const std::int64_t block = claimed_++;
            lock.unlock();
            BatchTotals part;
            for (std::int64_t run = block * kBlockRuns; run < std::min(runs_, (block + 1) * kBlockRuns); ++run)
                part.add(fight(run));
            lock.lock();
            finished_.emplace(block, std::move(part));
            mergeInOrder();
            changed_.notify_all();
        }
    }

    // Waits for every block, reporting the battles counted now and then.
    BatchTotals wait(const BatchProgress& progress)
    {
        std::unique_lock lock(mutex_);
        while (merged_ < blocks_) {
            changed_.wait_for(lock, std::chrono::milliseconds(100), [this] { return merged_ == blocks_; });
            if (progress) {
                const std::int64_t done = std::min(runs_, merged_ * kBlockRuns);
                lock.unlock();
                progress(done);
                lock.lock();
            }
        }
        return totals_;
    }

private:
    void mergeInOrder()
    {
        for (auto next = finished_.find(merged_); next != finished_.end(); next = finished_.find(merged_)) {
            totals_.merge(next->second);
            finished_.erase(next);
            ++merged_;
        }
    }

    const std::int64_t runs_;
    const std::int64_t blocks_;
    const std::int64_t ahead_;
    const FightMaker& makeFight_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::int64_t claimed_ = 0;
    std::int64_t merged_ = 0;
    std::map<std::int64_t, BatchTotals> finished_;
    BatchTotals totals_;
};

} // namespace

BatchTotals runBatch(std::int64_t runs, int jobs, const FightRun& fight, const BatchProgress& progress)
{
    return runBatchEach(runs, jobs, [&fight] { return fight; }, progress);
}

BatchTotals runBatchEach(std::int64_t runs, int jobs, const FightMaker& makeFight, const BatchProgress& progress)
{
    jobs = std::max(jobs, 1); // with no thread the wait would never end
    BlockMerge merge(runs, jobs, makeFight);
    std::vector<std::jthread> threads;
    for (int i = 0; i < jobs; ++i)
        threads.emplace_back([&merge] { merge.work(); });
    return merge.wait(progress);
}

} // namespace pc::sim
