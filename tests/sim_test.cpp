// SPDX-License-Identifier: GPL-3.0-or-later
// partyclash-sim: its battles against the window's, damage per member, batches, reports, errors and exit statuses.
#include "BattleTestKit.h"
#include "Fixtures.h"
#include "SimulatorRun.h"
#include "TempDataFolder.h"

#include "ui/AppContext.h"
#include "battle/BattleWindow.h"
#include "battle/ReadyUpList.h"
#include "sim/Batch.h"
#include "sim/HeadlessBattle.h"
#include "sim/Matrix.h"
#include "sim/Options.h"
#include "sim/RosterFolder.h"
#include "sim/SeededRandom.h"
#include "sim/Simulator.h"
#include "sim/Statistics.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <sys/wait.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

using namespace pc;
using namespace pc::sim;

namespace {

const std::string kExamples = PARTYCLASH_EXAMPLES;

// A character of the given HP and wait with the attacks of attackLines (each always hitting for 17 to 23).
std::string character(const std::string& name, const std::string& file, int hp, int wp, const std::string& attacks)
{
    return characterFile({.name = name, .file = file, .HP = hp, .WP = wp, .attacks = attacks});
}

// A seeded source that keeps its draws.
class RecordingRandom final : public RandomSource {
public:
    explicit RecordingRandom(std::uint32_t seed) : source_(seed) {}
    std::int32_t draw() override { return draws.emplace_back(source_.draw()); }
    std::vector<std::int32_t> draws;

private:
    SeededRandom source_;
};

PartyRows rowsIn(const AppState& roster, const std::vector<std::string>& player,
                 const std::vector<std::string>& enemy)
{
    const NamedRows players = rosterRows(roster.objeTop, player);
    const NamedRows enemies = rosterRows(roster.objeTop, enemy);
    EXPECT_EQ(players.unknown + enemies.unknown, "");
    return {players.rows, enemies.rows};
}

// Fighters too sturdy to fall within the presses the tests make: 勇者 sweeps
// every opponent, 戦士 strikes one, and three characters share the name
// スライム, each with an attack of its own name. 亡霊 can never act.
class SimTest : public ::testing::Test {
protected:
    SimTest()
    {
        folder.write("preset.txt", "hero\nwarrior\nslimeA\nslimeB\nslimeC\nghost\n");
        folder.write("hero", character("勇者", "hero", 100000, 5, attackLines("薙ぎ払い", 4)));
        folder.write("warrior", character("戦士", "warrior", 100000, 5, attackLines("斬り", 1)));
        folder.write("slimeA", character("スライム", "slimeA", 100000, 5, attackLines("体当たりA", 1)));
        folder.write("slimeB", character("スライム", "slimeB", 100000, 1, attackLines("体当たりB", 1)));
        folder.write("slimeC", character("スライム", "slimeC", 100000, 5, attackLines("体当たりC", 1)));
        folder.write("ghost", character("亡霊", "ghost", 0, 5, ""));
        EXPECT_EQ(loadRoster(roster, storage, data), "");
    }

    SimRun simulate(const std::vector<std::string>& args) { return runSim(args, data); }

    TempDataFolder folder;
    const std::string data = folder.base() + "/data/CharaList";
    QtStorage storage;
    AppState roster;
};

// NaviTF's text, then its text after each press until the end is announced.
std::vector<std::string> pressed(BattleWindow& battle, int presses)
{
    auto* navi = battle.findChild<QLabel*>("NaviTF");
    std::vector<std::string> texts{navi->text().toStdString()};
    while (presses-- > 0 && !announcedOutcome(texts.back())) {
        battle.findChild<QPushButton*>("navigationButton")->click();
        battle.timerAction4();
        texts.push_back(navi->text().toStdString());
    }
    return texts;
}

// The texts the battle window shows, press by press, for the parties at the
// rows, drawing from `random` or from the seed; `then` gets the window after.
std::vector<std::string> windowTexts(AppState& state, const PartyRows& rows, RandomSource& random, int presses,
                                     std::optional<std::uint32_t> seed = {},
                                     const std::function<void(BattleWindow&)>& then = {})
{
    QtStorage storage;
    AppContext context{state, storage, random, {}};
    ReadyUpList party(context);
    BattleWindow battle(context);
    party.timerAction3();
    for (const std::int32_t row : rows.player) {
        state.CPlistClickedRow = row;
        party.RPadd();
        party.timerAction3();
    }
    for (const std::int32_t row : rows.enemy) {
        state.CElistClickedRow = row;
        party.REadd();
        party.timerAction3();
    }
    StartOff(state);
    state.battleSeed = seed;
    battle.timerAction4();
    const std::vector<std::string> texts = pressed(battle, presses);
    if (then)
        then(battle);
    return texts;
}

} // namespace

// The copied command line fights the seeded battle on the command line; the
// odds estimated after every press leave the battle's draws alone.
TEST_F(SimTest, ASeededWindowBattleIsTheCommandLinesAndReplaysTheSameWithTheGaugeOff)
{
    std::filesystem::copy(kExamples, data, std::filesystem::copy_options::overwrite_existing |
                                               std::filesystem::copy_options::recursive);
    AppState state;
    state.baseDir = folder.base();
    ASSERT_EQ(loadRoster(state, storage, data), "");
    const PartyRows rows = rowsIn(state, {"盗賊リン", "スライム"}, {"ゴブリン", "僧侶セラ"});
    RecordingRandom unseeded(3);
    QString command;
    std::vector<std::string> replayed;
    const std::vector<std::string> shown = windowTexts(state, rows, unseeded, 1000, 42, [&](BattleWindow& battle) {
        EXPECT_EQ(battle.findChild<QLabel*>("seedLabel")->text(), QStringLiteral("シード 42"));
        battle.settleWinChance();
        EXPECT_TRUE(battle.winChance()) << "the gauge was on";
        command = battle.simCommand();
        battle.findChild<QCheckBox*>("winChanceBox")->setChecked(false);
        battle.findChild<QPushButton*>("replayButton")->click();
        replayed = pressed(battle, 1000);
    });
    EXPECT_TRUE(unseeded.draws.empty()) << "a seeded battle draws from its seed alone";
    EXPECT_EQ(replayed, shown);
    const QString tail = QStringLiteral(" --data ") + QString::fromStdString(data)
        + QStringLiteral("/ --player '盗賊リン,スライム' --enemy 'ゴブリン,僧侶セラ' --seed 42");
    ASSERT_TRUE(command.endsWith(tail)) << qPrintable(command);

    const std::string out = folder.base() + "/out";
    const std::string line = "'" + std::string(PARTYCLASH_SIM) + "'" + tail.toStdString() + " >" + out;
    ASSERT_EQ(std::system(line.c_str()), 0);
    std::ostringstream printed;
    printed << std::ifstream(out).rdbuf();
    std::string expected;
    for (const std::string& text : shown)
        expected += (expected.empty() ? "" : "\n") + text + "\n";
    EXPECT_EQ(printed.str(), expected);
    EXPECT_TRUE(announcedOutcome(shown.back())) << "fought to its end";
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
    ledger.hpChanged(*slime, 100, 70);
    ledger.afterPress(kit.state);
    ledger.beforePress(kit.state);
    ledger.hpChanged(*hero, 70, 85); // and heals itself
    ledger.afterPress(kit.state);
    EXPECT_EQ(ledger.damage(), (std::vector<MemberDamage>{{30, 0}, {0, 30}}));
}

namespace {

// FNV-1a, to keep a long text by a number.
std::uint64_t digestOf(const std::string& text)
{
    std::uint64_t hash = 0xcbf29ce484222325;
    for (const char c : text)
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3;
    return hash;
}

} // namespace

// Demo battles and a demo batch, recorded before batches stopped building
// texts: every draw and every text stays as it was.
TEST_F(SimTest, SeededDemoBattlesKeepTheirTexts)
{
    const std::string four = "勇者アルス,魔法使いミラ,僧侶セラ,騎士ガレス";
    const std::string fourEnemies = "ドラゴン,ゴブリン,オーガ戦士,死霊術師ゼノ";
    auto demo = [&](const std::string& player, const std::string& enemy, std::vector<std::string> more) {
        std::vector<std::string> args{"--data", kExamples, "--player", player, "--enemy", enemy};
        args.insert(args.end(), more.begin(), more.end());
        return simulate(args).out;
    };
    const std::string hit = "勇者アルスの剣撃!\nドラゴンは";
    const std::string fire = "ドラゴンの火球！\n勇者アルスは";
    EXPECT_EQ(demo("勇者アルス", "ドラゴン", {"--seed", "3"}),
              "戦闘開始！\n\n" + hit + "33のダメージを受けた！\n\n" + fire + "74のダメージを受けた！\n\n" + hit
                  + "28のダメージを受けた！\n\n" + hit + "24のダメージを受けた！\n\n" + fire + "63のダメージを受けた！\n\n"
                  + hit + "30のダメージを受けた！\n\n" + fire + "71のダメージを受けた！\n\n" + hit
                  + "28のダメージを受けた！\n\n" + hit + "24のダメージを受けた！\n\n" + fire + "77のダメージを受けた！\n\n"
                  + hit + "33のダメージを受けた！\n\n" + fire + "74のダメージを受けた！\n\n" + hit
                  + "32のダメージを受けた！\n\n" + hit + "30のダメージを受けた！\n\n"
                  + "ドラゴンのかみつき!\n勇者アルスは63のダメージを受けた！\n\nプレイヤーの敗北・・・\n");
    EXPECT_EQ(digestOf(demo(four, fourEnemies, {"--seed", "7"})), 0x501f044ed757ff6fu) << "4 against 4, 150 texts";
    EXPECT_EQ(digestOf(demo(four + ",盗賊リン,大魔導士オルガ,聖女リリア,勇者アルス",
                            fourEnemies + ",スライム,大魔導士オルガ,聖女リリア,ゴブリン", {"--seed", "99999"})),
              0xb83b94a9920125b1u)
        << "8 against 8, 413 texts";
    EXPECT_EQ(digestOf(demo(four, fourEnemies, {"--runs", "300", "--seed", "5", "--json"})), 0xba32db4fabe66bdfu)
        << "a batch of 300";
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
    EXPECT_NE(simulate({"--player", "ghost", "--enemy", "ghost", "--runs", "2"}).out.find(
                  "\npresses to the end: no battle ended with a victory or a defeat\n"),
              std::string::npos);
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
        {{"--player", "hero"}, kExitUsage, "the enemy party is empty"},
        {{"--player", "hero", "--enemy", "hero", "--fast"}, kExitUsage, "unknown option \"--fast\""},
        {{"--player", "hero", "--enemy", "hero", "--jobs", "2"}, kExitUsage, "--jobs needs --runs"},
        {{"--player", "hero", "--enemy", "hero", "--seed", "1", "--seed=2"}, kExitUsage, "--seed is given twice"},
        {{"--player", "hero", "--enemy", "hero", "--seed=4294967296"}, kExitUsage,
         "--seed: \"4294967296\" is not a whole number from 0 to 4294967295"},
        {{"--player", "hero", "--enemy", "hero", "--seed", "1e3"}, kExitUsage, "--seed: \"1e3\" is not"},
    };
    for (const Case& c : cases) {
        const SimRun run = simulate(c.args);
        EXPECT_EQ(run.status, c.status) << c.message;
        EXPECT_TRUE(run.err.starts_with("partyclash-sim: " + c.message)) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

// The matrix reports check the intervals' figures; here only that they end exactly at 0 and 1.
TEST(SimStatistics, WilsonIntervalsReachZeroAndOneExactly)
{
    EXPECT_EQ(wilsonInterval(0, 100).low, 0.0) << "exactly, not a hair above";
    EXPECT_EQ(wilsonInterval(10, 10).high, 1.0);
}

TEST_F(SimTest, TheExecutableExitsWithTheStatusAndTextsOfTheLibrary)
{
    const std::string out = folder.base() + "/out";
    auto execute = [&](const std::string& args, const std::string& redirect = "") {
        const std::string err = folder.base() + "/err";
        const std::string sink = redirect.empty() ? " >" + out : " " + redirect;
        const int raw = std::system((std::string("'") + PARTYCLASH_SIM + "' " + args + sink + " 2>" + err).c_str());
        auto read = [](const std::string& path) {
            std::ostringstream text;
            text << std::ifstream(path).rdbuf();
            return text.str();
        };
        return SimRun{WEXITSTATUS(raw), read(out), read(err)};
    };
    EXPECT_EQ(execute("--version").out, "partyclash-sim 0.1.0\n");

    // In the build tree the default is the application's folder beside build/src/partyclash, never made by the sim.
    const QString besideSim = QFileInfo(PARTYCLASH_SIM).path() + "/data";
    const bool wasThere = QFileInfo::exists(besideSim);
    const SimRun besideItself = execute("--player a --enemy b");
    EXPECT_EQ(besideItself.status, kExitData);
    EXPECT_NE(besideItself.err.find("/src/data/CharaList"), std::string::npos) << besideItself.err;
    EXPECT_EQ(QFileInfo::exists(besideSim), wasThere);

    // Every output form, written to a full disk and to a closed descriptor,
    // exits 1 with the reason; into a file it exits 0.
    const std::string data = " --data '" + kExamples + "'", fight = data + " --player 勇者アルス --enemy スライム --seed 3";
    const std::string matrix = data + " --matrix 勇者アルス,スライム --runs 20", compare = matrix + " --compare '" + kExamples + "'";
    for (const std::string& form : {fight, fight + " --json", fight + " --runs 30", fight + " --runs 30 --json", matrix,
                                    matrix + " --csv", matrix + " --json", compare, compare + " --csv",
                                    compare + " --json", std::string("--help"), std::string("--version")}) {
        EXPECT_EQ(execute(form).status, 0) << form;
        for (const auto& [redirect, reason] : {std::pair(">/dev/full", "No space left on device"),
                                               std::pair(">&-", "Bad file descriptor")}) {
            const SimRun failed = execute(form, redirect);
            EXPECT_EQ(failed.status, kExitOutput) << form << redirect;
            EXPECT_EQ(failed.err, "partyclash-sim: cannot write the output: " + std::string(reason) + "\n");
        }
    }
}

// 剣士 strikes first and fells anyone with one blow: as the player it always
// wins, even against itself; 亡霊 can never act, so it never wins and two of
// them leave nobody able to act.
class MatrixTest : public SimTest {
protected:
    MatrixTest()
    {
        certain.write("preset.txt", "sword\nghost\n");
        certain.write("sword", character("剣士", "sword", 10, 1, attackLines("一閃", 1)));
        certain.write("ghost", character("亡霊", "ghost", 0, 5, ""));
    }

    SimRun matrix(std::vector<std::string> more)
    {
        more.insert(more.begin(), {"--data", certain.path("")});
        return simulate(more);
    }

    TempDataFolder certain;
};

TEST_F(MatrixTest, EveryPairingIsCountedAndTheStrongestRanksFirst)
{
    const SimRun csv = matrix({"--matrix", "all", "--runs", "20", "--csv"});
    EXPECT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(csv.out, "player,enemy,battles,wins,defeats,nobody,unfinished,win_rate,low95,high95,mean_presses\n"
                       "剣士,剣士,20,20,0,0,0,1.0000,0.8389,1.0000,2.00\n"
                       "剣士,亡霊,20,20,0,0,0,1.0000,0.8389,1.0000,1.00\n"
                       "亡霊,剣士,20,0,20,0,0,0.0000,0.0000,0.1611,1.00\n"
                       "亡霊,亡霊,20,0,0,20,0,0.0000,0.0000,0.1611,\n");

    const SimRun text = matrix({"--matrix", "ghost,sword", "--runs", "20"});
    EXPECT_NE(text.out.find("\n1 亡霊    0%   0%\n2 剣士  100% 100%\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("  1. 剣士  75.00% (64.51% to 83.20%) of 80 battles\n"
                            "  2. 亡霊   0.00% (0.00% to 4.59%) of 80 battles\n"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("without an end: 1\n  亡霊 vs 亡霊: nobody able to act 20,"), std::string::npos);

    const QJsonObject json =
        QJsonDocument::fromJson(QByteArray::fromStdString(matrix({"--matrix", "all", "--runs", "20", "--json"}).out))
            .object();
    EXPECT_EQ(json["pairings"].toArray().size(), 4);
    EXPECT_EQ(json["pairings"].toArray()[3].toObject()["nobodyCanAct"].toInt(), 20);
    EXPECT_EQ(json["ranking"].toArray()[0].toObject()["name"].toString(), QStringLiteral("剣士"));
    EXPECT_EQ(json["ranking"].toArray()[0].toObject()["wins"].toInt(), 60);

    // Parties from a file; a name holding a comma is quoted.
    certain.write("parties.txt", "sword, ghost\n\nghost\n");
    const SimRun parties = matrix({"--parties", certain.path("parties.txt"), "--runs", "2", "--csv"});
    EXPECT_NE(parties.out.find("\n\"sword,ghost\",ghost,2,2,0,0,0,"), std::string::npos) << parties.out;
    EXPECT_NE(parties.out.find("\nghost,\"sword,ghost\",2,0,2,0,0,"), std::string::npos) << parties.out;
}

// Every number option from end to end, and the options that need another.
TEST(SimOptions, NumbersAreTakenAtBothEndsOfTheirRangeAndOptionsOnlyWithWhatTheyNeed)
{
    const std::vector<std::string> battle{"--player", "a", "--enemy", "b"};
    const std::pair<std::vector<std::string>, bool> cases[] = {
        {{"--seed", "0"}, true}, {{"--seed", "4294967295"}, true}, {{"--seed", "4294967296"}, false},
        {{"--seed", "-1"}, false}, {{"--max-presses", "1"}, true}, {{"--max-presses", "2147483647"}, true},
        {{"--max-presses", "0"}, false}, {{"--max-presses", "2147483648"}, false},
        {{"--runs", "1000000000", "--jobs", "256"}, true}, {{"--runs", "1000000001"}, false},
        {{"--runs", "0"}, false}, {{"--runs", "2", "--jobs", "257"}, false}, {{"--runs", "2", "--jobs", "0"}, false}, {{"--compare", "d"}, false}, {{"--csv"}, false},
    };
    for (const auto& [more, accepted] : cases) {
        std::vector<std::string> args = battle;
        args.insert(args.end(), more.begin(), more.end());
        EXPECT_EQ(parseOptions(args).error.empty(), accepted) << more[0] << ' ' << more.back();
    }
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--matrix", "all", "--player", "a"}, {"--matrix", ","}, {"--matrix", "a", "--parties", "p"},
             {"--matrix", "all", "--csv", "--json"}})
        EXPECT_FALSE(parseOptions(args).error.empty()) << args[0] << ' ' << args[1];
}

// 亡霊 has become a 剣士 in the copy: its pairings change, 剣士 against itself does not.
TEST_F(MatrixTest, ACompareReportsEveryChangeFromTheOtherFolderToTheDataFolderInEveryForm)
{
    TempDataFolder after;
    after.write("preset.txt", "sword\nghost\nextra\n");
    after.write("sword", character("剣士", "sword", 10, 1, attackLines("一閃", 1)));
    after.write("ghost", character("亡霊", "ghost", 10, 1, attackLines("一閃", 1)));
    after.write("extra", character("新顔", "extra", 10, 1, ""));
    const auto compare = [&](std::vector<std::string> form) {
        form.insert(form.begin(), {"--data", after.path(""), "--compare", certain.path(""), "--matrix", "all", "--runs", "20"});
        return simulate(form).out;
    };
    const std::string text = compare({});
    EXPECT_TRUE(text.starts_with("change in the win rate from " + certain.path("") + " to " + after.path("")
                                 + ", the same battles on both, 20 battles per pairing, seeds 1 to 20\n"))
        << text;
    EXPECT_NE(text.find("\n  亡霊 vs 剣士: 0.00% -> 100.00%, +100.00% (+100.00% to +100.00%)\n"
                        "  亡霊 vs 亡霊: 0.00% -> 100.00%"), std::string::npos) << text;
    EXPECT_NE(text.find("\n  剣士 vs 剣士: 100.00% -> 100.00%, +0.00% (+0.00% to +0.00%)\n"), std::string::npos);
    EXPECT_NE(text.find("\nleft out: 新顔: \"extra\" is not in " + certain.path("") + "\n"), std::string::npos);
    EXPECT_NE(compare({"--csv"}).find("\n亡霊,剣士,20,0.0000,1.0000,1.0000,1.0000,1.0000\n"), std::string::npos);
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(compare({"--json"}))).object();
    EXPECT_EQ(json["leftOut"].toArray().size(), 1);
    EXPECT_EQ(json["pairings"].toArray()[2].toObject()["change"].toDouble(), 1.0) << "亡霊 vs 剣士";
}

// Whatever is fought, a folder compared with itself changes nothing, and every battle is counted once.
RC_GTEST_PROP(MatrixProperty, AFolderComparedWithItselfChangesNothingAndTheProgressReachesTheCount, ())
{
    static const auto demo = [] {
        auto state = std::make_unique<AppState>();
        QtStorage files;
        EXPECT_EQ(loadRoster(*state, files, kExamples), "");
        return state;
    }();
    MatrixSetup setup;
    setup.lineups = {{demo->objeTop, {}}, {demo->objeTop, {}}};
    const auto entrants = *rc::gen::container<std::vector<std::int32_t>>(*rc::gen::inRange(1, 4), rc::gen::inRange(0, 12));
    for (const std::int32_t row : entrants) {
        setup.names.push_back(std::to_string(row));
        for (Lineup& lineup : setup.lineups)
            lineup.entrants.push_back({row});
    }
    setup.pairings = everyPairing(entrants.size());
    setup.battles = *rc::gen::inRange(1, 20);
    setup.firstSeed = *rc::gen::arbitrary<std::uint32_t>();
    MatrixRunner runner(setup, *rc::gen::inRange(1, 4));
    const MatrixResult result = runner.wait();
    RC_ASSERT(runner.done() == setup.battles * static_cast<std::int64_t>(2 * setup.pairings.size()));
    RC_ASSERT(runner.done() == runner.total());
    for (const auto& pairing : result.pairings) {
        RC_ASSERT(pairing->lineups[0].wins == pairing->lineups[1].wins);
        RC_ASSERT(pairing->lineups[0].defeats == pairing->lineups[1].defeats);
        RC_ASSERT(pairing->player.interval().low == 0.0 && pairing->player.interval().high == 0.0);
        RC_ASSERT(pairing->enemy.mean() == 0.0);
    }
}

// A batch reports its progress up to exactly its count, at and around the blocks it is counted in.
TEST(SimBatch, TheProgressReachesExactlyTheCountAtEveryBlockBoundary)
{
    for (const std::int64_t runs : {1, 63, 64, 65, 129}) {
        std::atomic<bool> watched = false;
        std::int64_t last = -1;
        const FightRun fight = [&](std::int64_t) {
            while (!watched)
                std::this_thread::yield();
            return BattleResult{};
        };
        const BatchTotals totals = runBatch(runs, 1 + runs % 2, fight, [&](std::int64_t done) {
            EXPECT_GE(done, last);
            last = done;
            watched = true;
        });
        EXPECT_EQ(last, runs);
        EXPECT_EQ(totals.runs(), runs);
    }
}

TEST(SimNames, AFileNameGoesBeforeACharacterNameThatMatches)
{
    AppState state;
    addCharacter(state, "x", "a", "");
    addCharacter(state, "b", "x", "");
    EXPECT_EQ(rosterRows(state.objeTop, {"x", "b", "a"}).rows, (std::vector<std::int32_t>{1, 1, 0}));
}

// The copied command names a shared name by its file and quotes the rest for the shell, at the largest seed.
TEST_F(SimTest, TheCopiedCommandQuotesEveryNameAtTheLargestSeed)
{
    folder.write("oneil", character("O'Neil", "oneil", 10, 5, ""));
    folder.write("preset.txt", "hero\nslimeA\nslimeB\noneil\n");
    AppState state;
    state.baseDir = folder.base();
    ASSERT_EQ(loadRoster(state, storage, data), "");
    RecordingRandom random(1);
    QString command;
    windowTexts(state, rowsIn(state, {"O'Neil", "hero"}, {"slimeB"}), random, 0, 4294967295u,
                [&](BattleWindow& battle) { command = battle.simCommand(); });
    EXPECT_TRUE(command.endsWith(QStringLiteral(" --player 'O'\\''Neil,勇者' --enemy slimeB --seed 4294967295")))
        << qPrintable(command);

}

// The manual page documents every option --help documents and no other, under an ISO date.
TEST(SimManualTest, TheManualPageNamesEveryOptionOfTheHelpText)
{
    std::ifstream file(PARTYCLASH_SIM_MANUAL);
    std::stringstream page;
    page << file.rdbuf();
    std::string manual = page.str();
    for (std::size_t at; (at = manual.find("\\-")) != std::string::npos;)
        manual.replace(at, 2, "-");
    const auto options = [](const std::string& text) {
        const std::regex option("--[a-z][a-z-]*[a-z]");
        std::set<std::string> found;
        for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
            found.insert(it->str());
        return found;
    };
    EXPECT_GE(options(manual).size(), 14u);
    EXPECT_EQ(options(manual), options(std::string(helpText())));
    EXPECT_TRUE(std::regex_search(manual, std::regex("^\\.TH PARTYCLASH-SIM 6 20[0-9]{2}-[01][0-9]-[0-3][0-9] ")));
}
