// SPDX-License-Identifier: GPL-3.0-or-later
#include "Values.h"

#include "records/Numbers.h"

#include <cmath>

namespace pc {

namespace {

// Starts a record of a formula: the statistic it adds to the attack's base
// amount and the defence it takes off.
void noteFormula(ValueTerms* terms, const ATTACK& attack, Statistic statistic, double statisticValue,
                 Defence defence = Defence::none, double defenceStatistic = 0)
{
    if (terms)
        *terms = {.seed = attack.seed, .count = attack.count, .statistic = statistic, .statisticValue = statisticValue,
                  .defence = defence, .defenceStatistic = defenceStatistic};
}

// floor(base + spread - defence), the shape of every spread formula.
double spreadValue(RandomSource& random, double base, double defence, std::int32_t divisor, ValueTerms* terms)
{
    const double value = std::floor(base + spread(random, base, divisor, terms) - defence);
    if (terms) {
        terms->formula = Formula::spread;
        terms->base = base;
        terms->defenceValue = defence;
        terms->raw = terms->value = value;
    }
    return value;
}

} // namespace

std::int32_t spread(RandomSource& random, double base, std::int32_t divisor, ValueTerms* terms)
{
    const std::int32_t truncated = toInt32(base);
    const std::int32_t firstDraw = random.draw();
    const std::int32_t first = remainderOf(firstDraw, truncated) / divisor;
    const std::int32_t secondDraw = random.draw();
    const std::int32_t second = remainderOf(secondDraw, truncated) / divisor;
    if (terms) {
        terms->truncated = truncated;
        terms->divisor = divisor;
        terms->draws = {firstDraw, secondDraw};
        terms->terms = {first, second};
    }
    return first - second;
}

double seed5Value(RandomSource& random, double base, ValueTerms* terms)
{
    const std::uint32_t factor = static_cast<std::uint32_t>(toInt32(base) / 20);
    const std::int32_t draw = random.draw();
    const auto product = static_cast<std::int32_t>(factor * static_cast<std::uint32_t>(draw));
    const double value = base + product % 5;
    if (terms) {
        terms->formula = Formula::seed5;
        terms->base = base;
        terms->truncated = toInt32(base);
        terms->divisor = 20;
        terms->draws = {draw, 0};
        terms->terms = {product % 5, 0};
        terms->raw = terms->value = value;
    }
    return value;
}

std::optional<double> singleTargetValue(RandomSource& random, const ATTACK& attack, const OBJE& actor,
                                        const OBJE& damageTarget, bool playerSide, ValueTerms* terms)
{
    const STATUS& own = actor.baseStatus;
    const STATUS& target = damageTarget.curStatus;
    switch (attack.seed) {
    case 0:
        noteFormula(terms, attack, Statistic::none, 0);
        return spreadValue(random, attack.count, 0, 5, terms);
    case 1:
        noteFormula(terms, attack, Statistic::ATK, own.ATK, Defence::halfDEF, target.DEF);
        return spreadValue(random, attack.count + own.ATK, target.DEF / 2.0, 5, terms);
    case 2:
        noteFormula(terms, attack, Statistic::HIT, own.HIT, Defence::halfDEF, target.DEF);
        return spreadValue(random, attack.count + own.HIT, target.DEF / 2.0, 5, terms);
    case 3:
        noteFormula(terms, attack, Statistic::ARI, own.ARI, Defence::ARI, target.ARI);
        return spreadValue(random, attack.count + own.ARI, target.ARI, 5, terms);
    case 4:
        noteFormula(terms, attack, Statistic::none, 0);
        return spreadValue(random, attack.count, 0, playerSide ? 5 : 10, terms);
    case 5:
        noteFormula(terms, attack, Statistic::ARI, own.ARI);
        return seed5Value(random, attack.count + own.ARI, terms);
    default:
        return std::nullopt;
    }
}

std::optional<double> multiTargetValue(RandomSource& random, const ATTACK& attack, const OBJE& actor,
                                       const OBJE& target, ValueTerms* terms)
{
    const STATUS& own = actor.baseStatus;
    const STATUS& their = target.curStatus;
    switch (attack.seed) {
    case 0:
    case 4:
        noteFormula(terms, attack, Statistic::none, 0);
        return spreadValue(random, attack.count, 0, 5, terms);
    case 1:
        noteFormula(terms, attack, Statistic::ATK, own.ATK, Defence::halfDEF, their.DEF);
        return spreadValue(random, attack.count + own.ATK, their.DEF / 2.0, 5, terms);
    case 2:
        noteFormula(terms, attack, Statistic::ARI, own.ARI, Defence::ARI, their.ARI);
        return spreadValue(random, attack.count + own.ARI, their.ARI, 5, terms);
    case 5:
        noteFormula(terms, attack, Statistic::ARI, own.ARI);
        return seed5Value(random, attack.count + own.ARI, terms);
    default:
        return std::nullopt;
    }
}

void propCase(const ATTACK& attack, const OBJE* target, double& value, ValueTerms* terms)
{
    const std::int32_t attribute = attack.prop;
    if (terms) {
        terms->attribute = attribute;
        terms->scaled = false;
    }
    if (!target || attribute < 0 || attribute > RESIST::dark)
        return;
    const double resistance = static_cast<double>(target->baseResist[attribute]);
    value = std::floor(value * resistance / 100.0);
    if (terms) {
        terms->scaled = true;
        terms->resistance = resistance;
        terms->value = value;
    }
}

double mpCost(const ATTACK& attack, const OBJE& actor, CostTerms* terms)
{
    const double cost = attack.MP + attack.MPP * actor.baseStatus.MP / 100.0;
    if (terms)
        *terms = {.fixed = attack.MP, .percent = attack.MPP, .registeredMP = actor.baseStatus.MP, .cost = cost};
    return cost;
}

bool rollSucceeds(RandomSource& random, double chance, RollTerms* terms)
{
    const std::int32_t draw = random.draw();
    const std::int32_t remainder = remainderOf(draw, 100);
    const bool succeeded = chance - remainder > 0;
    if (terms) {
        terms->chance = chance;
        terms->draw = draw;
        terms->remainder = remainder;
        terms->succeeded = succeeded;
    }
    return succeeded;
}

bool successRoll(RandomSource& random, const ATTACK& attack, RollTerms* terms)
{
    if (terms)
        *terms = {.kind = Roll::chance, .attackChance = attack.succ};
    return rollSucceeds(random, attack.succ, terms);
}

bool plainHitRoll(RandomSource& random, const ATTACK& attack, RollTerms* terms)
{
    if (terms)
        *terms = {.kind = Roll::chance, .attackChance = attack.hit};
    return rollSucceeds(random, attack.hit, terms);
}

bool hitRollWithBonus(RandomSource& random, const ATTACK& attack, const OBJE& actor, const OBJE& target,
                      RollTerms* terms)
{
    const double actorHIT = actor.curStatus.HIT;
    const double targetEVA = target.curStatus.EVA;
    if (terms)
        *terms = {.kind = Roll::bonus, .attackChance = attack.hit, .actorHIT = actorHIT, .targetEVA = targetEVA};
    return rollSucceeds(random, attack.hit + actorHIT / targetEVA * 50.0, terms);
}

} // namespace pc
