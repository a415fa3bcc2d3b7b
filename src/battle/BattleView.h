// SPDX-License-Identifier: GPL-3.0-or-later
// What the battle shows: written by the battle rules, copied to the widgets by
// the battle window. The battle runs and is tested without any window.
#pragma once

#include "records/Picture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pc {

// A name, an HP text, an HP gauge and a picture (the P1 and P2 panels).
struct PanelView {
    std::string name;
    std::string hpText;
    std::int32_t hpLevel = 0;
    Picture picture;
    bool operator==(const PanelView&) const = default;
};

// A status panel of a side table's chosen member (the CP and CE panels).
struct StatusPanelView {
    std::string hpText;
    std::string mpText;
    std::int32_t hpLevel = 0;
    Picture picture;
    bool operator==(const StatusPanelView&) const = default;
};

// One row of a side table: "name", "hp", the MP percentage "mp" (filled by
// the gauge refresh) and whether the member has fallen.
struct SideRow {
    std::string name;
    std::string hp;
    std::string mp = {};
    bool fallen = false;
    bool operator==(const SideRow&) const = default;
};

struct BattleView {
    std::string naviText;   // NaviTF
    PanelView p1;           // the acting member
    PanelView p2;           // the affected member
    StatusPanelView cp;     // player status panel
    StatusPanelView ce;     // enemy status panel
    std::vector<SideRow> SCPlistMA;
    std::vector<SideRow> SCElistMA;
    std::int32_t SCPlistSelectedRow = -1;
    std::int32_t SCElistSelectedRow = -1;
};

} // namespace pc
