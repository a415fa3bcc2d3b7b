// SPDX-License-Identifier: GPL-3.0-or-later
// Derived statistics from the base statistics.
#include "battle/DerivedStats.h"

#include <gtest/gtest.h>

using namespace pc;

TEST(DerivedStatsTest, Examples)
{
    const struct { const char* name; BaseStats base; DerivedStats expected; } cases[] = {
        {"all thirty", {30, 30, 30, 30, 30, 30}, {30, 30, 30, 30, 30}},
        {"mixed", {10, 20, 7, 3, 5, 9}, {7, 15, 4, 6, 7}},
        {"eva ignores dex", {0, 0, 12, 100, 0, 0}, {26, 0, 68, 10, 14}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(derivedStats(c.base), c.expected) << c.name;
}

// A tick recomputes after a change of the roster, and restores the character
// the editor wrote derived statistics into; otherwise it leaves them alone.
TEST(DerivedStatsTest, RecomputedAfterAChangeOrForTheCharacterTheEditorWrote)
{
    AppState state;
    OBJE* record = state.objes.make();
    InitObje(*record);
    state.objeTop = record;
    setPentaStats(state);
    record->baseStatus.STR = 110; // ATK 80 once recomputed
    setPentaStats(state);
    EXPECT_EQ(record->baseStatus.ATK, 30) << "no change marked";
    markPentaStale(state);
    setPentaStats(state);
    EXPECT_EQ(record->baseStatus.ATK, 80);
    record->baseStatus.ATK = 5;
    state.pentaTouched = record;
    setPentaStats(state);
    EXPECT_EQ(record->baseStatus.ATK, 80);
}
