// SPDX-License-Identifier: GPL-3.0-or-later
// The 大会 window's entrant list: every roster character, and the parties
// read from a parties file, each an item that is ticked to enter and dragged
// to order the seeds.
#pragma once

#include "records/Records.h"
#include "sim/Entrants.h"
#include "tournament/Event.h"

#include <vector>

class QListWidget;

namespace pc {

// Refills the characters from the roster: those listed before keep their place
// and tick, new ones come last unticked, and the parties stay.
void listRoster(QListWidget& list, const OBJE* roster);
// Adds the parties ticked at the end; a party listed already is ticked instead.
void listParties(QListWidget& list, const std::vector<sim::Named>& parties);
// The ticked entrants in the list's order.
std::vector<sim::Named> tickedEntrants(const QListWidget& list);
// Ticks exactly the entrants given, first and in their order; one no longer
// listed (a party) is listed again.
void tickEntrants(QListWidget& list, const std::vector<tournament::Entrant>& entrants);

} // namespace pc
