// SPDX-License-Identifier: GPL-3.0-or-later
// Events: every format on small and large fields, best-of matches, seeds, standings and resuming.
#include "tournament/EventRun.h"
#include "tournament/Pairing.h"
#include "tournament/Standings.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace pc::tournament;

namespace {

EventSetup setupOf(Format format, int entrants, int bestOf = 1)
{
    EventSetup setup;
    setup.format = format;
    setup.bestOf = bestOf;
    setup.seed = 7;
    for (int i = 0; i < entrants; ++i)
        setup.entrants.push_back({"E" + std::to_string(i), {"c" + std::to_string(i)}});
    return setup;
}

// Stronger entrants win more often; one battle in eleven has no winner.
BattleRecord fakeFight(int player, int enemy, std::uint32_t seed)
{
    BattleRecord battle;
    battle.presses = static_cast<std::int32_t>(seed % 40 + 1);
    if (seed % 11 == 0) {
        battle.end = seed % 2 ? BattleEnd::nobody : BattleEnd::unfinished;
        return battle;
    }
    const int edge = (player * 7 % 13) - (enemy * 7 % 13);
    battle.end = static_cast<int>(seed % 100) < 50 + 4 * edge ? BattleEnd::playerWins : BattleEnd::enemyWins;
    return battle;
}

Event played(const EventSetup& setup, int jobs = 1, const std::vector<Match>& recorded = {})
{
    Event event(setup);
    EXPECT_TRUE(playEvent(event, recorded, [] { return BattleFight(fakeFight); }, jobs));
    return event;
}

std::string described(const Event& event)
{
    std::string text;
    for (const Match& m : event.matches) {
        text += std::to_string(m.round) + ":" + std::to_string(m.first) + "-" + std::to_string(m.second) + "="
            + std::to_string(m.winner) + "(";
        for (const BattleRecord& b : m.battles)
            text += std::to_string(b.seed) + (b.firstIsPlayer ? "p" : "e") + std::to_string(static_cast<int>(b.end));
        text += ") ";
    }
    for (const Standing& s : standings(event))
        text += std::to_string(s.entrant) + " ";
    return text;
}

std::map<int, int> lossesOf(const Event& event)
{
    std::map<int, int> losses;
    for (const Match& m : event.matches) {
        if (!m.bye())
            ++losses[m.loser()];
    }
    return losses;
}

struct FieldCase {
    Format format;
    int entrants;
};

class EveryFormat : public testing::TestWithParam<FieldCase> {};

// Every match is decided by its battles: sides alternate from the first
// entrant, seeds follow from the event seed, the round and the match, and the
// winner reached the majority or, after the most battles, led or was the better seed.
TEST_P(EveryFormat, MatchesAreBestOfWithAlternatingSidesAndDerivedSeeds)
{
    const Event event = played(setupOf(GetParam().format, GetParam().entrants, 3));
    ASSERT_FALSE(event.matches.empty());
    for (const Match& m : event.matches) {
        if (m.bye()) {
            EXPECT_TRUE(m.battles.empty());
            EXPECT_EQ(m.winner, m.first);
            continue;
        }
        ASSERT_FALSE(m.battles.empty());
        for (std::size_t k = 0; k < m.battles.size(); ++k) {
            EXPECT_EQ(m.battles[k].firstIsPlayer, k % 2 == 0);
            EXPECT_EQ(m.battles[k].seed, battleSeed(7, m.round, m.index, static_cast<int>(k)));
        }
        const int winner = m.winsOf(m.winner == m.first);
        const int other = m.winsOf(m.winner != m.first);
        if (m.battles.size() < 6) {
            EXPECT_EQ(winner, 2) << described(event);
            EXPECT_LT(other, 2);
        } else {
            EXPECT_GE(winner, other);
        }
    }
}

// Each entrant plays the matches its format promises, and the champion is the one the results make.
TEST_P(EveryFormat, EntrantsPlayWhatTheFormatPromises)
{
    const auto [format, count] = GetParam();
    const Event event = played(setupOf(format, count));
    ASSERT_TRUE(eventOver(event));
    const int champ = champion(event);
    ASSERT_GE(champ, 0);
    std::map<int, int> byes;
    std::map<std::pair<int, int>, int> meetings;
    std::map<int, int> lastRound;
    for (const Match& m : event.matches) {
        ASSERT_NE(m.first, m.second);
        byes[m.first] += m.bye() ? 1 : 0;
        if (!m.bye())
            ++meetings[std::minmax(m.first, m.second)];
        for (const int e : {m.first, m.second}) {
            if (e != kBye) {
                EXPECT_LT(lastRound[e], m.round) << "twice in a round: " << e;
                lastRound[e] = m.round;
            }
        }
    }
    const std::map<int, int> losses = lossesOf(event);
    const std::vector<Standing> table = standings(event);
    EXPECT_EQ(table.front().entrant, champ);
    const int others = count - 1;
    switch (format) {
    case Format::roundRobin:
        EXPECT_EQ(meetings.size(), static_cast<std::size_t>(count * others / 2));
        for (const auto& [pair, times] : meetings)
            EXPECT_EQ(times, 1);
        for (const auto& [entrant, n] : byes)
            EXPECT_EQ(n, count % 2);
        break;
    case Format::singleElimination:
    case Format::doubleElimination: {
        const int lives = format == Format::singleElimination ? 1 : 2;
        for (int e = 0; e < count; ++e) {
            const int lost = losses.contains(e) ? losses.at(e) : 0;
            EXPECT_EQ(lost, e == champ ? std::min(lost, lives - 1) : lives) << e;
        }
        // Nobody plays on after its last life.
        for (const Standing& st : table)
            EXPECT_EQ(st.out, st.entrant == champ ? 0 : lastRound[st.entrant]) << st.entrant;
        EXPECT_EQ(event.matches.back().winner, champ);
        EXPECT_EQ(event.roundMatches(event.lastRound()).size(), 1u);
        for (const auto& [entrant, n] : byes)
            EXPECT_LE(n, 1) << entrant;
        break;
    }
    case Format::swiss: {
        const int rounds = defaultSwissRounds(static_cast<std::size_t>(count));
        EXPECT_EQ(event.lastRound(), rounds);
        for (const auto& [pair, times] : meetings)
            EXPECT_EQ(times, 1) << "rematch " << pair.first << "-" << pair.second;
        for (int e = 0; e < count; ++e)
            EXPECT_EQ(lastRound[e], rounds);
        for (const auto& [entrant, n] : byes)
            EXPECT_LE(n, 1) << entrant;
        break;
    }
    case Format::gauntlet: {
        const int challenger = event.seeds[0];
        EXPECT_EQ(meetings.size(), static_cast<std::size_t>(others));
        for (const auto& [pair, times] : meetings)
            EXPECT_TRUE(pair.first == challenger || pair.second == challenger);
        break;
    }
    }
}

// An event interrupted after any match and resumed from what was saved, fought on two threads, ends as one
// played straight through on one.
TEST_P(EveryFormat, ResumedFromAnyMatchEndsTheSame)
{
    const EventSetup setup = setupOf(GetParam().format, GetParam().entrants);
    const Event whole = played(setup);
    std::vector<Event> saved;
    Event event(setup);
    playEvent(event, {}, [] { return BattleFight(fakeFight); }, 2,
              [&](const Event& sofar, const Match&) { saved.push_back(sofar); });
    ASSERT_FALSE(saved.empty());
    for (std::size_t cut = 0; cut < saved.size(); cut += 1 + saved.size() / 7) {
        Event resumed(setup);
        for (const Match& m : saved[cut].matches) {
            if (!saved[cut].matches.empty() && m.round < saved[cut].matches.back().round)
                resumed.matches.push_back(m);
        }
        ASSERT_TRUE(playEvent(resumed, saved[cut].matches, [] { return BattleFight(fakeFight); }, 1));
        EXPECT_EQ(described(resumed), described(whole)) << "cut after match " << cut;
    }
}

std::string caseName(const testing::TestParamInfo<FieldCase>& info)
{
    std::string name(formatName(info.param.format));
    std::erase(name, '-');
    return name + std::to_string(info.param.entrants);
}

std::vector<FieldCase> everyField()
{
    std::vector<FieldCase> cases;
    for (const Format format : {Format::roundRobin, Format::singleElimination, Format::doubleElimination,
                                Format::swiss, Format::gauntlet}) {
        for (const int count : {2, 3, 5, 8, 13, 64})
            cases.push_back({format, count});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Fields, EveryFormat, testing::ValuesIn(everyField()), caseName);

// A league of two legs meets every pairing twice, once on each side.
TEST(League, TwoLegsMeetEveryPairingOnceOnEachSide)
{
    for (const int count : {2, 3, 5, 8}) {
        EventSetup setup = setupOf(Format::roundRobin, count);
        setup.legs = 2;
        std::map<std::pair<int, int>, int> firsts;
        for (const Match& m : played(setup).matches) {
            if (!m.bye())
                ++firsts[{m.first, m.second}];
        }
        EXPECT_EQ(firsts.size(), static_cast<std::size_t>(count * (count - 1))) << count;
        for (const auto& [pair, times] : firsts)
            EXPECT_EQ(times, 1);
    }
}

// The Swiss bye goes to the lowest-ranked entrant without one, as ranked before its round.
TEST(Swiss, ByeGoesToTheLowestRankedWithoutOne)
{
    for (const int count : {3, 5, 13}) {
        EventSetup setup = setupOf(Format::swiss, count);
        setup.rounds = count - 1;
        const Event whole = played(setup);
        std::set<int> hadBye;
        for (int round = 1; round <= whole.lastRound(); ++round) {
            Event before(setup);
            for (const Match& m : whole.matches) {
                if (m.round < round)
                    before.matches.push_back(m);
            }
            const std::vector<Standing> table = standings(before);
            auto expected = std::find_if(table.rbegin(), table.rend(),
                                         [&](const Standing& s) { return !hadBye.contains(s.entrant); });
            const Match* bye = whole.roundMatches(round).back();
            ASSERT_TRUE(bye->bye());
            EXPECT_EQ(bye->first, expected->entrant) << count << " round " << round;
            hadBye.insert(bye->first);
        }
    }
}

// Seeds are drawn from the event seed, or taken in the order given.
TEST(Seeding, RandomFromTheEventSeedOrAsChosen)
{
    EventSetup setup = setupOf(Format::singleElimination, 13);
    const std::vector<int> drawn = seedOrder(setup);
    EXPECT_EQ(seedOrder(setup), drawn);
    EXPECT_EQ(std::set<int>(drawn.begin(), drawn.end()).size(), 13u);
    setup.seed = 8;
    EXPECT_NE(seedOrder(setup), drawn);
    setup.seeding = Seeding::chosen;
    const std::vector<int> chosen = seedOrder(setup);
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(chosen[static_cast<std::size_t>(i)], i);
    // The best seeds get the first round's byes.
    const Event event = played(setup);
    for (const Match* m : event.roundMatches(1))
        EXPECT_EQ(m->bye(), m->first < 3) << m->first;
}

Match decided(int winner, int loser, bool winnerFirst)
{
    Match match;
    match.first = winnerFirst ? winner : loser;
    match.second = winnerFirst ? loser : winner;
    match.winner = winner;
    match.battles = {{1, true, winnerFirst ? BattleEnd::playerWins : BattleEnd::enemyWins, 3}};
    return match;
}

struct TieCase {
    const char* name;
    int entrants;
    std::vector<std::pair<int, int>> wins; // winner, loser
    std::vector<int> top;                  // the expected head of the standings
};

class TieBreaks : public testing::TestWithParam<TieCase> {};

TEST_P(TieBreaks, OrderTiesAsDefined)
{
    EventSetup setup = setupOf(Format::swiss, GetParam().entrants);
    setup.seeding = Seeding::chosen;
    // Every winner on the first side, then every winner on the second.
    for (const bool winnerFirst : {true, false}) {
        Event event(setup);
        for (const auto& [winner, loser] : GetParam().wins)
            event.matches.push_back(decided(winner, loser, winnerFirst));
        const std::vector<Standing> table = standings(event);
        for (std::size_t i = 0; i < GetParam().top.size(); ++i)
            EXPECT_EQ(table[i].entrant, GetParam().top[i]) << i << (winnerFirst ? " first" : " second");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Standings, TieBreaks,
    testing::Values(
        // 0 and 1 on two wins, equal Buchholz: 1 beat 0.
        TieCase{"HeadToHead", 4, {{1, 0}, {0, 2}, {0, 3}, {2, 1}, {1, 3}}, {1, 0, 2, 3}},
        // 1, 3 and 0 on one win; 1 beat 3; 3 met stronger opponents than 0.
        TieCase{"Buchholz", 6, {{0, 2}, {1, 3}, {3, 4}}, {1, 3, 0}},
        // 0 and 1 on one win and Buchholz 4; 1 beat the stronger.
        TieCase{"SonnebornBerger", 9, {{5, 0}, {0, 4}, {1, 2}, {3, 1}, {2, 6}, {2, 7}, {3, 8}, {5, 6}, {5, 7}, {5, 8}},
                {5, 3, 2, 1, 0}},
        // A cycle leaves every tie-break level: the better seed first.
        TieCase{"Seed", 3, {{2, 0}, {0, 1}, {1, 2}}, {0, 1, 2}}),
    [](const testing::TestParamInfo<TieCase>& info) { return std::string(info.param.name); });

// Battle seeds differ from battle to battle, match to match and round to round.
TEST(BattleSeeds, DifferForEveryBattleOfAnEvent)
{
    std::set<std::uint32_t> seeds;
    for (int round = 1; round <= 20; ++round) {
        for (int index = 0; index < 40; ++index) {
            for (int battle = 0; battle < 9; ++battle)
                seeds.insert(battleSeed(5, round, index, battle));
        }
    }
    EXPECT_EQ(seeds.size(), 20u * 40 * 9);
    EXPECT_NE(battleSeed(5, 1, 0, 0), battleSeed(6, 1, 0, 0));
}

} // namespace
