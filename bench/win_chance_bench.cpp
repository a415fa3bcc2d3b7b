// SPDX-License-Identifier: GPL-3.0-or-later
// The estimate of the player's chance to win, as the battle window runs it
// after a press: 2,000 continuations of a 4 against 4 battle of the demo
// roster on every hardware thread, from the set-up and from later presses.
#include "battle/BattleCopy.h"
#include "battle/BattleDriver.h"
#include "battle/BattleSetup.h"
#include "battle/PartySelection.h"
#include "battle/SeededRandom.h"
#include "battle/WinChance.h"
#include "roster/QtStorage.h"
#include "sim/RosterFolder.h"

#include <benchmark/benchmark.h>

#include <ostream>

namespace {

struct DemoBattle {
    DemoBattle()
    {
        if (!pc::sim::loadRoster(state, storage, PARTYCLASH_EXAMPLES).empty())
            return;
        const auto player = pc::sim::rosterRows(state.objeTop, {"勇者アルス", "魔法使いミラ", "僧侶セラ", "騎士ガレス"});
        const auto enemy = pc::sim::rosterRows(state.objeTop, {"ドラゴン", "オーガ戦士", "死霊術師ゼノ", "ゴブリン"});
        pc::PartyTables tables;
        for (const std::int32_t row : player.rows) {
            pc::refreshInsertionRows(state, -1, -1);
            state.CPlistClickedRow = row;
            pc::RPadd(state, tables);
        }
        for (const std::int32_t row : enemy.rows) {
            pc::refreshInsertionRows(state, -1, -1);
            state.CElistClickedRow = row;
            pc::REadd(state, tables);
        }
        pc::StartOff(state);
        pc::battleTick(ctx);
    }

    pc::QtStorage storage;
    pc::AppState state;
    pc::BattleView view;
    pc::SeededRandom random{42};
    std::ostream noLog{nullptr};
    pc::BattleContext ctx{state, view, random, noLog};
};

// The wall time from the press to the estimate ready to show.
void BM_WinChanceAfterPress(benchmark::State& bench)
{
    DemoBattle battle;
    for (std::int64_t press = 0; press < bench.range(0); ++press)
        pc::Navigation(battle.ctx);
    pc::WinChanceEstimator estimator;
    double chance = 0;
    for (auto _ : bench) {
        estimator.start(pc::copyBattle(battle.state, battle.view));
        estimator.wait();
        chance = estimator.take()->estimate.chance;
    }
    bench.counters["chance_pct"] = chance * 100;
}
BENCHMARK(BM_WinChanceAfterPress)->Arg(0)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

} // namespace

BENCHMARK_MAIN();
