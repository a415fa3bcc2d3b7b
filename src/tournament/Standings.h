// SPDX-License-Identifier: GPL-3.0-or-later
// The standings of an event: match wins and losses, battle difference, and the
// tie-breaks head-to-head, Buchholz and Sonneborn-Berger, then seed.
#pragma once

#include "tournament/Event.h"

#include <vector>

namespace pc::tournament {

struct Standing {
    int entrant = 0;
    int seed = 0; // place in the seed order, from 0
    int played = 0; // matches fought, byes left out
    int wins = 0;   // a Swiss bye scores as a win
    int losses = 0;
    int byes = 0;
    int battlesWon = 0;
    int battlesLost = 0;
    int out = 0; // the round an elimination put the entrant out, 0 while it is in
    int headToHead = 0; // wins against the entrants it is tied with
    int buchholz = 0;   // the wins of every opponent met
    int sonnebornBerger = 0; // the wins of every opponent beaten
    int battleDifference() const { return battlesWon - battlesLost; }
};

// Ranked best first. In the elimination formats an entrant still in ranks
// above those put out, and a later exit above an earlier one; then come the
// match wins, head-to-head among those level on wins, Buchholz,
// Sonneborn-Berger and the better seed.
std::vector<Standing> standings(const Event& event);

} // namespace pc::tournament
