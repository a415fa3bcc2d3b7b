// SPDX-License-Identifier: GPL-3.0-or-later
// The battle window's set-up and the refresh of its side tables and status
// panels, written into the BattleView.
#pragma once

#include "battle/BattleContext.h"

#include <cstdint>

namespace pc {

// The side tables: one row per member ("name", "hp" 100), row 0 selected;
// the party cursors at their heads; ReadyUpListStartOffFlag cleared.
void initSCPElist(BattleContext& ctx);
// Every member's registered statistics and resistances copied into its current ones.
void initCurrentStatus(AppState& state);
// The P1 and P2 panels blank and "戦闘開始！" in NaviTF.
void initBattleNavigation(BattleView& view);
// The three set-up steps in order; a multi-part action still under way ends.
void setUpBattle(BattleContext& ctx);

// The CP and CE status panels: the members at the remembered side-table rows
// (the first member for a negative row or a row past the party's end).
// Nothing while either party is empty.
void setSideStatus(BattleContext& ctx);
// Every row's "hp" from its member's HP percentage, then the remembered rows
// selected (none for a row outside the table).
void setSideHPbar(BattleContext& ctx);

// One timer tick: the set-up when a start is pending, then the panel refresh.
void battleTick(BattleContext& ctx);

// A click in a side table (-1 for no row): remembered, and the panels refreshed at once.
void SCPlistTVsgl(BattleContext& ctx, std::int32_t clickedRow);
void SCElistTVsgl(BattleContext& ctx, std::int32_t clickedRow);

} // namespace pc
