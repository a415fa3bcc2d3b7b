// SPDX-License-Identifier: GPL-3.0-or-later
// The roster and party windows act on the highlighted row, a delete asks first and goes to the trash, and an edit stays with its character.
#include "EditingApp.h"
#include "Fixtures.h"

#include "battle/BattleWindow.h"
#include "battle/ReadyUpList.h"
#include "roster/CharacterFile.h"
#include "roster/ImportWindow.h"

#include <gtest/gtest.h>

using namespace pc;

namespace {

// Five saved characters A to E, each with a file and a picture, in a shown roster window.
struct RosterSafetyTest : testing::Test {
    void SetUp() override
    {
        for (const char* name : {"A", "B", "C", "D", "E"}) {
            OBJE record;
            InitObje(record);
            record.name = record.fileName = name;
            record.imageName = std::string(name) + ".png";
            folder.write(name, characterText(record));
            folder.write("img/" + record.imageName, "picture");
        }
        folder.write("preset.txt", "A\nB\nC\nD\nE\n");
        app.tick();
        roster().show();
    }

    CharacterList& roster() { return app.app.characterList(); }
    RowTableView* table() { return app.in<RowTableView>(roster(), "ClistTV"); }
    void key(Qt::Key pressed) { QTest::keyClick(table(), pressed); }
    QStringList names()
    {
        QStringList shown;
        for (int row = 0; row < roster().rows().rowCount(); ++row)
            shown << app.cell(row, "name");
        return shown;
    }
    std::string files()
    {
        std::string all;
        for (const char* name : {"preset.txt", "A", "C", "D", "E", "img/A.png", "img/C.png"})
            all += std::string(name) + ":" + folder.read(name) + "\n";
        return all;
    }

    TempDataFolder folder;
    EditingApp app{folder};
};

TEST_F(RosterSafetyTest, TheKeysChooseOpenAndDeleteTheHighlightedCharacterAfterAQuestion)
{
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(app.app.state().ClistClickedRow, 2);
    key(Qt::Key_Return);
    app.tick();
    EXPECT_EQ(app.shown("TFName"), "C");
    QTest::keyClick(&app.app.registerWindow(), Qt::Key_Escape);
    EXPECT_FALSE(app.app.registerWindow().isVisible());

    const std::string before = files();
    EXPECT_EQ(EditingApp::answering(Qt::Key_Escape, [this] { key(Qt::Key_Delete); }),
              "「C」を削除しますか？\n\nファイル：data/CharaList/C\n画像：data/CharaList/img/C.png\n\n"
              "ファイルと画像はゴミ箱へ移します。");
    EXPECT_EQ(files(), before) << "Escape keeps everything";
    EditingApp::answering(Qt::Key_Return, [this] { key(Qt::Key_Delete); });
    EXPECT_EQ(names(), (QStringList{"A", "B", "D", "E"}));
    EXPECT_EQ(folder.read("preset.txt"), "A\nB\nD\nE\n");
    EXPECT_FALSE(folder.exists("C") || folder.exists("img/C.png"));
    EXPECT_TRUE(folder.exists("D") && folder.exists("img/D.png"));
    const QString trash = qEnvironmentVariable("XDG_DATA_HOME") + "/Trash/files/";
    EXPECT_TRUE(QFileInfo::exists(trash + "C") && QFileInfo::exists(trash + "C.png"));
    EXPECT_EQ(app.selectedRow(), 1);
    recordAt(app.app.state().objeTop, 3)->imageName = "D.png"; // E shows D's picture too
    EXPECT_TRUE(EditingApp::answering(Qt::Key_Escape, [this] {
                    key(Qt::Key_Down);
                    key(Qt::Key_Delete);
                }).endsWith("ファイル：data/CharaList/D\n画像：data/CharaList/img/D.png（他のキャラクターも使うので残します）\n\n"
                            "ファイルと画像はゴミ箱へ移します。"));
}

TEST_F(RosterSafetyTest, AClickBelowTheRowsHighlightsNothingNeitherDeletesNorOpensAndAnAddGoesLast)
{
    const std::string before = files();
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, {10, table()->viewport()->height() - 5});
    EXPECT_EQ(app.selectedRow(), -1);
    EXPECT_FALSE(app.in<QPushButton>(roster(), "deleteButton")->isEnabled());
    EXPECT_EQ(EditingApp::answering(Qt::Key_Return, [this] { key(Qt::Key_Delete); }), "");
    key(Qt::Key_Return);
    EXPECT_FALSE(app.app.registerWindow().isVisible());
    EXPECT_EQ(files(), before);
    app.press(roster(), "insertButton");
    EXPECT_EQ(names().mid(0, 5), (QStringList{"A", "B", "C", "D", "E"})) << "追加 with no row highlighted adds at the end";
}

TEST_F(RosterSafetyTest, WhileACharacterIsEditedTheRosterRefusesChangesAndTheEditStaysWithIt)
{
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    app.tick();
    EXPECT_EQ(QApplication::activeModalWidget(), &app.app.registerWindow());
    const QString asked = EditingApp::answering(Qt::Key_Return, [this] {
        app.press(roster(), "deleteButton");
        app.press(roster(), "insertButton");
        roster().ClistTVsgl(3);
    });
    EXPECT_EQ(asked, "");
    EXPECT_EQ(app.app.state().ClistClickedRow, 1);
    EXPECT_TRUE(app.in<QLabel>(roster(), "statusLabel")->isVisibleTo(&roster()));
    const std::string before = files();
    app.type("TFName", "B2");
    app.press(app.app.registerWindow(), "submitButton");
    app.tick();
    EXPECT_EQ(files(), before) << "nothing but B is written";
    EXPECT_NE(folder.read("B").find("B2"), std::string::npos);
    EXPECT_EQ(names(), (QStringList{"A", "B2", "C", "D", "E"}));
}

TEST_F(RosterSafetyTest, PartyTablesActOnTheHighlightedRowAddPastTheEndAndStayWhileABattleIsShown)
{
    ReadyUpList& ready = app.app.readyUpList();
    ready.show();
    ready.timerAction3();
    auto* source = app.in<RowTableView>(ready, "CPlistTV");
    auto* party = app.in<RowTableView>(ready, "RPlistTV");
    QTest::keyClick(source, Qt::Key_Down);
    app.press(ready, "RPaddButton");
    QTest::keyClick(source, Qt::Key_Down);
    app.press(ready, "RPaddButton");
    QTest::mouseClick(party->viewport(), Qt::LeftButton, {}, {10, party->viewport()->height() - 5});
    app.press(ready, "RPdeleteButton");
    app.app.state().RPlistCrow = 7;
    app.press(ready, "RPaddButton");
    app.app.battleWindow().show();
    app.press(ready, "RPaddButton");
    QStringList members;
    for (const OBJE* member = app.app.state().RPtop; member; member = member->next)
        members << QString::fromStdString(member->name);
    EXPECT_EQ(members, (QStringList{"B", "C", "C"}));
}

} // namespace

TEST(ImportWindowTest, AnUntickedCharacterIsLeftOutAndAFileThatCannotBeReadIsStillReported)
{
    AppState state;
    OBJE* record = addCharacter(state, "A", "a", "");
    ImportWindow window("src", {{"a", record, ""}, {"b", nullptr, "読み込めません"}});
    window.setChosen(0, false);
    const std::vector<Incoming> chosen = window.chosen();
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].source, "b");
}
