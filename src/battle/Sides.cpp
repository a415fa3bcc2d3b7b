// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sides.h"

#include "records/RowRule.h"

#include <algorithm>

namespace pc {

namespace {

std::int32_t rowCount(const std::vector<SideRow>& rows)
{
    return static_cast<std::int32_t>(rows.size());
}

} // namespace

Side sideOf(AppState& state, const BattleView& view)
{
    const Party players{state.RPtop, state.RP, rowCount(view.SCPlistMA)};
    const Party enemies{state.REtop, state.RE, rowCount(view.SCElistMA)};
    if (state.playerAttackFlag)
        return {true, enemies, players, state.MOSTDMGplayer};
    return {false, players, enemies, state.MOSTDMGenemy};
}

void gatherMembers(Party& party, PartyMembers& members, std::int32_t above)
{
    if (party.size <= std::min(above, kMostUngathered))
        return;
    members.byPosition.clear();
    members.livingAt.assign(1, 0);
    members.living = 0;
    members.anyHealCandidate = false;
    OBJE* member = party.top;
    for (std::int32_t position = 1; member && position <= party.size; ++position, member = member->next) {
        members.byPosition.push_back(member);
        const bool living = isLiving(*member);
        members.livingAt.push_back(living ? 1 : 0);
        members.living += living ? 1 : 0;
        if (!members.anyHealCandidate && isHealCandidate(*member))
            members.anyHealCandidate = true;
    }
    party.members = &members;
}

void useGathered(Party& party, PartyMembers& members)
{
    if (!members.byPosition.empty() && members.byPosition.front() == party.top)
        party.members = &members;
}

OBJE* memberAt(const Party& party, std::int32_t position)
{
    if (position < 1 || position > party.size)
        return nullptr;
    if (party.members) {
        const auto& byPosition = party.members->byPosition;
        return static_cast<std::size_t>(position) <= byPosition.size() ? byPosition[position - 1] : nullptr;
    }
    return recordAt(party.top, position - 1);
}

bool anyLivingIn(const OBJE* top)
{
    for (const OBJE* member = top; member; member = member->next) {
        if (isLiving(*member))
            return true;
    }
    return false;
}

} // namespace pc
