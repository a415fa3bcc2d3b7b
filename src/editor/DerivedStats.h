// The five combat statistics derived from the base statistics.
#pragma once

#include "records/AppState.h"

namespace pc {

struct BaseStats {
    double STR, VIT, AGI, DEX, MEN, INT;
};

struct DerivedStats {
    double ATK, DEF, HIT, EVA, ARI;
    bool operator==(const DerivedStats&) const = default;
};

DerivedStats derivedStats(const BaseStats& base);

// Stores the derived statistics into a status block.
void storeDerived(STATUS& status, const DerivedStats& derived);

// Recomputes the derived statistics of every roster character from its stored values.
void setPentaStats(AppState& state);

} // namespace pc
