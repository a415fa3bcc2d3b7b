// SPDX-License-Identifier: GPL-3.0-or-later
// A newcomer's whole journey through the real windows, from an empty data folder: two characters entered, a restart,
// two parties and two battles, a character deleted and one added, which the party selection then follows.
#include "EditingApp.h"

#include "app/Title.h"
#include "battle/BattleWindow.h"
#include "battle/ReadyUpList.h"

#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

using namespace pc;

namespace {

struct AttackEntry {
    QString name;
    int range; // 1: one enemy, 4: every enemy
    QString count;
};

struct CharacterEntry {
    QString name;
    QString file;
    std::vector<std::pair<const char*, QString>> fields; // editor field, text
    Qt::GlobalColor picture;                             // Qt::transparent: none
    std::vector<AttackEntry> attacks;
    std::vector<std::pair<const char*, QString>> resistances;
    QString hit; // the derived HIT the editor shows
};

const CharacterEntry kHero{"勇者アリス",
                           "alice.txt",
                           {{"TFTag", "主人公"}, {"TFImage", "alice.png"}, {"TFHP", "500"}, {"TFMP", "40"},
                            {"TFWP", "4"}, {"TFSTR", "60"}, {"TFDEX", "50"}},
                           Qt::red,
                           {{"全体斬り", 4, "40"}, {"一閃", 1, "60"}},
                           {{"TFfire", "50"}, {"TFdeath", "0"}},
                           "HIT 43"};
const CharacterEntry kSlime{"スライム",
                            "slime.txt",
                            {{"TFImage", "slime.png"}, {"TFHP", "40"}, {"TFWP", "9"}, {"TFSTR", "5"}},
                            Qt::transparent,
                            {},
                            {},
                            "HIT 30"};

// The application over a data folder, with every controller's timer ticked by hand
// and clicks on table rows made with the mouse.
class Journey : public EditingApp {
public:
    using EditingApp::EditingApp;

    void tickAll()
    {
        tick();
        app.readyUpList().timerAction3();
        app.battleWindow().timerAction4();
    }

    // A click on a table row, or below the rows for -1; a double click when `twice`.
    void clickRow(QWidget& window, const char* table, int row, bool twice = false)
    {
        auto* view = in<RowTableView>(window, table);
        const QPoint point = row < 0 ? QPoint(4, view->viewport()->height() - 4)
                                     : view->visualRect(view->model()->index(row, 0)).center();
        if (twice)
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, point);
        else
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, point);
        tickAll();
    }

    void pressAndTick(QWidget& window, const char* button)
    {
        press(window, button);
        tickAll();
    }

    void enter(const TempDataFolder& folder, const CharacterEntry& entry)
    {
        type("TFName", entry.name);
        type("TFFile", entry.file);
        for (const auto& [field, text] : entry.fields)
            type(field, text);
        if (entry.picture != Qt::transparent) {
            folder.write("notes.png", "not a picture");
            dropOnPicture(folder.path("notes.png"));
            EXPECT_FALSE(label("imageProblem").isEmpty()) << "a file that is no picture is refused with a message";
            dropOnPicture(writePicture(folder, entry.file.toStdString() + ".bmp", entry.picture, "BMP"));
        }
        QWidget& attackWindow = app.attackWindow();
        for (const AttackEntry& attack : entry.attacks) {
            clickRow(app.registerWindow(), "WlistTV", -1);
            pressAndTick(app.registerWindow(), "WinsertButton");
            in(attackWindow, "Wname")->setText("a,b");
            pressAndTick(attackWindow, "submitButton");
            EXPECT_TRUE(attackWindow.isVisible()) << "a refused attack name keeps the attack editor open";
            in(attackWindow, "Wname")->setText(attack.name);
            in(attackWindow, "Wcount")->setText(attack.count);
            in(attackWindow, "Wsucc")->setText("100");
            in(attackWindow, "Whit")->setText("100");
            in<QComboBox>(attackWindow, "Wrange")->setCurrentIndex(attack.range);
            pressAndTick(attackWindow, "submitButton");
        }
        if (!entry.resistances.empty()) {
            pressAndTick(app.registerWindow(), "resistButton");
            for (const auto& [field, text] : entry.resistances)
                in(app.resistWindow(), field)->setText(text);
            pressAndTick(app.resistWindow(), "submitButton");
        }
        type("TFFile", QString(300, u'x'));
        pressAndTick(app.registerWindow(), "submitButton");
        EXPECT_TRUE(label("saveProblem").startsWith("保存できませんでした：")) << "a name too long for the file system";
        type("TFFile", entry.file);
        pressAndTick(app.registerWindow(), "submitButton");
        EXPECT_FALSE(app.registerWindow().isVisible()) << label("saveProblem").toStdString();
    }

    // What the editor shows for a character opened by a double click on its roster row.
    void expectShownInTheEditor(int row, const CharacterEntry& entry)
    {
        clickRow(app.characterList(), "ClistTV", row, true);
        ASSERT_TRUE(app.registerWindow().isVisible());
        EXPECT_EQ(shown("TFName"), entry.name);
        EXPECT_EQ(shown("TFFile"), entry.file);
        for (const auto& [field, text] : entry.fields)
            EXPECT_EQ(shown(field), text) << field;
        EXPECT_EQ(label("TFHIT"), entry.hit);
        EXPECT_EQ(label("TFEVA"), "EVA 30");
        EXPECT_FALSE(editor<QLabel>("fileProblem")->isVisibleTo(&app.registerWindow()));
        const QImage picture = editor<PictureView>("IVImage")->picture();
        if (entry.picture == Qt::transparent)
            EXPECT_TRUE(picture.isNull());
        else
            EXPECT_EQ(picture.pixelColor(0, 0), QColor(entry.picture));
        const QAbstractItemModel* attacks = in<RowTableView>(app.registerWindow(), "WlistTV")->model();
        ASSERT_EQ(attacks->rowCount(), static_cast<int>(entry.attacks.size()));
        // The first attack is opened by a double click, the next ones by the arrow key and Enter.
        for (int i = 0; i < attacks->rowCount(); ++i) {
            if (i == 0)
                clickRow(app.registerWindow(), "WlistTV", 0, true);
            else
                for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Return})
                    QTest::keyClick(in<RowTableView>(app.registerWindow(), "WlistTV"), key);
            tickAll();
            EXPECT_EQ(in(app.attackWindow(), "Wname")->text(), entry.attacks[i].name);
            EXPECT_EQ(in<QComboBox>(app.attackWindow(), "Wrange")->currentIndex(), entry.attacks[i].range);
            EXPECT_EQ(in(app.attackWindow(), "Wcount")->text(), entry.attacks[i].count);
            pressAndTick(app.attackWindow(), "cancelButton");
        }
        clickRow(app.registerWindow(), "WlistTV", -1, true);
        EXPECT_FALSE(app.attackWindow().isVisible()) << "a double click below the attack rows opens nothing";
        pressAndTick(app.registerWindow(), "resistButton");
        for (const auto& [field, text] : entry.resistances)
            EXPECT_EQ(in(app.resistWindow(), field)->text(), text) << field;
        EXPECT_EQ(in(app.resistWindow(), "TFblow")->text(), "100");
        pressAndTick(app.resistWindow(), "cancelButton");
        pressAndTick(app.registerWindow(), "cancelButton");
        EXPECT_FALSE(app.state().Robje) << "cancelling the editor drops the resistances held for it";
    }

    // Presses the navigation button until the battle announces its end; the messages shown.
    QStringList fightToTheEnd()
    {
        QStringList messages{navi()};
        for (int press = 0; press < 500 && !navi().startsWith("プレイヤーの"); ++press) {
            pressAndTick(app.battleWindow(), "navigationButton");
            messages << navi();
        }
        return messages;
    }

    QString navi() { return in<QLabel>(app.battleWindow(), "NaviTF")->text(); }
};

} // namespace

TEST(JourneyTest, FromAnEmptyFolderToTwoBattles)
{
    TempDataFolder folder;
    {
        Journey first(folder);
        first.app.showTitle();
        first.tickAll();
        first.pressAndTick(first.app.title(), "characterRegisterButton");
        ASSERT_TRUE(first.app.characterList().isVisible());
        first.pressAndTick(first.app.characterList(), "insertButton");
        first.enter(folder, kHero);
        first.clickRow(first.app.characterList(), "ClistTV", -1);
        first.pressAndTick(first.app.characterList(), "insertButton");
        first.enter(folder, kSlime);
        EXPECT_EQ(first.cell(0, "name"), kHero.name);
        EXPECT_EQ(first.cell(1, "name"), kSlime.name);
    }
    EXPECT_NE(folder.read("alice.txt").find("\n100,100,100,100,100,100,100,100\n50,100,100,100,100,100,100,100\n"
                                           "100,100,100,100,100,0\n"),
              std::string::npos)
        << "the resistances entered are saved in their places";

    Journey again(folder);
    again.app.showTitle();
    again.tickAll();
    again.pressAndTick(again.app.title(), "characterRegisterButton");
    ASSERT_EQ(again.app.characterList().rows().rowCount(), 2);
    EXPECT_EQ(again.cell(0, "HP"), "500");
    EXPECT_EQ(again.cell(1, "HP"), "40");
    const QModelIndex picture = again.app.characterList().rows().index(0, 0);
    EXPECT_TRUE(!picture.data().isValid() && picture.data(Qt::DecorationRole).isValid()) << "the picture alone";
    again.expectShownInTheEditor(0, kHero);
    again.expectShownInTheEditor(1, kSlime);
    again.clickRow(again.app.characterList(), "ClistTV", -1, true);
    EXPECT_FALSE(again.app.registerWindow().isVisible()) << "a double click below the roster rows opens nothing";
    again.pressAndTick(again.app.characterList(), "toTheTitleButton");

    QWidget& party = again.app.readyUpList();
    again.pressAndTick(again.app.title(), "battleReadyButton");
    auto* start = again.in<QPushButton>(party, "startOffBtn");
    EXPECT_FALSE(start->isEnabled());
    again.clickRow(party, "CPlistTV", 0);
    again.pressAndTick(party, "RPaddButton");
    EXPECT_FALSE(start->isEnabled()) << "the enemy party is still empty";
    again.clickRow(party, "CElistTV", 1);
    again.pressAndTick(party, "REaddButton");
    EXPECT_TRUE(start->isEnabled());
    again.clickRow(party, "CElistTV", 1);
    again.pressAndTick(party, "REaddButton");
    BattleWindow& battleWindow = again.app.battleWindow();
    for (int battle = 0; battle < 2; ++battle) {
        SCOPED_TRACE("battle " + std::to_string(battle));
        again.pressAndTick(party, "startOffBtn");
        ASSERT_TRUE(battleWindow.isVisible());
        EXPECT_EQ(again.navi(), "戦闘開始！");
        EXPECT_TRUE(battleWindow.log().empty()) << "a new battle starts a new log";
        // The second battle is left to auto-advance, which stops at the end.
        if (battle == 1) {
            again.pressAndTick(battleWindow, "autoAdvanceButton");
            for (int tick = 0; tick < 500 && battleWindow.autoAdvancing(); ++tick)
                battleWindow.autoPress();
            EXPECT_FALSE(battleWindow.autoAdvancing());
            again.tickAll();
        }
        const QStringList messages = again.fightToTheEnd();
        if (battle == 0) {
            EXPECT_EQ(static_cast<std::size_t>(messages.size()) - 1, battleWindow.log().size()) << "every press is logged";
            ASSERT_GE(messages.size(), 4);
            EXPECT_TRUE(messages[1].startsWith("勇者アリスの全体斬り!\nスライム")) << "she opens on every enemy";
            EXPECT_TRUE(messages[2].startsWith("スライム")) << "its second target follows on the next press";
        }
        EXPECT_EQ(battleWindow.log().back().message, "プレイヤーの勝利！");
        for (const auto& slime : battleWindow.view().SCElistMA)
            EXPECT_TRUE(slime.hp == "0" && slime.fallen) << "every enemy is down and marked in the side table";
        again.pressAndTick(battleWindow, "toTheTitleButton");
        ASSERT_TRUE(again.app.title().isVisible());
        again.pressAndTick(again.app.title(), "battleReadyButton");
        EXPECT_TRUE(start->isEnabled()) << "the parties stay for another battle";
    }

    again.pressAndTick(party, "toTheTitleButton");
    again.pressAndTick(again.app.title(), "characterRegisterButton");
    again.clickRow(again.app.characterList(), "ClistTV", 1);
    EditingApp::answering(Qt::Key_Return, [&] { again.pressAndTick(again.app.characterList(), "deleteButton"); });
    ASSERT_EQ(again.app.characterList().rows().rowCount(), 1);
    EXPECT_FALSE(folder.exists("slime.txt"));
    again.pressAndTick(again.app.characterList(), "toTheTitleButton");
    again.pressAndTick(again.app.title(), "battleReadyButton");
    EXPECT_EQ(again.in<RowTableView>(party, "CElistTV")->model()->rowCount(), 1) << "the tables follow the roster";
    EXPECT_FALSE(start->isEnabled()) << "the parties are emptied with them";

    again.pressAndTick(party, "toTheTitleButton");
    again.pressAndTick(again.app.title(), "characterRegisterButton");
    again.pressAndTick(again.app.characterList(), "insertButton");
    again.enter(folder, kSlime);
    again.pressAndTick(again.app.characterList(), "toTheTitleButton");
    again.pressAndTick(again.app.title(), "battleReadyButton");
    EXPECT_EQ(again.in<RowTableView>(party, "CElistTV")->model()->rowCount(), 2) << "and a character added";
}
