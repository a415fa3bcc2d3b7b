// SPDX-License-Identifier: GPL-3.0-or-later
#include "Panels.h"

#include "Messages.h"
#include "records/Numbers.h"

#include <cmath>

namespace pc {

std::int32_t hpPercentage(const OBJE& member)
{
    const double registered = member.baseStatus.HP;
    if (!(registered > 0))
        return 0;
    return toInt32(std::floor(member.curStatus.HP / registered * 100.0));
}

void showMember(PanelView& panel, const OBJE& member)
{
    panel.name = member.name;
    panel.hpText = hpText(member.curStatus.HP, member.baseStatus.HP);
    panel.hpLevel = hpPercentage(member);
    panel.picture = member.image;
}

} // namespace pc
