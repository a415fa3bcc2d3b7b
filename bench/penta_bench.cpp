// SPDX-License-Identifier: GPL-3.0-or-later
// The derived-statistics pass the character editor's timer makes over the
// whole roster on every tick.
#include "battle/DerivedStats.h"

#include <benchmark/benchmark.h>

namespace {

void BM_SetPentaStats(benchmark::State& benchState)
{
    pc::AppState state;
    pc::OBJE* last = nullptr;
    for (std::int64_t i = 0; i < benchState.range(0); ++i) {
        pc::OBJE* record = state.objes.make();
        pc::InitObje(*record);
        record->name = "キャラクター" + std::to_string(i);
        record->baseStatus.STR = static_cast<double>(10 + i % 90);
        record->baseStatus.MEN = static_cast<double>(5 + i % 40);
        (last ? last->next : state.objeTop) = record;
        last = record;
    }
    for (auto _ : benchState) {
        pc::setPentaStats(state);
        benchmark::DoNotOptimize(state.objeTop->baseStatus.ATK);
        benchmark::ClobberMemory();
    }
    benchState.SetItemsProcessed(benchState.iterations() * benchState.range(0));
}
BENCHMARK(BM_SetPentaStats)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
