// SPDX-License-Identifier: GPL-3.0-or-later
// One character as it was and as it is now, against every other character of
// the roster on both sides, on the same seeds.
#pragma once

#include "sim/Matrix.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pc::sim {

// The setup of the test: `before` and `after` are the same roster but for the
// character at `testedRow`. Its entrants are the roster's characters in order.
MatrixSetup strengthSetup(OBJE* before, OBJE* after, std::int32_t testedRow, std::int64_t battles,
                          std::uint32_t firstSeed);

struct PairingChange {
    std::size_t pairing = 0;   // index in the setup
    bool testedIsPlayer = true;
    PairedChange change;       // of the tested character's wins
};

// The finished pairings of the tested character, the largest changes of its
// win rate first, at most `count`.
std::vector<PairingChange> mostChanged(const MatrixResult& result, std::size_t tested, std::size_t count);

} // namespace pc::sim
