// SPDX-License-Identifier: GPL-3.0-or-later
#include "AttackSubmit.h"

#include "AttackList.h"
#include "EditChecks.h"

namespace pc {

AttackEdit attackEditOf(const ATTACK& attack)
{
    AttackEdit edit{attack.name, attack.tag, {}, {}};
    for (std::size_t i = 0; i < kAttackNumbers.size(); ++i)
        edit.numbers[i] = attack.*kAttackNumbers[i];
    for (std::size_t i = 0; i < kAttackChoices.size(); ++i)
        edit.choices[i] = attack.*kAttackChoices[i];
    return edit;
}

AttackProblems submitAttack(AppState& state, const AttackEdit& edit)
{
    const AttackProblems problems{fieldTextProblem(edit.name, "技名"), fieldTextProblem(edit.tag, "タグ")};
    ATTACK* attack = designatedAttack(state);
    if (problems.any() || !attack)
        return problems;
    attack->name = edit.name;
    attack->tag = edit.tag;
    for (std::size_t i = 0; i < kAttackNumbers.size(); ++i)
        attack->*kAttackNumbers[i] = edit.numbers[i];
    for (std::size_t i = 0; i < kAttackChoices.size(); ++i)
        attack->*kAttackChoices[i] = edit.choices[i];
    state.attackSetFlag = true;
    return problems;
}

} // namespace pc
