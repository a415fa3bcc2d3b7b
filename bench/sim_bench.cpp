// SPDX-License-Identifier: GPL-3.0-or-later
// Battles of partyclash-sim on the demo roster beside their floor: one battle
// at a time with texts off (1, 4 and 8 against 8, and 100 against 100), the
// same seeding and draws alone with the same generator, the heap allocations
// of a press, and batches spread over one and two threads.
#include "battle/BattleDriver.h"
#include "battle/BattleSetup.h"
#include "battle/PartySelection.h"
#include "roster/QtStorage.h"
#include "sim/Batch.h"
#include "sim/HeadlessBattle.h"
#include "sim/RosterFolder.h"
#include "sim/SeededRandom.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <map>
#include <new>
#include <random>

namespace {

// Every heap allocation of the process is counted.
std::atomic<std::int64_t> allocations{0};

} // namespace

void* operator new(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

namespace {

struct Matchup {
    pc::AppState roster;
    pc::sim::PartyRows rows;

    Matchup(const std::vector<std::string>& player, const std::vector<std::string>& enemy)
    {
        pc::QtStorage files;
        if (!pc::sim::loadRoster(roster, files, PARTYCLASH_EXAMPLES).empty())
            std::abort();
        const pc::sim::NamedRows players = pc::sim::rosterRows(roster.objeTop, player);
        const pc::sim::NamedRows enemies = pc::sim::rosterRows(roster.objeTop, enemy);
        if (!players.unknown.empty() || !enemies.unknown.empty())
            std::abort();
        rows = {players.rows, enemies.rows};
    }
};

const std::vector<std::string> kPlayers = {"勇者アルス", "魔法使いミラ", "僧侶セラ", "騎士ガレス",
                                           "盗賊リン", "大魔導士オルガ", "聖女リリア", "勇者アルス"};
const std::vector<std::string> kEnemies = {"ドラゴン", "ゴブリン", "オーガ戦士", "死霊術師ゼノ",
                                           "スライム", "大魔導士オルガ", "聖女リリア", "ゴブリン"};

// n against n: the first n of each list, repeated past 8.
const Matchup& matchup(std::int64_t size)
{
    static std::map<std::int64_t, Matchup> made;
    if (auto found = made.find(size); found != made.end())
        return found->second;
    std::vector<std::string> player, enemy;
    for (std::size_t i = 0; i < static_cast<std::size_t>(size); ++i) {
        player.push_back(kPlayers[i % kPlayers.size()]);
        enemy.push_back(kEnemies[i % kEnemies.size()]);
    }
    return made.try_emplace(size, player, enemy).first->second;
}

// Large parties take many presses; every battle is fought to its end.
constexpr std::int32_t kMaxPresses = 1'000'000;
constexpr std::uint32_t kSeeds = 512; // battles cycle through seeds 1 to 512

// Counts the draws a random source makes.
class CountedRandom final : public pc::RandomSource {
public:
    explicit CountedRandom(std::uint32_t seed) : random_(seed) {}
    std::int32_t draw() override
    {
        ++made;
        return random_.draw();
    }
    std::int64_t made = 0;

private:
    pc::sim::SeededRandom random_;
};

// The draws each seed's battle makes.
const std::vector<std::int64_t>& drawsOf(std::int64_t size)
{
    static std::map<std::int64_t, std::vector<std::int64_t>> counted;
    std::vector<std::int64_t>& draws = counted[size];
    if (draws.empty()) {
        const Matchup& m = matchup(size);
        pc::sim::BattleRunner runner(m.roster.objeTop, m.rows);
        for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
            CountedRandom random(seed);
            runner.fight(random, kMaxPresses);
            draws.push_back(random.made);
        }
    }
    return draws;
}

// A whole battle with texts off, as a batch fights it: the generator seeded, the battle fought.
void BM_DemoBattle(benchmark::State& state)
{
    const Matchup& m = matchup(state.range(0));
    pc::sim::BattleRunner runner(m.roster.objeTop, m.rows);
    std::uint32_t seed = 0;
    for (auto _ : state) {
        pc::sim::SeededRandom random(seed % kSeeds + 1);
        benchmark::DoNotOptimize(runner.fight(random, kMaxPresses).presses);
        ++seed;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DemoBattle)->ArgName("size")->Arg(1)->Arg(4)->Arg(8)->Arg(100)->Unit(benchmark::kMicrosecond);

// The standard library's engine, which the seeded source equals draw for draw.
class StandardRandom final : public pc::RandomSource {
public:
    explicit StandardRandom(std::uint32_t seed) : engine_(seed) {}
    std::int32_t draw() override { return static_cast<std::int32_t>(engine_() >> 1); }

private:
    std::mt19937 engine_;
};

// The floor of the battle above: the same seeding and the same number of
// draws from the battle's generator, or from the standard library's
// std::mt19937 making the same draws, and nothing else.
template <typename Generator>
void BM_DemoBattleFloor(benchmark::State& state)
{
    const std::vector<std::int64_t>& draws = drawsOf(state.range(0));
    std::uint32_t seed = 0;
    std::int64_t total = 0;
    for (auto _ : state) {
        Generator random(seed % kSeeds + 1);
        pc::RandomSource& source = random;
        const std::int64_t count = draws[seed % kSeeds];
        for (std::int64_t i = 0; i < count; ++i)
            benchmark::DoNotOptimize(source.draw());
        total += count;
        ++seed;
    }
    state.counters["draws"] = benchmark::Counter(double(total) / double(state.iterations()));
}
BENCHMARK_TEMPLATE(BM_DemoBattleFloor, pc::sim::SeededRandom)
    ->ArgName("size")->Arg(1)->Arg(4)->Arg(8)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_DemoBattleFloor, StandardRandom)
    ->ArgName("size")->Arg(1)->Arg(4)->Arg(8)->Arg(100)->Unit(benchmark::kMicrosecond);

// Heap allocations per press with texts off, from the first press of a battle
// after its set-up to its end, over the battles of many seeds.
void BM_PressAllocations(benchmark::State& state)
{
    const Matchup& m = matchup(state.range(0));
    pc::AppState battleState;
    battleState.objeTop = m.roster.objeTop;
    pc::PartyTables tables;
    for (const std::int32_t row : m.rows.player) {
        battleState.CPlistClickedRow = row;
        pc::refreshInsertionRows(battleState, -1, -1);
        pc::RPadd(battleState, tables);
    }
    for (const std::int32_t row : m.rows.enemy) {
        battleState.CElistClickedRow = row;
        pc::refreshInsertionRows(battleState, -1, -1);
        pc::REadd(battleState, tables);
    }
    pc::BattleView view;
    std::ostream noLog(nullptr);
    std::int64_t presses = 0;
    std::int64_t made = 0;
    std::uint32_t seed = 0;
    for (auto _ : state) {
        pc::sim::SeededRandom random(++seed);
        pc::BattleContext ctx{battleState, view, random, noLog};
        ctx.formatTexts = false;
        battleState.currentNumberRP = battleState.currentNumberRE = 0;
        pc::StartOff(battleState);
        pc::battleTick(ctx);
        const std::int64_t before = allocations.load();
        for (std::int32_t press = 0; press < kMaxPresses && !pc::sim::announcedOutcome(view.naviText); ++press) {
            pc::Navigation(ctx);
            ++presses;
        }
        made += allocations.load() - before;
    }
    state.counters["presses"] = double(presses);
    state.counters["allocations_per_press"] = double(made) / double(presses);
}
BENCHMARK(BM_PressAllocations)->ArgName("size")->Arg(4)->Arg(100)->Iterations(50)->Unit(benchmark::kMicrosecond);

// The demo batch of 4 against 4, as partyclash-sim --runs fights it.
void BM_Batch(benchmark::State& state)
{
    const Matchup& m = matchup(4);
    const std::int64_t runs = 2000;
    const pc::sim::FightMaker makeFight = [&m]() -> pc::sim::FightRun {
        auto runner = std::make_shared<pc::sim::BattleRunner>(m.roster.objeTop, m.rows);
        return [runner](std::int64_t run) {
            pc::sim::SeededRandom random(static_cast<std::uint32_t>(run + 1));
            return runner->fight(random, kMaxPresses);
        };
    };
    for (auto _ : state)
        benchmark::DoNotOptimize(pc::sim::runBatchEach(runs, static_cast<int>(state.range(0)), makeFight).runs());
    state.SetItemsProcessed(state.iterations() * runs);
}
BENCHMARK(BM_Batch)->ArgName("jobs")->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
