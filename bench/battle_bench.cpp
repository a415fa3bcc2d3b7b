// SPDX-License-Identifier: GPL-3.0-or-later
// The battle driver beside the step-by-step reference: one press against huge
// waits, one press between large parties, and whole battles of typical parties.
#include "ReferenceDriver.h"
#include "battle/BattleDriver.h"
#include "battle/BattleSetup.h"
#include "battle/Messages.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>
#include <string>

namespace {

using Press = void (*)(pc::BattleContext&);

// A cheap stream of draws from 0 to RAND_MAX.
class BenchRandom final : public pc::RandomSource {
public:
    std::int32_t draw() override { return static_cast<std::int32_t>(engine_() & 0x7fffffff); }

private:
    std::minstd_rand engine_;
};

struct MemberDraft {
    double HP, MP, WP, ATK, DEF, HIT, EVA, ARI;
};

class BenchBattle {
public:
    explicit BenchBattle(bool formatTexts = true) { ctx.formatTexts = formatTexts; }

    pc::OBJE* join(pc::OBJE*& top, const MemberDraft& d)
    {
        pc::OBJE* member = state.objes.make();
        pc::InitObje(*member);
        member->name = "メンバー" + std::to_string(state.objes.size());
        member->baseStatus = {d.HP, d.MP, 0, 0, d.WP, 30, 30, 30, 30, 30, 30, 30, d.ATK, d.DEF, d.HIT, d.EVA, d.ARI};
        member->baseResist.values.fill(100);
        member->next = top;
        top = member;
        return member;
    }

    void attack(pc::OBJE& member, std::int32_t range, std::int32_t seed, double count, double mp)
    {
        pc::ATTACK* a = state.attacks.make();
        *a = {nullptr, "", "技" + std::to_string(state.attacks.size()), range, 0, 1, seed, mp, 0, 95, 0, count, 90, {}, {}};
        pc::ATTACK** link = &member.attacks;
        while (*link)
            link = &(*link)->next;
        *link = a;
    }

    // A battle from the start, as the first one of a run: fresh statistics, no position kept.
    void restart()
    {
        pc::setUpBattle(ctx);
        state.currentNumberRP = state.currentNumberRE = 0;
    }

    // Presses until the end is announced; the number of presses.
    std::int64_t fight(Press press)
    {
        std::int64_t presses = 0;
        do {
            press(ctx);
            ++presses;
        } while (view.naviText != pc::kPlayerVictory && view.naviText != pc::kPlayerDefeat);
        return presses;
    }

    pc::AppState state;
    pc::BattleView view;
    BenchRandom random;
    std::ostream noLog{nullptr};
    pc::BattleContext ctx{state, view, random, noLog};
};

// The first press of a battle, timed alone.
void timeFirstPress(benchmark::State& bench, BenchBattle& battle, Press press)
{
    for (auto _ : bench) {
        battle.restart();
        const auto start = std::chrono::steady_clock::now();
        press(battle.ctx);
        const auto end = std::chrono::steady_clock::now();
        bench.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}

// One against one, both with the wait given; the player's action ends the press.
void BM_PressHugeWaits(benchmark::State& bench, Press press)
{
    BenchBattle battle;
    for (pc::OBJE** top : {&battle.state.REtop, &battle.state.RPtop}) {
        pc::OBJE* member = battle.join(*top, {1e9, 100, double(bench.range(0)), 50, 30, 50, 40, 30});
        battle.attack(*member, 1, 1, 40, 0);
    }
    timeFirstPress(bench, battle, press);
}
BENCHMARK_CAPTURE(BM_PressHugeWaits, fast, pc::Navigation)->Arg(2'000'000'000)->Arg(10'000'000)
    ->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PressHugeWaits, reference, pc::reference::Navigation)->Arg(10'000'000)
    ->UseManualTime()->Unit(benchmark::kMicrosecond);

// A hundred against a hundred, every wait 500.
void BM_PressLargeParties(benchmark::State& bench, Press press)
{
    BenchBattle battle;
    for (pc::OBJE** top : {&battle.state.REtop, &battle.state.RPtop}) {
        for (int i = 0; i < 100; ++i)
            battle.attack(*battle.join(*top, {400, 100, 500, 50, 30, 50, 40, 30}), 1, 1, 40, 0);
    }
    timeFirstPress(bench, battle, press);
}
BENCHMARK_CAPTURE(BM_PressLargeParties, fast, pc::Navigation)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PressLargeParties, reference, pc::reference::Navigation)
    ->UseManualTime()->Unit(benchmark::kMicrosecond);

// Four against four with typical characters: WP 300 to 600, HP 200 to 600 and
// four attacks each, of single-target, multi-target and healing ranges.
void BM_WholeBattle(benchmark::State& bench, Press press, bool formatTexts)
{
    constexpr std::int32_t kRanges[4][4] = {{2, 3, 1, 5}, {1, 5, 1, 2}, {3, 1, 5, 1}, {4, 2, 1, 5}};
    BenchBattle battle(formatTexts);
    std::mt19937 roll(7);
    auto between = [&roll](int low, int high) { return double(std::uniform_int_distribution<int>(low, high)(roll)); };
    for (pc::OBJE** top : {&battle.state.REtop, &battle.state.RPtop}) {
        for (int i = 0; i < 4; ++i) {
            pc::OBJE& member = *battle.join(*top, {between(200, 600), between(50, 150), between(300, 600),
                                                   between(30, 80), between(20, 60), between(30, 80),
                                                   between(20, 60), between(20, 60)});
            for (const std::int32_t range : kRanges[i]) {
                const bool heals = range == 5;
                battle.attack(member, range, heals ? 4 : range % 3, between(20, 50), between(0, heals ? 20 : 10));
            }
        }
    }
    std::int64_t presses = 0;
    for (auto _ : bench) {
        battle.restart();
        presses += battle.fight(press);
    }
    bench.SetItemsProcessed(bench.iterations());
    bench.counters["presses"] = benchmark::Counter(double(presses) / double(bench.iterations()));
}
BENCHMARK_CAPTURE(BM_WholeBattle, fast_unformatted, pc::Navigation, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WholeBattle, fast_formatted, pc::Navigation, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WholeBattle, reference_unformatted, pc::reference::Navigation, false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WholeBattle, reference_formatted, pc::reference::Navigation, true)
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
