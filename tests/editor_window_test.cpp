// The character editor: filling, the live derived statistics, submit and its refusals, pictures, cancel.
#include "EditingApp.h"

#include "app/Title.h"
#include "records/RowRule.h"

#include <cmath>

#include <gtest/gtest.h>

using namespace pc;

namespace {

// An application over a folder with two saved characters, "first" and "second",
// with the editor open on the first.
class EditorWindowTest : public ::testing::Test {
protected:
    EditorWindowTest()
    {
        folder.write("preset.txt", "first\nsecond\n");
        folder.write("first", "ファースト\nf\nfirst,first.png\n100,50,5,500\n30,30,30,30,30,30,30\n");
        folder.write("second", "セカンド\ns\nsecond,second.png\n200,50,5,500\n10,10,10,10,10,10,10\n");
        app.tick();
        app.app.characterList().ClistTVsgl(0);
        app.app.characterList().ClistTVdbl();
        app.tick();
    }

    OBJE& character(int row) { return *recordAt(app.app.state().objeTop, row); }

    TempDataFolder folder;
    EditingApp app{folder};
};

} // namespace

TEST_F(EditorWindowTest, OpensWithTheCharactersValues)
{
    EXPECT_EQ(app.shown("TFName"), "ファースト");
    EXPECT_EQ(app.shown("TFTag"), "f");
    EXPECT_EQ(app.shown("TFFile"), "first");
    EXPECT_EQ(app.shown("TFImage"), "first.png");
    EXPECT_EQ(app.shown("TFHP"), "100");
    EXPECT_EQ(app.shown("TFWP"), "500");
    EXPECT_EQ(app.label("TFATK"), "ATK 30");
    EXPECT_EQ(app.label("TFARI"), "ARI 30");
    EXPECT_TRUE(app.editor<PictureView>("IVImage")->picture().isNull());
}

TEST_F(EditorWindowTest, TypedStatisticsChangeTheStoredDerivedOnesUntilCancel)
{
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
    app.type("TFHP", "250");
    app.type("TFLUK", "77");
    app.dropOnPicture(writePicture(folder, "hero.jpg", Qt::red, "JPG"));
    app.press(app.app.registerWindow(), "submitButton");
    EXPECT_FALSE(app.app.registerWindow().isVisible());
    EXPECT_EQ(character(0).name, "勇者");
    EXPECT_EQ(character(0).baseStatus.HP, 250);
    EXPECT_EQ(character(0).baseStatus.LUK, 77);
    EXPECT_TRUE(folder.read("first").starts_with("勇者\nf\nfirst,first.png\n250,50,5,500\n30,30,30,30,30,30,77\n"));
    QImage saved;
    ASSERT_TRUE(saved.loadFromData(QByteArray::fromStdString(folder.read("img/first.png")), "PNG"))
        << "saved as PNG whatever the format it came in";
    EXPECT_EQ(saved.size(), QSize(24, 16));
    EXPECT_EQ(folder.read("preset.txt"), "first\nsecond\n");
    app.tick();
    EXPECT_EQ(app.cell(0, "name"), "勇者");
    EXPECT_EQ(app.cell(0, "HP"), "250");
    EXPECT_FALSE(app.app.characterList().rows().row(0).value("img").value<QImage>().isNull());
}

TEST_F(EditorWindowTest, ALetterInANumericFieldStoresZero)
{
    app.type("TFHP", "abc");
    app.type("TFMP", "12abc");
    app.press(app.app.registerWindow(), "submitButton");
    EXPECT_EQ(character(0).baseStatus.HP, 0);
    EXPECT_EQ(character(0).baseStatus.MP, 12);
}

TEST_F(EditorWindowTest, AClickOnAnotherRosterRowRetargetsTheEditor)
{
    app.type("TFSTR", "100");
    app.app.characterList().ClistTVsgl(1);
    app.tick();
    EXPECT_EQ(character(1).baseStatus.ATK, 73) << "the live pass follows the designated row";
    EXPECT_EQ(character(0).baseStatus.ATK, 30);
    app.type("TFFile", "moved");
    app.press(app.app.registerWindow(), "submitButton");
    EXPECT_EQ(character(1).name, "ファースト");
    EXPECT_EQ(character(0).name, "ファースト");
    EXPECT_TRUE(folder.exists("moved"));
    EXPECT_EQ(folder.read("preset.txt"), "first\nmoved\n");
}

TEST_F(EditorWindowTest, ARefusedSubmitShowsWhyBesideTheFieldAndStaysOpen)
{
    const struct { const char* name; const char* field; QString text; const char* problem; } cases[] = {
        {"comma in the file name", "TFFile", "a,b", "fileProblem"},
        {"another character's file", "TFFile", "second", "fileProblem"},
        {"unusable file name", "TFFile", "", "fileProblem"},
        {"separator in the name", "TFName", "----++", "nameProblem"},
        {"line feed in the tag", "TFTag", "a\nb", "tagProblem"},
    };
    for (const auto& c : cases) {
        const std::string before = folder.read("first");
        app.type(c.field, c.text);
        app.press(app.app.registerWindow(), "submitButton");
        EXPECT_TRUE(app.app.registerWindow().isVisible()) << c.name;
        EXPECT_TRUE(app.editor<QLabel>(c.problem)->isVisibleTo(&app.app.registerWindow())) << c.name;
        EXPECT_FALSE(app.label(c.problem).isEmpty()) << c.name;
        EXPECT_EQ(folder.read("first"), before) << c.name;
        EXPECT_EQ(character(0).name, "ファースト") << c.name;
        app.tick();
    }
    app.app.characterList().ClistTVdbl();
    app.tick();
    EXPECT_FALSE(app.editor<QLabel>("fileProblem")->isVisibleTo(&app.app.registerWindow()))
        << "reopening clears the messages";
}

TEST_F(EditorWindowTest, AFailedSaveIsReportedWithItsReason)
{
    app.type("TFFile", QString(300, u'x'));
    app.press(app.app.registerWindow(), "submitButton");
    EXPECT_TRUE(app.app.registerWindow().isVisible());
    EXPECT_TRUE(app.label("saveProblem").startsWith("保存できませんでした："));
    EXPECT_EQ(character(0).fileName, "first") << "the character is as it was";
    EXPECT_TRUE(app.app.state().setPentaFlag);
}

TEST_F(EditorWindowTest, PicturesAreDroppedChosenOrCleared)
{
    app.dropOnPicture(folder.path("first"));
    EXPECT_TRUE(app.editor<PictureView>("IVImage")->picture().isNull());
    EXPECT_FALSE(app.label("imageProblem").isEmpty()) << "a file that is no picture is refused with a message";

    app.dropOnPicture(writePicture(folder, "blue.bmp", Qt::blue, "BMP"));
    EXPECT_EQ(app.editor<PictureView>("IVImage")->picture().pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_TRUE(app.label("imageProblem").isEmpty());

    app.press(app.app.registerWindow(), "clearPictureButton");
    EXPECT_TRUE(app.editor<PictureView>("IVImage")->picture().isNull());
    app.press(app.app.registerWindow(), "submitButton");
    EXPECT_FALSE(folder.exists("img/first.png"));
}

TEST_F(EditorWindowTest, TheCloseBoxCancelsTheEdit)
{
    app.app.state().Robje = character(0).baseResist;
    app.app.registerWindow().close();
    EXPECT_FALSE(app.app.registerWindow().isVisible());
    EXPECT_FALSE(app.app.state().setPentaFlag);
    EXPECT_FALSE(app.app.state().Robje);
}

TEST(EditingSessionTest, TwoCharactersMadeFromAnEmptyFolderAreThereAfterARestart)
{
    TempDataFolder folder;
    const std::string red = writePicture(folder, "red.png", Qt::red, "PNG");
    const std::string green = writePicture(folder, "green.bmp", Qt::green, "BMP");
    {
        EditingApp first(folder);
        first.app.showTitle();
        first.tick();
        first.press(first.app.title(), "characterRegisterButton");
        const struct { QString name; QString hp; QString str; std::string picture; } made[] = {
            {"アリス", "300", "45", red},
            {"ボブ", "280", "60", green},
        };
        for (const auto& m : made) {
            first.press(first.app.characterList(), "insertButton");
            first.tick();
            first.type("TFName", m.name);
            first.type("TFHP", m.hp);
            first.type("TFSTR", m.str);
            first.dropOnPicture(m.picture);
            first.press(first.app.registerWindow(), "submitButton");
            ASSERT_FALSE(first.app.registerWindow().isVisible()) << first.label("fileProblem").toStdString();
            first.tick();
        }
    }
    EditingApp second(folder);
    second.tick();
    ASSERT_EQ(countOf(second.app.state().objeTop), 2);
    const OBJE& bob = *second.app.state().objeTop;
    const OBJE& alice = *bob.next;
    EXPECT_EQ(alice.name, "アリス");
    EXPECT_EQ(alice.baseStatus.HP, 300);
    EXPECT_EQ(alice.baseStatus.ATK, std::floor((5 * 45 + 2 * 30 + 30) / 8.0));
    EXPECT_EQ(imageOf(alice.image).pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(bob.name, "ボブ");
    EXPECT_EQ(bob.baseStatus.STR, 60);
    EXPECT_EQ(imageOf(bob.image).pixelColor(0, 0), QColor(Qt::green));
    EXPECT_NE(alice.fileName, bob.fileName);
    EXPECT_NE(alice.imageName, bob.imageName);
    EXPECT_EQ(second.cell(0, "name"), "ボブ");
    EXPECT_EQ(second.cell(1, "name"), "アリス");
}
