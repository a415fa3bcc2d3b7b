// The battle log saved as numbered text or as CSV, and a write that fails.
#include "BattleTestKit.h"
#include "MemoryStorage.h"
#include "TempDataFolder.h"

#include "battle/BattleWindow.h"

#include <QFile>
#include <QPushButton>

#include <gtest/gtest.h>

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
