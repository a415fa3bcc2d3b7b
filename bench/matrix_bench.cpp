// SPDX-License-Identifier: GPL-3.0-or-later
// The balance matrix of the 12-character demo roster: every ordered pairing,
// 1,000 battles each (144,000 battles), on one and on two worker threads.
#include "roster/QtStorage.h"
#include "sim/Matrix.h"
#include "sim/RosterFolder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void BM_DemoMatrix(benchmark::State& state)
{
    pc::AppState roster;
    pc::QtStorage files;
    if (!pc::sim::loadRoster(roster, files, PARTYCLASH_EXAMPLES).empty())
        std::abort();
    pc::sim::MatrixSetup setup;
    setup.lineups.push_back({roster.objeTop, {}});
    std::int32_t row = 0;
    for (const pc::OBJE* character = roster.objeTop; character; character = character->next) {
        setup.names.push_back(character->name);
        setup.lineups[0].entrants.push_back({row++});
    }
    setup.pairings = pc::sim::everyPairing(setup.names.size());
    setup.battles = 1000;
    for (auto _ : state) {
        pc::sim::MatrixRunner runner(setup, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(runner.wait().pairings.size());
    }
    state.SetItemsProcessed(state.iterations() * 144'000);
}
BENCHMARK(BM_DemoMatrix)->ArgName("jobs")->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
