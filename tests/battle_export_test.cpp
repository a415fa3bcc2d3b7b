// SPDX-License-Identifier: GPL-3.0-or-later
// The battle log saved as numbered text or as CSV, and a write that fails.
#include "BattleTestKit.h"
#include "MemoryStorage.h"
#include "TempDataFolder.h"

#include "battle/BattleWindow.h"

#include "ui/HpGauge.h"

#include <QChartView>
#include <QFile>
#include <QLineSeries>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

#include <map>

using namespace pc;

namespace {

// Six presses of a scripted battle of one against one, to the player's victory.
struct ScriptedBattle : BattleKit {
    MemoryStorage storage;
    QWidget title;
    AppContext context{state, storage, random, {.title = &title}};
    BattleWindow window{context};

    void fightToTheEnd()
    {
        player({.name = "勇者"});
        enemy({.name = "スライム", .HP = 45, .MP = 0});
        state.ReadyUpListStartOffFlag = true;
        window.timerAction4();
        script({0, 0, 0, 3, 0, 0, 0, 6, 0, 0, 0, 0, 0, 0, 99, 0, 0, 0, 0, 0, 0});
        for (int i = 0; i < 6; ++i)
            window.findChild<QPushButton*>("navigationButton")->click();
    }
};

} // namespace

TEST(BattleLog, SavesAsNumberedTextOrCsvAndSaysWhyAWriteFailed)
{
    ScriptedBattle battle;
    battle.fightToTheEnd();
    TempDataFolder folder;
    const QString base = QString::fromStdString(folder.base());
    const auto saved = [&](const QString& name) {
        return folder.writtenBy([&](const QString& path) { return battle.window.saveLog(path); }, name.mid(1));
    };
    EXPECT_EQ(saved("/log.txt"), "シードなし\n"
                                 "1\t勇者の攻撃！ スライムは21のダメージを受けた！\n"
                                 "2\t勇者の攻撃！ スライムは22のダメージを受けた！\n"
                                 "3\tスライムの攻撃！ 勇者は20のダメージを受けた！\n"
                                 "4\tスライムの攻撃！ ミス！ 勇者はダメージを受けていない！\n"
                                 "5\t勇者の攻撃！ スライムは20のダメージを受けた！\n"
                                 "6\tプレイヤーの勝利！\n");
    EXPECT_EQ(saved("/log.CSV"),
              "\xEF\xBB\xBFpress,actor,attack,target,effect,amount,hp_after,formula_base,draw1,draw2,defence,"
              "resistance,mp_cost,success_chance,success_draw,hit_chance,hit_draw,message\r\n"
              "1,勇者,通常攻撃,スライム,damage,21,24,30,3,,10,,,,,50,0,勇者の攻撃！ スライムは21のダメージを受けた！\r\n"
              "2,勇者,通常攻撃,スライム,damage,22,2,30,6,,10,,,,,50,0,勇者の攻撃！ スライムは22のダメージを受けた！\r\n"
              "3,スライム,通常攻撃,勇者,damage,20,80,30,0,,10,,,,,50,0,スライムの攻撃！ 勇者は20のダメージを受けた！\r\n"
              "4,スライム,通常攻撃,勇者,miss,,,,,,,,,,,50,99,スライムの攻撃！ ミス！ 勇者はダメージを受けていない！\r\n"
              "5,勇者,通常攻撃,スライム,damage,20,0,30,0,,10,,,,,50,0,勇者の攻撃！ スライムは20のダメージを受けた！\r\n"
              "6,,,,,,,,,,,,,,,,,プレイヤーの勝利！\r\n");
    EXPECT_EQ(battle.window.saveLog(base + "/missing/log.txt"), QStringLiteral("No such file or directory"));
}

// The decided battle's chart: the enemies dashed, the win chance in percent, a star where a
// blow felled a member; the gauge's tooltip gives the interval low to high.
TEST(BattleChart, DashesTheEnemiesDrawsTheChanceInPercentAndStarsTheFall)
{
    ScriptedBattle battle;
    battle.fightToTheEnd();
    battle.window.settleWinChance();
    const auto percent = [](double share) { return QString::number(share * 100, 'f', 1) + " %"; };
    const WinEstimate chance = *battle.window.winChance();
    EXPECT_TRUE(battle.window.findChild<QProgressBar*>("winGauge")->toolTip().contains(
        QStringLiteral("95 %区間 ") + percent(chance.low) + QStringLiteral(" 〜 ") + percent(chance.high)));
    battle.window.findChild<QPushButton*>("chartButton")->click();
    std::map<QString, QList<QPointF>> points;
    for (QAbstractSeries* series : battle.window.findChild<QChartView*>("chartView")->chart()->series()) {
        if (auto* line = qobject_cast<QLineSeries*>(series); line && series->type() == QAbstractSeries::SeriesTypeLine) {
            EXPECT_EQ(line->pen().style(), series->name().startsWith("敵") ? Qt::DashLine : Qt::SolidLine)
                << series->name().toStdString();
        }
        points[series->name()] = static_cast<QXYSeries*>(series)->points();
    }
    EXPECT_EQ(points["勝つ見込み"].last(), QPointF(6, 100));
    EXPECT_EQ(points["倒した一撃"], QList<QPointF>{QPointF(5, 0)});
    EXPECT_EQ(points["敵 スライム"].last(), QPointF(6, 0));
}

TEST(HpGauge, TurnsAmberAtHalfAndRedAtAFifth)
{
    const QColor at[] = {gaugeColor(100), gaugeColor(51), gaugeColor(50), gaugeColor(21), gaugeColor(20), gaugeColor(0)};
    EXPECT_TRUE(at[0] == at[1] && at[1] != at[2] && at[2] == at[3] && at[3] != at[4] && at[4] == at[5]);
}
