// SPDX-License-Identifier: GPL-3.0-or-later
// The balance window and the editor's 強さを試す, offscreen on the demo roster.
#include "EditingApp.h"
#include "DemoFolder.h"
#include "SimulatorRun.h"
#include "TempDataFolder.h"

#include "balance/BalanceWindow.h"
#include "balance/HeatMap.h"
#include "battle/BattleWindow.h"
#include "editor/RegisterWindow.h"
#include "editor/StrengthDialog.h"

#include <QCategoryAxis>
#include <QChartView>
#include <QComboBox>
#include <QListWidget>
#include <QRegularExpression>
#include <QTableView>
#include <QTableWidget>

#include <gtest/gtest.h>

using namespace pc;

namespace {


class BalanceTest : public ::testing::Test {
protected:
    BalanceTest()
    {
        copyDemoRoster(folder);
        edit.tick();
    }

    QString cell(int row, int column, int role = Qt::DisplayRole)
    {
        QAbstractItemModel* model = balance.findChild<QTableView*>("heatMapView")->model();
        return model->index(row, column).data(role).toString();
    }

    TempDataFolder folder;
    EditingApp edit{folder};
    BalanceWindow& balance = edit.app.balanceWindow();
};

} // namespace

TEST_F(BalanceTest, ARunFillsTheHeatMapAndExportsTheCommandLinesCsv)
{
    balance.show();
    balance.findChild<QComboBox*>("battlesBox")->setCurrentIndex(0); // 100
    balance.findChild<QLineEdit*>("seedField")->clear(); // starts where the command line does without --seed
    edit.press(balance, "startButton");
    runUntil([&] { return !balance.running(); });
    ASSERT_TRUE(balance.result().complete());
    EXPECT_EQ(balance.result().pairings.size(), 144u);
    // Row 8 is ドラゴン, column 6 スライム: the dragon always wins.
    EXPECT_EQ(cell(7, 5), QStringLiteral("100%"));
    EXPECT_EQ(cell(7, 5, Qt::BackgroundRole), winRateColour(1.0).name());
    EXPECT_TRUE(cell(7, 5, Qt::ToolTipRole).startsWith(QStringLiteral("ドラゴン 対 スライム")));
    EXPECT_TRUE(cell(7, 5, Qt::ToolTipRole).contains(QStringLiteral("100戦"))) << cell(7, 5, Qt::ToolTipRole).toStdString();
    // The ranking's first is drawn at the top.
    auto* axis = qobject_cast<QCategoryAxis*>(balance.findChild<QChartView*>("rankingView")->chart()->axes(Qt::Vertical)[0]);
    EXPECT_EQ(axis->endValue(axis->categoriesLabels().filter(QRegularExpression("^1\\. "))[0]), 11);

    const QString path = QString::fromStdString(folder.base() + "/matrix.csv");
    EXPECT_EQ(balance.saveCsv(path), QString());
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const SimRun cli = runSim({"--data", folder.path(""), "--matrix", "all", "--runs", "100", "--csv"});
    EXPECT_EQ(cli.status, 0) << cli.err;
    EXPECT_EQ(saved.readAll().toStdString(), cli.out);

    // A double click watches the pairing's first battle.
    balance.watch(balance.findChild<QTableView*>("heatMapView")->model()->index(7, 5));
    EXPECT_EQ(edit.app.state().RPtop->name, "ドラゴン");
    EXPECT_EQ(edit.app.state().REtop->name, "スライム");
    EXPECT_TRUE(edit.app.state().ReadyUpListStartOffFlag);
    EXPECT_EQ(edit.app.state().battleSeed, 1u) << "drawing from the seed of the pairing's first battle";
}

// Each precision choice stops the pairings where the command line's --precision does.
TEST_F(BalanceTest, ThePrecisionChoiceStopsThePairingsAsTheCommandLineDoes)
{
    balance.show();
    auto* precision = balance.findChild<QComboBox*>("precisionBox");
    const QString path = QString::fromStdString(folder.base() + "/matrix.csv");
    for (const auto& [choice, share] : {std::pair(1, "0.05"), std::pair(3, "0.01")}) {
        precision->setCurrentIndex(choice);
        edit.press(balance, "startButton");
        runUntil([&] { return !balance.running(); });
        ASSERT_EQ(balance.saveCsv(path), QString());
        const SimRun cli = runSim({"--data", folder.path(""), "--matrix", "all", "--runs", "1000", "--seed", "1",
                                   "--precision", share, "--csv"});
        EXPECT_EQ(folder.read("../../matrix.csv"), cli.out) << share;
    }
}

TEST_F(BalanceTest, StopKeepsThePairingsFinishedAndTheWindowShownAgainKeepsWhatWasUnticked)
{
    balance.show();
    auto* list = balance.findChild<QListWidget*>("rosterList");
    list->item(2)->setCheckState(Qt::Unchecked);
    balance.hide();
    balance.show();
    EXPECT_EQ(list->item(2)->checkState(), Qt::Unchecked);
    EXPECT_EQ(list->item(1)->checkState(), Qt::Checked);
    balance.findChild<QComboBox*>("battlesBox")->setCurrentIndex(2); // 10,000
    balance.start();
    runUntil([&] { return cell(0, 0) != QStringLiteral("…"); });
    const QString first = cell(0, 0);
    balance.stop();
    EXPECT_FALSE(balance.running());
    EXPECT_FALSE(balance.result().complete());
    EXPECT_EQ(cell(0, 0), first);
    EXPECT_TRUE(first.endsWith(u'%')) << first.toStdString();
}

TEST_F(BalanceTest, TheColourScaleDarkensBelowHalfAndLightensAbove)
{
    auto lightness = [](double rate) { return qGray(winRateColour(rate).rgb()); };
    for (double rate = 0; rate < 1; rate += 0.05)
        EXPECT_LT(lightness(rate), lightness(rate + 0.05)) << rate;
    EXPECT_EQ(winRateColour(0.5).saturation(), 0) << "the centre is a neutral grey";
}

// Immune to every attribute, the edited 勇者アルス gains on both sides over its saved self.
TEST_F(BalanceTest, TestingStrengthFightsTheEditAgainstTheSavedCharacterAndSavesNothing)
{
    const std::string file = folder.read("arus.txt");
    edit.openEditor(0);
    const RESIST saved = edit.app.state().objeTop->baseResist;
    edit.app.state().Robje = RESIST{};
    edit.app.registerWindow().testStrength();
    StrengthDialog* strength = edit.app.registerWindow().strengthDialog();
    ASSERT_NE(strength, nullptr);
    runUntil([&] { return !strength->running(); });
    const QRegularExpressionMatch summary = QRegularExpression(QStringLiteral("総合勝率 ([0-9.]+)% → ([0-9.]+)%　\\+"))
                                                .match(strength->findChild<QLabel*>("summaryLabel")->text());
    ASSERT_TRUE(summary.hasMatch());
    EXPECT_LT(summary.captured(1).toDouble(), summary.captured(2).toDouble());
    auto* changes = strength->findChild<QTableWidget*>("changesTable");
    ASSERT_EQ(changes->rowCount(), 5);
    for (int row = 0; row < 5; ++row) {
        const auto rate = [&](int column) { return changes->item(row, column)->text().chopped(1).toDouble(); };
        EXPECT_LT(rate(1), rate(2)) << changes->item(row, 0)->text().toStdString();
        EXPECT_TRUE(changes->item(row, 3)->text().startsWith(u'+')) << changes->item(row, 3)->text().toStdString();
    }
    EXPECT_EQ(folder.read("arus.txt"), file);
    EXPECT_EQ(edit.app.state().objeTop->baseResist, saved);
}
