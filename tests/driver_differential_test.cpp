// SPDX-License-Identifier: GPL-3.0-or-later
// The battle driver against the step-by-step reference over random battles, and its stop where that one never returns.
#include "BattleTestKit.h"
#include "ReferenceDriver.h"
#include "battle/Messages.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <charconv>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using pc::OBJE;

// A prefix and a number. Built in a fresh string and moved in: at -O3, GCC 12
// takes "literal" + string, or a literal assigned over a string, for an
// overlapping copy (a false -Wrestrict).
std::string numbered(const char* prefix, std::size_t number)
{
    std::string text(prefix);
    text += std::to_string(number);
    return text;
}

// A random stream counting its draws; two made with one seed draw alike.
class StreamRandom final : public pc::RandomSource {
public:
    explicit StreamRandom(std::uint32_t seed) : engine_(seed) {}
    std::int32_t draw() override
    {
        ++made_;
        return static_cast<std::int32_t>(engine_() >> 1);
    }
    std::uint64_t made() const { return made_; }

private:
    std::mt19937 engine_;
    std::uint64_t made_ = 0;
};

// A member with its attacks, as both worlds build it.
struct MemberPlan {
    pc::STATUS status;
    pc::RESIST resist;
    std::vector<pc::ATTACK> attacks;
};

struct BattlePlan {
    std::vector<MemberPlan> players, enemies;
};

class PlanMaker {
public:
    explicit PlanMaker(std::uint32_t seed) : engine_(seed) {}

    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    bool chance(int percent) { return between(1, 100) <= percent; }

    BattlePlan battle(bool everyoneFallen)
    {
        BattlePlan plan;
        for (auto* party : {&plan.players, &plan.enemies}) {
            party->resize(static_cast<std::size_t>(between(1, 8)));
            for (MemberPlan& member : *party)
                member = this->member(everyoneFallen);
        }
        return plan;
    }

private:
    // Waits from -2 to 1,000, often at the edges, sometimes with a fraction.
    double wait()
    {
        double wp = chance(25) ? between(-2, 2) : between(-2, 1000);
        if (chance(10))
            wp += std::uniform_real_distribution<double>(0, 1)(engine_);
        return wp;
    }

    MemberPlan member(bool fallen)
    {
        MemberPlan m;
        const double hp = fallen || chance(10) ? 0 : between(1, 300);
        m.status = {hp, double(between(0, 80)), 0, 0, wait(), 0, 0, 0, 0, 0, 0, 0, double(between(1, 60)),
                    double(between(0, 60)), double(between(0, 100)), double(between(1, 100)), double(between(0, 60))};
        for (float& value : m.resist.values)
            value = float(chance(10) ? 0 : between(0, 200));
        m.attacks.resize(static_cast<std::size_t>(between(0, 4)));
        for (pc::ATTACK& a : m.attacks) {
            a.name = numbered("技", between(0, 99));
            a.range = between(-1, 9);
            a.type = between(-1, 6);
            a.prop = between(-1, 22);
            a.seed = between(-1, 6);
            a.MP = between(0, 30);
            a.MPP = between(0, 20);
            a.succ = between(0, 100);
            a.count = between(0, 60);
            a.hit = between(0, 100);
        }
        return m;
    }

    std::mt19937 engine_;
};

// One battle window: its state, view, random stream and log.
struct World {
    pc::AppState state;
    pc::BattleView view;
    StreamRandom random;
    std::ostringstream log;
    pc::BattleContext ctx{state, view, random, log};

    World(const BattlePlan& plan, std::uint32_t seed) : random(seed)
    {
        join(state.RPtop, plan.players);
        join(state.REtop, plan.enemies);
    }

    void join(OBJE*& top, const std::vector<MemberPlan>& party)
    {
        OBJE** link = &top;
        for (const MemberPlan& plan : party) {
            OBJE* member = state.objes.make();
            pc::InitObje(*member);
            member->name = numbered("M", state.objes.size());
            member->baseStatus = plan.status;
            member->baseResist = plan.resist;
            pc::ATTACK** attackLink = &member->attacks;
            for (const pc::ATTACK& attack : plan.attacks) {
                *attackLink = state.attacks.make();
                **attackLink = attack;
                attackLink = &(*attackLink)->next;
            }
            *link = member;
            link = &member->next;
        }
    }

    // The set-up a start asks for, made by the window's tick as the application does.
    void start()
    {
        state.ReadyUpListStartOffFlag = true;
        pc::battleTick(ctx);
    }
};

// What a press left: raw bytes to compare quickly, or readable lines (doubles
// in their shortest form that reads back to the bit) to show where two presses differ.
class Snapshot {
public:
    explicit Snapshot(bool readable) : readable_(readable) {}

    void add(double value)
    {
        if (!readable_)
            return raw(value);
        char buffer[32];
        text_.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
        text_ += ' ';
    }
    void add(const pc::STATUS& status)
    {
        if (!readable_)
            return raw(status);
        for (double value : std::bit_cast<std::array<double, 17>>(status))
            add(value);
        endLine();
    }
    void add(std::int64_t value)
    {
        if (!readable_)
            return raw(value);
        text_ += std::to_string(value) + ' ';
    }
    void add(const std::string& text)
    {
        add(std::int64_t(text.size()));
        text_ += text;
        endLine();
    }
    void endLine()
    {
        if (readable_)
            text_ += '\n';
    }
    const std::string& text() const { return text_; }

private:
    template <typename T>
    void raw(const T& value)
    {
        text_.append(reinterpret_cast<const char*>(&value), sizeof value);
    }

    bool readable_;
    std::string text_;
};

// A member's position counting from 1, negative in the enemy party; 0 for none.
std::int64_t positionOf(const pc::AppState& state, const OBJE* member)
{
    for (const auto& [sign, top] : {std::pair{1, state.RPtop}, std::pair{-1, state.REtop}}) {
        std::int64_t position = 1;
        for (const OBJE* m = top; m; m = m->next, ++position) {
            if (m == member)
                return sign * position;
        }
    }
    return 0;
}

void addPanel(Snapshot& shot, const pc::PanelView& panel)
{
    shot.add(panel.name);
    shot.add(panel.hpText);
    shot.add(std::int64_t{panel.hpLevel} * 2 + (panel.picture ? 1 : 0));
    shot.endLine();
}

void addTargets(Snapshot& shot, const std::vector<pc::TargetNode>& nodes)
{
    for (const pc::TargetNode& node : nodes) {
        shot.add(node.position);
        shot.add(node.value);
        shot.add(std::int64_t{node.hit} * 2 + node.success);
    }
    shot.endLine();
}

// Everything a press can change (the status panels and side tables are the
// timer's, from the members); without the texts, all but NaviTF, the P1 and P2
// panels and the log.
std::string observed(const World& world, bool readable, bool texts)
{
    const pc::AppState& s = world.state;
    Snapshot shot(readable);
    if (texts) {
        shot.add(world.view.naviText);
        addPanel(shot, world.view.p1);
        addPanel(shot, world.view.p2);
        shot.add(world.log.str());
    }
    for (const OBJE* top : {s.RPtop, s.REtop}) {
        for (const OBJE* m = top; m; m = m->next)
            shot.add(m->curStatus);
    }
    for (std::int64_t number :
         {std::int64_t{s.stopBattleLoop}, std::int64_t{s.multipleLoopFlag}, std::int64_t{s.playerAttackFlag},
          std::int64_t{s.pendingHealsOwnParty}, std::int64_t{s.currentNumberRP}, std::int64_t{s.currentNumberRE},
          std::int64_t{s.targetNumb}, std::int64_t(s.targXcursor), std::int64_t(world.random.made()),
          positionOf(s, s.RP), positionOf(s, s.RE), positionOf(s, s.pendingActor)})
        shot.add(number);
    shot.add(s.MOSTDMGplayer);
    shot.add(s.MOSTDMGenemy);
    shot.endLine();
    if (texts) {
        shot.add(s.atkName);
        shot.add(s.zenjutsu);
    }
    addTargets(shot, s.targ);
    addTargets(shot, s.targX);
    return shot.text();
}

bool ended(const std::string& navi)
{
    return navi == pc::kPlayerVictory || navi == pc::kPlayerDefeat || navi == pc::kNobodyCanAct;
}

TEST(DriverDifferential, EveryPressLeavesWhatTheStepByStepDriverLeaves)
{
    constexpr int kBattles = 2000;
    constexpr int kPressLimit = 150;
    for (int battle = 0; battle < kBattles; ++battle) {
        const auto seed = static_cast<std::uint32_t>(battle);
        PlanMaker maker(seed);
        const BattlePlan plan = maker.battle(battle % 50 == 0);
        World fast(plan, seed), reference(plan, seed);
        // A quarter of the battles leave the texts unformatted, which must change nothing but the texts.
        const bool texts = battle % 4 != 0;
        fast.ctx.formatTexts = texts;
        // Half gather every party once a turn, as large parties are, which must change nothing.
        if (battle % 2 == 0)
            fast.ctx.gatherPartiesAbove = 0;
        // A third of the battles are left after a few presses, mid-pass, and
        // started again with the same parties, which resume at the old position;
        // half of those a second time.
        int restartAt = battle % 3 == 0 ? maker.between(1, 12) : 0;
        fast.start();
        reference.start();
        int afterEnd = 2;
        for (int press = 1; press <= kPressLimit && afterEnd > 0; ++press) {
            if (press == restartAt) {
                fast.start();
                reference.start();
                restartAt = maker.chance(50) ? press + maker.between(1, 12) : 0;
            }
            pc::Navigation(fast.ctx);
            pc::reference::Navigation(reference.ctx);
            if (observed(fast, false, texts) != observed(reference, false, texts)) {
                EXPECT_EQ(observed(fast, true, texts), observed(reference, true, texts));
                FAIL() << "battle " << battle << ", press " << press;
            }
            fast.log.str("");
            reference.log.str("");
            // The window's timer, which puts the cursors back at the heads, may tick between presses.
            if (maker.chance(50)) {
                pc::battleTick(fast.ctx);
                pc::battleTick(reference.ctx);
            }
            if (ended(fast.view.naviText))
                --afterEnd;
        }
    }
}

// The reference would walk pass after pass for ever.
TEST(DriverDifferential, WaitsThatNeverRunOutStopAsNobodyCanAct)
{
    BattleKit kit;
    kit.player({.WP = 1e300});
    kit.enemy({.HP = 0});
    kit.setUp();
    kit.press();
    EXPECT_EQ(kit.view.naviText, "誰も行動できない！");
    EXPECT_TRUE(kit.state.stopBattleLoop);
}

} // namespace
