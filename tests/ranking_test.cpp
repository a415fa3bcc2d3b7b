// SPDX-License-Identifier: GPL-3.0-or-later
// Ranking many entrants: the matrix that stops each pairing once it is sure,
// and the rating ladder, on scripted battles and on the roster's own.
#include "SimulatorRun.h"
#include "TempDataFolder.h"

#include "sim/GeneratedRoster.h"
#include "sim/Json.h"
#include "sim/JsonValue.h"
#include "sim/Ladder.h"
#include "sim/Options.h"
#include "sim/Simulator.h"
#include "sim/Statistics.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

using namespace pc;
using namespace pc::sim;

namespace {

const std::string kExamples = PARTYCLASH_EXAMPLES;

SimRun simulate(std::vector<std::string> args, const std::string& folder = kExamples)
{
    args.insert(args.begin(), {"--data", folder});
    return runSim(args);
}

QJsonObject json(const SimRun& run)
{
    EXPECT_EQ(run.status, 0) << run.err;
    return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
}

// The lines of a CSV without quoted cells, each split at its commas, the header left out.
std::vector<std::vector<std::string>> csvRows(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        std::vector<std::string>& cells = rows.emplace_back();
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, ',');)
            cells.push_back(cell);
        if (line.ends_with(','))
            cells.emplace_back();
    }
    return rows;
}

double halfWidth(std::int64_t wins, std::int64_t battles)
{
    const Interval interval = wilsonInterval(wins, battles);
    return (interval.high - interval.low) / 2;
}

TEST(MatrixPrecision, EachPairingStopsOnceSureOnTheFirstBattlesOfTheFullRun)
{
    const std::string names = "arus.txt,mira.txt,ドラゴン,goblin.txt";
    for (const std::string precision : {"0.04", "0.1"}) {
        const std::vector<std::string> args{"--matrix", names, "--runs", "250", "--seed", "9", "--precision", precision};
        std::vector<std::string> csvArgs = args;
        csvArgs.insert(csvArgs.end(), {"--csv", "--jobs", "2"});
        const auto rows = csvRows(simulate(csvArgs).out);
        ASSERT_EQ(rows.size(), 16u);
        // The JSON and the text give the same counts.
        std::vector<std::string> jsonArgs = args;
        jsonArgs.push_back("--json");
        const QJsonObject report = json(simulate(jsonArgs));
        EXPECT_EQ(report["precision"].toDouble(), std::stod(precision));
        const std::string text = simulate(args).out;
        std::istringstream table(text.substr(text.find("battles of each pairing")));
        std::string line;
        std::getline(table, line);
        std::getline(table, line);
        std::getline(table, line); // the column numbers
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(report["pairings"].toArray()[static_cast<int>(i)].toObject()["battles"].toInteger(),
                      std::stoll(rows[i][2]));
            if (i % 4 == 0) {
                std::getline(table, line);
                std::istringstream cells(line);
                std::string number, name, count;
                cells >> number >> name;
                for (std::size_t k = i; k < i + 4 && cells >> count; ++k)
                    EXPECT_EQ(count, rows[k][2]) << line;
            }
        }
        bool stoppedEarly = false;
        for (const auto& row : rows) {
            const std::int64_t battles = std::stoll(row[2]);
            const std::int64_t wins = std::stoll(row[3]);
            EXPECT_TRUE(halfWidth(wins, battles) <= std::stod(precision) || battles == 250) << row[0] << row[1];
            stoppedEarly |= battles < 250;
            // The same counts as the first battles of the pairing fought alone, and one battle fewer was not enough.
            const QJsonObject first = json(simulate({"--player", row[0], "--enemy", row[1], "--seed", "9", "--runs",
                                                     std::to_string(battles), "--json"}));
            EXPECT_EQ(first["victory"].toInteger(), wins);
            EXPECT_EQ(first["defeat"].toInteger(), std::stoll(row[4]));
            EXPECT_EQ(first["nobodyCanAct"].toInteger(), std::stoll(row[5]));
            EXPECT_EQ(first["unfinished"].toInteger(), std::stoll(row[6]));
            if (battles > 1 && battles < 250) {
                const QJsonObject fewer = json(simulate({"--player", row[0], "--enemy", row[1], "--seed", "9", "--runs",
                                                         std::to_string(battles - 1), "--json"}));
                EXPECT_GT(halfWidth(fewer["victory"].toInteger(), battles - 1), std::stod(precision));
            }
        }
        EXPECT_TRUE(stoppedEarly);
    }
}

TEST(SimOptions, PrecisionAndLadderRefuseWhatTheyCannotMean)
{
    const std::vector<std::vector<std::string>> wrong{
        {"--matrix", "all", "--precision", "0"},      {"--matrix", "all", "--precision", "-0.1"},
        {"--matrix", "all", "--precision", "0.5"},    {"--matrix", "all", "--precision", "x"},
        {"--matrix", "all", "--precision", "nan"},    {"--ladder", "all", "--precision", "1001"},
        {"--ladder", "all", "--precision", "inf"},    {"--matrix", "all", "--precision", "0.1", "--compare", "d"},
        {"--player", "a", "--enemy", "b", "--precision", "0.1"}, {"--matrix", "all", "--max-battles", "5"},
        {"--ladder", "all", "--matrix", "all"},       {"--ladder", "all", "--player", "a"},
        {"--ladder"},                                 {"--ladder", ","},
        {"--ladder", "a", "--parties", "p"},          {"--ladder", "all", "--runs", "5"},
        {"--ladder", "all", "--csv", "--json"},       {"--ladder", "all", "--max-battles", "0"},
        {"--ladder", "all", "--compare", "d"}};
    for (const auto& args : wrong)
        EXPECT_FALSE(parseOptions(args).error.empty()) << args.back();
    const std::vector<std::vector<std::string>> right{
        {"--ladder", "--parties", "p"}, {"--ladder=all", "--precision", "20", "--jobs", "2"},
        {"--ladder", "a,b", "--max-battles", "1000", "--csv"}, {"--parties", "p", "--precision", "0.499"}};
    for (const auto& args : right)
        EXPECT_EQ(parseOptions(args).error, "") << args.front();
    EXPECT_EQ(parseOptions({"--ladder", "--parties", "p"}).options.partiesFile, "p");
}

// Battles whose outcomes follow chosen ratings: the player wins when a draw
// from a hash of the battle falls below its chance of winning.
LadderFight scripted(const std::vector<double>& truth, std::uint64_t salt = 0)
{
    return [&truth, salt](std::size_t player, std::size_t enemy, std::uint32_t seed) {
        std::uint64_t z = (player * 0x9E3779B97F4A7C15ULL) ^ (enemy << 20) ^ (std::uint64_t{seed} << 40) ^ salt;
        for (int i = 0; i < 3; ++i)
            z = (z ^ (z >> 31)) * 0xBF58476D1CE4E5B9ULL;
        const double draw = static_cast<double>(z >> 11) / 9007199254740992.0;
        return draw < winChance(truth[player], truth[enemy]) ? Outcome::victory : Outcome::defeat;
    };
}

TEST(Ladder, RecoversChosenRatingsAndItsIntervalsCoverThemAsOftenAsTheySay)
{
    std::vector<double> truth;
    for (int i = 0; i < 12; ++i)
        truth.push_back(1500 + (i - 5.5) * 55);
    int covered = 0;
    int intervals = 0;
    for (std::uint32_t repetition = 0; repetition < 60; ++repetition) {
        const LadderSetup setup{truth.size(), 40, 0, 1 + repetition * 100000, 2};
        const Ladder ladder = runLadder(setup, scripted(truth, repetition));
        ASSERT_TRUE(ladder.settled);
        std::int64_t battles = 0;
        for (const LadderEntry& entry : ladder.entries) {
            EXPECT_LE(entry.rating.halfWidth, 40);
            covered += std::abs(entry.rating.elo - truth[entry.entrant]) <= entry.rating.halfWidth;
            ++intervals;
            battles += entry.battles;
        }
        EXPECT_EQ(battles, 2 * ladder.battles); // each battle has two entrants
    }
    const double coverage = static_cast<double>(covered) / intervals;
    EXPECT_GE(coverage, 0.90);
    EXPECT_LE(coverage, 0.98);
}

TEST(Ladder, IsTheSameForAnyJobsAndListsTheTriangleItsRatingsHide)
{
    // 0 beats 1 beats 2 beats 0, each nine times in ten; the rest are even.
    std::vector<double> truth(8, 1500);
    const LadderFight even = scripted(truth);
    const LadderFight triangle = [&](std::size_t player, std::size_t enemy, std::uint32_t seed) {
        if (player < 3 && enemy < 3 && player != enemy)
            return seed % 10 < 9 ? ((enemy == (player + 1) % 3) ? Outcome::victory : Outcome::defeat)
                                 : ((enemy == (player + 1) % 3) ? Outcome::defeat : Outcome::victory);
        return even(player, enemy, seed);
    };
    const Ladder one = runLadder({truth.size(), 60, 0, 7, 1}, triangle);
    const Ladder two = runLadder({truth.size(), 60, 0, 7, 2}, triangle);
    ASSERT_EQ(one.battles, two.battles);
    for (std::size_t i = 0; i < one.entries.size(); ++i) {
        EXPECT_EQ(one.entries[i].entrant, two.entries[i].entrant);
        EXPECT_EQ(one.entries[i].rating.elo, two.entries[i].rating.elo);
    }
    ASSERT_FALSE(one.disagreements.empty());
    const Matchup& worst = one.disagreements.front().matchup;
    EXPECT_TRUE(worst.first < 3 && worst.second < 3) << worst.first << ' ' << worst.second;
    // A ladder stopped by its battles says so and keeps within them.
    const Ladder cut = runLadder({truth.size(), 5, 200, 7, 2}, triangle);
    EXPECT_FALSE(cut.settled);
    EXPECT_LE(cut.battles, 200);
}

TEST(Ladder, TiersFollowTheRatingBands)
{
    const std::vector<std::pair<double, char>> bands{{2500, 'S'}, {1700, 'S'}, {1699.9, 'A'}, {1600, 'A'},
                                                     {1599.9, 'B'}, {1400, 'B'}, {1399.9, 'C'}, {1300, 'C'},
                                                     {1299.9, 'D'}, {500, 'D'}};
    for (const auto& [elo, tier] : bands)
        EXPECT_EQ(tierOf(elo), tier) << elo;
}

TEST(LadderCommand, EveryFormGivesTheSameLadderForAnyJobs)
{
    const std::vector<std::string> args{"--ladder", "all", "--seed", "3", "--precision", "60"};
    auto with = [&](std::vector<std::string> more) {
        more.insert(more.begin(), args.begin(), args.end());
        return simulate(more);
    };
    const SimRun csv = with({"--csv", "--jobs", "2"});
    EXPECT_EQ(csv.out, with({"--csv"}).out);
    EXPECT_EQ(with({}).out, with({"--jobs", "2"}).out);
    EXPECT_NE(csv.out, simulate({"--ladder", "all", "--seed", "4", "--precision", "60", "--csv"}).out);
    const auto rows = csvRows(csv.out);
    const QJsonObject report = json(with({"--json"}));
    const QJsonArray ladder = report["ladder"].toArray();
    ASSERT_EQ(rows.size(), 12u);
    ASSERT_EQ(ladder.size(), 12);
    const std::string text = with({}).out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QJsonObject entry = ladder[static_cast<int>(i)].toObject();
        EXPECT_EQ(rows[i][0], std::to_string(i + 1));
        EXPECT_EQ(rows[i][1], entry["name"].toString().toStdString());
        const double rating = entry["rating"].toDouble();
        EXPECT_NEAR(std::stod(rows[i][2]), rating, 0.05);
        EXPECT_NEAR(std::stod(rows[i][3]), entry["ratingInterval95"].toArray()[0].toDouble(), 0.05);
        EXPECT_NEAR(std::stod(rows[i][4]), entry["ratingInterval95"].toArray()[1].toDouble(), 0.05);
        EXPECT_TRUE(entry["beyondReach"].toBool() || std::stod(rows[i][4]) - rating <= 60.05) << rows[i][1];
        EXPECT_EQ(std::stoll(rows[i][5]), entry["battles"].toInteger());
        EXPECT_EQ(std::stoll(rows[i][6]), entry["wins"].toInteger());
        EXPECT_NEAR(std::stod(rows[i][7]), entry["winRate"].toDouble(), 0.00005);
        EXPECT_EQ(rows[i][8], entry["tier"].toString().toStdString());
        EXPECT_EQ(rows[i][8][0], tierOf(rating));
        EXPECT_EQ(rows[i][9] != "", entry["beyondReach"].toBool());
        EXPECT_GE(std::stod(rows[i == 0 ? 0 : i - 1][2]), rating - 0.05); // strongest first
        EXPECT_NE(text.find(rows[i][1] + " "), std::string::npos) << rows[i][1];
    }
    EXPECT_TRUE(report["settled"].toBool());
    EXPECT_EQ(simulate({"--ladder", "arus.txt,nobody"}).status, kExitData);
    const SimRun cut = simulate({"--ladder", "all", "--max-battles", "300"});
    EXPECT_NE(cut.out.find("stopped with ratings within"), std::string::npos) << cut.out;
}

// Ranks (1 for the highest value, ties sharing their mean rank) of the values.
std::map<std::string, double> ranked(const std::map<std::string, double>& values)
{
    std::map<std::string, double> ranks;
    for (const auto& [name, value] : values) {
        double above = 0, equal = 0;
        for (const auto& [other, v] : values) {
            above += v > value;
            equal += v == value;
        }
        ranks[name] = above + (equal + 1) / 2;
    }
    return ranks;
}

TEST(LadderCommand, AGeneratedRosterIsOrderedAsItsMatrixRanksItOnAQuarterOfTheBattles)
{
    TempDataFolder folder;
    folder.write("preset.txt", "");
    QtStorage storage;
    ASSERT_EQ(writeGeneratedRoster(storage, folder.path(""), 100, 5), "");
    const SimRun matrix = simulate({"--matrix", "all", "--runs", "4", "--jobs", "2", "--csv"}, folder.path(""));
    std::map<std::string, double> wins, battles;
    for (const auto& row : csvRows(matrix.out)) { // the overall win rate on both sides
        wins[row[0]] += std::stod(row[3]);
        wins[row[1]] += std::stod(row[4]);
        battles[row[0]] += std::stod(row[2]);
        battles[row[1]] += std::stod(row[2]);
    }
    const SimRun ladder = simulate({"--ladder", "all", "--max-battles", "10000", "--jobs", "2", "--csv"}, folder.path(""));
    std::map<std::string, double> rating, rate;
    for (const auto& row : csvRows(ladder.out)) {
        rating[row[1]] = std::stod(row[2]);
        rate[row[1]] = wins[row[1]] / battles[row[1]];
    }
    ASSERT_EQ(rating.size(), 100u) << ladder.err;
    const auto byRating = ranked(rating);
    const auto byRate = ranked(rate);
    double squares = 0;
    for (const auto& [name, r] : byRating)
        squares += (r - byRate.at(name)) * (r - byRate.at(name));
    EXPECT_GE(1 - 6 * squares / (100 * (100 * 100 - 1)), 0.95);
}

// Shard files are read back by the simulator's own JSON reader: every character it writes comes back,
// and every escape another tool may write reads as meant.
TEST(ShardJson, EveryCharacterAndEveryEscapeReadsBack)
{
    std::string every = "名前😀";
    for (int c = 1; c < 0x80; ++c)
        every += static_cast<char>(c);
    const auto read = parseJson("[" + jsonString(every) + ", \"\\\"\\\\\\/\\b\\f\\n\\r\\t\\u00e9\\ud83d\\ude00\"]");
    ASSERT_TRUE(read && read->items.size() == 2);
    EXPECT_EQ(read->items[0].text, every);
    EXPECT_EQ(read->items[1].text, "\"\\/\b\f\n\r\té😀");
}

// The demo roster with 勇者アルス twice as hardy, beside the original.
class Shards : public ::testing::Test {
protected:
    Shards()
    {
        QtStorage storage;
        for (const char* name : {"preset.txt", "arus.txt", "mira.txt", "slime.txt", "goblin.txt"}) {
            std::string bytes = storage.read(kExamples + "/" + name).value_or("");
            if (std::string(name) == "arus.txt")
                bytes.replace(bytes.find("\n420,"), 5, "\n840,");
            after.write(name, bytes);
        }
    }

    // The shard files of the command for shares 1 to K, in reverse order.
    std::vector<std::string> sharded(const std::vector<std::string>& command, int shares, const std::string& tag = "")
    {
        std::vector<std::string> files;
        for (int i = shares; i >= 1; --i) {
            std::vector<std::string> args = command;
            const std::string file = after.path(tag + std::to_string(i) + "of" + std::to_string(shares) + ".json");
            args.insert(args.end(), {"--shard", std::to_string(i) + "/" + std::to_string(shares), "--out", file});
            const SimRun run = simulate(args, after.path(""));
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(run.out, "");
            files.push_back(file);
        }
        return files;
    }

    SimRun merge(std::vector<std::string> files)
    {
        files.insert(files.begin(), "--merge");
        return runSim(files);
    }

    TempDataFolder after;
};

TEST_F(Shards, TheMergedReportIsTheWholeOneByteForByteForAnyShareAndOrder)
{
    after.write("parties.txt", "arus.txt,mira.txt\nslime.txt\ngoblin.txt,slime.txt\n");
    const std::vector<std::vector<std::string>> commands{
        {"--matrix", "all", "--runs", "30", "--seed", "4"},
        {"--matrix", "all", "--runs", "30", "--csv", "--jobs", "2"},
        {"--matrix", "arus.txt,goblin.txt", "--runs", "200", "--precision", "0.08", "--json"},
        {"--parties", after.path("parties.txt"), "--runs", "20", "--max-presses", "30"},
        {"--matrix", "all", "--compare", kExamples, "--runs", "30"},
        {"--matrix", "all", "--compare", kExamples, "--runs", "30", "--json"},
        {"--matrix", "all", "--compare", kExamples, "--runs", "30", "--csv"}};
    for (const auto& command : commands) {
        const SimRun whole = simulate(command, after.path(""));
        ASSERT_EQ(whole.status, 0) << whole.err;
        for (const int shares : {1, 2, 3, 7}) {
            const SimRun merged = merge(sharded(command, shares));
            EXPECT_EQ(merged.status, 0) << merged.err;
            EXPECT_EQ(merged.out, whole.out) << command[1] << ' ' << shares;
        }
    }
}

TEST_F(Shards, FilesOfDifferentCommandsRostersOrSeedsAreRefusedWithTheReason)
{
    const std::vector<std::string> command{"--matrix", "all", "--runs", "10"};
    const std::vector<std::string> three = sharded(command, 3);
    int made = 0;
    auto with = [&](std::vector<std::string> more, int shares = 3) {
        more.insert(more.begin(), command.begin(), command.end());
        return sharded(more, shares, "other" + std::to_string(++made) + "-").front();
    };
    after.write("report.json", simulate({"--matrix", "all", "--runs", "2", "--json"}, after.path("")).out);
    // The same command on the whole demo roster.
    after.write("roster.json", simulate({"--matrix", "all", "--runs", "10", "--shard", "1/3"}).out);
    const std::string otherRoster = after.path("roster.json");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{three[0], with({"--seed", "2"})}, "different seeds"},
        {{three[0], with({"--csv"})}, "different commands"},
        {{three[0], otherRoster}, "different rosters"},
        {{three[0], three[1], with({}, 4)}, "shards of 3 and of 4"},
        {{three[0], three[1]}, "shard 1/3 is missing"},
        {{three[0], three[1], three[2], three[2]}, "shard 1/3 is given twice"},
        {{three[0], after.path("report.json")}, "is not a shard file"},
        {{three[0], after.path("nothing.json")}, "cannot read"}};
    for (const auto& [files, reason] : cases) {
        const SimRun run = merge(files);
        EXPECT_EQ(run.status, kExitData) << reason;
        EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(merge(three).status, 0);
}

} // namespace
