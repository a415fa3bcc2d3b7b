// SPDX-License-Identifier: GPL-3.0-or-later
#include "BattleHistory.h"

namespace pc {

namespace {

std::vector<double> hpOf(const AppState& state)
{
    std::vector<double> hp;
    for (const OBJE* top : {state.RPtop, state.REtop})
        for (const OBJE* member = top; member; member = member->next)
            hp.push_back(member->curStatus.HP);
    return hp;
}

} // namespace

void BattleHistory::start(const AppState& state)
{
    *this = {};
    for (const OBJE* top : {state.RPtop, state.REtop}) {
        for (const OBJE* member = top; member; member = member->next) {
            names.push_back(member->name);
            onPlayerSide.push_back(top == state.RPtop);
            registeredHP.push_back(member->baseStatus.HP);
        }
    }
    record(state);
}

void BattleHistory::record(const AppState& state)
{
    hp.push_back(hpOf(state));
    chance.resize(hp.size());
}

void BattleHistory::noteChance(std::size_t press, double value)
{
    if (press < chance.size())
        chance[press] = value;
}

std::vector<BattleHistory::Fall> BattleHistory::falls() const
{
    std::vector<Fall> found;
    for (std::size_t press = 1; press < hp.size(); ++press)
        for (std::size_t member = 0; member < hp[press].size() && member < hp[press - 1].size(); ++member)
            if (hp[press - 1][member] > 0 && hp[press][member] <= 0)
                found.push_back({press, member});
    return found;
}

} // namespace pc
