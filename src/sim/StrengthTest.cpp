// SPDX-License-Identifier: GPL-3.0-or-later
#include "StrengthTest.h"

#include <algorithm>
#include <cmath>

namespace pc::sim {

MatrixSetup strengthSetup(OBJE* before, OBJE* after, std::int32_t testedRow, std::int64_t battles,
                          std::uint32_t firstSeed)
{
    MatrixSetup setup;
    setup.lineups = {{before, {}}, {after, {}}};
    std::int32_t row = 0;
    for (const OBJE* character = after; character; character = character->next, ++row) {
        setup.names.push_back(characterLabel(after, *character));
        for (Lineup& lineup : setup.lineups)
            lineup.entrants.push_back({row});
    }
    const auto tested = static_cast<std::size_t>(testedRow);
    for (std::size_t other = 0; other < setup.names.size(); ++other) {
        if (other == tested)
            continue;
        setup.pairings.push_back({tested, other});
        setup.pairings.push_back({other, tested});
    }
    setup.battles = battles;
    setup.firstSeed = firstSeed;
    return setup;
}

std::vector<PairingChange> mostChanged(const MatrixResult& result, std::size_t tested, std::size_t count)
{
    std::vector<PairingChange> changes;
    for (std::size_t i = 0; i < result.pairings.size(); ++i) {
        const Pairing& pairing = result.setup.pairings[i];
        if (!result.pairings[i] || (pairing.player != tested && pairing.enemy != tested))
            continue;
        const bool asPlayer = pairing.player == tested;
        changes.push_back({i, asPlayer, asPlayer ? result.pairings[i]->player : result.pairings[i]->enemy});
    }
    std::stable_sort(changes.begin(), changes.end(), [](const PairingChange& a, const PairingChange& b) {
        return std::abs(a.change.mean()) > std::abs(b.change.mean());
    });
    if (changes.size() > count)
        changes.resize(count);
    return changes;
}

} // namespace pc::sim
