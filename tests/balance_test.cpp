// The balance window and the editor's 強さを試す, offscreen on the demo roster.
#include "EditingApp.h"
#include "TempDataFolder.h"

#include "balance/BalanceWindow.h"
#include "balance/HeatMap.h"
#include "battle/BattleWindow.h"
#include "editor/RegisterWindow.h"
#include "editor/StrengthDialog.h"
#include "sim/Simulator.h"

#include <QComboBox>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QTableView>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <sstream>

using namespace pc;

namespace {

const QString kExamples = QStringLiteral(PARTYCLASH_EXAMPLES);

// The demo roster's texts, pictures left out.
void copyDemoRoster(const TempDataFolder& folder)
{
    for (QDirIterator files(kExamples, QDir::Files); files.hasNext();) {
        QFile file(files.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        folder.write(files.fileName().toStdString(), file.readAll().toStdString());
    }
}

// Lets the event loop run until `done` holds, for at most five minutes (sanitizer builds are slow).
template <typename Done>
void runUntil(Done done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 300'000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(done());
}

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
    EXPECT_TRUE(cell(7, 5, Qt::ToolTipRole).contains(QStringLiteral("100戦"))) << cell(7, 5, Qt::ToolTipRole).toStdString();

    const QString path = QString::fromStdString(folder.base() + "/matrix.csv");
    EXPECT_EQ(balance.saveCsv(path), QString());
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    QtStorage storage;
    std::ostringstream out, err;
    const int status = sim::runSimulator({"--data", folder.path(""), "--matrix", "all", "--runs", "100", "--csv"},
                                         {storage, {}, out, err, {}});
    EXPECT_EQ(status, 0) << err.str();
    EXPECT_EQ(saved.readAll().toStdString(), out.str());

    // A double click watches the pairing's first battle.
    balance.watch(balance.findChild<QTableView*>("heatMapView")->model()->index(7, 5));
    EXPECT_EQ(edit.app.state().RPtop->name, "ドラゴン");
    EXPECT_EQ(edit.app.state().REtop->name, "スライム");
    EXPECT_TRUE(edit.app.state().ReadyUpListStartOffFlag);
}

TEST_F(BalanceTest, StopKeepsThePairingsFinished)
{
    balance.show();
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

TEST_F(BalanceTest, TestingStrengthSavesNothing)
{
    const std::string file = folder.read("arus.txt");
    edit.openEditor(0);
    const double hp = edit.app.state().objeTop->baseStatus.HP;
    edit.type("TFHP", QStringLiteral("2000"));
    edit.app.registerWindow().testStrength();
    StrengthDialog* strength = edit.app.registerWindow().strengthDialog();
    ASSERT_NE(strength, nullptr);
    runUntil([&] { return !strength->running(); });
    const QString summary = strength->findChild<QLabel*>("summaryLabel")->text();
    EXPECT_TRUE(summary.contains(QStringLiteral("→"))) << summary.toStdString();
    EXPECT_EQ(strength->findChild<QTableWidget*>("changesTable")->rowCount(), 5);
    EXPECT_EQ(folder.read("arus.txt"), file);
    EXPECT_EQ(edit.app.state().objeTop->baseStatus.HP, hp);
    EXPECT_EQ(edit.shown("TFHP"), QStringLiteral("2000")) << "the edit goes on";
}
