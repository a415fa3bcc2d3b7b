// The attack table of the character editor and the attack editor, through their widgets.
#include "EditingApp.h"

#include "records/RowRule.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>

#include <gtest/gtest.h>

using namespace pc;

namespace {

// A roster of "three", with the attacks X, Y and Z, and "none", without attacks;
// the character editor is open on "three".
class AttackWindowTest : public ::testing::Test {
protected:
    AttackWindowTest()
    {
        const std::string attack = ",xxxx,0,0,0,0,0,0,0,0,0,0\n0,0,0,0,0,0,0,0,0,0,5,0,0,0,0\n0,1,0,0,0,0,0\n";
        folder.write("preset.txt", "three\nnone\n");
        folder.write("three", "三\nt\nthree,three.png\n100,50,5,500\n30,30,30,30,30,30,30\n"
                              "100,100,100,100,100,100,100,100\n100,100,100,100,100,100,100,100\n100,100,100,100,100,100\n"
                              "----++\nX" + attack + "Y" + attack + "Z" + attack + "----++\n");
        folder.write("none", "無\nt\nnone,none.png\n");
        app.tick();
        app.openEditor(0);
    }

    QWidget& attackWindow() { return app.app.attackWindow(); }
    QComboBox* menu(const char* name) { return app.in<QComboBox>(attackWindow(), name); }
    QStringList tableNames()
    {
        QStringList names;
        for (int row = 0; row < app.app.registerWindow().attackRows().rowCount(); ++row)
            names << app.app.registerWindow().attackRows().row(row).value("name").toString();
        return names;
    }
    const ATTACK& attack(int row) { return *recordAt(app.app.state().objeTop->attacks, row); }

    void key(Qt::Key key)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(app.editor<RowTableView>("WlistTV"), &press);
    }

    TempDataFolder folder;
    EditingApp app{folder};
};

} // namespace

TEST_F(AttackWindowTest, ANewAttackOpensWithItsInitialValuesAndTheFirstItems)
{
    app.app.registerWindow().WlistTVsgl(1);
    app.press(app.app.registerWindow(), "WinsertButton");
    EXPECT_EQ(tableNames(), (QStringList{"X", "新規技", "Y", "Z"}));
    EXPECT_EQ(app.selectedRowOf("WlistTV"), 1);
    EXPECT_TRUE(attackWindow().isVisible());
    app.tick();
    EXPECT_EQ(app.in(attackWindow(), "Wname")->text(), "新規技");
    EXPECT_EQ(app.in(attackWindow(), "Wtag")->text(), "xxxx");
    for (const char* field : {"WMP", "WMPP", "Wsucc", "Wcrit", "Wcount", "Whit"})
        EXPECT_EQ(app.in(attackWindow(), field)->text(), "0") << field;
    const struct { const char* name; int items; } menus[] = {{"Wrange", 9}, {"Wtype", 6}, {"Wprop", 22}, {"Wseed", 6}};
    for (const auto& m : menus) {
        EXPECT_EQ(menu(m.name)->currentIndex(), 0) << m.name;
        EXPECT_EQ(menu(m.name)->count(), m.items) << m.name;
    }
    for (int i = 0; i < kResistCount; ++i)
        EXPECT_TRUE(menu("Wprop")->itemText(i).endsWith(QString::fromUtf8(kAttributeNames[static_cast<std::size_t>(i)])));
}

TEST_F(AttackWindowTest, SubmitStoresTheValuesAndTheTableShowsTheNewNameWithinOneTick)
{
    app.app.registerWindow().WlistTVsgl(2);
    app.app.registerWindow().WlistTVdbl();
    app.tick();
    app.in(attackWindow(), "Wname")->setText("雷撃");
    app.in(attackWindow(), "WMP")->setText("１２");
    menu("Wprop")->setCurrentIndex(10);
    app.press(attackWindow(), "submitButton");
    EXPECT_FALSE(attackWindow().isVisible());
    EXPECT_EQ(attack(2).name, "雷撃");
    EXPECT_EQ(attack(2).MP, 12);
    EXPECT_EQ(attack(2).prop, 10);
    app.tick();
    EXPECT_EQ(tableNames(), (QStringList{"X", "Y", "雷撃"}));
}

TEST_F(AttackWindowTest, CancelTheCloseBoxAndARefusedNameLeaveTheAttackAsItWas)
{
    app.app.registerWindow().WlistTVdbl();
    app.tick();
    app.in(attackWindow(), "Wname")->setText("a,b");
    app.press(attackWindow(), "submitButton");
    EXPECT_TRUE(attackWindow().isVisible()) << "a refused name keeps the editor open";
    EXPECT_FALSE(app.in<QLabel>(attackWindow(), "nameProblem")->text().isEmpty());
    app.press(attackWindow(), "cancelButton");
    EXPECT_FALSE(attackWindow().isVisible());

    app.app.registerWindow().WlistTVdbl();
    app.tick();
    app.in(attackWindow(), "WMP")->setText("99");
    attackWindow().close();
    app.tick();
    EXPECT_EQ(attack(0).name, "X");
    EXPECT_EQ(attack(0).MP, 0);
    EXPECT_EQ(tableNames(), (QStringList{"X", "Y", "Z"}));
}

TEST_F(AttackWindowTest, TheSpecialWindowShowsTheStoredStatusAndFlags)
{
    app.app.registerWindow().WlistTVdbl();
    app.tick();
    app.press(attackWindow(), "specialButton");
    QWidget& special = app.app.attackWindow().specialWindow();
    EXPECT_TRUE(special.isVisible());
    EXPECT_EQ(app.in(special, "statusATK")->text(), "5");
    EXPECT_TRUE(app.in(special, "statusATK")->isReadOnly());
    EXPECT_TRUE(app.in<QCheckBox>(special, "flag2")->isChecked());
    EXPECT_FALSE(app.in<QCheckBox>(special, "flag1")->isChecked());
    EXPECT_FALSE(app.in<QCheckBox>(special, "flag2")->isEnabled());
}

TEST_F(AttackWindowTest, ARowLeftFromAnotherCharacterNeverReachesPastTheEnd)
{
    app.app.registerWindow().WlistTVsgl(2);
    app.app.state().ClistClickedRow = 1;
    app.press(app.app.registerWindow(), "WdeleteButton");
    app.press(app.app.registerWindow(), "WopenButton");
    EXPECT_FALSE(attackWindow().isVisible()) << "no attack at row 2 of an empty list";
    EXPECT_EQ(countOf(app.app.state().objeTop->attacks), 3) << "the first character's list is untouched";
    app.press(app.app.registerWindow(), "WinsertButton");
    const OBJE& none = *app.app.state().objeTop->next;
    ASSERT_NE(none.attacks, nullptr);
    EXPECT_EQ(none.attacks->next, nullptr);
    EXPECT_EQ(app.app.state().WlistClickedRow, 0);
    EXPECT_EQ(tableNames(), (QStringList{"新規技"})) << "the table shows the list it acted on";
}

TEST_F(AttackWindowTest, TheKeysWorkTheTableLikeClicks)
{
    app.editor<RowTableView>("WlistTV")->setFocus();
    key(Qt::Key_Down);
    EXPECT_EQ(app.app.state().WlistClickedRow, 1);
    key(Qt::Key_Return);
    EXPECT_TRUE(attackWindow().isVisible());
    EXPECT_TRUE(app.app.registerWindow().isVisible()) << "Enter opened the attack, it did not submit the character";
    app.tick();
    EXPECT_EQ(app.in(attackWindow(), "Wname")->text(), "Y");
}
