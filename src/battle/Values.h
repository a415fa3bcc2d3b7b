// SPDX-License-Identifier: GPL-3.0-or-later
// Attack values by formula, the attribute adjustment, MP costs and the rolls.
// Every draw is one call of the random source, in the order the battle needs.
// Each takes an optional record that it fills with the terms it worked with.
#pragma once

#include "battle/Breakdown.h"
#include "battle/Random.h"
#include "records/Records.h"

#include <cstdint>
#include <optional>

namespace pc {

// (r1 % T) / divisor - (r2 % T) / divisor with T the base truncated to 32 bits.
// Two draws; a base that truncates to 0 spreads by 0.
std::int32_t spread(RandomSource& random, double base, std::int32_t divisor = 5, ValueTerms* terms = nullptr);

// base + ((T / 20) * r) mod 5 with T the base truncated; the product wraps in
// 32 bits and the remainder keeps its sign. One draw, not floored.
double seed5Value(RandomSource& random, double base, ValueTerms* terms = nullptr);

// Value of an attack in the single-target choice, before the attribute
// adjustment; none for a seed outside 0 to 5. Defences are the damage target's.
std::optional<double> singleTargetValue(RandomSource& random, const ATTACK& attack, const OBJE& actor,
                                        const OBJE& damageTarget, bool playerSide, ValueTerms* terms = nullptr);

// Value of an attack against one target of a multi-target choice, before the
// attribute adjustment; none for seed 3 and seeds outside 0 to 5.
std::optional<double> multiTargetValue(RandomSource& random, const ATTACK& attack, const OBJE& actor,
                                       const OBJE& target, ValueTerms* terms = nullptr);

// Scales a value by the target's resistance to the attribute of the actor's
// current attack (attributes 0 to 15). Without a target there is nobody to
// scale by and the value stays as it is.
void propCase(const ATTACK& attack, const OBJE* target, double& value, ValueTerms* terms = nullptr);

// The fixed cost plus the percentage of the actor's registered MP.
double mpCost(const ATTACK& attack, const OBJE& actor, CostTerms* terms = nullptr);

// chance - (r % 100) > 0, one draw.
bool rollSucceeds(RandomSource& random, double chance, RollTerms* terms = nullptr);
bool successRoll(RandomSource& random, const ATTACK& attack, RollTerms* terms = nullptr);
bool plainHitRoll(RandomSource& random, const ATTACK& attack, RollTerms* terms = nullptr);
// The attack's hit chance plus the actor's current HIT over the target's current EVA times 50.
bool hitRollWithBonus(RandomSource& random, const ATTACK& attack, const OBJE& actor, const OBJE& target,
                      RollTerms* terms = nullptr);

} // namespace pc
