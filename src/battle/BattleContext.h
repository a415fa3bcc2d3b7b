// SPDX-License-Identifier: GPL-3.0-or-later
// What the battle rules work on: the shared state, the view they write, the
// source of random draws and the sink of the diagnostic log line.
#pragma once

#include "battle/BattleView.h"
#include "battle/Breakdown.h"
#include "battle/Random.h"
#include "battle/Sides.h"
#include "records/AppState.h"

#include <iostream>
#include <ostream>

namespace pc {

// Hears each change of a member's hit points as the rules make it, so that a
// count of damage need not read every member around every press.
class HpWatcher {
public:
    virtual ~HpWatcher() = default;
    virtual void hpChanged(const OBJE& member, double before, double after) = 0;
};

struct BattleContext {
    AppState& state;
    BattleView& view;
    RandomSource& random;
    std::ostream& log = std::cerr;
    // Where the rules record how the numbers of each message came about; none records nothing.
    BreakdownRecorder* breakdown = nullptr;
    // Told of every change of a member's hit points; none tells nobody.
    HpWatcher* hpWatcher = nullptr;
    // False leaves NaviTF, the P1 and P2 panels, the status panels, the
    // diagnostic line and the texts they are made of (the attack's name and
    // the message prefix) unwritten, for running many battles that nobody
    // reads; the end of a battle is still announced.
    bool formatTexts = true;
    // Storage a turn works in, rebuilt by every turn; kept here so that a
    // turn reuses it instead of allocating.
    struct Scratch {
        PartyMembers opponents;
        PartyMembers own;
        // Where each half of the driver's walk stopped, so that the next
        // press resumes there without walking the list; cleared by the set-up.
        struct Resume {
            const OBJE* top = nullptr;
            std::int32_t counter = 0;
            OBJE* member = nullptr;
        } resumePlayers, resumeEnemies;
    } scratch = {};
    // Parties larger than this are gathered once a turn (see gatherMembers);
    // both ways give the same battle.
    std::int32_t gatherPartiesAbove = kGatherAbove;
};

} // namespace pc
