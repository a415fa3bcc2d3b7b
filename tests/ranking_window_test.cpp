// SPDX-License-Identifier: GPL-3.0-or-later
// The ランキング window on the demo roster: the command line's ladder for the same seed, its exports, each
// entrant's results by opponent, and the greying after an edit.
#include "DemoFolder.h"
#include "EditingApp.h"
#include "SimulatorRun.h"

#include "ranking/RankingWindow.h"

#include <QComboBox>
#include <QTableWidget>

#include <gtest/gtest.h>

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
}
