// The party-selection and battle windows driven through their widgets, offscreen:
// parties, presses, the battle log with its breakdowns, auto-advance and keys.
#include "BattleTestKit.h"
#include "MemoryStorage.h"
#include "TempDataFolder.h"

#include "app/AppDelegate.h"
#include "app/Title.h"
#include "battle/BattleWindow.h"
#include "battle/ReadyUpList.h"
#include "editor/RegisterWindow.h"
#include "records/RowRule.h"
#include "ui/RowTableView.h"
#include "ui/Text.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

using namespace pc;

namespace {

class BattleWindowTest : public ::testing::Test {
protected:
    BattleWindowTest()
    {
        // Three characters: two on the player side, one enemy.
        folder.write("preset.txt", "a\nb\nc\n");
        folder.write("a", character("アリス", 300, 40));
        folder.write("b", character("ボブ", 250, 30));
        folder.write("c", character("スライム", 120, 10));
        app.registerWindow().timerAction2();
        app.readyUpList().timerAction3();
        app.showTitle();
    }

    static std::string character(const std::string& name, int hp, int str)
    {
        const std::string s = std::to_string(str);
        return name + "\nt\n" + name + ",img\n" + std::to_string(hp) + ",10,5,3\n" + s + ",20,20,20,20,20,20\n"
            + "100,100,100,100,100,100,100,100\n100,100,100,100,100,100,100,100\n100,100,100,100,100,100\n----++\n----++\n";
    }

    template <typename T>
    T* child(QWidget& window, const char* name)
    {
        auto* found = window.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void clickRow(QWidget& window, const char* table, int row)
    {
        auto* view = child<RowTableView>(window, table);
        const QRect cell = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        app.readyUpList().timerAction3();
    }

    void click(QWidget& window, const char* button)
    {
        child<QPushButton>(window, button)->click();
        app.readyUpList().timerAction3();
    }

    QString navi() { return child<QLabel>(app.battleWindow(), "NaviTF")->text(); }

    TempDataFolder folder;
    AppDelegate app{folder.base()};
};

} // namespace

TEST_F(BattleWindowTest, PartiesAreBuiltFromTheTablesAndTheStartButtonFollowsThem)
{
    QWidget& party = app.readyUpList();
    child<QPushButton>(app.title(), "battleReadyButton")->click();
    auto* start = child<QPushButton>(party, "startOffBtn");
    EXPECT_FALSE(start->isEnabled());

    clickRow(party, "CPlistTV", 1);
    click(party, "RPaddButton");
    clickRow(party, "CPlistTV", 0);
    click(party, "RPaddButton");
    EXPECT_FALSE(start->isEnabled()) << "the enemy party is still empty";
    clickRow(party, "CElistTV", 2);
    click(party, "REaddButton");
    EXPECT_TRUE(start->isEnabled());

    ASSERT_EQ(countOf(app.state().RPtop), 2);
    EXPECT_EQ(app.state().RPtop->name, "ボブ") << "adds append before any click in the party table";
    EXPECT_EQ(app.state().RPtop->next->name, "アリス");
    EXPECT_EQ(app.state().REtop->name, "スライム");

    clickRow(party, "RElistTV", 0);
    click(party, "REdeleteButton");
    EXPECT_FALSE(start->isEnabled());
    EXPECT_EQ(app.state().REtop, nullptr);
}

TEST_F(BattleWindowTest, ABattleRunsToItsEndAndCanBeFoughtAgain)
{
    QWidget& party = app.readyUpList();
    QWidget& battle = app.battleWindow();
    child<QPushButton>(app.title(), "battleReadyButton")->click();
    clickRow(party, "CPlistTV", 0);
    click(party, "RPaddButton");
    clickRow(party, "CElistTV", 2);
    click(party, "REaddButton");

    for (int round = 0; round < 2; ++round) {
        click(party, "startOffBtn");
        EXPECT_TRUE(battle.isVisible());
        EXPECT_FALSE(party.isVisible());
        app.battleWindow().timerAction4();
        EXPECT_EQ(navi(), QStringLiteral("戦闘開始！"));

        auto* next = child<QPushButton>(battle, "navigationButton");
        int presses = 0;
        while (presses < 1000 && !navi().startsWith(QStringLiteral("プレイヤーの"))) {
            next->click();
            app.battleWindow().timerAction4();
            ++presses;
        }
        EXPECT_EQ(navi(), QStringLiteral("プレイヤーの勝利！")) << "round " << round;
        next->click();
        EXPECT_EQ(navi(), QStringLiteral("プレイヤーの勝利！")) << "the end is announced again";
        EXPECT_EQ(app.battleWindow().view().SCElistMA.at(0).hp, "0");

        child<QPushButton>(battle, "toTheTitleButton")->click();
        EXPECT_TRUE(app.title().isVisible());
        child<QPushButton>(app.title(), "battleReadyButton")->click();
        EXPECT_EQ(countOf(app.state().RPtop), 1) << "the parties stay for another battle";
    }
}

namespace {

// A battle window over its own state with scripted draws. The hero's plain
// attacks hit; the slime's first hits and its second misses. With a wait of 1
// each member acts twice in a row, so the battle ends on the sixth press.
struct ScriptedBattle : BattleKit {
    static constexpr int kPresses = 6;
    static inline const Draws kWholeBattle{0, 0, 0, 3, 0, 0, 0, 6, 0, 0, 0, 0, 0, 0, 99, 0, 0, 0, 0, 0, 0};
    MemoryStorage storage;
    QWidget title;
    AppContext context{state, storage, random, {.title = &title}};
    BattleWindow window{context};

    ScriptedBattle()
    {
        player({.name = "勇者"});
        enemy({.name = "スライム", .HP = 45, .MP = 0});
        state.ReadyUpListStartOffFlag = true;
        window.timerAction4();
    }

    void fightToTheEnd(const std::function<void()>& press)
    {
        script(kWholeBattle);
        for (int i = 0; i < kPresses; ++i)
            press();
    }

    template <typename T>
    T* child(const char* name) { return window.findChild<T*>(name); }
    QAbstractItemView* logView() { return child<QAbstractItemView>("logView"); }
    void press() { child<QPushButton>("navigationButton")->click(); }
    std::string navi() { return utf8(child<QLabel>("NaviTF")->text()); }

    std::vector<std::string> logged() const
    {
        std::vector<std::string> messages;
        for (const LogEntry& entry : window.log())
            messages.push_back(entry.message);
        return messages;
    }
};

} // namespace

TEST(BattleLog, HoldsEveryMessageNaviTFShowedAndIsClearedByANewSetUp)
{
    ScriptedBattle battle;
    std::vector<std::string> shown;
    battle.fightToTheEnd([&] {
        battle.press();
        shown.push_back(battle.navi());
    });
    EXPECT_EQ(battle.logged(), shown);
    EXPECT_EQ(shown.back(), "プレイヤーの勝利！");
    EXPECT_EQ(battle.window.log().back().breakdown.source, Source::none) << "the announcement has no numbers";

    QAbstractItemView* log = battle.logView();
    const QString first = QStringLiteral("1\t勇者の攻撃！ スライムは21のダメージを受けた！\n");
    battle.window.copyLog();
    EXPECT_EQ(QApplication::clipboard()->text().count('\n'), ScriptedBattle::kPresses);
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(first));
    log->selectionModel()->select(log->model()->index(4, 0), QItemSelectionModel::Select);
    log->selectionModel()->select(log->model()->index(0, 0), QItemSelectionModel::Select);
    battle.window.copyLog();
    EXPECT_EQ(QApplication::clipboard()->text(), first + QStringLiteral("5\t勇者の攻撃！ スライムは20のダメージを受けた！\n"));

    log->setCurrentIndex(log->model()->index(1, 0));
    const QString explanation = battle.child<QPlainTextEdit>("breakdownText")->toPlainText();
    EXPECT_TRUE(explanation.contains(QStringLiteral("floor(30 + 2 - 10) = 22"))) << qPrintable(explanation);
    EXPECT_TRUE(explanation.contains(QStringLiteral("ダメージ 22: HP 24 → 2"))) << qPrintable(explanation);

    battle.state.ReadyUpListStartOffFlag = true;
    battle.window.timerAction4();
    EXPECT_TRUE(battle.window.log().empty());
    EXPECT_EQ(log->model()->rowCount(), 0);
    EXPECT_TRUE(battle.child<QPlainTextEdit>("breakdownText")->toPlainText().isEmpty());
}

TEST(BattleLog, SavesAsNumberedTextOrCsvAndSaysWhyAWriteFailed)
{
    ScriptedBattle battle;
    battle.fightToTheEnd([&] { battle.press(); });
    TempDataFolder folder;
    const QString base = QString::fromStdString(folder.base());
    const auto saved = [&](const QString& name) {
        EXPECT_EQ(battle.window.saveLog(base + name), QString());
        QFile file(base + name);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll().toStdString();
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

TEST(BattleLog, SideTablesShowHpAndMpGaugesAndMarkTheFallen)
{
    ScriptedBattle battle;
    battle.fightToTheEnd([&] { battle.press(); });
    battle.window.timerAction4();
    EXPECT_EQ(battle.window.view().SCPlistMA.at(0), (SideRow{"勇者", "80", "100", false}));
    EXPECT_EQ(battle.window.view().SCElistMA.at(0), (SideRow{"スライム", "0", "0", true})) << "a registered MP of 0";
    const QAbstractItemModel* enemies = battle.child<QAbstractItemView>("SCElistTV")->model();
    EXPECT_EQ(enemies->index(0, 0).data().toString(), QStringLiteral("✝ スライム"));
    EXPECT_EQ(enemies->headerData(2, Qt::Horizontal).toString(), QStringLiteral("MP"));
}

TEST(AutoAdvance, MakesTheStepsOfManualPressesAmongThemAndStopsAtTheEnd)
{
    ScriptedBattle manual;
    manual.fightToTheEnd([&] { manual.press(); });

    ScriptedBattle automatic;
    auto* toggle = automatic.child<QPushButton>("autoAdvanceButton");
    toggle->click();
    ASSERT_TRUE(automatic.window.autoAdvancing());
    automatic.script(ScriptedBattle::kWholeBattle);
    for (int tick = 0; automatic.window.autoAdvancing() && tick < 2 * ScriptedBattle::kPresses; ++tick) {
        automatic.window.autoPress();
        if (tick == 1)
            automatic.press();
    }
    EXPECT_FALSE(automatic.window.autoAdvancing());
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_EQ(automatic.logged(), manual.logged()) << "stopped on the announcement, not after it";
}

TEST(BattleKeys, EnterAndSpaceAdvanceCtrlCCopiesATogglesAutoAdvanceAndEscapeLeaves)
{
    ScriptedBattle battle;
    battle.script({0, 0, 0, 0, 0, 0, 0, 0});
    battle.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&battle.window));
    battle.logView()->setFocus();
    QTest::keyClick(&battle.window, Qt::Key_Return);
    QTest::keyClick(battle.logView(), Qt::Key_Space);
    EXPECT_EQ(battle.window.log().size(), 2u);
    battle.logView()->selectAll();
    QTest::keyClick(battle.logView(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().count('\n'), 2) << "every chosen line, not just the current one";
    QTest::keyClick(battle.logView(), Qt::Key_A);
    EXPECT_TRUE(battle.window.autoAdvancing());
    QTest::keyClick(&battle.window, Qt::Key_A);
    EXPECT_FALSE(battle.window.autoAdvancing());
    for (QPushButton* button : battle.window.findChildren<QPushButton*>())
        EXPECT_TRUE(button->text().contains('&')) << qPrintable(button->objectName()) << " has no mnemonic";
    QTest::keyClick(&battle.window, Qt::Key_Escape);
    EXPECT_FALSE(battle.window.isVisible());
    EXPECT_TRUE(battle.title.isVisible());
}
