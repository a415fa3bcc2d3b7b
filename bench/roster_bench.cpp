// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a large roster from disk, saving one character of it, and one 追加
// of the party-selection window with the whole roster in its tables.
#include "RosterLoading.h"
#include "battle/DerivedStats.h"
#include "battle/Random.h"
#include "battle/ReadyUpList.h"
#include "roster/CharacterFile.h"
#include "roster/QtStorage.h"
#include "roster/RosterStore.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <chrono>
#include <cstdlib>
#include <string_view>

#include <benchmark/benchmark.h>

namespace {

constexpr int kAttacksEach = 10;
int characterCount = 10000; // --characters=N

// Writes the roster once per process into a temporary folder.
const std::string& generatedRoster()
{
    static QTemporaryDir dir;
    static const std::string base = [] {
        const std::string root = dir.path().toStdString();
        pc::QtStorage storage;
        storage.makeFolders(root + "/data/CharaList/img");
        std::string preset;
        pc::Arena<pc::ATTACK> attacks;
        for (int i = 0; i < characterCount; ++i) {
            pc::OBJE record;
            pc::InitObje(record);
            record.name = "キャラクター" + std::to_string(i);
            record.fileName = "chara" + std::to_string(i) + ".txt";
            record.baseStatus.HP = 100 + i % 500;
            pc::ATTACK* last = nullptr;
            for (int k = 0; k < kAttacksEach; ++k) {
                pc::ATTACK* attack = attacks.make();
                pc::InitAttack(*attack);
                attack->name = "技" + std::to_string(k);
                attack->range = k % 9;
                attack->count = 10 * k;
                (last ? last->next : record.attacks) = attack;
                last = attack;
            }
            storage.writeAtomically(root + "/data/CharaList/" + record.fileName, pc::characterText(record));
            preset += record.fileName + '\n';
        }
        storage.writeAtomically(root + "/data/CharaList/preset.txt", preset);
        return root;
    }();
    return base;
}

void BM_LoadRoster(benchmark::State& benchState)
{
    const std::string& base = generatedRoster();
    pc::QtStorage storage;
    for (auto _ : benchState) {
        pc::AppState state;
        bench::loadRoster(state, storage, base);
        pc::setPentaStats(state);
        benchmark::DoNotOptimize(state.objeTop);
    }
    benchState.counters["peak_MiB"] = bench::peakMemoryMiB();
}
BENCHMARK(BM_LoadRoster)->Unit(benchmark::kMillisecond);

void BM_SaveOneCharacter(benchmark::State& benchState)
{
    const std::string& base = generatedRoster();
    pc::QtStorage storage;
    pc::AppState state;
    bench::loadRoster(state, storage, base);
    state.ClistClickedRow = characterCount / 2;
    for (auto _ : benchState) {
        benchmark::DoNotOptimize(pc::saveFile(state, storage));
        benchmark::DoNotOptimize(pc::setPreset(state, storage));
    }
}
BENCHMARK(BM_SaveOneCharacter)->Unit(benchmark::kMillisecond);

// One 追加 of a roster character to the player party, the window's tables
// refreshed; the member is removed again between the timed presses.
void BM_PartyAdd(benchmark::State& benchState)
{
    const std::string& base = generatedRoster();
    pc::QtStorage storage;
    pc::CRandomSource random;
    pc::AppState state;
    bench::loadRoster(state, storage, base);
    pc::AppContext context{state, storage, random, {}};
    pc::ReadyUpList window(context);
    state.initCPEListFlag = true;
    window.timerAction3();
    state.CPlistClickedRow = characterCount / 2;
    for (auto _ : benchState) {
        const auto start = std::chrono::steady_clock::now();
        window.RPadd();
        const auto end = std::chrono::steady_clock::now();
        benchState.SetIterationTime(std::chrono::duration<double>(end - start).count());
        // An appended member leaves no row designated: the one member is chosen to go.
        state.RPlistClickedRow = 0;
        window.RPdelete();
    }
}
BENCHMARK(BM_PartyAdd)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]).starts_with("--characters="))
            characterCount = std::atoi(argv[i] + 13);
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
