// SPDX-License-Identifier: GPL-3.0-or-later
// partyclash-sim --tournament: every output form the same for any jobs, every battle replayed by its shown
// seed, an event killed and restarted, the event file refused when damaged, and the command line's errors.
#include "SimulatorRun.h"
#include "TempDataFolder.h"

#include "sim/Options.h"
#include "sim/RosterFolder.h"
#include "sim/Simulator.h"
#include "tournament/EventFile.h"
#include "tournament/EventRun.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

using namespace pc;
using namespace pc::sim;

namespace {

const std::string kExamples = PARTYCLASH_EXAMPLES;

class EventCommandTest : public ::testing::Test {
protected:
    SimRun simulate(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--data", kExamples});
        return runSim(args);
    }

    // Parties of three demo characters, one a line.
    std::string partiesFile(int count)
    {
        const std::vector<std::string> names{"arus.txt", "mira.txt", "rin.txt", "sera.txt", "gareth.txt", "lilia.txt",
                                             "zeno.txt", "olga.txt", "dragon.txt", "goblin.txt", "slime.txt", "ogre.txt"};
        std::string text;
        for (int i = 0; i < count; ++i)
            text += names[static_cast<std::size_t>(i) % 12] + "," + names[static_cast<std::size_t>(i * 5 + 1) % 12] + ","
                + names[static_cast<std::size_t>(i * 7 + 3) % 12] + "\n";
        const std::string path = folder.base() + "/parties" + std::to_string(count) + ".txt";
        EXPECT_EQ(storage.writeAtomically(path, text), "");
        return path;
    }

    TempDataFolder folder;
    QtStorage storage;
};

// The text with the field `field` (fields apart by tabs) of the line starting at `line` made `value`.
std::string withField(std::string text, std::size_t line, int field, const std::string& value)
{
    std::size_t at = line;
    for (int f = 0; f < field; ++f)
        at = text.find('\t', at) + 1;
    return text.replace(at, text.find_first_of("\t\n", at) - at, value);
}

TEST_F(EventCommandTest, EveryFormAndFormatIsTheSameForAnyJobs)
{
    for (const char* format : {"round-robin", "single-elimination", "double-elimination", "swiss", "gauntlet"}) {
        for (const char* form : {"", "--json", "--csv", "--html", "--svg"}) {
            std::vector<std::string> args{"--tournament", format, "--entrants", "all", "--best-of", "3", "--seed", "11"};
            if (*form)
                args.push_back(form);
            const SimRun one = simulate(args);
            ASSERT_EQ(one.status, 0) << one.err;
            args.insert(args.end(), {"--jobs", "3"});
            EXPECT_EQ(simulate(args).out, one.out) << format << " " << form;
            args.back() = "2";
            args[7] = "12";
            EXPECT_NE(simulate(args).out, one.out) << format << " " << form;
        }
    }
    // Seeded by rating, a gauntlet meets the ladder's ranking from the same seed in order, for any jobs.
    const QJsonObject ladder = QJsonDocument::fromJson(QByteArray::fromStdString(
        simulate({"--ladder", "all", "--seed", "11", "--json"}).out)).object();
    std::vector<std::string> rated{"--tournament", "gauntlet", "--entrants", "all", "--seeding", "rating", "--seed", "11", "--json"};
    const std::string once = simulate(rated).out;
    rated.insert(rated.end(), {"--jobs", "3"});
    EXPECT_EQ(simulate(rated).out, once);
    const QJsonArray rounds = QJsonDocument::fromJson(QByteArray::fromStdString(once)).object()["rounds"].toArray();
    const QJsonArray ranks = ladder["ladder"].toArray();
    ASSERT_EQ(rounds.size() + 1, ranks.size());
    for (qsizetype r = 0; r < rounds.size(); ++r) {
        const QJsonObject match = rounds[r]["matches"][0].toObject();
        EXPECT_EQ(match[r % 2 ? "second" : "first"], ranks[0]["name"]) << r;
        EXPECT_EQ(match[r % 2 ? "first" : "second"], ranks[r + 1]["name"]) << r;
    }
}

// The options a text report shows with every battle fight that battle again, ending as the event's battle did.
TEST_F(EventCommandTest, EveryBattleReplaysByItsShownSeed)
{
    const std::vector<std::string> event{"--tournament", "double-elimination", "--parties", partiesFile(13),
                                         "--best-of", "3", "--seed", "5"};
    const SimRun text = simulate(event);
    std::vector<std::string> withJson = event;
    withJson.push_back("--json");
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(simulate(withJson).out)).object();
    std::vector<QJsonObject> battles;
    for (const QJsonValue round : json["rounds"].toArray()) {
        for (const QJsonValue match : round.toObject()["matches"].toArray()) {
            for (const QJsonValue battle : match.toObject()["battles"].toArray())
                battles.push_back(battle.toObject());
        }
    }
    std::istringstream lines(text.out);
    std::size_t n = 0;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t at = line.find("replay: ");
        if (at == std::string::npos)
            continue;
        ASSERT_LT(n, battles.size());
        std::vector<std::string> replay;
        std::istringstream words(line.substr(at + 8));
        for (std::string word; words >> word;)
            replay.push_back(word);
        replay.push_back("--json");
        const QJsonObject fought = QJsonDocument::fromJson(QByteArray::fromStdString(simulate(replay).out)).object();
        const QString end = battles[n]["end"].toString();
        const QString outcome = end == "player" ? "victory" : end == "enemy" ? "defeat" : end == "nobody" ? "nobodyCanAct" : end;
        EXPECT_EQ(fought["outcome"].toString(), outcome) << line;
        EXPECT_EQ(fought["presses"].toInt(), battles[n]["presses"].toInt()) << line;
        EXPECT_EQ(fought["seed"].toInteger(), battles[n]["seed"].toInteger()) << line;
        ++n;
    }
    EXPECT_EQ(n, battles.size());
    EXPECT_GT(n, 12u);
}

// An event killed at random moments and started again ends as one run straight through.
TEST_F(EventCommandTest, AnEventKilledAndRestartedEndsAsOneRunStraightThrough)
{
    const std::string parties = partiesFile(64);
    const QStringList args{"--data", QString::fromStdString(kExamples), "--tournament", "swiss", "--parties",
                           QString::fromStdString(parties), "--best-of", "3", "--rounds", "5", "--seed", "21"};
    const SimRun straight = simulate({"--tournament", "swiss", "--parties", parties, "--best-of", "3", "--rounds", "5",
                                   "--seed", "21"});
    ASSERT_EQ(straight.status, 0);
    const QString file = QString::fromStdString(folder.base() + "/data/tournaments/event.txt");
    QDir().mkpath(QFileInfo(file).path());
    // The kills fall within the first half of a whole run timed here, so the first start is always cut short
    // however fast the machine is.
    const auto start = [&](QProcess& sim) {
        sim.start(PARTYCLASH_SIM, args + QStringList{"--event-file", file});
        return sim.waitForStarted();
    };
    QElapsedTimer clock;
    clock.start();
    {
        QProcess whole;
        ASSERT_TRUE(start(whole));
        ASSERT_TRUE(whole.waitForFinished(120000));
        ASSERT_EQ(whole.exitCode(), 0);
    }
    const int wholeMs = static_cast<int>(clock.elapsed());
    ASSERT_TRUE(QFile::remove(file));
    std::mt19937 random(4);
    std::uniform_int_distribution<int> deadline(std::max(1, wholeMs / 10), std::max(2, wholeMs / 2));
    int kills = 0;
    for (int attempt = 0; attempt < 200; ++attempt) {
        QProcess sim;
        ASSERT_TRUE(start(sim));
        if (!sim.waitForFinished(deadline(random))) {
            sim.kill();
            sim.waitForFinished();
            ++kills;
            continue;
        }
        ASSERT_EQ(sim.exitCode(), 0) << sim.readAllStandardError().toStdString();
        EXPECT_EQ(sim.readAllStandardOutput().toStdString(), straight.out);
        EXPECT_GT(kills, 0);
        // Once finished, the file gives the whole event again without a battle fought.
        const tournament::SavedEvent saved = tournament::loadEvent(storage, file.toStdString());
        EXPECT_EQ(saved.problem, "");
        EXPECT_TRUE(tournament::eventOver(tournament::resumedEvent(saved)));
        return;
    }
    FAIL() << "the event did not finish";
}

// A damaged event file is refused whole, wherever it was cut or changed, and a good one reads back.
TEST_F(EventCommandTest, ADamagedEventFileIsRefusedAndAGoodOneReadsBack)
{
    const std::string file = folder.base() + "/event.txt";
    const std::vector<std::string> args{"--tournament", "single-elimination", "--entrants", "all", "--best-of", "3",
                                        "--seeding", "rating", "--event-file", file};
    const SimRun first = simulate(args);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(simulate(args).out, first.out);
    const std::string text = *storage.read(file);
    const tournament::SavedEvent saved = tournament::parseEvent(text);
    ASSERT_EQ(saved.problem, "");
    tournament::Event event = tournament::resumedEvent(saved);
    EXPECT_EQ(tournament::eventText(event), text);

    for (std::size_t cut = text.find('\n'); cut + 1 < text.size(); cut = text.find('\n', cut + 1))
        EXPECT_NE(tournament::parseEvent(text.substr(0, cut + 1)).problem, "") << cut;
    // The winner of the first match made its loser; any match naming one past the last entrant anywhere.
    const std::size_t firstLine = text.find("\nmatch\t") + 1;
    EXPECT_NE(tournament::parseEvent(withField(text, firstLine, 6, std::to_string(saved.matches.front().loser()))).problem, "");
    const std::string pastLast = std::to_string(saved.setup.entrants.size());
    for (std::size_t line = firstLine; line != 0; line = text.find("\nmatch\t", line) + 1) {
        for (const int field : {3, 4, 6})
            EXPECT_NE(tournament::parseEvent(withField(text, line, field, pastLast)).problem, "") << line << ' ' << field;
    }
    for (const std::string& bad : {std::string("PartyClash event 2\n"), text + "extra\n",
                                   std::string("PartyClash event 1\nformat league\nend\t0\n")})
        EXPECT_NE(tournament::parseEvent(bad).problem, "");

    // Another event on the same file is refused, the file left as it was.
    std::vector<std::string> other = args;
    other.insert(other.end(), {"--seed", "2"});
    const SimRun refused = simulate(other);
    EXPECT_EQ(refused.status, kExitData);
    EXPECT_EQ(refused.err, "partyclash-sim: " + file + " holds another event\n");
    EXPECT_EQ(*storage.read(file), text);
}

TEST_F(EventCommandTest, ASaveThatFailsIsReportedNotPassedOver)
{
    const std::string file = folder.base() + "/no/such/folder/event.txt";
    const SimRun run = simulate({"--tournament", "gauntlet", "--entrants", "all", "--event-file", file});
    EXPECT_EQ(run.status, kExitData);
    EXPECT_TRUE(run.err.starts_with("partyclash-sim: cannot save " + file + ": ")) << run.err;
    EXPECT_EQ(run.out, "");
}

TEST(EventOptions, WrongCommandLinesAreRefusedWithTheirReason)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"--tournament", "league", "--entrants", "all"}, "--tournament: \"league\" is not round-robin"},
        {{"--tournament", "swiss"}, "--tournament needs --entrants NAMES|all or --parties FILE"},
        {{"--tournament", "swiss", "--entrants", "all", "--parties", "p"}, "--tournament needs --entrants"},
        {{"--tournament", "swiss", "--entrants", ","}, "--entrants needs at least two names"},
        {{"--tournament", "swiss", "--entrants", "all", "--best-of", "4"}, "--best-of: a match is the best of an odd"},
        {{"--tournament", "swiss", "--entrants", "all", "--best-of", "101"}, "--best-of: \"101\" is not a whole number"},
        {{"--tournament", "swiss", "--entrants", "all", "--legs", "3"}, "--legs: \"3\" is not a whole number from 1 to 2"},
        {{"--tournament", "swiss", "--entrants", "all", "--seeding", "ladder"}, "--seeding: \"ladder\" is not"},
        {{"--tournament", "swiss", "--entrants", "all", "--csv", "--html"}, "only one of --csv, --json, --html"},
        {{"--tournament", "swiss", "--entrants", "all", "--runs", "5"}, "--tournament cannot be given with"},
        {{"--tournament", "swiss", "--entrants", "all", "--player", "a"}, "--tournament cannot be given with"},
        {{"--matrix", "all", "--best-of", "3"}, "--entrants, --best-of, --rounds"},
        {{"--player", "a", "--enemy", "b", "--html"}, "--entrants, --best-of, --rounds"},
    };
    for (const auto& [args, message] : cases)
        EXPECT_TRUE(parseOptions(args).error.starts_with(message)) << parseOptions(args).error;
    EXPECT_EQ(parseOptions({"--tournament", "swiss", "--entrants", "all", "--jobs", "2", "--svg"}).error, "");
}

TEST_F(EventCommandTest, AFieldTooSmallOrTooManyRoundsIsAUsageError)
{
    EXPECT_EQ(simulate({"--tournament", "swiss", "--entrants", "arus.txt"}).status, kExitUsage);
    const SimRun rounds = simulate({"--tournament", "swiss", "--entrants", "all", "--rounds", "12"});
    EXPECT_EQ(rounds.status, kExitUsage);
    EXPECT_EQ(rounds.err, "partyclash-sim: a Swiss event of 12 entrants has at most 11 rounds\n");
    EXPECT_EQ(simulate({"--tournament", "swiss", "--entrants", "all", "--rounds", "11"}).status, 0);
}

} // namespace
