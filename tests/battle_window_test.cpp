// The battle window against its own battle, press by press: the panels show each
// press's own members, the win-chance gauge never passes an earlier press's
// estimate off as current, and presses after the end record nothing more.
#include "BattleTestKit.h"
#include "MemoryStorage.h"
#include "TempDataFolder.h"

#include "battle/BattleLog.h"
#include "battle/BattleWindow.h"
#include "ui/QtPicture.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

#include <map>

using namespace pc;

namespace {

// Names without "の" or "は", so that a message's names can be read off it.
const std::map<std::string, QColor> kColours{
    {"アカ", Qt::red}, {"アオ", Qt::blue}, {"キイ", Qt::yellow},
    {"シロ", Qt::white}, {"クロ", Qt::black}, {"ミドリ", Qt::green},
};

// Three against three, each member with a picture of its own colour and, on the
// player side, an attack on every enemy, fought from a seed.
struct SeededBattle : BattleKit {
    MemoryStorage storage;
    QWidget title;
    AppContext context{state, storage, random, {.title = &title}};
    BattleWindow window{context};

    explicit SeededBattle(std::uint32_t seed)
    {
        for (const auto& [name, colour] : kColours) {
            const bool onPlayerSide = name == "アカ" || name == "アオ" || name == "キイ";
            OBJE* member = onPlayerSide ? player({.name = name, .WP = 3}) : enemy({.name = name, .WP = 2});
            QImage picture(8, 8, QImage::Format_ARGB32);
            picture.fill(colour);
            member->image = pictureOf(picture);
            if (onPlayerSide)
                attack(member, {.name = "一掃", .range = 4, .count = 8});
        }
        state.battleSeed = seed;
        state.ReadyUpListStartOffFlag = true;
        window.timerAction4();
    }

    template <typename T = QLabel>
    T* child(const char* name) { return window.findChild<T*>(name); }
    QString navi() { return child("NaviTF")->text(); }
    bool decided() { return announcesEnd(navi().toStdString()); }
};

// The member a message line names before `mark`, or "" when none does.
std::string nameBefore(const QString& line, const QString& mark)
{
    const qsizetype at = line.indexOf(mark);
    return at > 0 ? line.left(at).toStdString() : std::string();
}

QColor colourShown(QLabel* picture)
{
    const QImage image = picture->pixmap().toImage();
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}

} // namespace

TEST(BattleWindowPanels, ShowEachPresssOwnActorAndTargetWithTheirPictures)
{
    int checked = 0;
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        SeededBattle battle(seed);
        battle.child<QCheckBox>("winChanceBox")->setChecked(false);
        for (int press = 0; press < 300 && !battle.decided(); ++press) {
            battle.window.autoPress();
            const QStringList lines = battle.navi().split(u'\n');
            if (battle.decided())
                break;
            const std::string target = nameBefore(lines.last(), QStringLiteral("は"));
            ASSERT_TRUE(kColours.contains(target)) << battle.navi().toStdString();
            EXPECT_EQ(battle.child("P2nameTF")->text().toStdString(), target) << "seed " << seed;
            EXPECT_EQ(colourShown(battle.child("P2IV")), kColours.at(target)) << "seed " << seed << " " << target;
            if (lines.size() < 2)
                continue; // a later target of an attack on every enemy: the actor stays
            const std::string actor = nameBefore(lines.first(), QStringLiteral("の"));
            EXPECT_EQ(battle.child("P1nameTF")->text().toStdString(), actor) << "seed " << seed;
            EXPECT_EQ(colourShown(battle.child("P1IV")), kColours.at(actor)) << "seed " << seed << " " << actor;
            ++checked;
        }
        EXPECT_TRUE(battle.decided()) << "seed " << seed;
    }
    EXPECT_GT(checked, 100);
}

// Presses in quick succession, with a tick between them that may or may not
// bring an estimate; every few presses the estimate is awaited.
TEST(BattleWindowGauge, NeverShowsAnEarlierPresssEstimateUnmarked)
{
    SeededBattle battle(5);
    auto* gauge = battle.child<QProgressBar>("winGauge");
    const auto reference = [&] {
        WinChanceEstimator estimator;
        estimator.start(copyBattle(battle.state, battle.window.view()));
        estimator.wait();
        return estimator.take()->estimate.chance;
    };
    const auto shown = [&](double chance) {
        return gauge->isEnabled() && gauge->format() == QString::number(chance * 100.0, 'f', 1) + QStringLiteral(" %")
            && gauge->value() == static_cast<int>(std::lround(chance * 100.0));
    };
    battle.window.settleWinChance();
    ASSERT_TRUE(shown(reference())) << gauge->format().toStdString();
    int marked = 0;
    for (int press = 1; !battle.decided(); ++press) {
        ASSERT_LT(press, 300);
        battle.window.autoPress();
        if (press % 4 == 0)
            battle.window.settleWinChance();
        battle.window.timerAction4();
        const double now = reference();
        if (battle.window.winChance()) {
            EXPECT_EQ(battle.window.winChance()->chance, now) << "press " << press;
            EXPECT_TRUE(shown(now)) << "press " << press << ": " << gauge->format().toStdString();
        } else {
            EXPECT_FALSE(gauge->isEnabled()) << "press " << press;
            EXPECT_TRUE(gauge->format().startsWith(QStringLiteral("計算中…"))) << gauge->format().toStdString();
            ++marked;
        }
        if (press % 4 == 0) {
            EXPECT_TRUE(battle.window.winChance()) << "an awaited estimate shows, press " << press;
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
    const QString base = QString::fromStdString(folder.base());
    const auto saved = [&](const QString& name) {
        EXPECT_EQ(battle.window.saveLog(base + name), QString());
        QFile file(base + name);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll().toStdString();
    };
    const QString announcement = battle.navi();
    const std::size_t entries = battle.window.log().size();
    const std::string text = saved("/before.txt");
    const std::string csv = saved("/before.csv");
    const BattleHistory history = battle.window.history();
    ASSERT_TRUE(announcesEnd(battle.window.log().back().message));
    for (int press = 0; press < 5; ++press) {
        battle.window.Navigation();
        battle.window.settleWinChance();
        EXPECT_EQ(battle.navi(), announcement);
    }
    EXPECT_EQ(battle.window.log().size(), entries);
    EXPECT_EQ(saved("/after.txt"), text);
    EXPECT_EQ(saved("/after.csv"), csv);
    EXPECT_EQ(battle.window.history().hp, history.hp);
    EXPECT_EQ(battle.window.history().chance, history.chance);
    EXPECT_TRUE(battle.child<QPushButton>("chartButton")->isEnabled());
    battle.window.replay();
    EXPECT_EQ(battle.window.log().size(), 0u);
    while (!battle.decided())
        battle.window.Navigation();
    EXPECT_EQ(battle.window.log().size(), entries) << "a replay records its battle again";
}
