// SPDX-License-Identifier: GPL-3.0-or-later
#include "BattleSetup.h"

#include "Messages.h"
#include "MultiTarget.h"
#include "Panels.h"
#include "Sides.h"
#include "records/Numbers.h"
#include "records/RowRule.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace pc {

namespace {

// One row per member; the rows' storage is reused from the last battle.
void fillSideRows(std::vector<SideRow>& rows, const OBJE* top)
{
    rows.resize(static_cast<std::size_t>(countOf(top)));
    std::size_t row = 0;
    for (const OBJE* member = top; member; member = member->next, ++row) {
        rows[row].name = member->name;
        rows[row].hp = "100";
        rows[row].mp.clear();
        rows[row].fallen = false;
    }
}

void restoreStatus(OBJE* top)
{
    for (OBJE* member = top; member; member = member->next) {
        member->curStatus = member->baseStatus;
        member->curResist = member->baseResist;
    }
}

void blankPanel(PanelView& panel)
{
    panel.name = kNoName;
    panel.hpText = kNoHP;
    panel.hpLevel = 100;
    panel.picture.reset();
}

void showStatus(StatusPanelView& panel, const OBJE& member)
{
    panel.hpText = hpText(member.curStatus.HP, member.baseStatus.HP);
    panel.mpText = mpText(member.curStatus.MP, member.baseStatus.MP);
    panel.hpLevel = hpPercentage(member);
    panel.picture = member.image;
}

// The member a status panel shows: the one at the row, or the first member.
const OBJE& shownMember(const OBJE& top, std::int32_t row)
{
    const OBJE* member = row >= 0 ? recordAt(&top, row) : nullptr;
    return member ? *member : top;
}

// Current MP over registered MP, like the HP percentage: 0 for a registered MP of 0 or less.
std::int32_t mpPercentage(const OBJE& member)
{
    const double registered = member.baseStatus.MP;
    return registered > 0 ? toInt32(std::floor(member.curStatus.MP / registered * 100.0)) : 0;
}

void refreshGauges(std::vector<SideRow>& rows, const OBJE* top)
{
    std::size_t row = 0;
    for (const OBJE* member = top; member && row < rows.size(); member = member->next, ++row) {
        rows[row].hp = std::to_string(hpPercentage(*member));
        rows[row].mp = std::to_string(mpPercentage(*member));
        rows[row].fallen = !isLiving(*member);
    }
}

std::int32_t selectableRow(const std::vector<SideRow>& rows, std::int32_t row)
{
    return row >= 0 && static_cast<std::size_t>(row) < rows.size() ? row : -1;
}

struct Longest {
    std::size_t members = 0;
    std::size_t name = 0;
    std::size_t attackName = 0;
};

void measure(const OBJE* top, Longest& longest)
{
    std::size_t members = 0;
    for (const OBJE* member = top; member; member = member->next) {
        ++members;
        longest.name = std::max(longest.name, member->name.size());
        for (const ATTACK* attack = member->attacks; attack; attack = attack->next)
            longest.attackName = std::max(longest.attackName, attack->name.size());
    }
    longest.members = std::max(longest.members, members);
}

// Gives the storage a turn writes room for the largest party and the longest
// names, so that no turn of the battle allocates.
void reserveTurnStorage(BattleContext& ctx)
{
    Longest longest;
    measure(ctx.state.RPtop, longest);
    measure(ctx.state.REtop, longest);
    for (PartyMembers* members : {&ctx.scratch.opponents, &ctx.scratch.own}) {
        members->byPosition.clear(); // nothing gathered for an earlier battle is used again
        members->byPosition.reserve(longest.members);
        members->livingAt.reserve(longest.members + 1);
        members->open.reserve(longest.members + 1);
    }
    AppState& state = ctx.state;
    state.targ.reserve(longest.members);
    state.targX.reserve(longest.members);
    constexpr std::size_t kPrefixWords = 32; // the joints and ends of a prefix
    state.atkName.reserve(longest.attackName);
    state.zenjutsu.reserve(longest.name + longest.attackName + kPrefixWords);
    // The end of the battle is announced even with texts off.
    for (const char* end : {kPlayerVictory, kPlayerDefeat, kNobodyCanAct})
        ctx.view.naviText.reserve(std::char_traits<char>::length(end));
}

} // namespace

void initSCPElist(BattleContext& ctx)
{
    BattleView& view = ctx.view;
    AppState& state = ctx.state;
    fillSideRows(view.SCPlistMA, state.RPtop);
    fillSideRows(view.SCElistMA, state.REtop);
    state.RP = state.RPtop;
    state.RE = state.REtop;
    view.SCPlistSelectedRow = 0;
    view.SCElistSelectedRow = 0;
    state.ReadyUpListStartOffFlag = false;
}

void initCurrentStatus(AppState& state)
{
    restoreStatus(state.RPtop);
    restoreStatus(state.REtop);
    state.RP = state.RPtop;
    state.RE = state.REtop;
}

void initBattleNavigation(BattleView& view)
{
    blankPanel(view.p1);
    blankPanel(view.p2);
    view.naviText = kBattleStart;
}

void setUpBattle(BattleContext& ctx)
{
    initSCPElist(ctx);
    initCurrentStatus(ctx.state);
    initBattleNavigation(ctx.view);
    dropMultiPartAction(ctx);
    reserveTurnStorage(ctx);
    ctx.scratch.resumePlayers = ctx.scratch.resumeEnemies = {};
}

void setSideStatus(BattleContext& ctx)
{
    AppState& state = ctx.state;
    if (!state.RP || !state.RE || !state.RPtop || !state.REtop)
        return;
    showStatus(ctx.view.cp, shownMember(*state.RPtop, state.SCPlistClickedRow));
    showStatus(ctx.view.ce, shownMember(*state.REtop, state.SCElistClickedRow));
    state.RP = state.RPtop;
    state.RE = state.REtop;
}

void setSideHPbar(BattleContext& ctx)
{
    BattleView& view = ctx.view;
    const AppState& state = ctx.state;
    refreshGauges(view.SCPlistMA, state.RPtop);
    refreshGauges(view.SCElistMA, state.REtop);
    view.SCPlistSelectedRow = selectableRow(view.SCPlistMA, state.SCPlistClickedRow);
    view.SCElistSelectedRow = selectableRow(view.SCElistMA, state.SCElistClickedRow);
}

void battleTick(BattleContext& ctx)
{
    AppState& state = ctx.state;
    if (state.ReadyUpListStartOffFlag)
        setUpBattle(ctx);
    if (!ctx.formatTexts) {
        // Only the cursors, which the panel refresh puts back at the heads.
        if (state.RP && state.RE && state.RPtop && state.REtop) {
            state.RP = state.RPtop;
            state.RE = state.REtop;
        }
        return;
    }
    setSideStatus(ctx);
    setSideHPbar(ctx);
}

void SCPlistTVsgl(BattleContext& ctx, std::int32_t clickedRow)
{
    ctx.state.SCPlistClickedRow = clickedRow;
    setSideStatus(ctx);
}

void SCElistTVsgl(BattleContext& ctx, std::int32_t clickedRow)
{
    ctx.state.SCElistClickedRow = clickedRow;
    setSideStatus(ctx);
}

} // namespace pc
