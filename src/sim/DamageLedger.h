// SPDX-License-Identifier: GPL-3.0-or-later
// Damage dealt and taken per member of one battle, heard from the rules as
// they change hit points and credited to the actor of each press.
#pragma once

#include "battle/BattleContext.h"
#include "records/AppState.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace pc::sim {

struct MemberDamage {
    double dealt = 0;
    double taken = 0;
    bool operator==(const MemberDamage&) const = default;
};

// Damage is counted as hit points lost: a member takes what its HP falls by,
// and every point its opponents lose in a press is dealt by the member that
// acted in it. A press applies one action (or one target of a multi-part
// action), and actions on the own party only heal, so whatever HP fell in a
// press fell to that one actor. Set it as the battle's hpWatcher.
class DamageLedger final : public HpWatcher {
public:
    // The members of both parties as they stand: player party first.
    explicit DamageLedger(const AppState& state);

    void beforePress(const AppState& state);
    void afterPress(const AppState& state);
    void hpChanged(const OBJE& member, double before, double after) override;

    // Per member, in the order of the constructor.
    const std::vector<MemberDamage>& damage() const { return damage_; }

private:
    std::optional<std::size_t> indexOf(const OBJE* member) const;
    // The member at a position counting from 1 in a party, if there is one.
    std::optional<std::size_t> memberAt(bool player, std::int32_t position) const;
    std::optional<std::size_t> actor(const AppState& state) const;

    std::vector<const OBJE*> members_;
    using Entry = std::pair<std::uintptr_t, std::size_t>; // a member's address and its index
    std::vector<Entry> byAddress_;                        // sorted, to find a member quickly
    std::size_t playerCount_ = 0;
    double lostInPress_ = 0;
    std::optional<bool> resumesPlayerHalf_; // the half the press resumes, if any
    std::vector<MemberDamage> damage_;
};

} // namespace pc::sim
