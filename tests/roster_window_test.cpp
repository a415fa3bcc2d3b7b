// The roster window: its table follows loads, inserts and deletes; a double click opens the editor.
#include "EditingApp.h"

#include "records/RowRule.h"
#include "roster/CharacterFile.h"

#include <gtest/gtest.h>

using namespace pc;

namespace {

// Five saved characters A to E, the first with a picture, loaded, after a click on a row.
struct FiveAfterAClick {
    explicit FiveAfterAClick(std::int32_t clicked)
    {
        std::string preset;
        for (const char* name : {"A", "B", "C", "D", "E"}) {
            OBJE record;
            InitObje(record);
            record.name = record.fileName = name;
            record.imageName = std::string(name) + ".png";
            record.baseStatus.HP = 1000000;
            folder.write(name, characterText(record));
            preset += std::string(name) + '\n';
        }
        folder.write("preset.txt", preset);
        writePicture(folder, "data/CharaList/img/A.png", Qt::blue, "PNG");
        app.tick();
        app.app.characterList().ClistTVsgl(clicked);
    }

    QStringList tableNames()
    {
        QStringList names;
        for (int row = 0; row < app.app.characterList().rows().rowCount(); ++row)
            names << app.cell(row, "name");
        return names;
    }

    TempDataFolder folder;
    EditingApp app{folder};
};

} // namespace

TEST(RosterWindowTest, TheTableShowsNameHpAndPictureWithTheFirstRowDesignated)
{
    FiveAfterAClick five(0);
    EXPECT_EQ(five.tableNames(), (QStringList{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(five.app.cell(0, "HP"), "1e+06");
    EXPECT_EQ(five.app.app.characterList().rows().row(0).value("img").value<QImage>().pixelColor(0, 0),
              QColor(Qt::blue));
    EXPECT_FALSE(five.app.app.characterList().rows().row(1).contains("img"));
    EXPECT_EQ(five.app.selectedRow(), 0);
}

TEST(RosterWindowTest, InsertAndDeleteMirrorTheRosterAndItsDesignatedRow)
{
    const QString fresh = "新規キャラクター";
    const struct { const char* name; std::int32_t clicked; const char* button; QStringList expected; int selected; } cases[] = {
        {"insert after a click on row 2", 2, "insertButton", {"A", "B", fresh, "C", "D", "E"}, 2},
        {"insert after a click below the rows", -1, "insertButton", {"A", "B", "C", "D", "E", fresh}, 5},
        {"delete after a click on row 3", 3, "deleteButton", {"A", "B", "C", "E"}, 2},
        {"delete past the end leaves the table as it was", 9, "deleteButton", {"A", "B", "C", "D", "E"}, -1},
    };
    for (const auto& c : cases) {
        FiveAfterAClick five(c.clicked);
        EditingApp::answering(Qt::Key_Return, [&] { five.app.press(five.app.app.characterList(), c.button); });
        EXPECT_EQ(five.tableNames(), c.expected) << c.name;
        EXPECT_EQ(five.app.selectedRow(), c.selected) << c.name;
        five.app.app.state().initCListFlag = true;
        five.app.tick();
        EXPECT_EQ(five.tableNames(), c.expected) << c.name << ": the table is the roster, row for row";
    }
    FiveAfterAClick five(2);
    five.app.press(five.app.app.characterList(), "insertButton");
    EXPECT_EQ(five.app.cell(2, "HP"), "100") << "the new record's HP, also after a cancel";
    EXPECT_TRUE(five.app.app.registerWindow().isVisible());
    five.app.tick();
    EXPECT_EQ(five.app.shown("TFName"), fresh) << "the editor opens on the new character";
}

TEST(RosterWindowTest, ADoubleClickOpensTheEditorOnlyOnARow)
{
    const struct { const char* name; std::int32_t clicked; bool opens; } cases[] = {
        {"a row", 1, true},
        {"below the rows", -1, false},
        {"a row past the end", 9, false},
    };
    for (const auto& c : cases) {
        FiveAfterAClick five(c.clicked);
        five.app.app.characterList().ClistTVdbl();
        EXPECT_EQ(five.app.app.registerWindow().isVisible(), c.opens) << c.name;
        EXPECT_EQ(five.app.app.state().initRegisterFlag, c.opens) << c.name;
        EXPECT_EQ(five.app.app.state().setPentaFlag, c.opens) << c.name;
    }
}

TEST(RosterWindowTest, ExportWritesTheClickedCharacterAndImportBackNumbersItsNames)
{
    FiveAfterAClick five(2);
    CharacterList& window = five.app.app.characterList();
    TempDataFolder shared;
    window.exportTo(QString::fromStdString(shared.base() + "/data"), false);
    EXPECT_EQ(shared.read("preset.txt"), "C\n");
    EXPECT_EQ(window.message(), QString::fromStdString("1人を " + shared.base() + "/data/CharaList に書き出しました"));

    AppState& state = five.app.app.state();
    window.addIncoming(readRosterFolder(state, five.app.app.context().storage, shared.path("")));
    five.app.tick();
    EXPECT_EQ(five.tableNames(), (QStringList{"A", "B", "C", "D", "E", "C"}));
    EXPECT_EQ(recordAt(state.objeTop, 5)->fileName, "C2");
    EXPECT_EQ(five.folder.read("preset.txt"), "A\nB\nC\nD\nE\nC2\n");
    EXPECT_EQ(window.message(), "1人を追加しました。");
}
