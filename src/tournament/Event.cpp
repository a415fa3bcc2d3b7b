// SPDX-License-Identifier: GPL-3.0-or-later
#include "Event.h"

#include "battle/SeededRandom.h"

#include <algorithm>
#include <array>
#include <utility>

namespace pc::tournament {

namespace {

constexpr std::array kFormats{
    std::pair{Format::roundRobin, std::string_view("round-robin")},
    std::pair{Format::singleElimination, std::string_view("single-elimination")},
    std::pair{Format::doubleElimination, std::string_view("double-elimination")},
    std::pair{Format::swiss, std::string_view("swiss")},
    std::pair{Format::gauntlet, std::string_view("gauntlet")},
};

constexpr std::array kSeedings{
    std::pair{Seeding::random, std::string_view("random")},
    std::pair{Seeding::chosen, std::string_view("chosen")},
    std::pair{Seeding::rating, std::string_view("rating")},
};

// SplitMix64's finaliser: every input bit moves about half the output bits.
std::uint64_t mixed(std::uint64_t value)
{
    value += 0x9E3779B97F4A7C15ULL;
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ULL;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBULL;
    return value ^ (value >> 31);
}

// A rated order names every entrant once, and only when seeding by rating;
// until the entrants are rated it is empty.
bool ratedOrderFits(const EventSetup& setup)
{
    if (setup.ratedOrder.empty())
        return true;
    if (setup.seeding != Seeding::rating)
        return false;
    std::vector<int> sorted = setup.ratedOrder;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        if (sorted[i] != static_cast<int>(i))
            return false;
    }
    return sorted.size() == setup.entrants.size();
}

} // namespace

std::string_view formatName(Format format)
{
    for (const auto& [value, name] : kFormats) {
        if (value == format)
            return name;
    }
    return {};
}

std::optional<Format> formatNamed(std::string_view name)
{
    for (const auto& [value, text] : kFormats) {
        if (text == name)
            return value;
    }
    return std::nullopt;
}

std::string_view seedingName(Seeding seeding)
{
    for (const auto& [value, name] : kSeedings) {
        if (value == seeding)
            return name;
    }
    return {};
}

std::optional<Seeding> seedingNamed(std::string_view name)
{
    for (const auto& [value, text] : kSeedings) {
        if (text == name)
            return value;
    }
    return std::nullopt;
}

std::string setupProblem(const EventSetup& setup)
{
    const std::size_t count = setup.entrants.size();
    if (count < 2)
        return "an event needs at least two entrants";
    if (count > kMaxEntrants)
        return "an event takes at most " + std::to_string(kMaxEntrants) + " entrants";
    if (setup.bestOf < 1 || setup.bestOf > kMaxBestOf || setup.bestOf % 2 == 0)
        return "best-of must be odd, from 1 to " + std::to_string(kMaxBestOf);
    if (setup.legs < 1 || setup.legs > 2)
        return "a league meets each pairing once or twice";
    if (setup.rounds < 0 || static_cast<std::size_t>(setup.rounds) >= count + count % 2)
        return "a Swiss event of " + std::to_string(count) + " entrants has at most "
            + std::to_string(count + count % 2 - 1) + " rounds";
    if (setup.maxPresses < 1)
        return "a battle needs at least one press";
    if (!ratedOrderFits(setup))
        return "the rated order does not name every entrant once";
    for (const Entrant& entrant : setup.entrants) {
        if (entrant.members.empty())
            return "the entrant \"" + entrant.name + "\" has no member";
    }
    return {};
}

bool continues(const EventSetup& saved, EventSetup chosen)
{
    chosen.ratedOrder = saved.ratedOrder;
    return saved == chosen;
}

std::optional<bool> BattleRecord::firstWon() const
{
    if (end != BattleEnd::playerWins && end != BattleEnd::enemyWins)
        return std::nullopt;
    return (end == BattleEnd::playerWins) == firstIsPlayer;
}

int Match::winsOf(bool ofFirst) const
{
    int wins = 0;
    for (const BattleRecord& battle : battles)
        wins += battle.firstWon() == ofFirst ? 1 : 0;
    return wins;
}

std::uint32_t battleSeed(std::uint32_t eventSeed, int round, int index, int battle)
{
    std::uint64_t value = mixed(eventSeed);
    for (const int part : {round, index, battle})
        value = mixed(value ^ static_cast<std::uint32_t>(part));
    return static_cast<std::uint32_t>(value >> 32);
}

std::vector<int> seedOrder(const EventSetup& setup)
{
    if (setup.seeding == Seeding::rating && !setup.ratedOrder.empty())
        return setup.ratedOrder;
    std::vector<int> order(setup.entrants.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    if (setup.seeding == Seeding::random) {
        // Fisher-Yates over the portable seeded draws, so every machine draws alike.
        SeededRandom random(setup.seed);
        for (std::size_t i = order.size(); i > 1; --i)
            std::swap(order[i - 1], order[static_cast<std::size_t>(random.draw()) % i]);
    }
    return order;
}

Event::Event(EventSetup eventSetup) : setup(std::move(eventSetup)), seeds(seedOrder(setup)), seedOf(seeds.size())
{
    for (std::size_t place = 0; place < seeds.size(); ++place)
        seedOf[static_cast<std::size_t>(seeds[place])] = static_cast<int>(place);
}

std::vector<const Match*> Event::roundMatches(int round) const
{
    std::vector<const Match*> found;
    for (const Match& match : matches) {
        if (match.round == round)
            found.push_back(&match);
    }
    return found;
}

} // namespace pc::tournament
