// SPDX-License-Identifier: GPL-3.0-or-later
#include "BattleCopy.h"

#include <cstddef>
#include <map>
#include <utility>
#include <vector>

namespace pc {

namespace {

// The copies of the members, original then copy, for carrying cursors over.
using MemberMap = std::vector<std::pair<const OBJE*, OBJE*>>;

ATTACK* copyAttacks(const ATTACK* from, AppState& to, std::map<const ATTACK*, ATTACK*>& copied)
{
    ATTACK* head = nullptr;
    ATTACK** link = &head;
    for (const ATTACK* attack = from; attack; attack = attack->next) {
        ATTACK*& copy = copied[attack];
        if (!copy) {
            copy = to.attacks.make();
            *copy = *attack;
        }
        *link = copy;
        link = &copy->next;
    }
    return head;
}

OBJE* copyParty(const OBJE* top, AppState& to, AttackCopies attacks, MemberMap& members,
                std::map<const ATTACK*, ATTACK*>& copiedAttacks)
{
    OBJE* head = nullptr;
    OBJE** link = &head;
    for (const OBJE* member = top; member; member = member->next) {
        OBJE* copy = to.objes.make();
        *copy = *member;
        copy->next = nullptr;
        if (attacks == AttackCopies::own)
            copy->attacks = copyAttacks(member->attacks, to, copiedAttacks);
        members.emplace_back(member, copy);
        *link = copy;
        link = &copy->next;
    }
    return head;
}

OBJE* carried(const MemberMap& members, const OBJE* member)
{
    for (const auto& [original, copy] : members)
        if (original == member)
            return copy;
    return nullptr;
}

} // namespace

BattleCopy copyBattle(const AppState& from, const BattleView& view, AttackCopies attacks)
{
    BattleCopy copy{std::make_unique<AppState>(), view};
    AppState* to = copy.state.get();
    MemberMap members;
    std::map<const ATTACK*, ATTACK*> copiedAttacks;
    to->RPtop = copyParty(from.RPtop, *to, attacks, members, copiedAttacks);
    to->REtop = copyParty(from.REtop, *to, attacks, members, copiedAttacks);
    to->RP = carried(members, from.RP);
    to->RE = carried(members, from.RE);
    to->pendingActor = carried(members, from.pendingActor);
    to->pendingHealsOwnParty = from.pendingHealsOwnParty;

    to->SCPlistClickedRow = from.SCPlistClickedRow;
    to->SCElistClickedRow = from.SCElistClickedRow;
    to->ReadyUpListStartOffFlag = from.ReadyUpListStartOffFlag;
    to->stopBattleLoop = from.stopBattleLoop;
    to->multipleLoopFlag = from.multipleLoopFlag;
    to->playerAttackFlag = from.playerAttackFlag;
    to->currentNumberRP = from.currentNumberRP;
    to->currentNumberRE = from.currentNumberRE;
    to->targetNumb = from.targetNumb;
    to->atkName = from.atkName;
    to->zenjutsu = from.zenjutsu;
    to->MOSTDMGplayer = from.MOSTDMGplayer;
    to->MOSTDMGenemy = from.MOSTDMGenemy;
    to->targ = from.targ;
    to->targX = from.targX;
    to->targXcursor = from.targXcursor;
    return copy;
}

void forgetEarlierBattles(AppState& state)
{
    const AppState fresh;
    state.stopBattleLoop = fresh.stopBattleLoop;
    state.multipleLoopFlag = fresh.multipleLoopFlag;
    state.playerAttackFlag = fresh.playerAttackFlag;
    state.currentNumberRP = fresh.currentNumberRP;
    state.currentNumberRE = fresh.currentNumberRE;
    state.targetNumb = fresh.targetNumb;
    state.atkName = fresh.atkName;
    state.zenjutsu = fresh.zenjutsu;
    state.MOSTDMGplayer = fresh.MOSTDMGplayer;
    state.MOSTDMGenemy = fresh.MOSTDMGenemy;
    state.targ.clear();
    state.targX.clear();
    state.targXcursor = fresh.targXcursor;
    state.pendingActor = nullptr;
    state.pendingHealsOwnParty = fresh.pendingHealsOwnParty;
}

} // namespace pc
