// SPDX-License-Identifier: GPL-3.0-or-later
// What is written of an event, all in one place: the pairings round by round
// with every battle's seed and the standings as text, JSON and CSV; a picture
// of the bracket (or of the rounds and standings) as SVG; and the whole event
// as one HTML page that needs nothing beside it.
#pragma once

#include "tournament/Event.h"

#include <ostream>
#include <string>

namespace pc::sim {

void writeEventText(std::ostream& out, const tournament::Event& event);
void writeEventJson(std::ostream& out, const tournament::Event& event);
// One line per entrant, best first, after a header line.
void writeStandingsCsv(std::ostream& out, const tournament::Event& event);
std::string eventSvg(const tournament::Event& event);
void writeEventHtml(std::ostream& out, const tournament::Event& event);

// The text a battle of the match ended with, as the battle window announces it.
std::string battleMessage(const tournament::BattleRecord& battle);
// The options of partyclash-sim that fight the battle again.
std::string replayOptions(const tournament::Event& event, const tournament::Match& match,
                          const tournament::BattleRecord& battle);

} // namespace pc::sim
