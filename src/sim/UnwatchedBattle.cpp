// SPDX-License-Identifier: GPL-3.0-or-later
#include "UnwatchedBattle.h"

#include "battle/SeededRandom.h"
#include "battle/Turn.h"
#include "battle/Waits.h"
#include "records/Numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <type_traits>
#include <vector>

namespace pc::sim {

namespace {

constexpr std::int32_t kNone = -1;
constexpr std::int32_t kLastScaledAttribute = RESIST::dark;
// Whole numbers below this multiply to an exact double, whose quotient by 100
// never rounds across a whole number, so their scaling is integer arithmetic.
constexpr double kExactFactor = 67108864.0; // 2^26
constexpr std::int32_t kNotWhole = INT32_MIN;

std::int32_t wholeOrNot(float resistance)
{
    const bool whole = resistance > -kExactFactor && resistance < kExactFactor
        && std::floor(resistance) == resistance;
    return whole ? static_cast<std::int32_t>(resistance) : kNotWhole;
}

// A roll of a chance succeeds when chance - r > 0 for the draw's remainder r by
// 100 (-99 to 99): when r is below this bound.
std::int32_t rollBound(double chance)
{
    if (!(chance > -100))
        return -100;
    return chance >= 100 ? 100 : static_cast<std::int32_t>(std::ceil(chance));
}

std::int64_t floorOfHundredth(std::int64_t amount)
{
    const std::int64_t quotient = amount / 100;
    return amount % 100 < 0 ? quotient - 1 : quotient;
}

// The remainder of a draw of the seeded generator (0 to 2^31 - 1) by a
// divisor fixed for the battle, by multiplications instead of a division:
// r % T keeps the sign of r, so for such a draw it is r % |T|, and 0 for T = 0.
class Divisor {
public:
    Divisor() = default;
    explicit Divisor(std::int32_t divisor)
        : divisor_(divisor == 0 ? 1 : static_cast<std::uint32_t>(divisor < 0 ? -std::int64_t{divisor} : divisor))
        , magic_(UINT64_MAX / divisor_ + 1)
    {
    }
    std::int32_t remainderOf(std::int32_t draw) const
    {
        __extension__ using Wide = unsigned __int128;
        const std::uint64_t fraction = magic_ * static_cast<std::uint32_t>(draw);
        return static_cast<std::int32_t>((static_cast<Wide>(fraction) * divisor_) >> 64);
    }

private:
    std::uint32_t divisor_ = 1;
    std::uint64_t magic_ = 0;
};

// An attack as one member makes it; nothing of it changes in a battle.
struct Move {
    std::int32_t range;
    std::int32_t prop;
    std::int32_t seed;
    std::int32_t succBelow; // the success roll's bound, as rollBound gives it
    double hit;
    std::int32_t hitBelow; // the bound of the hit roll without a bonus
    double cost; // the fixed cost plus the percentage of the member's registered MP
    // The base of the value formula by seed in each choice, and that base truncated.
    double singleBase;
    std::int32_t singleTruncated;
    double multiBase;
    std::int32_t multiTruncated;
    Divisor singleSpread;
    Divisor multiSpread;
    // The single-target formula of seeds 0 to 4: the guard it takes off the
    // target, and whether its spread is in tenths rather than fifths.
    std::size_t singleGuard;
    bool singleInTenths;
    std::int64_t singleBaseTwice; // twice singleBase, while the battle's formulas are whole
};

// Whole numbers this far inside 2^52 add and subtract exactly as doubles, so
// while a battle's bases and guards are such numbers its single-target
// formulas are worked out in integers.
constexpr double kWholeFormulaLimit = 1099511627776.0; // 2^40

bool wholeForFormulas(double number)
{
    return std::abs(number) <= kWholeFormulaLimit && std::floor(number) == number;
}

// A number whole for formulas as an integer; 0 for any other, which no formula then reads.
std::int64_t wholeOrZero(double number)
{
    return wholeForFormulas(number) ? static_cast<std::int64_t>(number) : 0;
}

// What a formula takes off a target's value, by the guard index of a move.
constexpr std::size_t kNoGuard = 0;
constexpr std::size_t kHalfDefence = 1;
constexpr std::size_t kResistance = 2; // the target's ARI

std::size_t singleGuardOf(std::int32_t seed)
{
    switch (seed) {
    case 1:
    case 2:
        return kHalfDefence;
    case 3:
        return kResistance;
    default:
        return kNoGuard;
    }
}

// The base amount of a formula: the attack's count plus the statistic its seed adds.
double singleTargetBase(const ATTACK& attack, const STATUS& actor)
{
    switch (attack.seed) {
    case 1:
        return attack.count + actor.ATK;
    case 2:
        return attack.count + actor.HIT;
    case 3:
    case 5:
        return attack.count + actor.ARI;
    default:
        return attack.count;
    }
}

double multiTargetBase(const ATTACK& attack, const STATUS& actor)
{
    switch (attack.seed) {
    case 1:
        return attack.count + actor.ATK;
    case 2:
    case 5:
        return attack.count + actor.ARI;
    default:
        return attack.count;
    }
}

struct Fighter {
    // What a battle changes.
    double hp;
    double mp;
    double wp;
    // What it does not: the registered statistics, equal to the current ones
    // but for HP, MP and WP.
    double fullHP;
    double fullMP;
    double fullWP;
    double healLine; // 70 % of the registered HP, as the heal draw reckons it
    double atk;
    double hitStat;
    double eva;
    std::array<double, 3> guard; // nothing, half the DEF and the ARI, by guard index
    std::array<std::int64_t, 3> guardTwice; // twice those, while the battle's formulas are whole
    std::int32_t atkBase; // ATK truncated, the plain attack's spread
    Divisor atkSpread;
    std::int32_t firstMove;
    std::int32_t moveCount;
    std::array<float, kLastScaledAttribute + 1> resist;
    // The same resistances where they are whole numbers below kExactFactor, else kNotWhole.
    std::array<std::int32_t, kLastScaledAttribute + 1> wholeResist;
};

// Positions count from 1; bit p - 1 of a set stands for position p.
class PositionSet {
public:
    void reset(std::int32_t size) { words_.assign(static_cast<std::size_t>((size + 63) / 64), 0); }
    bool has(std::int32_t position) const
    {
        const auto bit = static_cast<std::uint32_t>(position - 1);
        return (words_[bit / 64] >> (bit % 64) & 1) != 0;
    }
    void set(std::int32_t position, bool on)
    {
        const auto bit = static_cast<std::uint32_t>(position - 1);
        const std::uint64_t mask = std::uint64_t{1} << (bit % 64);
        words_[bit / 64] = on ? words_[bit / 64] | mask : words_[bit / 64] & ~mask;
    }
    void copy(const PositionSet& other) { std::copy(other.words_.begin(), other.words_.end(), words_.begin()); }

private:
    std::vector<std::uint64_t> words_;
};

struct Team {
    std::int32_t first = 0; // the slot of position 1
    std::int32_t size = 0;
    Divisor sizeDivisor;
    PositionSet living;
    PositionSet healCandidates;
    std::int32_t livingCount = 0;
    std::int32_t candidateCount = 0;
    std::int32_t stepped = 0; // the members this pass's walk has stepped, from the head

    // The slot of a position; kNone outside the party.
    std::int32_t slotAt(std::int32_t position) const
    {
        return position >= 1 && position <= size ? first + position - 1 : kNone;
    }
    bool livesAt(std::int32_t position) const { return position >= 1 && position <= size && living.has(position); }
};

struct Node {
    std::int32_t position;
    double value;
    bool hit;
    bool success;
};

} // namespace

struct UnwatchedBattle::Roster {
    std::vector<Fighter> start; // every member as a set-up leaves it
    std::vector<Move> moves;
    std::int32_t playerCount = 0;
    bool wholeWaits = true; // every registered WP a whole number well inside the exact range
    // Every single-target base, DEF and ARI whole for formulas.
    bool wholeFormulas = true;

    // The battle under way.
    std::vector<Fighter> fighters;
    // While every wait is whole, member i's wait is waitMarks[i] less the
    // passes counted so far, less one more once this pass's walk has stepped
    // it: a pass, or a run of quiet passes, moves one count, not every wait.
    std::vector<std::int64_t> waitMarks;
    // The same marks of the living, and kNeverReady for the fallen, so that
    // the walk and the skip read one number a member.
    std::vector<std::int64_t> readyMarks;
    std::array<Team, 2> teams; // the player party, then the enemy party
    PositionSet open; // positions a target list may still take
    std::vector<Node> targets;
    std::vector<Node> chosenTargets;
    std::vector<MemberDamage> damage;
};

namespace {

// A party's members; an enemy's seed 4 attack spreads its value in tenths.
void addParty(UnwatchedBattle::Roster& roster, const OBJE* top, bool enemies)
{
    for (const OBJE* member = top; member; member = member->next) {
        const STATUS& base = member->baseStatus;
        Fighter fighter{.hp = base.HP, .mp = base.MP, .wp = base.WP, .fullHP = base.HP, .fullMP = base.MP,
                        .fullWP = base.WP, .healLine = base.HP / 100.0 * 70.0, .atk = base.ATK,
                        .hitStat = base.HIT, .eva = base.EVA, .guard = {0.0, base.DEF / 2.0, base.ARI},
                        .guardTwice = {0, wholeOrZero(base.DEF), 2 * wholeOrZero(base.ARI)},
                        .atkBase = toInt32(base.ATK), .atkSpread = Divisor(toInt32(base.ATK)), .firstMove = static_cast<std::int32_t>(roster.moves.size()),
                        .moveCount = 0, .resist = {}, .wholeResist = {}};
        for (std::size_t i = 0; i < fighter.resist.size(); ++i) {
            fighter.resist[i] = member->baseResist.values[i];
            fighter.wholeResist[i] = wholeOrNot(fighter.resist[i]);
        }
        roster.wholeFormulas = roster.wholeFormulas && wholeForFormulas(base.DEF) && wholeForFormulas(base.ARI);
        for (const ATTACK* attack = member->attacks; attack; attack = attack->next) {
            const double single = singleTargetBase(*attack, base);
            const double multi = multiTargetBase(*attack, base);
            roster.moves.push_back({attack->range, attack->prop, attack->seed, rollBound(attack->succ), attack->hit,
                                    rollBound(attack->hit), attack->MP + attack->MPP * base.MP / 100.0, single,
                                    toInt32(single), multi, toInt32(multi), Divisor(toInt32(single)),
                                    Divisor(toInt32(multi)), singleGuardOf(attack->seed),
                                    enemies && attack->seed == 4, 2 * wholeOrZero(single)});
            roster.wholeFormulas = roster.wholeFormulas && wholeForFormulas(single);
            ++fighter.moveCount;
        }
        roster.start.push_back(fighter);
    }
}

bool isMultiTargetRange(std::int32_t range)
{
    return range >= 2 && range <= 8 && range != 5;
}

bool reachesOwnParty(std::int32_t range)
{
    return range >= 6 && range <= 8;
}

bool isHealSeed(std::int32_t seed)
{
    return seed == 4 || seed == 5;
}

double notNegative(double amount)
{
    return amount > 0 ? amount : 0.0;
}

constexpr std::uint64_t kNeverActs = UINT64_MAX;
constexpr std::int64_t kNeverReady = INT64_MAX;
// Whole waits this far inside 2^52 count down exactly, by one step or many at once.
constexpr double kWholeWaitLimit = 1125899906842624.0; // 2^50
// Past this many passes the marks are taken down by them, far from overflowing.
constexpr std::int64_t kPassesRebased = std::int64_t{1} << 61;

// The values of one acting member's turn, with the best multi-target attack
// among the member's moves (the rules' own record of it is left empty).
struct MoveTurn : Turn {
    const Move* chosenMulti = nullptr;
};

// One battle with a source of draws whose type is known, so that a seeded
// generator's draws are made in line.
template <typename Random>
class Fight {
public:
    Fight(UnwatchedBattle::Roster& roster, Random& random)
        : r_(roster), random_(random), marksWaits_(roster.wholeWaits)
    {
    }

    BattleResult run(std::int32_t maxPresses)
    {
        setUp();
        BattleResult result;
        while (result.presses < maxPresses) {
            lostInPress_ = 0;
            resumesPlayerHalf_.reset();
            if (counterRE_ != 0)
                resumesPlayerHalf_ = false;
            else if (counterRP_ != 0)
                resumesPlayerHalf_ = true;
            press();
            if (lostInPress_ > 0) {
                const std::int32_t acting = pressActor();
                if (acting != kNone)
                    r_.damage[static_cast<std::size_t>(acting)].dealt += lostInPress_;
            }
            ++result.presses;
            if (end_ != Outcome::unfinished) {
                result.outcome = end_;
                break;
            }
        }
        result.damage = r_.damage;
        return result;
    }

private:
    void setUp()
    {
        r_.fighters = r_.start;
        r_.waitMarks.resize(r_.start.size());
        r_.readyMarks.resize(r_.start.size());
        for (std::size_t slot = 0; slot < r_.start.size(); ++slot)
            r_.waitMarks[slot] = static_cast<std::int64_t>(r_.start[slot].fullWP);
        r_.damage.assign(r_.start.size(), {});
        players().first = 0;
        players().size = r_.playerCount;
        enemies().first = r_.playerCount;
        enemies().size = static_cast<std::int32_t>(r_.start.size()) - r_.playerCount;
        for (Team* team : {&players(), &enemies()}) {
            team->sizeDivisor = Divisor(team->size);
            team->living.reset(team->size);
            team->healCandidates.reset(team->size);
            team->livingCount = team->candidateCount = team->stepped = 0;
            for (std::int32_t position = 1; position <= team->size; ++position)
                noteHP(*team, position, fighter(team->slotAt(position)).hp, true);
        }
        r_.open.reset(std::max(players().size, enemies().size));
        r_.targets.clear();
        r_.chosenTargets.clear();
    }

    Fighter& fighter(std::int32_t slot) { return r_.fighters[static_cast<std::size_t>(slot)]; }
    // The parties by index, so that choosing one is arithmetic rather than a branch.
    Team& players() { return r_.teams[0]; }
    Team& enemies() { return r_.teams[1]; }
    Team& teamOf(std::int32_t slot) { return r_.teams[slot >= r_.playerCount ? 1 : 0]; }
    Team& opponents() { return r_.teams[playerSide_ ? 1 : 0]; }
    Team& own() { return r_.teams[playerSide_ ? 0 : 1]; }

    std::int32_t draw() { return random_.draw(); }
    // The seeded generator never draws below 0, so its remainders take the quick way.
    static constexpr bool kDrawsNotNegative = std::is_same_v<Random, SeededRandom>;

    std::int32_t remainder(const Divisor& divisor, std::int32_t truncated)
    {
        if constexpr (kDrawsNotNegative)
            return divisor.remainderOf(draw());
        return remainderOf(draw(), truncated);
    }
    std::int32_t drawPosition(const Team& team) { return remainder(team.sizeDivisor, team.size) + 1; }
    bool rollSucceeds(double chance) { return chance - remainderOf(draw(), 100) > 0; }
    bool rollBelow(std::int32_t bound) { return remainderOf(draw(), 100) < bound; }

    // Keeps a member's flags in its party's sets and counts.
    void noteHP(Team& team, std::int32_t position, double hp, bool fresh = false)
    {
        const Fighter& member = fighter(team.slotAt(position));
        const bool living = hp > 0;
        const bool candidate = hp < member.healLine;
        if (fresh || team.living.has(position) != living) {
            team.living.set(position, living);
            team.livingCount += living ? 1 : (fresh ? 0 : -1);
            noteReadyMark(team.slotAt(position));
        }
        if (fresh || team.healCandidates.has(position) != candidate) {
            team.healCandidates.set(position, candidate);
            team.candidateCount += candidate ? 1 : (fresh ? 0 : -1);
        }
    }

    void noteReadyMark(std::int32_t slot)
    {
        const auto at = static_cast<std::size_t>(slot);
        r_.readyMarks[at] = fighter(slot).hp > 0 ? r_.waitMarks[at] : kNeverReady;
    }

    void changeHP(std::int32_t slot, double hp)
    {
        Fighter& member = fighter(slot);
        const double lost = member.hp - hp;
        member.hp = hp;
        if (lost > 0) {
            r_.damage[static_cast<std::size_t>(slot)].taken += lost;
            lostInPress_ += lost;
        }
        Team& team = teamOf(slot);
        noteHP(team, slot - team.first + 1, hp);
    }

    void dealDamage(std::int32_t slot, double amount)
    {
        double hp = fighter(slot).hp - notNegative(amount);
        changeHP(slot, hp < 0 ? 0 : hp);
    }

    void healBy(std::int32_t slot, double amount)
    {
        const Fighter& member = fighter(slot);
        double hp = member.hp + notNegative(amount);
        changeHP(slot, hp > member.fullHP ? member.fullHP : hp);
    }

    void takeMP(Fighter& actor, double cost)
    {
        actor.mp -= std::floor(notNegative(cost));
        if (actor.mp < 0)
            actor.mp = 0;
    }

    // The driver: one press of the navigation button.
    void press()
    {
        stop_ = false;
        if (multipleLoop_) {
            if (pendingActor_ != kNone) {
                applyNextTarget(pendingActor_);
                return;
            }
            multipleLoop_ = false;
        }
        while (!stop_) {
            if (!somebodyCanAct()) {
                end_ = Outcome::nobodyCanAct;
                stop_ = true;
                return;
            }
            playerSide_ = true;
            if (counterRE_ == 0 && walkHalf(players(), counterRP_))
                return;
            counterRP_ = 0;
            playerSide_ = false;
            if (walkHalf(enemies(), counterRE_))
                return;
        }
    }

    // From a counter c > 0 the walk steps member c again with the counter
    // running one ahead; from 0 it starts at the head with the counter level.
    bool walkHalf(Team& team, std::int32_t& counter)
    {
        if (marksWaits_)
            return walkHalfByMarks(team, counter);
        for (std::int32_t index = counter > 0 ? counter - 1 : 0; index < team.size; ++index) {
            ++counter;
            const std::int32_t slot = team.first + index;
            Fighter& member = fighter(slot);
            member.wp -= 1.0;
            if (!(member.wp > 0) && member.hp > 0) {
                takeTurn(slot);
                return true;
            }
        }
        counter = 0;
        return false;
    }

    // The same walk on the marks: stepping a member makes its wait
    // mark - passes - 1, which runs out when the mark is at most passes + 1;
    // a member stepped a second time in the pass loses one for good.
    bool walkHalfByMarks(Team& team, std::int32_t& counter)
    {
        const std::int32_t start = counter > 0 ? counter - 1 : 0;
        if (start < team.stepped) {
            --r_.waitMarks[static_cast<std::size_t>(team.first + start)];
            noteReadyMark(team.first + start);
        }
        const std::int64_t* marks = r_.readyMarks.data() + team.first;
        const std::int64_t runsOut = passes_ + 1;
        for (std::int32_t index = start; index < team.size; ++index) {
            if (marks[index] <= runsOut) {
                team.stepped = std::max(team.stepped, index + 1);
                counter += index - start + 1;
                takeTurn(team.first + index);
                return true;
            }
        }
        counter = 0;
        team.stepped = team.size;
        if (&team == &enemies()) {
            players().stepped = enemies().stepped = 0;
            ++passes_;
        }
        return false;
    }

    bool somebodyCanAct()
    {
        if (counterRP_ != 0 || counterRE_ != 0)
            return players().livingCount > 0 || enemies().livingCount > 0;
        return marksWaits_ ? skipQuietPassesByMarks() : skipQuietPasses();
    }

    // At the start of a whole pass, the passes before the first in which a
    // living member's wait runs out, made in one move; false when none ever does.
    bool skipQuietPasses()
    {
        std::uint64_t acting = kNeverActs;
        for (const Fighter& member : r_.fighters) {
            if (member.hp > 0)
                acting = std::min(acting, stepsToRunOut(member.wp).value_or(kNeverActs));
        }
        if (acting == kNeverActs)
            return false;
        if (acting > 1) {
            for (Fighter& member : r_.fighters)
                member.wp = lowerWait(member.wp, acting - 1);
        }
        return true;
    }

    // The same on the marks at the start of a pass: a whole wait w above 1
    // runs out in w steps.
    bool skipQuietPassesByMarks()
    {
        if (players().livingCount == 0 && enemies().livingCount == 0)
            return false;
        if (passes_ > kPassesRebased)
            rebaseMarks();
        // Some member lives, and a fallen one's mark is never the least.
        std::int64_t least = kNeverReady;
        for (const std::int64_t mark : r_.readyMarks)
            least = std::min(least, mark);
        passes_ += std::max<std::int64_t>(least - passes_, 1) - 1;
        return true;
    }

    // Takes the passes off the marks, far from overflowing. A fallen member's
    // wait keeps falling; one far below 0 runs out at every step, as a wait at
    // 0 does, and never equals a registered one, so it stays far below.
    void rebaseMarks()
    {
        for (std::int64_t& mark : r_.waitMarks)
            mark = std::max(mark - passes_, -kPassesRebased);
        passes_ = 0;
        for (std::size_t slot = 0; slot < r_.waitMarks.size(); ++slot)
            noteReadyMark(static_cast<std::int32_t>(slot));
    }

    // The member that acted in the press, found as the batch's ledger finds it.
    std::int32_t pressActor()
    {
        if (pendingActor_ != kNone)
            return pendingActor_;
        const Team& team = playerSide_ ? players() : enemies();
        const std::int32_t counted = playerSide_ ? counterRP_ : counterRE_;
        if (resumesPlayerHalf_ == playerSide_) {
            const std::int32_t before = team.slotAt(counted - 1);
            if (before != kNone && waitOf(before) == fighter(before).fullWP)
                return before;
        }
        return team.slotAt(counted);
    }

    void takeTurn(std::int32_t actorSlot)
    {
        Team& opponents = this->opponents();
        Team& own = this->own();
        const bool everyOpponentDown = opponents.livingCount == 0;
        std::int32_t position = 0;
        do
            position = drawPosition(opponents);
        while (!everyOpponentDown && !opponents.livesAt(position));
        const std::int32_t damageSlot = opponents.slotAt(position);
        position = drawPosition(own);
        std::int32_t healSlot = kNone;
        if (own.candidateCount > 0) {
            while (!own.healCandidates.has(position) && own.living.has(position))
                position = drawPosition(own);
            healSlot = own.slotAt(position);
        }
        if (everyOpponentDown) {
            end_ = playerSide_ ? Outcome::victory : Outcome::defeat;
            stop_ = true;
            return;
        }
        Fighter& actor = fighter(actorSlot);
        MoveTurn turn;
        // Through data(): a roster without attacks has no moves at all, and no element to index.
        const Move* move = r_.moves.data() + actor.firstMove;
        const Move* end = move + actor.moveCount;
        if (move != end && isMultiTargetRange(move->range))
            move = chooseMultiTarget(actor, damageSlot, healSlot, move, end, turn);
        if (move != end && (move->range == 1 || move->range == 5))
            chooseSingleTarget(actor, damageSlot, healSlot, move, end, turn);
        const bool plain = !turn.multiReady && (turn.healFlag ? !turn.chosenValueSet : !turn.singleReady);
        if (plain) {
            plainAttack(actor, damageSlot);
        } else if (turn.multiReady) {
            takeMP(actor, turn.multi.cost);
            targetCursor_ = 0;
            pendingActor_ = actorSlot;
            pendingHealsOwnParty_ = turn.multi.healsOwnParty;
            applyNextTarget(actorSlot);
            return;
        } else {
            applySingleTarget(actor, damageSlot, healSlot, turn);
        }
        endAction(actorSlot);
    }

    void endAction(std::int32_t slot)
    {
        Fighter& member = fighter(slot);
        if (marksWaits_) {
            r_.waitMarks[static_cast<std::size_t>(slot)] = static_cast<std::int64_t>(member.fullWP) + passes_ + 1;
            noteReadyMark(slot);
        } else {
            member.wp = member.fullWP;
        }
        stop_ = true;
    }

    double waitOf(std::int32_t slot)
    {
        if (!marksWaits_)
            return fighter(slot).wp;
        const Team& team = teamOf(slot);
        const std::int64_t steps = passes_ + (slot - team.first < team.stepped ? 1 : 0);
        return static_cast<double>(r_.waitMarks[static_cast<std::size_t>(slot)] - steps);
    }

    // (r1 % T) / 5 - (r2 % T) / 5, T the base truncated.
    std::int32_t spread(const Divisor& by, std::int32_t truncated)
    {
        const std::int32_t first = remainder(by, truncated) / 5;
        const std::int32_t second = remainder(by, truncated) / 5;
        return first - second;
    }

    double spreadValue(double base, const Divisor& by, std::int32_t truncated, double defence)
    {
        return std::floor(base + spread(by, truncated) - defence);
    }

    double seed5Value(double base, std::int32_t truncated)
    {
        const auto factor = static_cast<std::uint32_t>(truncated / 20);
        const auto product = static_cast<std::int32_t>(factor * static_cast<std::uint32_t>(draw()));
        return base + product % 5;
    }

    static void scale(const Move& move, const Fighter& target, double& value)
    {
        if (move.prop < 0 || move.prop > kLastScaledAttribute)
            return;
        const auto prop = static_cast<std::size_t>(move.prop);
        const std::int32_t whole = target.wholeResist[prop];
        if (whole != kNotWhole && value > -kExactFactor && value < kExactFactor) {
            const auto amount = static_cast<std::int64_t>(value);
            if (static_cast<double>(amount) == value) {
                value = static_cast<double>(floorOfHundredth(amount * whole));
                return;
            }
        }
        value = std::floor(value * static_cast<double>(target.resist[prop]) / 100.0);
    }

    // The same for a whole value: the integer path of scale without the round trip through a double.
    static double scaleWhole(const Move& move, const Fighter& target, std::int64_t amount)
    {
        if (move.prop >= 0 && move.prop <= kLastScaledAttribute) {
            const std::int32_t whole = target.wholeResist[static_cast<std::size_t>(move.prop)];
            if (whole != kNotWhole && amount > -kExactFactor && amount < kExactFactor)
                return static_cast<double>(floorOfHundredth(amount * whole));
        }
        double value = static_cast<double>(amount);
        scale(move, target, value);
        return value;
    }

    bool hitRollWithBonus(const Move& move, const Fighter& actor, const Fighter& target)
    {
        return rollSucceeds(move.hit + actor.hitStat / target.eva * 50.0);
    }

    void plainAttack(const Fighter& actor, std::int32_t targetSlot)
    {
        const Fighter& target = fighter(targetSlot);
        if (!rollSucceeds(actor.hitStat / target.eva * 50.0))
            return;
        const std::int32_t bonus = remainder(actor.atkSpread, actor.atkBase) / 3;
        dealDamage(targetSlot, std::floor(actor.atk + bonus - target.guard[kHalfDefence]));
    }

    std::int32_t targetCount(std::int32_t range, std::int32_t living, std::int32_t total)
    {
        switch (range) {
        case 2:
        case 6:
            if (living >= 3)
                return remainderOf(draw(), 3) + 1;
            return living == 2 ? remainderOf(draw(), 2) + 1 : 1;
        case 3:
        case 7:
            if (living >= 5)
                return remainderOf(draw(), 4) + 2;
            if (living == 4)
                return remainderOf(draw(), 4) + 1;
            return std::max(living, 1);
        default:
            return total;
        }
    }

    // Distinct positions: the first drawn freely, every further one a living
    // member not drawn yet; ranges 4 and 8 take every such member.
    void drawTargetList(std::int32_t range, const Team& team)
    {
        std::int32_t count = targetCount(range, team.livingCount, team.size);
        r_.targets.clear();
        const std::int32_t first = drawPosition(team);
        r_.targets.push_back({first, 0, false, false});
        if (range == 4 || range == 8)
            count = 1 + team.livingCount - (team.livesAt(first) ? 1 : 0);
        r_.open.copy(team.living);
        if (first >= 1 && first <= team.size)
            r_.open.set(first, false);
        while (static_cast<std::int32_t>(r_.targets.size()) < count) {
            const std::int32_t candidate = drawPosition(team);
            if (candidate >= 1 && candidate <= team.size && r_.open.has(candidate)) {
                r_.open.set(candidate, false);
                r_.targets.push_back({candidate, 0, false, false});
            }
        }
    }

    void evaluateNode(const Move& move, const Fighter& actor, std::int32_t slot, Node& node)
    {
        if (slot == kNone) {
            node.value = 0;
            return;
        }
        const Fighter& target = fighter(slot);
        const double base = move.multiBase;
        const std::int32_t truncated = move.multiTruncated;
        const Divisor& by = move.multiSpread;
        switch (move.seed) {
        case 0:
        case 4:
            node.value = spreadValue(base, by, truncated, 0);
            scale(move, target, node.value);
            break;
        case 1:
            node.value = spreadValue(base, by, truncated, target.guard[kHalfDefence]);
            scale(move, target, node.value);
            break;
        case 2:
            node.value = spreadValue(base, by, truncated, target.guard[kResistance]);
            scale(move, target, node.value);
            break;
        case 5:
            node.value = seed5Value(base, truncated);
            scale(move, target, node.value);
            break;
        default: // no value: the node keeps the one an earlier attack gave it
            break;
        }
        if (rollBelow(move.succBelow))
            node.success = true;
        bool hits = false;
        switch (move.seed) {
        case 0:
            hits = rollBelow(move.hitBelow);
            break;
        case 1:
        case 2:
            hits = hitRollWithBonus(move, actor, target);
            break;
        case 4:
        case 5:
            hits = true;
            break;
        default:
            break;
        }
        if (hits)
            node.hit = true;
    }

    void weigh(const Move& move, const Fighter& actor, std::int32_t healSlot, MoveTurn& turn)
    {
        const bool ownParty = reachesOwnParty(move.range);
        const Team& team = ownParty ? own() : opponents();
        double total = 0;
        for (Node& node : r_.targets) {
            evaluateNode(move, actor, team.slotAt(node.position), node);
            total += node.value;
        }
        const bool unaffordable = move.cost > actor.mp;
        if (unaffordable && move.seed >= 0 && move.seed <= 5 && move.seed != 3)
            turn.multiReady = false;
        if (isHealSeed(move.seed)) {
            if (playerSide_ && healSlot != kNone)
                turn.healFlag = true;
            if (unaffordable)
                turn.singleReady = turn.healFlag = false;
        }
        const bool choosable = !ownParty || isHealSeed(move.seed);
        if (choosable && total > mostDmg_) {
            mostDmg_ = total;
            r_.chosenTargets = r_.targets;
            turn.chosenMulti = &move;
            turn.multi.cost = move.cost;
            turn.multi.healsOwnParty = ownParty;
        }
    }

    const Move* chooseMultiTarget(const Fighter& actor, std::int32_t, std::int32_t healSlot, const Move* move,
                                  const Move* end, MoveTurn& turn)
    {
        drawTargetList(move->range, reachesOwnParty(move->range) ? own() : opponents());
        turn.multiReady = true;
        mostDmg_ = 0;
        for (; move != end && isMultiTargetRange(move->range); ++move)
            weigh(*move, actor, healSlot, turn);
        if (!turn.chosenMulti)
            turn.multiReady = false;
        return move;
    }

    // A move's single-target value, scaled by the resistance of the target in
    // targetSlot if there is one. Seeds 0 to 4 share one formula, chosen by data
    // rather than by branches, since which seed comes up follows the draws; an
    // enemy's seed 4 spreads in tenths, and r / 10 is (r / 5) / 2.
    double singleTargetValue(const Move& move, const Fighter& damage, std::int32_t targetSlot)
    {
        double value = 0;
        if (move.seed == 5) {
            value = seed5Value(move.singleBase, move.singleTruncated);
        } else {
            // The spread drawn here, not through spread(): there the choice of tenths became a
            // branch, which follows the draws and is often mispredicted.
            const std::int32_t first = remainder(move.singleSpread, move.singleTruncated) / 5;
            const std::int32_t second = remainder(move.singleSpread, move.singleTruncated) / 5;
            const std::int32_t spread = move.singleInTenths ? first / 2 - second / 2 : first - second;
            const std::size_t guard = move.singleGuard;
            if (r_.wholeFormulas) {
                // floor(base + spread - guard), the guard whole or a half, as a halved whole number.
                const std::int64_t amount = (move.singleBaseTwice + 2 * std::int64_t{spread} - damage.guardTwice[guard]) >> 1;
                return targetSlot == kNone ? static_cast<double>(amount) : scaleWhole(move, fighter(targetSlot), amount);
            }
            value = std::floor(move.singleBase + spread - damage.guard[guard]);
        }
        if (targetSlot != kNone)
            scale(move, fighter(targetSlot), value);
        return value;
    }

    void chooseSingleTarget(const Fighter& actor, std::int32_t damageSlot, std::int32_t healSlot, const Move* start,
                            const Move* end, MoveTurn& turn)
    {
        turn.singleReady = true;
        turn.allyFlag = start->range == 5;
        double best = 0;
        const Move* chosen = nullptr;
        const Move* firstEvaluated = nullptr;
        const Fighter& damage = fighter(damageSlot);
        for (const Move* move = start; move != end; ++move) {
            if (move->seed < 0 || move->seed > 5)
                return;
            if (isHealSeed(move->seed) && healSlot == kNone) {
                if (move + 1 == end) {
                    turn.singleReady = false;
                    return;
                }
                continue;
            }
            const double value = singleTargetValue(*move, damage, move->range == 1 ? damageSlot : healSlot);
            firstEvaluated = firstEvaluated ? firstEvaluated : move;
            const bool better = (value > best) & (actor.mp >= move->cost);
            chosen = better ? move : chosen;
            best = better ? value : best;
        }
        if (!chosen)
            chosen = firstEvaluated;
        turn.chosenValue = best;
        turn.chosenValueSet = true;
        turn.mpCost = chosen->cost;
        if (rollBelow(chosen->succBelow))
            turn.successFlag = true;
        const bool unaffordable = turn.mpCost > actor.mp;
        if (unaffordable)
            turn.singleReady = false;
        if (chosen->seed == 0) {
            if (rollBelow(chosen->hitBelow))
                turn.hitFlag = true;
        } else if (isHealSeed(chosen->seed)) {
            turn.hitFlag = true;
            turn.healFlag = !unaffordable;
        } else if (hitRollWithBonus(*chosen, actor, damage)) {
            turn.hitFlag = true;
        }
        draw(); // the critical draw, which has no effect
    }

    void applySingleTarget(Fighter& actor, std::int32_t damageSlot, std::int32_t healSlot, const MoveTurn& turn)
    {
        takeMP(actor, turn.mpCost);
        const std::int32_t healed = turn.allyFlag ? healSlot : damageSlot;
        if (turn.hitFlag && turn.successFlag && !turn.healFlag)
            dealDamage(damageSlot, turn.chosenValue);
        else if (turn.healFlag && healed != kNone)
            healBy(healed, turn.chosenValue);
    }

    // The next target of the pending action that has a member, then a stop
    // while targets remain; past the last one the action ends for the member.
    void applyNextTarget(std::int32_t memberSlot)
    {
        const bool heals = pendingHealsOwnParty_;
        const Team& team = heals ? own() : opponents();
        const std::size_t count = r_.chosenTargets.size();
        while (targetCursor_ < count) {
            const Node& node = r_.chosenTargets[targetCursor_++];
            const std::int32_t slot = team.slotAt(node.position);
            if (slot == kNone)
                continue;
            if (heals)
                healBy(slot, node.value);
            else if (node.hit && node.success)
                dealDamage(slot, node.value);
            multipleLoop_ = true;
            if (targetCursor_ < count) {
                stop_ = true;
                return;
            }
        }
        multipleLoop_ = false;
        targetCursor_ = 0;
        pendingActor_ = kNone;
        pendingHealsOwnParty_ = false;
        endAction(memberSlot);
    }

    UnwatchedBattle::Roster& r_;
    Random& random_;
    const bool marksWaits_;
    std::int64_t passes_ = 0;
    Outcome end_ = Outcome::unfinished;
    bool stop_ = false;
    bool playerSide_ = false;
    bool multipleLoop_ = false;
    std::int32_t counterRP_ = 0;
    std::int32_t counterRE_ = 0;
    double mostDmg_ = 0;
    std::size_t targetCursor_ = 0;
    std::int32_t pendingActor_ = kNone;
    bool pendingHealsOwnParty_ = false;
    double lostInPress_ = 0;
    std::optional<bool> resumesPlayerHalf_;
};

} // namespace

UnwatchedBattle::UnwatchedBattle(const OBJE* players, const OBJE* enemies) : roster_(std::make_unique<Roster>())
{
    addParty(*roster_, players, false);
    roster_->playerCount = static_cast<std::int32_t>(roster_->start.size());
    addParty(*roster_, enemies, true);
    for (const Fighter& member : roster_->start)
        roster_->wholeWaits = roster_->wholeWaits && std::abs(member.fullWP) < kWholeWaitLimit
            && std::floor(member.fullWP) == member.fullWP;
    roster_->fighters.reserve(roster_->start.size());
    roster_->targets.reserve(roster_->start.size());
    roster_->chosenTargets.reserve(roster_->start.size());
}

UnwatchedBattle::~UnwatchedBattle() = default;

BattleResult UnwatchedBattle::fight(RandomSource& random, std::int32_t maxPresses)
{
    if (auto* seeded = dynamic_cast<SeededRandom*>(&random))
        return Fight<SeededRandom>(*roster_, *seeded).run(maxPresses);
    return Fight<RandomSource>(*roster_, random).run(maxPresses);
}

} // namespace pc::sim
