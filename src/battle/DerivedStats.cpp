// SPDX-License-Identifier: GPL-3.0-or-later
#include "DerivedStats.h"

#include <cmath>

namespace pc {

DerivedStats derivedStats(const BaseStats& b)
{
    return {
        std::floor((5 * b.STR + 2 * b.DEX + b.AGI) / 8),
        std::floor((5 * b.VIT + 2 * b.MEN + b.STR) / 8),
        std::floor((4 * b.DEX + 1 * b.AGI + b.MEN) / 6),
        std::floor((4 * b.AGI + 1 * b.AGI + b.MEN) / 6),
        std::floor((4 * b.INT + 2 * b.MEN + b.DEX) / 7),
    };
}

void storeDerived(STATUS& status, const DerivedStats& derived)
{
    status.ATK = derived.ATK;
    status.DEF = derived.DEF;
    status.HIT = derived.HIT;
    status.EVA = derived.EVA;
    status.ARI = derived.ARI;
}

namespace {

void storeOwnDerived(OBJE& record)
{
    const STATUS& s = record.baseStatus;
    storeDerived(record.baseStatus, derivedStats({s.STR, s.VIT, s.AGI, s.DEX, s.MEN, s.INT}));
}

} // namespace

void setPentaStats(AppState& state)
{
    if (state.pentaStale) {
        for (OBJE* record = state.objeTop; record; record = record->next)
            storeOwnDerived(*record);
    } else if (state.pentaTouched) {
        storeOwnDerived(*state.pentaTouched);
    }
    state.pentaStale = false;
    state.pentaTouched = nullptr;
}

void markPentaStale(AppState& state)
{
    state.pentaStale = true;
}

} // namespace pc
