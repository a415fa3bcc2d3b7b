// Start-up, the polling handlers' order of work, and the moves between windows.
#include "TempDataFolder.h"

#include "app/AppDelegate.h"
#include "app/Title.h"
#include "battle/BattleWindow.h"
#include "battle/ReadyUpList.h"
#include "editor/RegisterWindow.h"
#include "records/RowRule.h"
#include "roster/CharacterList.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace pc;

namespace {

QPushButton* button(QWidget& window, const char* name)
{
    auto* found = window.findChild<QPushButton*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

} // namespace

TEST(AppFlowTest, StartUpLoadsTheRosterOnTheFirstEditorTick)
{
    TempDataFolder folder;
    folder.write("preset.txt", "a\nb\n");
    folder.write("a", "アリス\n");
    AppDelegate app(folder.base());
    EXPECT_TRUE(app.state().initPresetFlag);
    app.registerWindow().timerAction2();
    EXPECT_FALSE(app.state().initPresetFlag);
    EXPECT_TRUE(app.state().initCListFlag);
    ASSERT_EQ(countOf(app.state().objeTop), 2);
    EXPECT_EQ(app.state().objeTop->name, "アリス");
    EXPECT_EQ(app.state().objeTop->baseStatus.ATK, 30) << "derived statistics in the same tick";
    app.characterList().timerAction();
    EXPECT_FALSE(app.state().initCListFlag);
}

TEST(AppFlowTest, WithoutAListTheLoadRepeatsOnEveryTick)
{
    TempDataFolder folder;
    AppDelegate app(folder.base());
    for (int tick = 0; tick < 3; ++tick) {
        app.state().initCListFlag = false;
        app.registerWindow().timerAction2();
        EXPECT_TRUE(app.state().initPresetFlag);
        EXPECT_TRUE(app.state().initCListFlag);
    }
}

TEST(AppFlowTest, APendingRewriteRunsBeforeAPendingLoad)
{
    TempDataFolder folder;
    folder.write("preset.txt", "old\n");
    AppDelegate app(folder.base());
    OBJE* record = app.state().objes.make();
    InitObje(*record);
    record->fileName = "fresh";
    app.state().objeTop = record;
    app.state().setPresetFlag = true;
    app.registerWindow().timerAction2();
    EXPECT_EQ(folder.read("preset.txt"), "fresh\n");
    ASSERT_NE(app.state().objeTop, nullptr);
    EXPECT_EQ(app.state().objeTop->fileName, "fresh") << "the list written was then loaded";
    EXPECT_EQ(folder.read("preset.txt.bak"), "old\n") << "the list not loaded was kept first";
}

TEST(AppFlowTest, NavigationClosesOneWindowAndBringsTheNextToTheFront)
{
    TempDataFolder folder;
    AppDelegate app(folder.base());
    app.showTitle();
    QWidget& title = app.title();
    QWidget& roster = app.characterList();
    QWidget& party = app.readyUpList();
    QWidget& battle = app.battleWindow();

    button(title, "characterRegisterButton")->click();
    EXPECT_FALSE(title.isVisible());
    EXPECT_TRUE(roster.isVisible());
    button(roster, "toTheTitleButton")->click();
    EXPECT_TRUE(app.state().initCPEListFlag);
    EXPECT_TRUE(title.isVisible());
    EXPECT_FALSE(roster.isVisible());

    button(title, "battleReadyButton")->click();
    EXPECT_TRUE(party.isVisible());
    button(party, "toTheTitleButton")->click();
    EXPECT_TRUE(title.isVisible());
    EXPECT_FALSE(party.isVisible());

    button(battle, "toTheTitleButton")->click();
    EXPECT_TRUE(title.isVisible());
    EXPECT_FALSE(battle.isVisible());
}

TEST(AppFlowTest, TheApplicationStaysUpThroughNavigationAndQuitsCleanly)
{
    TempDataFolder folder;
    AppDelegate app(folder.base());
    app.showTitle();
    bool titleBackBeforeQuit = false;
    QTimer::singleShot(50, [&] { button(app.title(), "characterRegisterButton")->click(); });
    QTimer::singleShot(100, [&] { button(app.characterList(), "toTheTitleButton")->click(); });
    QTimer::singleShot(300, [&] {
        titleBackBeforeQuit = app.title().isVisible();
        QApplication::quit();
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(titleBackBeforeQuit) << "the application did not quit on the way";
    EXPECT_TRUE(app.state().initPresetFlag) << "the timers ran and retried the missing list";
}
