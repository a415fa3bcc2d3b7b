// SPDX-License-Identifier: GPL-3.0-or-later
// How the numbers of a battle message came about, recorded by the battle rules
// while they compute them: small plain records, no text (Explanation.h words
// them). Recording is optional: the rules fill these only when the context
// carries a recorder.
#pragma once

#include "records/Records.h"

#include <array>
#include <cstdint>
#include <vector>

namespace pc {

enum class Formula : std::uint8_t {
    none,   // no value was worked out
    spread, // floor(base + first term - second term - defence)
    seed5,  // base + bonus
    plain,  // the plain attack: floor(ATK + first term - defence)
};

// The statistic a formula adds to the attack's base amount, and the defence it takes off.
enum class Statistic : std::uint8_t { none, ATK, HIT, ARI };
enum class Defence : std::uint8_t { none, halfDEF, ARI };

// One value: its formula's terms, then the scaling by the target's resistance.
struct ValueTerms {
    Formula formula = Formula::none;
    std::int32_t seed = 0;
    double count = 0; // the attack's base amount; the actor's current ATK for the plain attack
    Statistic statistic = Statistic::none;
    double statisticValue = 0;
    double base = 0;            // count plus the statistic
    std::int32_t truncated = 0; // the base truncated to 32 bits
    std::int32_t divisor = 5;   // of each spread term; 20 for the seed-5 factor, 3 for the plain attack
    std::array<std::int32_t, 2> draws{};
    std::array<std::int32_t, 2> terms{}; // (draw % truncated) / divisor; seed 5: the bonus first
    Defence defence = Defence::none;
    double defenceStatistic = 0; // the target's DEF or ARI
    double defenceValue = 0;     // as subtracted
    double raw = 0;              // the value before the attribute
    std::int32_t attribute = -1; // the attack's prop
    bool scaled = false;         // whether a resistance scaled the value
    double resistance = 100;
    double value = 0; // after the attribute
};

enum class Roll : std::uint8_t {
    none,        // not rolled
    chance,      // the attack's own chance
    bonus,       // the attack's hit plus the actor's HIT over the target's EVA times 50
    plainAttack, // the actor's HIT over the target's EVA times 50
    sure,        // hits without a draw
};

// One roll: it succeeds when chance - (draw % 100) > 0.
struct RollTerms {
    Roll kind = Roll::none;
    double attackChance = 0; // the attack's succ or hit
    double actorHIT = 0;
    double targetEVA = 0;
    double chance = 0;
    std::int32_t draw = 0;
    std::int32_t remainder = 0;
    bool succeeded = false;
    bool carried = false; // the flag had already been set by an earlier attack of the same turn
};

// MP + MPP x registered MP / 100, and the actor's current MP around the taking.
struct CostTerms {
    double fixed = 0;
    double percent = 0;
    double registeredMP = 0;
    double cost = 0;
    bool taken = false;
    double before = 0;
    double after = 0;
};

enum class Source : std::uint8_t { none, singleTarget, multiTarget, plainAttack };
enum class Effect : std::uint8_t { none, damage, heal, miss };

// The breakdown of one message.
struct Breakdown {
    Source source = Source::none;
    Effect effect = Effect::none;
    ValueTerms value{};
    RollTerms success{};
    RollTerms hit{};
    CostTerms cost{};
    double amount = 0; // as the message counts it
    double hpBefore = 0;
    double hpAfter = 0;
    std::int32_t target = 0;  // the target's number in a multi-target action, from 1
    std::int32_t targets = 0; // and how many it has
};

// The value and rolls of one node of a multi-target list.
struct NodeTerms {
    ValueTerms value{};
    RollTerms success{};
    RollTerms hit{};
};

// What the rules fill while they compute. `shown` explains the message in
// NaviTF; the rest carries terms from a choice to the steps that apply it.
struct BreakdownRecorder {
    Breakdown shown;
    Breakdown chosen;             // the single-target choice's attack
    std::vector<NodeTerms> walk;  // the nodes of the multi-target list being weighed
    std::vector<NodeTerms> nodes; // the nodes of the chosen multi-target attack
    CostTerms nodesCost;

    // Notes what an outcome did to the HP of the member it reached.
    void noteEffect(Effect effect, double amount, double before, double after)
    {
        shown.effect = effect;
        shown.amount = amount;
        shown.hpBefore = before;
        shown.hpAfter = after;
    }
};

// The actor's MP around the taking of a cost.
inline void noteTaken(CostTerms& cost, double before, double after)
{
    cost.taken = true;
    cost.before = before;
    cost.after = after;
}

// A part of an optional record: none without the record.
template <typename Record, typename Part>
Part* partOf(Record* record, Part Record::*part)
{
    return record ? &(record->*part) : nullptr;
}

} // namespace pc
