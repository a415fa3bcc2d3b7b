// The character editor: filling, the live derived statistics, submit and its refusals, pictures, cancel.
#include "EditingApp.h"

#include "app/Title.h"
#include "records/RowRule.h"

#include <QComboBox>

#include <vector>

#include <gtest/gtest.h>

using namespace pc;

namespace {

// Two saved characters, "first" and "second", with the editor open on the first.
class EditorWindowTest : public ::testing::Test {
protected:
    EditorWindowTest()
    {
        folder.write("preset.txt", "first\nsecond\n");
        folder.write("first", "ファースト\nf\nfirst,first.png\n100,50,5,500\n30,30,30,30,30,30,30\n");
        folder.write("second", "セカンド\ns\nsecond,second.png\n200,50,5,500\n10,10,10,10,10,10,10\n");
        app.tick();
        app.openEditor(0);
    }

    OBJE& character(int row) { return *recordAt(app.app.state().objeTop, row); }
    PictureView* pictureView() { return app.editor<PictureView>("IVImage"); }

    TempDataFolder folder;
    EditingApp app{folder};
};

} // namespace

TEST_F(EditorWindowTest, TypedStatisticsChangeTheStoredDerivedOnesUntilCancel)
{
    EXPECT_EQ(app.shown("TFName"), "ファースト");
    EXPECT_EQ(app.shown("TFWP"), "500");
    EXPECT_EQ(app.label("TFATK"), "ATK 30");
    app.type("TFSTR", "100");
    app.tick();
    EXPECT_EQ(character(0).baseStatus.ATK, 73);
    EXPECT_EQ(character(0).baseStatus.STR, 30) << "the typed value itself is not stored";
    EXPECT_EQ(app.label("TFATK"), "ATK 73");
    EXPECT_EQ(character(1).baseStatus.ATK, 10) << "the other characters follow their stored values";

    app.press(app.app.registerWindow(), "cancelButton");
    EXPECT_FALSE(app.app.registerWindow().isVisible());
    app.tick();
    EXPECT_EQ(character(0).baseStatus.ATK, 30);
}

TEST_F(EditorWindowTest, SubmitWritesTheFieldsThePictureAndTheFilesAndRebuildsTheTable)
{
    app.type("TFName", "勇者");
    app.type("TFHP", "");
    app.type("TFMP", "１２");
    app.type("TFLUK", "77");
    app.dropOnPicture(writePicture(folder, "hero.jpg", Qt::red, "JPG"));
    app.press(app.app.registerWindow(), "submitButton");
    EXPECT_FALSE(app.app.registerWindow().isVisible());
    EXPECT_EQ(character(0).name, "勇者");
    EXPECT_EQ(character(0).baseStatus.HP, 0) << "an empty field reads as 0";
    EXPECT_EQ(character(0).baseStatus.MP, 12);
    EXPECT_TRUE(folder.read("first").starts_with("勇者\nf\nfirst,first.png\n0,12,5,500\n30,30,30,30,30,30,77\n"));
    QImage saved;
    ASSERT_TRUE(saved.loadFromData(QByteArray::fromStdString(folder.read("img/first.png")), "PNG"))
        << "saved as PNG whatever the format it came in";
    EXPECT_EQ(saved.size(), QSize(24, 16));
    app.tick();
    EXPECT_EQ(app.cell(0, "name"), "勇者");
    EXPECT_EQ(app.cell(0, "HP"), "0");
    EXPECT_FALSE(app.app.characterList().rows().row(0).value("img").value<QImage>().isNull());
}

TEST_F(EditorWindowTest, ARefusedOrFailedSubmitSaysWhyBesideTheFieldAndStaysOpen)
{
    const struct { const char* name; const char* field; QString text; const char* problem; } cases[] = {
        {"comma in the file name", "TFFile", "a,b", "fileProblem"},
        {"another character's file", "TFFile", "second", "fileProblem"},
        {"separator in the name", "TFName", "----++", "nameProblem"},
        {"line feed in the tag", "TFTag", "a\nb", "tagProblem"},
        {"a name too long for the file system", "TFFile", QString(300, u'x'), "saveProblem"},
    };
    for (const auto& c : cases) {
        app.openEditor(0);
        app.type(c.field, c.text);
        app.press(app.app.registerWindow(), "submitButton");
        EXPECT_TRUE(app.app.registerWindow().isVisible()) << c.name;
        EXPECT_TRUE(app.editor<QLabel>(c.problem)->isVisibleTo(&app.app.registerWindow())) << c.name;
        EXPECT_FALSE(app.label(c.problem).isEmpty()) << c.name;
        EXPECT_EQ(character(0).fileName, "first") << c.name;
        EXPECT_TRUE(app.app.state().setPentaFlag) << c.name;
        app.press(app.app.registerWindow(), "cancelButton");
    }
    app.openEditor(0);
    app.type("TFFile", QString(300, u'x'));
    app.press(app.app.registerWindow(), "submitButton");
    EXPECT_TRUE(app.label("saveProblem").startsWith("保存できませんでした："));
    app.press(app.app.registerWindow(), "cancelButton");
    EXPECT_TRUE(folder.read("first").starts_with("ファースト\n")) << "nothing was written";
    app.openEditor(0);
    EXPECT_FALSE(app.editor<QLabel>("saveProblem")->isVisibleTo(&app.app.registerWindow()))
        << "reopening clears the messages";
}

TEST_F(EditorWindowTest, PicturesAreDroppedOrClearedAndTheCloseBoxCancels)
{
    app.dropOnPicture(folder.path("first"));
    EXPECT_TRUE(pictureView()->picture().isNull());
    EXPECT_FALSE(app.label("imageProblem").isEmpty()) << "a file that is no picture is refused with a message";
    app.dropOnPicture(writePicture(folder, "blue.bmp", Qt::blue, "BMP"));
    EXPECT_EQ(pictureView()->picture().pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_TRUE(app.label("imageProblem").isEmpty());
    app.press(app.app.registerWindow(), "clearPictureButton");
    EXPECT_TRUE(pictureView()->picture().isNull());

    app.app.state().Robje = character(0).baseResist;
    app.app.registerWindow().close();
    EXPECT_FALSE(app.app.registerWindow().isVisible());
    EXPECT_FALSE(app.app.state().setPentaFlag);
    EXPECT_FALSE(app.app.state().Robje);
}

// From an empty data folder: two characters with names, numbers and pictures,
// the first also with three attacks and new resistances; all there after a restart.
TEST(EditingSessionTest, WhatANewcomerEntersIsThereAfterARestart)
{
    TempDataFolder folder;
    const struct { QString name; QString hp; std::string picture; QColor colour; } made[] = {
        {"アリス", "300", writePicture(folder, "red.png", Qt::red, "PNG"), Qt::red},
        {"ボブ", "280", writePicture(folder, "green.bmp", Qt::green, "BMP"), Qt::green},
    };
    const struct { QString name; QString mp; int range, type, prop, seed; } attacks[] = {
        {"斬り", "0", 1, 0, 1, 1}, {"火炎", "12", 3, 1, 8, 2}, {"癒し", "8", 5, 2, 14, 5}};
    std::vector<ATTACK> attacksBefore;
    RESIST resistancesBefore;
    {
        EditingApp first(folder);
        first.app.showTitle();
        first.tick();
        first.press(first.app.title(), "characterRegisterButton");
        for (const auto& m : made) {
            first.press(first.app.characterList(), "insertButton");
            first.tick();
            first.type("TFName", m.name);
            first.type("TFHP", m.hp);
            first.dropOnPicture(m.picture);
            if (m.name == "アリス") {
                first.app.registerWindow().WlistTVsgl(-1);
                for (const auto& a : attacks) {
                    first.press(first.app.registerWindow(), "WinsertButton");
                    first.tick();
                    QWidget& window = first.app.attackWindow();
                    first.in(window, "Wname")->setText(a.name);
                    first.in(window, "WMP")->setText(a.mp);
                    for (const auto& [menu, index] : {std::pair{"Wrange", a.range}, {"Wtype", a.type},
                                                      {"Wprop", a.prop}, {"Wseed", a.seed}})
                        first.in<QComboBox>(window, menu)->setCurrentIndex(index);
                    first.press(window, "submitButton");
                    first.tick();
                    first.app.registerWindow().WlistTVsgl(-1);
                }
                first.press(first.app.registerWindow(), "resistButton");
                first.tick();
                first.in(first.app.resistWindow(), "TFfire")->setText("50");
                first.in(first.app.resistWindow(), "TFdeath")->setText("0");
                first.press(first.app.resistWindow(), "submitButton");
            }
            first.press(first.app.registerWindow(), "submitButton");
            ASSERT_FALSE(first.app.registerWindow().isVisible()) << first.label("fileProblem").toStdString();
            first.tick();
        }
        const OBJE& alice = *first.app.state().objeTop->next;
        for (const ATTACK* a = alice.attacks; a; a = a->next)
            attacksBefore.push_back(*a);
        resistancesBefore = alice.baseResist;
    }
    ASSERT_EQ(attacksBefore.size(), 3u);
    EXPECT_EQ(attacksBefore[1].name, "火炎");
    EXPECT_EQ(attacksBefore[1].prop, 8);
    EXPECT_EQ(resistancesBefore[RESIST::fire], 50);

    EditingApp second(folder);
    second.tick();
    ASSERT_EQ(countOf(second.app.state().objeTop), 2);
    EXPECT_EQ(second.cell(0, "name"), "ボブ") << "the second was inserted in front of the first";
    for (std::size_t row : {0u, 1u}) {
        const OBJE& loaded = *recordAt(second.app.state().objeTop, static_cast<std::int32_t>(row));
        const auto& m = made[1 - row];
        EXPECT_EQ(QString::fromStdString(loaded.name), m.name);
        EXPECT_EQ(loaded.baseStatus.HP, m.hp.toDouble());
        EXPECT_EQ(imageOf(loaded.image).pixelColor(0, 0), m.colour);
    }
    const OBJE& alice = *second.app.state().objeTop->next;
    EXPECT_EQ(alice.baseResist, resistancesBefore);
    std::size_t i = 0;
    for (const ATTACK* a = alice.attacks; a && i < attacksBefore.size(); a = a->next, ++i) {
        const ATTACK& b = attacksBefore[i];
        EXPECT_EQ(std::tie(a->name, a->tag, a->range, a->type, a->prop, a->seed),
                  std::tie(b.name, b.tag, b.range, b.type, b.prop, b.seed)) << i;
        EXPECT_EQ(std::tie(a->MP, a->MPP, a->succ, a->crit, a->count, a->hit),
                  std::tie(b.MP, b.MPP, b.succ, b.crit, b.count, b.hit)) << i;
        EXPECT_EQ(a->status, b.status) << i;
        EXPECT_EQ(a->flags, b.flags) << i;
    }
    EXPECT_EQ(countOf(alice.attacks), 3);
}
