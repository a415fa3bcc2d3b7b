// SPDX-License-Identifier: GPL-3.0-or-later
#include "Matrix.h"

#include "sim/SeededRandom.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <string_view>
#include <unordered_map>

namespace pc::sim {

namespace {

constexpr double kZ95 = 1.959963984540054;

bool playerWon(const BattleResult& result)
{
    return result.outcome == Outcome::victory;
}

bool enemyWon(const BattleResult& result)
{
    return result.outcome == Outcome::defeat;
}

void count(PairedChange& change, bool before, bool after)
{
    ++change.battles;
    change.gained += after && !before;
    change.lost += before && !after;
}

} // namespace

std::vector<Pairing> everyPairing(std::size_t count)
{
    std::vector<Pairing> pairings;
    for (std::size_t player = 0; player < count; ++player) {
        for (std::size_t enemy = 0; enemy < count; ++enemy)
            pairings.push_back({player, enemy});
    }
    return pairings;
}

void PairingTotals::add(const BattleResult& result)
{
    ++battles;
    switch (result.outcome) {
    case Outcome::victory:
        ++wins;
        presses.add(result.presses);
        break;
    case Outcome::defeat:
        ++defeats;
        presses.add(result.presses);
        break;
    case Outcome::nobodyCanAct:
        ++nobody;
        break;
    case Outcome::unfinished:
        ++unfinished;
        break;
    }
}

void PairedChange::merge(const PairedChange& other)
{
    battles += other.battles;
    gained += other.gained;
    lost += other.lost;
}

double PairedChange::mean() const
{
    return battles ? static_cast<double>(gained - lost) / static_cast<double>(battles) : 0;
}

Interval PairedChange::interval() const
{
    const double mean = this->mean();
    if (battles < 2 || gained + lost == 0)
        return {mean, mean};
    const double n = static_cast<double>(battles);
    // Each difference is -1, 0 or 1, so its square is 1 exactly when it is not 0.
    const double variance = std::max(0.0, (static_cast<double>(gained + lost) - n * mean * mean) / (n - 1));
    const double half = kZ95 * std::sqrt(variance / n);
    return {mean - half, mean + half};
}

bool preciseEnough(const PairingTotals& totals, double precision)
{
    if (totals.battles == 0)
        return false;
    const Interval interval = wilsonInterval(totals.wins, totals.battles);
    return (interval.high - interval.low) / 2 <= precision;
}

bool MatrixResult::complete() const
{
    return std::all_of(pairings.begin(), pairings.end(), [](const auto& pairing) { return pairing.has_value(); });
}

std::vector<Standing> standings(const MatrixResult& result, std::size_t lineup)
{
    std::vector<Standing> all(result.setup.names.size());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i].entrant = i;
    for (std::size_t i = 0; i < result.pairings.size(); ++i) {
        if (!result.pairings[i])
            continue;
        const Pairing& pairing = result.setup.pairings[i];
        const PairingResult& fought = *result.pairings[i];
        const PairingTotals& totals = fought.lineups[lineup];
        Standing& player = all[pairing.player];
        player.battles += totals.battles;
        player.wins += totals.wins;
        player.change.merge(fought.player);
        Standing& enemy = all[pairing.enemy];
        enemy.battles += totals.battles;
        enemy.wins += totals.defeats;
        enemy.change.merge(fought.enemy);
    }
    std::erase_if(all, [](const Standing& standing) { return standing.battles == 0; });
    std::stable_sort(all.begin(), all.end(), [](const Standing& a, const Standing& b) {
        // Compared as products, so equal rates over different battles tie exactly.
        return static_cast<double>(a.wins) * static_cast<double>(b.battles)
            > static_cast<double>(b.wins) * static_cast<double>(a.battles);
    });
    return all;
}

MatrixRunner::MatrixRunner(MatrixSetup setup, int jobs)
    : setup_(std::move(setup))
    , results_(setup_.pairings.size())
{
    total_ = setup_.battles * static_cast<std::int64_t>(setup_.pairings.size() * setup_.lineups.size());
    const int threads = std::max(1, std::min<int>(jobs, static_cast<int>(std::max<std::size_t>(1, setup_.pairings.size()))));
    running_ = threads;
    for (int i = 0; i < threads; ++i)
        threads_.emplace_back([this] { work(); });
}

MatrixRunner::~MatrixRunner()
{
    cancel();
}

void MatrixRunner::work()
{
    for (std::size_t i = next_++; i < setup_.pairings.size() && !cancel_.load(std::memory_order_relaxed);
         i = next_++) {
        PairingResult result = fight(setup_.pairings[i]);
        if (cancel_.load())
            break;
        const std::lock_guard lock(mutex_);
        results_[i] = std::move(result);
    }
    --running_;
}

// Fights the pairing's battles seed by seed on every lineup, so that the
// lineups' outcomes can be paired battle for battle.
PairingResult MatrixRunner::fight(const Pairing& pairing)
{
    PairingResult result;
    result.lineups.resize(setup_.lineups.size());
    // Each lineup's parties are built once for the pairing's battles.
    std::vector<std::unique_ptr<BattleRunner>> runners;
    for (const Lineup& lineup : setup_.lineups) {
        const PartyRows rows{lineup.entrants[pairing.player], lineup.entrants[pairing.enemy]};
        runners.push_back(std::make_unique<BattleRunner>(lineup.roster, rows));
    }
    std::vector<BattleResult> outcomes(setup_.lineups.size());
    for (std::int64_t run = 0; run < setup_.battles; ++run) {
        if (cancel_.load(std::memory_order_relaxed))
            break;
        const std::uint32_t seed = setup_.firstSeed + static_cast<std::uint32_t>(run);
        for (std::size_t l = 0; l < setup_.lineups.size(); ++l) {
            SeededRandom random(seed);
            outcomes[l] = runners[l]->fight(random, setup_.maxPresses);
            result.lineups[l].add(outcomes[l]);
        }
        if (outcomes.size() == 2) {
            count(result.player, playerWon(outcomes[0]), playerWon(outcomes[1]));
            count(result.enemy, enemyWon(outcomes[0]), enemyWon(outcomes[1]));
        }
        done_.fetch_add(static_cast<std::int64_t>(outcomes.size()), std::memory_order_relaxed);
        if (setup_.precision > 0 && outcomes.size() == 1 && preciseEnough(result.lineups[0], setup_.precision)) {
            done_.fetch_add(setup_.battles - run - 1, std::memory_order_relaxed);
            break;
        }
    }
    return result;
}

MatrixResult MatrixRunner::snapshot() const
{
    MatrixResult result{setup_, {}};
    const std::lock_guard lock(mutex_);
    result.pairings = results_;
    return result;
}

MatrixResult MatrixRunner::wait(const std::function<void(std::int64_t done)>& progress)
{
    while (!finished()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (progress)
            progress(done());
    }
    threads_.clear();
    return snapshot();
}

namespace {

std::string labelOf(const OBJE& character, bool nameShared)
{
    return nameShared ? character.name + " (" + character.fileName + ")" : character.name;
}

} // namespace

std::string characterLabel(const OBJE* roster, const OBJE& character)
{
    for (const OBJE* other = roster; other; other = other->next) {
        if (other != &character && other->name == character.name)
            return labelOf(character, true);
    }
    return labelOf(character, false);
}

std::vector<std::string> characterLabels(const OBJE* roster)
{
    std::unordered_map<std::string_view, int> named;
    for (const OBJE* character = roster; character; character = character->next)
        ++named[character->name];
    std::vector<std::string> labels;
    for (const OBJE* character = roster; character; character = character->next)
        labels.push_back(labelOf(*character, named[character->name] > 1));
    return labels;
}

void copyRoster(const OBJE* roster, AppState& into)
{
    OBJE** link = &into.objeTop;
    for (const OBJE* character = roster; character; character = character->next) {
        OBJE* copy = into.objes.make();
        *copy = *character;
        copy->next = nullptr;
        copy->image = nullptr;
        ATTACK** attackLink = &copy->attacks;
        for (const ATTACK* attack = character->attacks; attack; attack = attack->next) {
            ATTACK* attackCopy = into.attacks.make();
            *attackCopy = *attack;
            attackCopy->next = nullptr;
            *attackLink = attackCopy;
            attackLink = &attackCopy->next;
        }
        *link = copy;
        link = &copy->next;
    }
}

} // namespace pc::sim
