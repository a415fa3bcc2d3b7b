// Damage dealt and taken per member of one battle, read from the state around
// each press; the battle rules themselves are left alone.
#pragma once

#include "records/AppState.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace pc::sim {

struct MemberDamage {
    double dealt = 0;
    double taken = 0;
    bool operator==(const MemberDamage&) const = default;
};

// Damage is counted as hit points lost: a member takes what its HP fell by
// in a press, and every point its opponents lost in the press is dealt by the
// member that acted in it. A press applies one action (or one target of a
// multi-part action), and actions on the own party only heal, so whatever HP
// fell in a press fell to that one actor.
class DamageLedger {
public:
    // The members of both parties as they stand: player party first.
    explicit DamageLedger(const AppState& state);

    void beforePress(const AppState& state);
    void afterPress(const AppState& state);

    // Per member, in the order of the constructor.
    const std::vector<MemberDamage>& damage() const { return damage_; }

private:
    std::optional<std::size_t> indexOf(const OBJE* member) const;
    // The member at a position counting from 1 in a party, if there is one.
    std::optional<std::size_t> memberAt(bool player, std::int32_t position) const;
    std::optional<std::size_t> actor(const AppState& state) const;

    std::vector<const OBJE*> members_;
    std::size_t playerCount_ = 0;
    std::vector<double> hpBefore_;
    std::optional<bool> resumesPlayerHalf_; // the half the press resumes, if any
    std::vector<MemberDamage> damage_;
};

} // namespace pc::sim
