// SPDX-License-Identifier: GPL-3.0-or-later
// The ランキング window on the demo roster: the command line's ladder for the same seed, its exports, each
// entrant's results by opponent, and the greying after an edit.
#include "DemoFolder.h"
#include "EditingApp.h"
#include "SimulatorRun.h"

#include "ranking/RankingWindow.h"
#include "sim/LadderReport.h"

#include <QComboBox>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <sstream>

using namespace pc;

TEST(RankingWindowTest, TheLadderIsTheCommandLinesItsOpponentsAddUpAndAnEditGreysIt)
{
    TempDataFolder folder;
    copyDemoRoster(folder);
    EditingApp edit(folder);
    edit.tick();
    RankingWindow& ranking = edit.app.rankingWindow();
    ranking.show();
    ranking.findChild<QComboBox*>("precisionBox")->setCurrentIndex(0); // ±50
    ranking.findChild<QLineEdit*>("seedField")->setText(QStringLiteral("３")); // full width, as every seed field
    edit.press(ranking, "startButton");
    runUntil([&] { return !ranking.running(); });
    const SimRun command = runSim({"--data", folder.path(""), "--ladder", "all", "--seed", "3", "--precision", "50", "--csv"});
    ASSERT_EQ(command.status, 0) << command.err;
    ASSERT_EQ(ranking.saveCsv(QString::fromStdString(folder.path("../ladder.csv"))), QString());
    EXPECT_EQ(folder.read("../ladder.csv"), command.out);
    ASSERT_EQ(ranking.savePng(QString::fromStdString(folder.path("../ladder.png"))), QString());
    const QImage picture(QString::fromStdString(folder.path("../ladder.png")));
    EXPECT_GE(picture.height(), 22 * 13) << "a row for each of the 12 characters and the caption";

    // Against each opponent, on both sides: the battles and wins add up to the entrant's.
    const LadderModel& model = ranking.ladder();
    ASSERT_EQ(model.rowCount(), 12);
    auto* opponents = ranking.findChild<QTableWidget*>("opponentTable");
    for (int row = 0; row < model.rowCount(); ++row) {
        ranking.showOpponents(row);
        std::int64_t battles = 0, wins = 0;
        for (int r = 0; r < opponents->rowCount(); ++r) {
            battles += opponents->item(r, 1)->text().toLongLong();
            wins += opponents->item(r, 2)->text().toLongLong();
            EXPECT_NE(opponents->item(r, 0)->text().toStdString(), model.names()[model.ladder().entries[row].entrant]);
        }
        EXPECT_EQ(battles, model.ladder().entries[static_cast<std::size_t>(row)].battles) << row;
        EXPECT_EQ(wins, model.ladder().entries[static_cast<std::size_t>(row)].wins) << row;
    }

    EXPECT_FALSE(ranking.outdated());
    edit.openEditor(7);
    edit.type("TFHP", QStringLiteral("1"));
    edit.press(edit.app.registerWindow(), "submitButton");
    ranking.checkOutdated();
    EXPECT_TRUE(ranking.outdated());
    EXPECT_TRUE(ranking.findChild<QLabel*>("outdatedLabel")->isVisibleTo(&ranking));
    EXPECT_EQ(model.index(0, LadderModel::nameColumn).data(Qt::ForegroundRole).value<QColor>(), QColor(0x80, 0x80, 0x80));

    // A new run starts from nothing: no ladder, no opponents, nothing greyed.
    edit.press(ranking, "startButton");
    EXPECT_TRUE(model.rowCount() == 0 && opponents->rowCount() == 0 && !ranking.outdated());
    ranking.stop();
    runUntil([&] { return !ranking.running(); });
}

// An entrant that won every battle has a rating that is only a lower bound, one that won none an upper
// bound: the table's tooltip, the CSV and the text say so, and the bars' scale holds every other interval.
TEST(RankingWindowTest, BoundsPointTheirWayAndTheScaleHoldsEveryInterval)
{
    sim::Ladder ladder;
    ladder.entries = {{1, {1900, 300}, 64, 64, 'S', true}, {0, {1550, 60}, 80, 45, 'B', false},
                      {2, {1100, 300}, 64, 0, 'D', true}, {3, {1180, 55}, 60, 15, 'D', false}};
    LadderModel model;
    model.setLadder(ladder, {"a", "b", "c", "d"});
    const char* const bound[] = {"レーティングは下の限界", nullptr, "レーティングは上の限界", nullptr};
    const char* const csvBound[] = {"above", "", "below", ""};
    std::ostringstream csv, text;
    sim::writeLadder(csv, ladder, model.names(), {}, sim::LadderForm::csv);
    sim::writeLadder(text, ladder, model.names(), {}, sim::LadderForm::text);
    std::istringstream lines(csv.str());
    std::string line;
    std::getline(lines, line);
    for (int row = 0; row < 4; ++row) {
        const sim::LadderEntry& entry = ladder.entries[static_cast<std::size_t>(row)];
        const QString tip = model.index(row, LadderModel::ratingColumn).data(Qt::ToolTipRole).toString();
        EXPECT_EQ(tip.contains(QStringLiteral("限界")), bound[row] != nullptr) << row;
        EXPECT_TRUE(!bound[row] || tip.contains(QString::fromUtf8(bound[row]))) << row;
        std::getline(lines, line);
        EXPECT_EQ(line.substr(line.rfind(',') + 1), csvBound[row]) << row;
        const std::string said = model.names()[entry.entrant] + (entry.wins ? " won every one" : " won none");
        EXPECT_EQ(text.str().find(said) != std::string::npos, entry.beyondReach) << said;
        if (!entry.beyondReach) {
            EXPECT_LT(model.scale().low, entry.rating.elo - entry.rating.halfWidth) << row;
            EXPECT_GT(model.scale().high, entry.rating.elo + entry.rating.halfWidth) << row;
        }
    }
}
