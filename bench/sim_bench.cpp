// Battles per second of partyclash-sim on the demo roster: one battle at a
// time, and batches spread over one and two threads.
#include "roster/QtStorage.h"
#include "sim/Batch.h"
#include "sim/HeadlessBattle.h"
#include "sim/RosterFolder.h"
#include "sim/SeededRandom.h"

#include <benchmark/benchmark.h>

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

// 1 on 1, or 3 on 3.
const Matchup& matchup(std::int64_t size)
{
    static const Matchup one({"勇者アルス"}, {"騎士ガレス"});
    static const Matchup three({"勇者アルス", "魔法使いミラ", "僧侶セラ"}, {"ドラゴン", "ゴブリン", "スライム"});
    return size == 1 ? one : three;
}

pc::sim::BattleResult fight(const Matchup& m, std::int64_t run)
{
    pc::sim::SeededRandom random(static_cast<std::uint32_t>(run + 1));
    return pc::sim::fightBattle(m.roster.objeTop, m.rows, random, 1000);
}

void BM_Battle(benchmark::State& state)
{
    const Matchup& m = matchup(state.range(0));
    std::int64_t run = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(fight(m, run++).presses);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Battle)->ArgName("size")->Arg(1)->Arg(3)->Unit(benchmark::kMicrosecond);

void BM_Batch(benchmark::State& state)
{
    const Matchup& m = matchup(state.range(0));
    const std::int64_t runs = 2000;
    const pc::sim::FightRun run = [&m](std::int64_t i) { return fight(m, i); };
    for (auto _ : state)
        benchmark::DoNotOptimize(pc::sim::runBatch(runs, static_cast<int>(state.range(1)), run).runs());
    state.SetItemsProcessed(state.iterations() * runs);
}
BENCHMARK(BM_Batch)->ArgNames({"size", "jobs"})->ArgsProduct({{1, 3}, {1, 2}})->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
