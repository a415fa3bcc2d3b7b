// Loading a large roster from disk and saving one character of it.
#include "editor/DerivedStats.h"
#include "roster/CharacterFile.h"
#include "roster/QtStorage.h"
#include "roster/RosterStore.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

constexpr int kCharacters = 10000;
constexpr int kAttacksEach = 10;

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
        for (int i = 0; i < kCharacters; ++i) {
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

double peakMemoryMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_LoadRoster(benchmark::State& benchState)
{
    const std::string& base = generatedRoster();
    pc::QtStorage storage;
    for (auto _ : benchState) {
        pc::AppState state;
        state.baseDir = base;
        pc::initPreset(state, storage);
        pc::roadFile(state, storage);
        pc::setPentaStats(state);
        benchmark::DoNotOptimize(state.objeTop);
    }
    benchState.counters["peak_MiB"] = peakMemoryMiB();
}
BENCHMARK(BM_LoadRoster)->Unit(benchmark::kMillisecond);

void BM_SaveOneCharacter(benchmark::State& benchState)
{
    const std::string& base = generatedRoster();
    pc::QtStorage storage;
    pc::AppState state;
    state.baseDir = base;
    pc::initPreset(state, storage);
    pc::roadFile(state, storage);
    state.ClistClickedRow = kCharacters / 2;
    for (auto _ : benchState) {
        benchmark::DoNotOptimize(pc::saveFile(state, storage));
        benchmark::DoNotOptimize(pc::setPreset(state, storage));
    }
}
BENCHMARK(BM_SaveOneCharacter)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
