// SPDX-License-Identifier: GPL-3.0-or-later
// Builders for battle tests: members, attacks and two parties with scripted draws.
#pragma once

#include "ScriptedRandom.h"
#include "battle/BattleContext.h"
#include "battle/BattleDriver.h"
#include "battle/BattleSetup.h"
#include "battle/BattleStep.h"
#include "records/RowRule.h"

#include <sstream>
#include <string>
#include <vector>

using Draws = std::vector<std::int32_t>;

struct MemberDraft {
    std::string name = "戦士";
    double HP = 100, MP = 50, WP = 1, ATK = 30, DEF = 20, HIT = 30, EVA = 30, ARI = 20;
};

// Attribute 21 (death) leaves values unscaled unless a test picks another.
struct AttackDraft {
    std::string name = "斬り";
    std::int32_t range = 1, type = 0, prop = 21, seed = 0;
    double MP = 0, MPP = 0, succ = 100, count = 10, hit = 100;
};

struct BattleKit {
    pc::AppState state;
    pc::BattleView view;
    ScriptedRandom random;
    std::ostringstream log;
    pc::BattleContext ctx{state, view, random, log};

    pc::OBJE* join(pc::OBJE*& top, const MemberDraft& s)
    {
        pc::OBJE* member = state.objes.make();
        pc::InitObje(*member);
        member->name = s.name;
        member->baseStatus = member->curStatus = {s.HP, s.MP, 3, 5, s.WP, 30, 30, 30, 30, 30, 30, 30,
                                                  s.ATK, s.DEF, s.HIT, s.EVA, s.ARI};
        (top ? pc::lastOf(top)->next : top) = member;
        return member;
    }
    pc::OBJE* player(const MemberDraft& draft = {}) { return join(state.RPtop, draft); }
    pc::OBJE* enemy(const MemberDraft& draft = {}) { return join(state.REtop, draft); }

    pc::ATTACK* attack(pc::OBJE* member, const AttackDraft& s = {})
    {
        pc::ATTACK* a = state.attacks.make();
        *a = {nullptr, "", s.name, s.range, s.type, s.prop, s.seed, s.MP, s.MPP, s.succ, 0, s.count, s.hit, {}, {}};
        (member->attacks ? pc::lastOf(member->attacks)->next : member->attacks) = a;
        return a;
    }

    // Builds the side tables and restores every member, as a start does.
    void setUp() { pc::setUpBattle(ctx); }
    void press() { pc::Navigation(ctx); }
    void script(const Draws& draws)
    {
        for (std::int32_t draw : draws)
            random.add({draw});
    }
};

// A player "勇者" against one enemy "スライム", set up for the player's turn.
struct Duel : BattleKit {
    pc::OBJE* hero = player({.name = "勇者"});
    pc::OBJE* slime = enemy({.name = "スライム"});

    explicit Duel(const std::vector<AttackDraft>& attacks = {}, double heroHP = 100)
    {
        for (const AttackDraft& draft : attacks)
            attack(hero, draft);
        setUp();
        state.playerAttackFlag = true;
        hero->curStatus.HP = heroHP;
    }
    void step() { pc::theBattleLoop(ctx, *hero); }
    // A turn: the two target draws, then the given ones.
    void turn(const Draws& draws)
    {
        script({0, 0});
        script(draws);
        step();
    }
};
