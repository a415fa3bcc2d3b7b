// The party-selection and battle windows driven through their widgets, offscreen.
#include "TempDataFolder.h"

#include "app/AppDelegate.h"
#include "app/Title.h"
#include "battle/BattleWindow.h"
#include "battle/ReadyUpList.h"
#include "editor/RegisterWindow.h"
#include "records/RowRule.h"
#include "ui/RowTableView.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

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

TEST_F(BattleWindowTest, EnterAdvancesTheBattle)
{
    app.state().CPlistClickedRow = 0;
    app.readyUpList().RPadd();
    app.state().CElistClickedRow = 2;
    app.readyUpList().REadd();
    app.readyUpList().StartOff();
    app.battleWindow().timerAction4();
    QTest::keyClick(&app.battleWindow(), Qt::Key_Return);
    EXPECT_NE(navi(), QStringLiteral("戦闘開始！"));
}
