// SPDX-License-Identifier: GPL-3.0-or-later
#include "DamageLedger.h"

#include <algorithm>

namespace pc::sim {

DamageLedger::DamageLedger(const AppState& state)
{
    for (const OBJE* member = state.RPtop; member; member = member->next)
        members_.push_back(member);
    playerCount_ = members_.size();
    for (const OBJE* member = state.REtop; member; member = member->next)
        members_.push_back(member);
    for (std::size_t i = 0; i < members_.size(); ++i)
        byAddress_.emplace_back(reinterpret_cast<std::uintptr_t>(members_[i]), i);
    std::sort(byAddress_.begin(), byAddress_.end());
    damage_.resize(members_.size());
}

void DamageLedger::beforePress(const AppState& state)
{
    lostInPress_ = 0;
    // A press resumes the enemy half when it stopped there, else the player half.
    resumesPlayerHalf_.reset();
    if (state.currentNumberRE != 0)
        resumesPlayerHalf_ = false;
    else if (state.currentNumberRP != 0)
        resumesPlayerHalf_ = true;
}

void DamageLedger::hpChanged(const OBJE& member, double before, double after)
{
    const double lost = before - after;
    if (lost > 0) {
        if (const auto index = indexOf(&member))
            damage_[*index].taken += lost;
        lostInPress_ += lost;
    }
}

void DamageLedger::afterPress(const AppState& state)
{
    if (lostInPress_ > 0) {
        if (const auto acting = actor(state))
            damage_[*acting].dealt += lostInPress_;
    }
}

// A binary search without branches, whose steps a processor cannot mispredict.
std::optional<std::size_t> DamageLedger::indexOf(const OBJE* member) const
{
    const auto address = reinterpret_cast<std::uintptr_t>(member);
    if (byAddress_.empty())
        return std::nullopt;
    const Entry* base = byAddress_.data();
    for (std::size_t length = byAddress_.size(); length > 1; length -= length / 2)
        base = base[length / 2].first < address ? base + length / 2 : base;
    base += base->first < address ? 1 : 0;
    if (base == byAddress_.data() + byAddress_.size() || base->first != address)
        return std::nullopt;
    return base->second;
}

std::optional<std::size_t> DamageLedger::memberAt(bool player, std::int32_t position) const
{
    const std::size_t first = player ? 0 : playerCount_;
    const std::size_t size = player ? playerCount_ : members_.size() - playerCount_;
    if (position < 1 || static_cast<std::size_t>(position) > size)
        return std::nullopt;
    return first + static_cast<std::size_t>(position) - 1;
}

// A multi-part action names its actor in the state while targets remain.
// Otherwise the action (or its last part) was begun by the step that stopped
// the driver in the half playerAttackFlag names, and that half's counter tells
// the actor: a walk begun afresh counts the member
// that stopped, a walk resumed after an earlier stop counts one ahead of it.
// The member before the counted one tells the two apart: in a fresh walk it
// has just been stepped, so its wait is below its registered wait; in a
// resumed walk it is the actor, whose wait has just been restarted.
std::optional<std::size_t> DamageLedger::actor(const AppState& state) const
{
    if (state.pendingActor)
        return indexOf(state.pendingActor);
    const bool player = state.playerAttackFlag;
    const std::int32_t counted = player ? state.currentNumberRP : state.currentNumberRE;
    if (resumesPlayerHalf_ == player) {
        if (const auto before = memberAt(player, counted - 1)) {
            const OBJE& member = *members_[*before];
            if (member.curStatus.WP == member.baseStatus.WP)
                return before;
        }
    }
    return memberAt(player, counted);
}

} // namespace pc::sim
