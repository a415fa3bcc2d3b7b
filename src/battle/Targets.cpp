// SPDX-License-Identifier: GPL-3.0-or-later
#include "Targets.h"

#include "records/Numbers.h"

#include <algorithm>
#include <bit>

namespace pc {

namespace {

// A party that is not gathered has at most kMostUngathered members; one walk
// along its list gives the positions whose member meets a test as a bit set,
// bit p - 1 for position p, and the draws that follow test bits.
template <typename Test>
std::uint64_t positionsWhere(const Party& party, Test test)
{
    std::uint64_t positions = 0;
    const OBJE* member = party.top;
    for (std::int32_t position = 1; member && position <= party.size; ++position, member = member->next) {
        if (test(*member))
            positions |= std::uint64_t{1} << (position - 1);
    }
    return positions;
}

bool hasPosition(std::uint64_t positions, std::int32_t position)
{
    return position >= 1 && position <= 64 && (positions >> (position - 1) & 1) != 0;
}

bool isMember(const OBJE&)
{
    return true;
}

bool isFallen(const OBJE& member)
{
    return !isLiving(member);
}

// A drawn member stands unless it is at or above the threshold and alive.
bool healDrawStands(const OBJE* member)
{
    return member && (isHealCandidate(*member) || !isLiving(*member));
}

bool isLivingAt(const PartyMembers& members, std::int32_t position)
{
    return position >= 1 && static_cast<std::size_t>(position) < members.livingAt.size()
        && members.livingAt[static_cast<std::size_t>(position)] != 0;
}

// The places of a party not gathered, as bit sets of one walk each.
class SmallPlaces {
public:
    explicit SmallPlaces(const Party& party)
        : living_(positionsWhere(party, isLiving))
        , total_(static_cast<std::int32_t>(std::popcount(positionsWhere(party, isMember))))
    {
    }
    std::int32_t total() const { return total_; }
    std::int32_t living() const { return static_cast<std::int32_t>(std::popcount(living_)); }
    bool livesAt(std::int32_t position) const { return hasPosition(living_, position); }
    // Opens the living positions to the drawing, all but `drawn`.
    void openAllBut(std::int32_t drawn) { open_ = living_ & ~bitOf(drawn); }
    // Takes an open position out of the drawing; false for one that is not open.
    bool take(std::int32_t position)
    {
        if (!hasPosition(open_, position))
            return false;
        open_ &= ~bitOf(position);
        return true;
    }

private:
    static std::uint64_t bitOf(std::int32_t position)
    {
        return position >= 1 && position <= 64 ? std::uint64_t{1} << (position - 1) : 0;
    }
    std::uint64_t living_;
    std::uint64_t open_ = 0;
    std::int32_t total_;
};

// The places of a gathered party, flagged in its arrays.
class GatheredPlaces {
public:
    explicit GatheredPlaces(PartyMembers& members) : members_(members) {}
    std::int32_t total() const { return static_cast<std::int32_t>(members_.byPosition.size()); }
    std::int32_t living() const { return members_.living; }
    bool livesAt(std::int32_t position) const { return isLivingAt(members_, position); }
    void openAllBut(std::int32_t drawn)
    {
        members_.open.assign(members_.livingAt.begin(), members_.livingAt.end());
        take(drawn);
    }
    bool take(std::int32_t position)
    {
        if (!isOpen(position))
            return false;
        members_.open[static_cast<std::size_t>(position)] = 0;
        return true;
    }

private:
    bool isOpen(std::int32_t position) const
    {
        return position >= 1 && position <= total() && members_.open[static_cast<std::size_t>(position)] != 0;
    }
    PartyMembers& members_;
};

// Distinct positions: the first drawn freely, every further one a living
// member not drawn yet. Ranges 4 and 8 ask for the whole party: every position
// that can still be accepted, so the drawing ends when some members are down.
template <typename Places>
void drawTargetsFrom(RandomSource& random, std::int32_t range, Places& places, std::vector<TargetNode>& nodes)
{
    std::int32_t count = targetCount(random, range, places.living(), places.total());
    nodes.clear();
    const std::int32_t first = drawPosition(random, places.total());
    nodes.push_back({static_cast<double>(first), 0, false, false});
    if (range == 4 || range == 8)
        count = 1 + places.living() - (places.livesAt(first) ? 1 : 0);
    places.openAllBut(first);
    while (static_cast<std::int32_t>(nodes.size()) < count) {
        const std::int32_t candidate = drawPosition(random, places.total());
        if (places.take(candidate))
            nodes.push_back({static_cast<double>(candidate), 0, false, false});
    }
}

} // namespace

std::int32_t drawPosition(RandomSource& random, std::int32_t size)
{
    return remainderOf(random.draw(), size) + 1;
}

DamageDraw drawDamageTarget(RandomSource& random, const Party& opponents, std::int32_t& targetNumb)
{
    DamageDraw draw;
    if (const PartyMembers* members = opponents.members) {
        draw.everyOpponentDown = members->living == 0;
        do
            targetNumb = drawPosition(random, opponents.size);
        while (!draw.everyOpponentDown && !isLivingAt(*members, targetNumb));
    } else {
        const std::uint64_t living = positionsWhere(opponents, isLiving);
        draw.everyOpponentDown = living == 0;
        do
            targetNumb = drawPosition(random, opponents.size);
        while (!draw.everyOpponentDown && !hasPosition(living, targetNumb));
    }
    draw.target = memberAt(opponents, targetNumb);
    opponents.cursor = draw.target;
    return draw;
}

OBJE* drawHealTarget(RandomSource& random, const Party& own, std::int32_t& targetNumb)
{
    targetNumb = drawPosition(random, own.size);
    OBJE* target = nullptr;
    if (own.members) {
        if (own.members->anyHealCandidate) {
            target = memberAt(own, targetNumb);
            while (!healDrawStands(target)) {
                targetNumb = drawPosition(random, own.size);
                target = memberAt(own, targetNumb);
            }
        }
    } else if (const std::uint64_t candidates = positionsWhere(own, isHealCandidate)) {
        const std::uint64_t standing = candidates | positionsWhere(own, isFallen);
        while (!hasPosition(standing, targetNumb))
            targetNumb = drawPosition(random, own.size);
        target = memberAt(own, targetNumb);
    }
    own.cursor = target;
    return target;
}

bool reachesOwnParty(std::int32_t range)
{
    return range >= 6 && range <= 8;
}

bool isMultiTargetRange(std::int32_t range)
{
    return range >= 2 && range <= 8 && range != 5;
}

std::int32_t targetCount(RandomSource& random, std::int32_t range, std::int32_t living, std::int32_t total)
{
    switch (range) {
    case 2:
    case 6:
        if (living >= 3)
            return remainderOf(random.draw(), 3) + 1;
        return living == 2 ? remainderOf(random.draw(), 2) + 1 : 1;
    case 3:
    case 7:
        if (living >= 5)
            return remainderOf(random.draw(), 4) + 2;
        if (living == 4)
            return remainderOf(random.draw(), 4) + 1;
        return std::max(living, 1);
    default:
        return total;
    }
}

void drawTargetList(RandomSource& random, std::int32_t range, const Party& party, std::vector<TargetNode>& nodes)
{
    if (party.members) {
        GatheredPlaces places(*party.members);
        drawTargetsFrom(random, range, places, nodes);
    } else {
        SmallPlaces places(party);
        drawTargetsFrom(random, range, places, nodes);
    }
}

} // namespace pc

