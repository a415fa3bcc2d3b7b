// partyclash-sim: damage per member, batches, reports, errors and exit statuses.
#include "BattleTestKit.h"
#include "Fixtures.h"
#include "TempDataFolder.h"

#include "sim/HeadlessBattle.h"
#include "sim/Options.h"
#include "sim/RosterFolder.h"
#include "sim/SeededRandom.h"
#include "sim/Simulator.h"
#include "sim/Statistics.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

using namespace pc;
using namespace pc::sim;

namespace {

const std::string kExamples = PARTYCLASH_EXAMPLES;

struct SimRun {
    int status;
    std::string out;
    std::string err;
};

// Fighters too sturdy to fall within the presses the tests make: 勇者 sweeps
// every opponent, 戦士 strikes one, and three characters share the name
// スライム, each with an attack of its own name. 亡霊 can never act.
class SimTest : public ::testing::Test {
protected:
    SimTest()
    {
        folder.write("preset.txt", "hero\nwarrior\nslimeA\nslimeB\nslimeC\nghost\n");
        const CharacterDraft drafts[] = {
            {"勇者", "hero", "img", 100000, 10, 5, attackLines("薙ぎ払い", 4)},
            {"戦士", "warrior", "img", 100000, 10, 5, attackLines("斬り")},
            {"スライム", "slimeA", "img", 100000, 10, 5, attackLines("体当たりA")},
            {"スライム", "slimeB", "img", 100000, 10, 1, attackLines("体当たりB")},
            {"スライム", "slimeC", "img", 100000, 10, 5, attackLines("体当たりC")},
            {"亡霊", "ghost", "img", 0, 10, 5, ""},
        };
        for (const CharacterDraft& draft : drafts)
            folder.write(draft.file, characterFile(draft));
        EXPECT_EQ(loadRoster(roster, storage, data), "");
    }

    SimRun simulate(const std::vector<std::string>& args)
    {
        std::ostringstream out;
        std::ostringstream err;
        const int status = runSimulator(args, {storage, [this] { return data; }, out, err, {}});
        return {status, out.str(), err.str()};
    }

    TempDataFolder folder;
    const std::string data = folder.base() + "/data/CharaList";
    QtStorage storage;
    AppState roster;
};

} // namespace

// Each attack's name tells which character used it, so the texts give the
// damage every character dealt; members sharing a name are told apart by the
// ledger alone. A battle fought without the window's ticks must go the same way.
TEST_F(SimTest, DamageIsDealtByTheMemberThatActedAndTakenByItsTargets)
{
    const PartyRows rows{{1, 0}, {2, 3, 2, 4}}; // warrior, hero against slimeA, slimeB, slimeA, slimeC
    const std::vector<std::string> attackOf{"斬り", "薙ぎ払い", "体当たりA", "体当たりB", "体当たりA", "体当たりC"};
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
        SeededRandom shownRandom(seed);
        std::map<std::string, double> dealtByAttack;
        std::string actingAttack;
        const BattleResult shown = fightBattle(roster.objeTop, rows, shownRandom, 80, [&](const std::string& text) {
            for (const std::string& name : attackOf) {
                if (text.find("の" + name + "!\n") != std::string::npos)
                    actingAttack = name;
            }
            const std::size_t end = text.find("のダメージを受けた！");
            if (end != std::string::npos) {
                const std::size_t start = text.rfind("は", end) + std::string("は").size();
                dealtByAttack[actingAttack] += std::stod(text.substr(start, end - start));
            }
        });
        SeededRandom random(seed);
        const BattleResult result = fightBattle(roster.objeTop, rows, random, 80);
        EXPECT_EQ(result.damage, shown.damage);
        EXPECT_EQ(result.presses, shown.presses);

        std::map<std::string, double> dealtByLedger;
        double playersDealt = 0, playersTook = 0, enemiesDealt = 0, enemiesTook = 0;
        for (std::size_t i = 0; i < attackOf.size(); ++i) {
            dealtByLedger[attackOf[i]] += result.damage[i].dealt;
            (i < 2 ? playersDealt : enemiesDealt) += result.damage[i].dealt;
            (i < 2 ? playersTook : enemiesTook) += result.damage[i].taken;
        }
        EXPECT_EQ(dealtByLedger, dealtByAttack) << "seed " << seed;
        EXPECT_EQ(playersDealt, enemiesTook);
        EXPECT_EQ(enemiesDealt, playersTook);
        EXPECT_GT(result.damage[3].dealt, 0) << "the second スライム acts too";
    }
}

// Hit points a member gains back are no damage: a heal books nothing.
TEST(DamageLedger, BooksHitPointsLostNotHitPointsHealed)
{
    BattleKit kit;
    OBJE* hero = kit.player();
    OBJE* slime = kit.enemy();
    DamageLedger ledger(kit.state);
    kit.state.playerAttackFlag = true;
    ledger.beforePress(kit.state);
    kit.state.currentNumberRP = 1; // the hero strikes
    slime->curStatus.HP -= 30;
    ledger.afterPress(kit.state);
    hero->curStatus.HP = 70;
    ledger.beforePress(kit.state);
    hero->curStatus.HP += 15; // and heals itself
    ledger.afterPress(kit.state);
    EXPECT_EQ(ledger.damage(), (std::vector<MemberDamage>{{30, 0}, {0, 30}}));
}

TEST_F(SimTest, ABattleEndsWithItsAnnouncementOrIsGivenUp)
{
    EXPECT_EQ(simulate({"--player", "ghost", "--enemy", "ghost"}).out, "戦闘開始！\n\n誰も行動できない！\n");
    const SimRun givenUp = simulate({"--player", "hero", "--enemy", "slimeA", "--seed", "1", "--max-presses", "2"});
    EXPECT_EQ(givenUp.status, 0);
    EXPECT_TRUE(givenUp.out.starts_with("戦闘開始！\n\n勇者の薙ぎ払い!\n")) << givenUp.out;
    EXPECT_TRUE(givenUp.out.ends_with("ダメージを受けた！\n\n(no end after 2 presses)\n")) << givenUp.out;

    const SimRun batch = simulate({"--player", "ghost", "--enemy", "hero", "--runs", "3", "--max-presses", "5"});
    EXPECT_NE(batch.out.find("\nplayer victories: 0 = 0.00% (95% interval 0.00% to 56.15%)\n"), std::string::npos);
    EXPECT_NE(batch.out.find("\nplayer defeats: 3\n"), std::string::npos) << batch.out;
    const SimRun stuck = simulate({"--player", "ghost", "--enemy", "ghost", "--runs", "3"});
    EXPECT_NE(stuck.out.find("\nplayer defeats: 0\nnobody able to act: 3\nno end after 1000 presses: 0\n"
                             "presses to the end: no battle ended with a victory or a defeat\n"),
              std::string::npos)
        << stuck.out;
}

TEST_F(SimTest, AReportDependsOnTheSeedsAloneNotOnTheJobs)
{
    const std::vector<std::string> args{"--data", kExamples, "--player", "arus.txt,僧侶セラ", "--enemy",
                                        "ドラゴン,スライム", "--runs", "200", "--seed", "5"};
    auto with = [&](std::vector<std::string> more) {
        more.insert(more.begin(), args.begin(), args.end());
        const SimRun run = simulate(more);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        return run.out;
    };
    const std::string report = with({"--json", "--jobs", "1"});
    EXPECT_EQ(with({"--json", "--jobs", "3"}), report);
    const std::string text = with({});
    EXPECT_NE(text.find("battles: 200 (seeds 5 to 204)\n"), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with("mean damage per battle, dealt / taken:\n  player 1 勇者アルス: 742.6 / 554.7\n"
                               "  player 2 僧侶セラ: 354.1 / 520.8\n  enemy 1 ドラゴン: 1034.6 / 896.7\n"
                               "  enemy 2 スライム: 40.9 / 200.0\n"))
        << text;
}

TEST_F(SimTest, BadInputGivesOneLineOnStandardErrorAndAnExitStatus)
{
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const std::string missing = folder.base() + "/none";
    const std::vector<Case> cases{
        {{"--player", "hero", "--enemy", "魔王"}, kExitData, "no character named \"魔王\" in " + data},
        {{"--data", missing, "--player", "a", "--enemy", "b"}, kExitData, "no data folder " + missing},
        {{"--data", folder.base(), "--player", "a", "--enemy", "b"}, kExitData, "no roster in " + folder.base()},
        {{"--player", ",", "--enemy", "hero"}, kExitUsage, "the player party is empty"},
        {{"--player", "hero", "--enemy", "hero", "--runs", "0"}, kExitUsage,
         "--runs: \"0\" is not a whole number from 1 to 1000000000"},
        {{"--player", "hero", "--enemy", "hero", "--jobs", "0"}, kExitUsage, "--jobs: \"0\""},
        {{"--player", "hero", "--enemy", "hero", "--fast"}, kExitUsage, "unknown option \"--fast\""},
    };
    for (const Case& c : cases) {
        const SimRun run = simulate(c.args);
        EXPECT_EQ(run.status, c.status) << c.message;
        EXPECT_TRUE(run.err.starts_with("partyclash-sim: " + c.message)) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST(SimStatistics, MeansAndSpreadsMergeAsOne)
{
    RunningMean all, first, second;
    const std::vector<double> values{2, 4, 4, 4, 5, 5, 7, 9};
    for (std::size_t i = 0; i < values.size(); ++i) {
        all.add(values[i]);
        (i < 3 ? first : second).add(values[i]);
    }
    first.merge(second);
    for (const RunningMean* mean : {&all, &first}) {
        EXPECT_DOUBLE_EQ(mean->mean(), 5);
        EXPECT_DOUBLE_EQ(mean->deviation(), std::sqrt(32.0 / 7));
    }
}
