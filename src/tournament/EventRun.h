// SPDX-License-Identifier: GPL-3.0-or-later
// An event played through: each round paired, its matches fought on worker
// threads, a finished match told at once, and the matches of an interrupted
// run taken back instead of fought again.
#pragma once

#include "tournament/Event.h"

#include <atomic>
#include <cstdint>
#include <functional>

namespace pc::tournament {

// Fights one battle between the entrants `player` and `enemy` from `seed`;
// tells its end and presses. Called from several threads at once.
using BattleFight = std::function<BattleRecord(int player, int enemy, std::uint32_t seed)>;
// Makes the fight of one thread, once for each thread.
using FightMaker = std::function<BattleFight()>;

// Fights the match's battles, sides alternating from the first entrant as the
// player, until one entrant has won the majority of the best-of; battles
// without a winner are fought again, up to twice the best-of in all. Then
// the entrant with more battle wins, or the better seed, wins.
void playMatch(Match& match, const Event& event, const BattleFight& fight);
// The winner those rules make of the match's battles, or -1 while it needs another battle.
int decidedWinner(const Match& match, const Event& event);

// Told of every match fought, with the event as far as it is known
// (finished rounds, then the current round's finished matches and byes);
// called on one thread at a time.
using MatchDone = std::function<void(const Event& sofar, const Match& match)>;

// Plays `event` to its end from the rounds it holds; a match of `recorded`
// with the same round, index and entrants is taken instead of fought. The
// result is the same for any number of jobs. Returns false when cancelled.
bool playEvent(Event& event, const std::vector<Match>& recorded, const FightMaker& makeFight, int jobs,
               const MatchDone& done = {}, const std::atomic<bool>* cancel = nullptr);

// Whether no round is left to play.
bool eventOver(const Event& event);
// The entrant the results make champion, or -1 while the event runs.
int champion(const Event& event);
// The decided match whose entrants ended nearest in battle wins, the most
// battles breaking ties; null without one.
const Match* closestMatch(const Event& event);

} // namespace pc::tournament
