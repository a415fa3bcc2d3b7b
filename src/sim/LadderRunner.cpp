// SPDX-License-Identifier: GPL-3.0-or-later
#include "LadderRunner.h"

#include "sim/LadderCommand.h"

namespace pc::sim {

LadderRunner::LadderRunner(const OBJE* roster, std::vector<std::vector<std::int32_t>> entrants, LadderSetup setup,
                           std::int32_t maxPresses)
    : setup_(setup)
    , maxPresses_(maxPresses)
{
    copyRoster(roster, roster_);
    lineup_ = {roster_.objeTop, std::move(entrants)};
    thread_ = std::jthread([this] {
        ladder_ = rateLineup(lineup_, setup_, maxPresses_, [this](std::int64_t battles, double widest) {
            battles_.store(battles, std::memory_order_relaxed);
            widest_.store(widest, std::memory_order_relaxed);
        }, &cancel_);
        finished_.store(true);
    });
}

LadderRunner::~LadderRunner()
{
    cancel();
}

const Ladder& LadderRunner::wait()
{
    if (thread_.joinable())
        thread_.join();
    return ladder_;
}

} // namespace pc::sim
