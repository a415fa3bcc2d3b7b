// SPDX-License-Identifier: GPL-3.0-or-later
// The pairings of each round of an event, from the results of the rounds before.
#pragma once

#include "tournament/Event.h"

#include <vector>

namespace pc::tournament {

// The matches of round `round` (from 1), every round before it finished in
// `event`; none once the event is over. Byes come decided, their entrant the
// winner, without battles.
//  - round robin: the circle method over the seeds, every pairing once a leg,
//    sides swapped in the second leg; with an odd count one entrant rests a round.
//  - single elimination: a bracket of the next power of two, the best seeds
//    given the byes of the first round; winners meet winners.
//  - double elimination: the first round as in single elimination; then each
//    round pairs the unbeaten in bracket order and the once-beaten best seed
//    against worst; the last unbeaten and the last once-beaten meet in a
//    final, played again when the unbeaten loses it.
//  - Swiss: the ranked entrants paired from the top, each with the nearest
//    it has not met; the side an entrant has taken less often comes first;
//    with an odd count the lowest-ranked entrant without a bye gets one.
//    The event ends early when no round can be paired without a rematch.
//  - gauntlet: the first seed against every other seed in turn.
std::vector<Match> pairRound(const Event& event, int round);

// The number of Swiss rounds played when none is chosen: enough to leave one
// entrant unbeaten.
int defaultSwissRounds(std::size_t entrants);

} // namespace pc::tournament
