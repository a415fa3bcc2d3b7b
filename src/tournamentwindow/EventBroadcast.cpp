// SPDX-License-Identifier: GPL-3.0-or-later
#include "EventBroadcast.h"

#include "battle/BattleLog.h"
#include "battle/BattleWindow.h"

#include <algorithm>

namespace pc {

using namespace pc::tournament;

EventBroadcast::EventBroadcast(BattleWindow& battleWindow, const AppState& state, OpenBattle open)
    : battleWindow_(battleWindow)
    , state_(state)
    , open_(std::move(open))
{
}

void EventBroadcast::start(int pauseMs)
{
    stop();
    finished_ = false;
    pauseMs_ = pauseMs;
    watched_.clear();
    match_.reset();
    phase_ = Phase::waiting;
}

void EventBroadcast::stop()
{
    if (phase_ == Phase::fighting)
        battleWindow_.setAutoAdvancing(false);
    phase_ = Phase::off;
}

std::optional<std::size_t> EventBroadcast::matchShown(const Event& event) const
{
    for (std::size_t m = 0; match_ && m < event.matches.size(); ++m) {
        if (MatchKey(event.matches[m].round, event.matches[m].index) == *match_)
            return m;
    }
    return std::nullopt;
}

// Decided, or as long as the battle went when it was fought without an end.
bool EventBroadcast::battleOver(const Event& event) const
{
    const std::optional<std::size_t> m = matchShown(event);
    const std::size_t presses = m ? static_cast<std::size_t>(event.matches[*m].battles[battle_].presses) : 0;
    return announcesEnd(battleWindow_.view().naviText) || battleWindow_.log().size() >= presses;
}

void EventBroadcast::tick(const Event& event, bool growing)
{
    if (phase_ == Phase::off)
        return;
    // The user went back from the battle window.
    if (match_ && !battleWindow_.isVisible()) {
        stop();
        return;
    }
    switch (phase_) {
    case Phase::off:
        return;
    case Phase::settingUp:
        // The battle window sets the battle up on its own next tick.
        if (!state_.ReadyUpListStartOffFlag) {
            battleWindow_.setAutoAdvancing(true);
            phase_ = Phase::fighting;
        }
        return;
    case Phase::fighting:
        if (battleOver(event)) {
            battleWindow_.setAutoAdvancing(false);
            pause_.start();
            phase_ = Phase::pausing;
        }
        return;
    case Phase::pausing:
        if (pause_.elapsed() < pauseMs_)
            return;
        openNext(event, growing);
        return;
    case Phase::waiting:
        openNext(event, growing);
        return;
    }
}

void EventBroadcast::openNext(const Event& event, bool growing)
{
    const std::optional<std::size_t> shown = matchShown(event);
    if (shown && battle_ + 1 < event.matches[*shown].battles.size()) {
        ++battle_;
    } else {
        if (match_)
            watched_.insert(*match_);
        const auto next = std::find_if(event.matches.begin(), event.matches.end(), [&](const Match& match) {
            return !match.bye() && !watched_.contains({match.round, match.index});
        });
        if (next == event.matches.end()) {
            phase_ = growing ? Phase::waiting : Phase::off;
            finished_ = !growing;
            if (finished_ && match_)
                battleWindow_.ToTheTitle();
            return;
        }
        match_ = MatchKey(next->round, next->index);
        battle_ = 0;
    }
    const Match& match = event.matches[*matchShown(event)];
    phase_ = open_(match, battle_) ? Phase::settingUp : Phase::off;
}

} // namespace pc
