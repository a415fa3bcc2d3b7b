// SPDX-License-Identifier: GPL-3.0-or-later
// The battle window against its own battle, press by press: the win-chance
// gauge never passes an earlier press's estimate off as current, presses after
// the end record nothing more, and a long name never widens the window.
#include "BattleTestKit.h"
#include "MemoryStorage.h"
#include "TempDataFolder.h"

#include "battle/BattleLog.h"
#include "battle/BattleWindow.h"

#include <QLabel>
#include <QProgressBar>

#include <gtest/gtest.h>

using namespace pc;

namespace {

// Three against three, the player side with an attack on every enemy, fought from a seed.
struct SeededBattle : BattleKit {
    MemoryStorage storage;
    QWidget title;
    AppContext context{state, storage, random, {.title = &title}};
    BattleWindow window{context};

    explicit SeededBattle(std::uint32_t seed, const std::string& name = "戦士")
    {
        for (int i = 0; i < 3; ++i) {
            attack(player({.name = name + std::to_string(i), .WP = 3}), {.range = 4, .count = 8});
            enemy({.name = name + "敵" + std::to_string(i), .WP = 2});
        }
        state.battleSeed = seed;
        state.ReadyUpListStartOffFlag = true;
        window.timerAction4();
    }
    QString navi() { return window.findChild<QLabel*>("NaviTF")->text(); }
    bool decided() { return announcesEnd(navi().toStdString()); }
};

} // namespace

// Presses in quick succession, with a tick between them that may or may not
// bring an estimate; every few presses the estimate is awaited.
TEST(BattleWindowGauge, NeverShowsAnEarlierPresssEstimateUnmarked)
{
    SeededBattle battle(5);
    auto* gauge = battle.window.findChild<QProgressBar*>("winGauge");
    int marked = 0;
    for (int press = 0; !battle.decided(); ++press) {
        ASSERT_LT(press, 300);
        if (press > 0)
            battle.window.autoPress();
        if (press % 4 == 0)
            battle.window.settleWinChance();
        battle.window.timerAction4();
        WinChanceEstimator reference;
        reference.start(copyBattle(battle.state, battle.window.view()));
        reference.wait();
        const double now = reference.take()->estimate.chance;
        const bool current = battle.window.winChance().has_value();
        EXPECT_TRUE(current || press % 4 != 0) << "an awaited estimate shows, press " << press;
        EXPECT_EQ(gauge->isEnabled(), current) << "press " << press;
        if (current) {
            EXPECT_EQ(battle.window.winChance()->chance, now) << "press " << press;
            EXPECT_EQ(gauge->format(), QString::number(now * 100.0, 'f', 1) + QStringLiteral(" %"));
        } else {
            EXPECT_TRUE(gauge->format().startsWith(QStringLiteral("計算中…"))) << gauge->format().toStdString();
            ++marked;
        }
    }
    EXPECT_GT(marked, 0);
}

TEST(BattleWindowEnd, PressesAfterTheAnnouncementShowItAgainAndRecordNothing)
{
    SeededBattle battle(3);
    while (!battle.decided())
        battle.window.Navigation();
    battle.window.settleWinChance();
    TempDataFolder folder;
    const auto saved = [&] {
        std::string both;
        for (const QString name : {"log.txt", "log.csv"})
            both += folder.writtenBy([&](const QString& path) { return battle.window.saveLog(path); }, name);
        return both;
    };
    const QString announcement = battle.navi();
    const std::string before = saved();
    const BattleHistory history = battle.window.history();
    for (int press = 0; press < 5; ++press) {
        battle.window.Navigation();
        battle.window.settleWinChance();
        EXPECT_EQ(battle.navi(), announcement);
    }
    EXPECT_EQ(saved(), before);
    EXPECT_EQ(battle.window.history().hp, history.hp);
    EXPECT_EQ(battle.window.history().chance, history.chance);
}

TEST(BattleWindowWidth, ALongNameIsCutShortWithItsWholeSelfInTheTooltip)
{
    SeededBattle battle(1, std::string(78, 'W'));
    battle.window.show();
    battle.window.Navigation();
    auto* actor = battle.window.findChild<QLabel*>("P1nameTF");
    actor->resize(200, actor->height());
    EXPECT_LE(battle.window.minimumSizeHint().width(), 1280);
    EXPECT_TRUE(actor->text().startsWith(QString(78, u'W'))) << "the text itself stays whole";
    EXPECT_EQ(actor->toolTip(), actor->text());
}
