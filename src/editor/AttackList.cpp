// SPDX-License-Identifier: GPL-3.0-or-later
#include "AttackList.h"

#include "records/RowRule.h"
#include "roster/ListEdit.h"

namespace pc {

ATTACK* designatedAttack(AppState& state)
{
    OBJE* character = recordAt(state.objeTop, state.ClistClickedRow);
    return character ? recordAt(character->attacks, state.WlistClickedRow) : nullptr;
}

std::int32_t insertAttack(AppState& state)
{
    OBJE* character = recordAt(state.objeTop, state.ClistClickedRow);
    if (!character)
        return -1;
    ATTACK* attack = state.attacks.make();
    InitAttack(*attack);
    return insertAtDesignated(character->attacks, attack, state.WlistClickedRow);
}

std::int32_t deleteAttack(AppState& state)
{
    OBJE* character = recordAt(state.objeTop, state.ClistClickedRow);
    if (!character)
        return -1;
    const Deletion<ATTACK> deletion = deleteDesignated(character->attacks, state.WlistClickedRow);
    if (deletion.node)
        state.setPresetFlag = true;
    return deletion.row;
}

AttackSnapshot snapshotAttacks(const OBJE& character)
{
    AttackSnapshot snapshot;
    for (ATTACK* attack = character.attacks; attack; attack = attack->next)
        snapshot.emplace_back(attack, *attack);
    return snapshot;
}

void restoreAttacks(OBJE& character, const AttackSnapshot& snapshot)
{
    ATTACK** link = &character.attacks;
    for (const auto& [attack, values] : snapshot) {
        *attack = values;
        *link = attack;
        link = &attack->next;
    }
    *link = nullptr;
}

bool attacksChangedSince(const OBJE& character, const AttackSnapshot& snapshot)
{
    auto same = [](const ATTACK& a, const ATTACK& b) {
        return a.tag == b.tag && a.name == b.name && a.range == b.range && a.type == b.type && a.prop == b.prop
            && a.seed == b.seed && a.MP == b.MP && a.MPP == b.MPP && a.succ == b.succ && a.crit == b.crit
            && a.count == b.count && a.hit == b.hit && a.status == b.status && a.flags == b.flags;
    };
    std::size_t i = 0;
    for (const ATTACK* attack = character.attacks; attack; attack = attack->next, ++i) {
        if (i >= snapshot.size() || snapshot[i].first != attack || !same(*attack, snapshot[i].second))
            return true;
    }
    return i != snapshot.size();
}

} // namespace pc
