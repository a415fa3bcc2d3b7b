// SPDX-License-Identifier: GPL-3.0-or-later
// 大会を観戦: an event's battles shown one after another in the battle window,
// as a broadcast. Each battle opens on its parties and seed and goes on by
// itself at the battle window's pace; once decided it stays for a pause, and
// the next battle of the match follows, then those of the next match. Leaving
// the battle window stops it; after the last battle it goes back.
#pragma once

#include "tournament/Event.h"

#include <QElapsedTimer>

#include <cstddef>
#include <functional>
#include <optional>
#include <set>
#include <utility>

namespace pc {

class BattleWindow;
struct AppState;

class EventBroadcast {
public:
    // Opens the battle window on battle `battle` of the match; false when it could not.
    using OpenBattle = std::function<bool(const tournament::Match& match, std::size_t battle)>;

    EventBroadcast(BattleWindow& battleWindow, const AppState& state, OpenBattle open);

    void start(int pauseMs);
    void stop();
    bool on() const { return phase_ != Phase::off; }
    // Whether it ended after the last battle of an event that was over.
    bool finished() const { return finished_; }
    // One step, on the caller's polling timer: turns auto-advance on once the
    // battle is set up, and opens the next battle once the one shown is
    // decided and has stayed for the pause. `growing` tells that more
    // matches are still being fought.
    void tick(const tournament::Event& event, bool growing);
    // The place in the event's matches of the match being shown, if any.
    std::optional<std::size_t> matchShown(const tournament::Event& event) const;

private:
    enum class Phase { off, waiting, settingUp, fighting, pausing };
    using MatchKey = std::pair<int, int>; // round, index

    bool battleOver(const tournament::Event& event) const;
    void openNext(const tournament::Event& event, bool growing);

    BattleWindow& battleWindow_;
    const AppState& state_;
    OpenBattle open_;
    Phase phase_ = Phase::off;
    bool finished_ = false;
    int pauseMs_ = 0;
    QElapsedTimer pause_;
    std::optional<MatchKey> match_; // the match shown
    std::size_t battle_ = 0;        // its battle shown
    std::set<MatchKey> watched_;
};

} // namespace pc
