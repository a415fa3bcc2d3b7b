// SPDX-License-Identifier: GPL-3.0-or-later
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

// Recomputes the derived statistics of the roster characters from their
// stored values: every character's when markPentaStale was called since the
// last time (and the first time), else only the character the editor last
// wrote derived statistics into (pentaTouched), else nothing, as nothing
// else changes them.
void setPentaStats(AppState& state);

// The statistics of roster characters changed: the next setPentaStats recomputes them all.
void markPentaStale(AppState& state);

} // namespace pc
