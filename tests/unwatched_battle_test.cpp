// SPDX-License-Identifier: GPL-3.0-or-later
// Battles nobody watches against the same battles pressed through the window's
// driver: every outcome, press count, damage per member and draw the same, on
// random characters with every range, seed, attribute and wait at their edges.
#include "records/AppState.h"
#include "sim/HeadlessBattle.h"
#include "sim/SeededRandom.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace pc;
using namespace pc::sim;

namespace {

constexpr double kHugeWait = 562949953421311.0; // 2^49 - 1, the largest whole waits counted as such

class RosterMaker {
public:
    explicit RosterMaker(std::uint32_t seed) : engine_(seed) {}

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }

    // Characters with statistics, resistances and attacks of every kind.
    void fill(AppState& state, int characters)
    {
        OBJE** link = &state.objeTop;
        for (int i = 0; i < characters; ++i) {
            OBJE* member = state.objes.make();
            InitObje(*member);
            member->name = "C" + std::to_string(i);
            STATUS& s = member->baseStatus;
            s.HP = pick(0, 9) == 0 ? pick(-1, 0) : pick(1, 250) + (pick(0, 4) == 0 ? 0.5 : 0.0);
            s.MP = pick(0, 60);
            s.WP = pick(0, 3) == 0 ? pick(-2, 2) + pick(0, 1) * 0.25 : pick(1, 400);
            if (pick(0, 24) == 0)
                s.WP = kHugeWait - pick(0, 2); // a fallen member's wait soon leaves the exact range
            // One character in ten has a fractional ATK, DEF or ARI, which no
            // registered character has, so that most battles are fought by whole ones.
            const int fractional = pick(0, 29);
            s.ATK = pick(-1, 60) + (fractional == 0 ? 0.5 : 0.0);
            s.DEF = pick(0, 60) + (fractional == 1 ? 0.5 : 0.0);
            s.HIT = pick(0, 90);
            s.EVA = pick(0, 9) == 0 ? 0 : pick(1, 90);
            s.ARI = pick(0, 50) + (fractional == 2 ? 0.25 : 0.0);
            for (float& resistance : member->baseResist.values)
                resistance = static_cast<float>(pick(0, 4) == 0 ? pick(0, 2) * 100 : pick(0, 200));
            ATTACK** attackLink = &member->attacks;
            for (int a = pick(0, 4); a > 0; --a) {
                ATTACK* attack = *attackLink = state.attacks.make();
                InitAttack(*attack);
                attack->range = pick(0, 6) == 0 ? pick(-1, 9) : pick(1, 8);
                attack->seed = pick(0, 9) == 0 ? pick(-1, 6) : pick(0, 5);
                attack->prop = pick(-1, 22);
                attack->MP = pick(0, 25);
                attack->MPP = pick(0, 20);
                attack->succ = pick(0, 110) + (pick(0, 4) == 0 ? 0.5 : 0.0);
                attack->count = pick(-2, 70);
                attack->hit = pick(-5, 110) + (pick(0, 4) == 0 ? 0.25 : 0.0);
                attackLink = &attack->next;
            }
            *link = member;
            link = &member->next;
        }
    }

    std::vector<std::int32_t> party(int characters, int most)
    {
        std::vector<std::int32_t> rows(static_cast<std::size_t>(pick(1, most)));
        for (std::int32_t& row : rows)
            row = pick(0, characters - 1);
        return rows;
    }

private:
    std::mt19937 engine_;
};

struct Fought {
    BattleResult result;
    std::int32_t next; // the draw after the battle's last: the same only after as many draws
};

// Through a source of another type than the seeded generator's, the same stream is drawn as any
// source is, without the seeded generator's quick way.
Fought fightOnce(BattleRunner& runner, std::uint32_t seed, std::int32_t maxPresses, bool watched,
                 bool anySource = false)
{
    SeededRandom seeded(seed);
    ChosenRandom chosen(seeded);
    chosen.choose(seed);
    RandomSource& random = anySource ? static_cast<RandomSource&>(chosen) : seeded;
    const auto ignore = [](const std::string&) {};
    const BattleResult result = watched ? runner.fight(random, maxPresses, ignore) : runner.fight(random, maxPresses);
    return {result, random.draw()};
}

void expectSame(const Fought& unwatched, const Fought& watched, const std::string& where)
{
    EXPECT_EQ(unwatched.result.outcome, watched.result.outcome) << where;
    EXPECT_EQ(unwatched.result.presses, watched.result.presses) << where;
    EXPECT_EQ(unwatched.result.damage, watched.result.damage) << where;
    EXPECT_EQ(unwatched.next, watched.next) << where;
}

struct Sweep {
    std::uint32_t seed;
    int characters;
    int mostMembers;
    int battles;
    std::int32_t maxPresses;
};

class UnwatchedBattleTest : public ::testing::TestWithParam<Sweep> {};

// Small and large parties (past 64 members, so that a party's sets span
// several words), battles fought to their end and battles given up early.
TEST_P(UnwatchedBattleTest, GoesAsTheWindowsDriverGoes)
{
    const Sweep sweep = GetParam();
    RosterMaker maker(sweep.seed);
    AppState roster;
    maker.fill(roster, sweep.characters);
    std::int32_t ended = 0;
    for (int battle = 0; battle < sweep.battles; ++battle) {
        const PartyRows rows{maker.party(sweep.characters, sweep.mostMembers),
                             maker.party(sweep.characters, sweep.mostMembers)};
        BattleRunner runner(roster.objeTop, rows);
        const auto seed = static_cast<std::uint32_t>(maker.pick(1, 1 << 30));
        const std::string where = "battle " + std::to_string(battle) + ", seed " + std::to_string(seed);
        const Fought unwatched = fightOnce(runner, seed, sweep.maxPresses, false);
        expectSame(unwatched, fightOnce(runner, seed, sweep.maxPresses, true), where);
        // Nothing of one battle carries over into the next on the same runner.
        expectSame(fightOnce(runner, seed, sweep.maxPresses, false), unwatched, where + ", fought again");
        ended += unwatched.result.outcome != Outcome::unfinished ? 1 : 0;
    }
    EXPECT_GT(ended, 0) << "some battles end";
}

INSTANTIATE_TEST_SUITE_P(Rosters, UnwatchedBattleTest,
                         ::testing::Values(Sweep{1, 10, 4, 400, 400}, Sweep{2, 16, 9, 300, 400},
                                           Sweep{3, 6, 3, 400, 12}, Sweep{4, 30, 80, 12, 3000}));

// The seeded generator's draws are made in line; any other source gives the same battle.
TEST(UnwatchedBattle, AnySourceDrawsAsTheSeededGenerator)
{
    RosterMaker maker(9);
    AppState roster;
    maker.fill(roster, 12);
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        BattleRunner runner(roster.objeTop, {maker.party(12, 6), maker.party(12, 6)});
        const std::string where = "seed " + std::to_string(seed);
        expectSame(fightOnce(runner, seed, 500, false, true), fightOnce(runner, seed, 500, true, true), where);
        expectSame(fightOnce(runner, seed, 500, false), fightOnce(runner, seed, 500, false, true), where);
    }
}

// Single-target formulas on numbers no registered character has: a count past
// the exact doubles and a fractional ATK, DEF or ARI, each seed's formula. Both
// members live through every blow, with HP whose doubles keep every digit of it.
TEST(UnwatchedBattle, UnusualFormulasGoAsTheWindowsDriverGoes)
{
    struct Numbers {
        double count, atk, def, ari;
    };
    for (const Numbers n : {Numbers{1e17 + 8, 10, 10, 10}, Numbers{9007199254740993.0, 10, 10, 10},
                            Numbers{40, 10.5, 10, 10}, Numbers{40, 10, 7.5, 10}, Numbers{40, 10, 10, 6.25}}) {
        for (std::int32_t seed = 0; seed <= 4; ++seed) {
            AppState roster;
            OBJE** link = &roster.objeTop;
            for (int i = 0; i < 2; ++i) {
                OBJE* member = *link = roster.objes.make();
                InitObje(*member);
                member->name = "F" + std::to_string(i);
                STATUS& s = member->baseStatus;
                s.HP = n.count > 1e6 ? 4e18 : 1e6;
                s.WP = 3 + i;
                s.ATK = n.atk;
                s.DEF = n.def;
                s.ARI = n.ari;
                s.HIT = s.EVA = 50;
                ATTACK* attack = member->attacks = roster.attacks.make();
                InitAttack(*attack);
                attack->range = 1;
                attack->seed = seed;
                attack->prop = 3;
                attack->count = n.count;
                attack->succ = attack->hit = 100;
                link = &member->next;
            }
            BattleRunner runner(roster.objeTop, {{0}, {1}});
            const std::string where = "count " + std::to_string(n.count) + ", ATK " + std::to_string(n.atk) + ", DEF "
                + std::to_string(n.def) + ", ARI " + std::to_string(n.ari) + ", seed " + std::to_string(seed);
            for (std::uint32_t draws = 1; draws <= 3; ++draws)
                expectSame(fightOnce(runner, draws, 60, false), fightOnce(runner, draws, 60, true), where);
        }
    }
}

// Battles in which nobody can ever act end so both ways: every member fallen from
// the start, waits that never run out, and the two together.
TEST(UnwatchedBattle, BattlesNobodyCanActEndAsTheWindowsDriverEndsThem)
{
    constexpr double kNever = std::numeric_limits<double>::infinity();
    struct Side {
        double hp, wait;
    };
    for (const auto& [player, enemy] : {std::pair{Side{0, 5}, Side{-1, 5}}, std::pair{Side{50, kNever}, Side{50, kNever}},
                                        std::pair{Side{0, 5}, Side{50, kNever}}}) {
        AppState roster;
        OBJE** link = &roster.objeTop;
        for (const Side& side : {player, enemy}) {
            OBJE* member = *link = roster.objes.make();
            InitObje(*member);
            member->name = "N" + std::to_string(side.hp);
            member->baseStatus.HP = side.hp;
            member->baseStatus.WP = side.wait;
            link = &member->next;
        }
        BattleRunner runner(roster.objeTop, {{0}, {1}});
        const std::string where = "HP " + std::to_string(player.hp) + " and " + std::to_string(enemy.hp);
        const Fought unwatched = fightOnce(runner, 1, 50, false);
        EXPECT_EQ(unwatched.result.outcome, Outcome::nobodyCanAct) << where;
        expectSame(unwatched, fightOnce(runner, 1, 50, true), where);
    }
}

// Members that barely harm each other, with waits so long that a battle of
// thousands of presses passes 2^61 passes of the walk; the damage each deals
// tells who acted.
TEST(UnwatchedBattle, EndlessHugeWaitsGoAsTheWindowsDriverGoes)
{
    AppState roster;
    OBJE** link = &roster.objeTop;
    for (const double wait : {kHugeWait, kHugeWait - 2}) {
        OBJE* member = *link = roster.objes.make();
        InitObje(*member);
        member->name = "W" + std::to_string(wait);
        member->baseStatus.HP = 1e9;
        member->baseStatus.WP = wait;
        member->baseStatus.ATK = wait == kHugeWait ? 2 : 3;
        member->baseStatus.HIT = 10;
        member->baseStatus.EVA = 10;
        link = &member->next;
    }
    BattleRunner runner(roster.objeTop, {{0}, {1}});
    const Fought unwatched = fightOnce(runner, 3, 10000, false);
    EXPECT_EQ(unwatched.result.outcome, Outcome::unfinished);
    expectSame(unwatched, fightOnce(runner, 3, 10000, true), "huge waits");
}

// The seeded source is the standard's 32-bit Mersenne Twister, its top 31 bits a draw:
// the same as std::mt19937 across several refills, at both ends of the seed range.
TEST(SeededRandom, DrawsTheStandardMersenneTwister)
{
    for (const std::uint32_t seed : {0U, 1U, 5489U, 4294967295U}) {
        SeededRandom source(seed);
        std::mt19937 standard(seed);
        for (int i = 0; i < 2000; ++i)
            ASSERT_EQ(source.draw(), static_cast<std::int32_t>(standard() >> 1)) << "seed " << seed << ", draw " << i;
    }
    SeededRandom defaultSeed(5489U);
    for (int i = 1; i < 10000; ++i)
        defaultSeed.draw();
    EXPECT_EQ(defaultSeed.draw(), static_cast<std::int32_t>(4123659995U >> 1)); // the standard's 10000th value
}

// A batch thread's generators, seeded four at a time, draw as those seeded one
// by one: seeds asked in order, across the wrap past the largest seed, out of
// order and twice over, each fresh.
TEST(SeededRandom, SeedsMadeFourAtATimeDrawAsOneByOne)
{
    ConsecutiveSeeds seeds;
    for (const std::uint32_t seed : {0U, 1U, 2U, 3U, 4U, 5U, 4294967293U, 4294967294U, 4294967295U, 0U, 1U, 9U, 8U, 8U}) {
        SeededRandom& made = seeds.seeded(seed);
        SeededRandom single(seed);
        for (int i = 0; i < 700; ++i)
            ASSERT_EQ(made.draw(), single.draw()) << "seed " << seed << ", draw " << i;
    }
}

} // namespace
