#include "Values.h"

#include "records/Numbers.h"

#include <cmath>

namespace pc {

namespace {

// floor(base + spread - defence), the shape of every spread formula.
double spreadValue(RandomSource& random, double base, double defence, std::int32_t divisor = 5)
{
    return std::floor(base + spread(random, base, divisor) - defence);
}

} // namespace

std::int32_t spread(RandomSource& random, double base, std::int32_t divisor)
{
    const std::int32_t truncated = toInt32(base);
    const std::int32_t first = remainderOf(random.draw(), truncated) / divisor;
    const std::int32_t second = remainderOf(random.draw(), truncated) / divisor;
    return first - second;
}

double seed5Value(RandomSource& random, double base)
{
    const std::uint32_t factor = static_cast<std::uint32_t>(toInt32(base) / 20);
    const std::uint32_t draw = static_cast<std::uint32_t>(random.draw());
    const auto product = static_cast<std::int32_t>(factor * draw);
    return base + product % 5;
}

std::optional<double> singleTargetValue(RandomSource& random, const ATTACK& attack, const OBJE& actor,
                                        const OBJE& damageTarget, bool playerSide)
{
    const STATUS& own = actor.baseStatus;
    const STATUS& target = damageTarget.curStatus;
    switch (attack.seed) {
    case 0:
        return spreadValue(random, attack.count, 0);
    case 1:
        return spreadValue(random, attack.count + own.ATK, target.DEF / 2.0);
    case 2:
        return spreadValue(random, attack.count + own.HIT, target.DEF / 2.0);
    case 3:
        return spreadValue(random, attack.count + own.ARI, target.ARI);
    case 4:
        return spreadValue(random, attack.count, 0, playerSide ? 5 : 10);
    case 5:
        return seed5Value(random, attack.count + own.ARI);
    default:
        return std::nullopt;
    }
}

std::optional<double> multiTargetValue(RandomSource& random, const ATTACK& attack, const OBJE& actor,
                                       const OBJE& target)
{
    const STATUS& own = actor.baseStatus;
    switch (attack.seed) {
    case 0:
        return spreadValue(random, attack.count, 0);
    case 1:
        return spreadValue(random, attack.count + own.ATK, target.curStatus.DEF / 2.0);
    case 2:
        return spreadValue(random, attack.count + own.ARI, target.curStatus.ARI);
    case 4:
        return spreadValue(random, attack.count, 0);
    case 5:
        return seed5Value(random, attack.count + own.ARI);
    default:
        return std::nullopt;
    }
}

void propCase(const ATTACK& attack, const OBJE* target, double& value)
{
    const std::int32_t attribute = attack.prop;
    if (!target || attribute < 0 || attribute > RESIST::dark)
        return;
    value = std::floor(value * static_cast<double>(target->baseResist[attribute]) / 100.0);
}

double mpCost(const ATTACK& attack, const OBJE& actor)
{
    return attack.MP + attack.MPP * actor.baseStatus.MP / 100.0;
}

bool rollSucceeds(RandomSource& random, double chance)
{
    return chance - remainderOf(random.draw(), 100) > 0;
}

bool successRoll(RandomSource& random, const ATTACK& attack)
{
    return rollSucceeds(random, attack.succ);
}

bool plainHitRoll(RandomSource& random, const ATTACK& attack)
{
    return rollSucceeds(random, attack.hit);
}

bool hitRollWithBonus(RandomSource& random, const ATTACK& attack, const OBJE& actor, const OBJE& target)
{
    return rollSucceeds(random, attack.hit + actor.curStatus.HIT / target.curStatus.EVA * 50.0);
}

} // namespace pc
