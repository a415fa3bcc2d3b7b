#include "Sides.h"

#include "records/RowRule.h"

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

bool isLiving(const OBJE& member)
{
    return member.curStatus.HP > 0;
}

OBJE* memberAt(const Party& party, std::int32_t position)
{
    if (position < 1 || position > party.size)
        return nullptr;
    return recordAt(party.top, position - 1);
}

bool anyLiving(const Party& party)
{
    return anyMember(party, isLiving);
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
