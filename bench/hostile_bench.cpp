// SPDX-License-Identifier: GPL-3.0-or-later
// Loading hostile data folders: a 100,000-line list of one character, and a
// 50 MB line in the preset list and in a character file. Run one benchmark per
// process (--benchmark_filter) to read its peak memory.
#include "RosterLoading.h"
#include "records/AppState.h"
#include "roster/CharacterFile.h"
#include "roster/QtStorage.h"
#include "roster/RosterStore.h"

#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A data folder with the given preset list and one character "hero.txt" whose
// file is `heroText` (a whole character when empty), with a 64×64 picture.
std::string folderWith(QTemporaryDir& dir, const std::string& preset, std::string heroText = {})
{
    const std::string base = dir.path().toStdString();
    const std::string data = base + "/data/CharaList/";
    pc::QtStorage storage;
    storage.makeFolders(data + "img");
    if (heroText.empty()) {
        pc::OBJE hero;
        pc::InitObje(hero);
        hero.name = "勇者";
        hero.fileName = "hero.txt";
        hero.imageName = "hero.png";
        heroText = pc::characterText(hero);
    }
    storage.writeAtomically(data + "hero.txt", heroText);
    storage.writeAtomically(data + "preset.txt", preset);
    QImage picture(64, 64, QImage::Format_ARGB32);
    picture.fill(Qt::green);
    picture.save(QString::fromStdString(data + "img/hero.png"), "PNG");
    return base;
}

void load(benchmark::State& benchState, const std::string& base)
{
    pc::QtStorage storage;
    for (auto _ : benchState) {
        pc::AppState state;
        bench::loadRoster(state, storage, base);
        benchmark::DoNotOptimize(state.objeTop);
    }
    benchState.counters["peak_MiB"] = bench::peakMemoryMiB();
}

void BM_ListOf100000Lines(benchmark::State& benchState)
{
    QTemporaryDir dir;
    std::string preset;
    for (int line = 0; line < 100'000; ++line)
        preset += "hero.txt\n";
    load(benchState, folderWith(dir, preset));
}
BENCHMARK(BM_ListOf100000Lines)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ListWithA50MBLine(benchmark::State& benchState)
{
    QTemporaryDir dir;
    load(benchState, folderWith(dir, std::string(50 << 20, 'A') + "\n"));
}
BENCHMARK(BM_ListWithA50MBLine)->Unit(benchmark::kMillisecond);

void BM_CharacterWithA50MBLine(benchmark::State& benchState)
{
    QTemporaryDir dir;
    load(benchState, folderWith(dir, "hero.txt\n", std::string(50 << 20, 'A') + "\n"));
}
BENCHMARK(BM_CharacterWithA50MBLine)->Unit(benchmark::kMillisecond);

// What every timer tick costs while a 30 MB list that does not load stays unchanged.
void BM_TickOnAnUnloadableList(benchmark::State& benchState)
{
    QTemporaryDir dir;
    const std::string base = folderWith(dir, std::string(30 << 20, 'A'));
    pc::QtStorage storage;
    pc::AppState state;
    state.baseDir = base;
    pc::initPreset(state, storage);
    for (auto _ : benchState) {
        pc::initPreset(state, storage);
        benchmark::DoNotOptimize(state.initPresetFlag);
    }
}
BENCHMARK(BM_TickOnAnUnloadableList)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
