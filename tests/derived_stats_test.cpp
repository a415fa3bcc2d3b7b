// Derived statistics from the base statistics.
#include "editor/DerivedStats.h"
#include "records/Numbers.h"

#include <gtest/gtest.h>

using namespace pc;

TEST(DerivedStatsTest, Examples)
{
    const struct { const char* name; BaseStats base; DerivedStats expected; } cases[] = {
        {"all thirty", {30, 30, 30, 30, 30, 30}, {30, 30, 30, 30, 30}},
        {"mixed", {10, 20, 7, 3, 5, 9}, {7, 15, 4, 6, 7}},
        {"eva ignores dex", {0, 0, 12, 100, 0, 0}, {26, 0, 68, 10, 14}},
        {"negatives floor down", {-1, 0, 0, 0, 0, 0}, {-1, -1, 0, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(derivedStats(c.base), c.expected) << c.name;
}

TEST(DerivedStatsTest, RosterPassStoresIntoEveryCharacterAndMillionShowsInExponentForm)
{
    AppState state;
    OBJE* first = state.objes.make();
    OBJE* second = state.objes.make();
    InitObje(*first);
    InitObje(*second);
    first->next = second;
    state.objeTop = first;
    second->baseStatus.STR = 1600000;
    second->baseStatus.DEX = 0;
    second->baseStatus.AGI = 0;
    setPentaStats(state);
    EXPECT_EQ(first->baseStatus.ATK, 30);
    EXPECT_EQ(first->baseStatus.ARI, 30);
    EXPECT_EQ(second->baseStatus.ATK, 1000000);
    EXPECT_EQ("ATK " + formatG(second->baseStatus.ATK), "ATK 1e+06");
    EXPECT_EQ(second->curStatus.ATK, 0) << "the battle-time block is not touched";
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
