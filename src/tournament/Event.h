// SPDX-License-Identifier: GPL-3.0-or-later
// An event between entrants: its set-up, its matches, and the seeds its
// battles fight from. Every pairing follows from the set-up and the results
// before it, so one event seed fixes the whole event.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pc::tournament {

enum class Format { roundRobin, singleElimination, doubleElimination, swiss, gauntlet };
// Seeds are drawn from the event seed, given in the entrants' order, or
// follow the entrants' ladder ratings.
enum class Seeding { random, chosen, rating };

// The format's name on the command line and in files, and back.
std::string_view formatName(Format format);
std::optional<Format> formatNamed(std::string_view name);
std::string_view seedingName(Seeding seeding);
std::optional<Seeding> seedingNamed(std::string_view name);

// A character or a party: a name and the roster names of its members.
struct Entrant {
    std::string name;
    std::vector<std::string> members;
    bool operator==(const Entrant&) const = default;
};

struct EventSetup {
    Format format = Format::roundRobin;
    std::vector<Entrant> entrants;
    int bestOf = 1; // odd
    std::uint32_t seed = 1;
    int rounds = 0; // Swiss rounds; 0 for the default, enough to find one winner
    int legs = 1;   // a league meets each pairing once or twice
    Seeding seeding = Seeding::random;
    std::vector<int> ratedOrder; // by rating, best first, when seeding by rating; empty until rated, the order given
    std::int32_t maxPresses = 1000; // a battle without an end by then is unfinished
    bool operator==(const EventSetup&) const = default;
};

inline constexpr int kMaxBestOf = 99;
inline constexpr int kMaxEntrants = 4096;

// Why the set-up cannot be played, or an empty text.
std::string setupProblem(const EventSetup& setup);
// Whether a saved set-up is the chosen one, whose rated order the saved one holds.
bool continues(const EventSetup& saved, EventSetup chosen);

// How a battle ended, told from its own player side.
enum class BattleEnd { playerWins, enemyWins, nobody, unfinished };

struct BattleRecord {
    std::uint32_t seed = 0;
    bool firstIsPlayer = true; // whether the match's first entrant fought as the player
    BattleEnd end = BattleEnd::unfinished;
    std::int32_t presses = 0;
    // The entrant of the match (first or second) the battle made the winner, if any.
    std::optional<bool> firstWon() const;
};

inline constexpr int kBye = -1;
enum class Bracket { main, losers, final };

struct Match {
    int round = 1; // from 1
    int index = 0; // within the round
    int first = 0; // entrant indices; the first fights as the player in odd battles
    int second = kBye;
    Bracket bracket = Bracket::main;
    std::vector<BattleRecord> battles;
    int winner = -1; // decided once the match is over

    bool bye() const { return second == kBye; }
    int winsOf(bool ofFirst) const;
    int loser() const { return bye() || winner < 0 ? -1 : winner == first ? second : first; }
};

// The seed battle `battle` (from 0) of match `index` of round `round` fights from.
std::uint32_t battleSeed(std::uint32_t eventSeed, int round, int index, int battle);

// The entrants in seed order, best first: drawn from the event seed, as given, or as rated.
std::vector<int> seedOrder(const EventSetup& setup);

struct Event {
    EventSetup setup;
    std::vector<int> seeds;     // entrant indices by seed, best first
    std::vector<int> seedOf;    // each entrant's place in `seeds`
    std::vector<Match> matches; // finished matches and byes, by round and index

    explicit Event(EventSetup eventSetup);
    std::vector<const Match*> roundMatches(int round) const;
    int lastRound() const { return matches.empty() ? 0 : matches.back().round; }
};

} // namespace pc::tournament
