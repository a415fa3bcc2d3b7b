// The roster window: its table follows inserts, deletes and reloads; opening the editor.
#include "EditingApp.h"

#include "roster/CharacterFile.h"

#include <gtest/gtest.h>

using namespace pc;

namespace {

// A data folder with five saved characters A to E, the first with a picture.
void writeFive(const TempDataFolder& folder)
{
    std::string preset;
    for (const char* name : {"A", "B", "C", "D", "E"}) {
        OBJE record;
        InitObje(record);
        record.name = name;
        record.fileName = name;
        record.imageName = std::string(name) + ".png";
        record.baseStatus.HP = 1000000;
        folder.write(name, characterText(record));
        preset += std::string(name) + '\n';
    }
    folder.write("preset.txt", preset);
    folder.write("img/A.png", "");
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(QString::fromStdString(folder.path("img/A.png")), "PNG"));
}

// The application over such a folder, loaded, after a click on a roster row.
struct FiveAfterAClick {
    explicit FiveAfterAClick(std::int32_t clicked)
    {
        writeFive(folder);
        app.tick();
        app.app.characterList().ClistTVsgl(clicked);
    }
    TempDataFolder folder;
    EditingApp app{folder};
};

QStringList tableNames(EditingApp& app)
{
    QStringList names;
    for (int row = 0; row < app.app.characterList().rows().rowCount(); ++row)
        names << app.cell(row, "name");
    return names;
}

} // namespace

TEST(RosterWindowTest, TheTableShowsNameHpAndPicture)
{
    FiveAfterAClick five(0);
    EditingApp& app = five.app;
    EXPECT_EQ(tableNames(app), (QStringList{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(app.cell(0, "HP"), "1e+06");
    EXPECT_EQ(app.app.characterList().rows().row(0).value("img").value<QImage>().pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_FALSE(app.app.characterList().rows().row(1).contains("img"));
    EXPECT_EQ(app.selectedRow(), 0) << "before any click the first row is designated";
}

TEST(RosterWindowTest, InsertAndDeleteMirrorTheRosterAndItsDesignatedRow)
{
    const struct {
        const char* name;
        std::int32_t clicked;
        const char* button;
        QStringList expected;
        int selected;
    } cases[] = {
        {"insert before any click", 0, "insertButton", {"新規キャラクター", "A", "B", "C", "D", "E"}, 0},
        {"insert after a click below the rows", -1, "insertButton", {"A", "B", "C", "D", "E", "新規キャラクター"}, 5},
        {"insert after a click on row 2", 2, "insertButton", {"A", "B", "新規キャラクター", "C", "D", "E"}, 2},
        {"insert past the end", 9, "insertButton", {"A", "B", "C", "D", "E", "新規キャラクター"}, 5},
        {"delete before any click", 0, "deleteButton", {"B", "C", "D", "E"}, 0},
        {"delete after a click below the rows", -1, "deleteButton", {"A", "B", "C", "D"}, 3},
        {"delete after a click on row 3", 3, "deleteButton", {"A", "B", "C", "E"}, 2},
        {"delete past the end leaves the table as it was", 9, "deleteButton", {"A", "B", "C", "D", "E"}, 0},
    };
    for (const auto& c : cases) {
        FiveAfterAClick five(c.clicked);
        EditingApp& app = five.app;
        app.press(app.app.characterList(), c.button);
        EXPECT_EQ(tableNames(app), c.expected) << c.name;
        EXPECT_EQ(app.selectedRow(), c.selected) << c.name;
        QStringList roster;
        for (const OBJE* record = app.app.state().objeTop; record; record = record->next)
            roster << QString::fromStdString(record->name);
        EXPECT_EQ(roster, c.expected) << c.name << ": the table is the roster, row for row";
        if (std::string(c.button) == "insertButton") {
            EXPECT_EQ(app.cell(c.selected, "HP"), "0") << c.name << ": until the table is rebuilt";
            EXPECT_TRUE(app.app.registerWindow().isVisible()) << c.name;
            app.tick();
            EXPECT_EQ(app.shown("TFName"), "新規キャラクター") << c.name << ": the editor opens on it";
        }
    }
}

TEST(RosterWindowTest, DeletingTheOnlyCharacterEmptiesTheTableAndThePresetList)
{
    TempDataFolder folder;
    folder.write("preset.txt", "solo\n");
    folder.write("solo", "ソロ\n");
    EditingApp app(folder);
    app.tick();
    app.press(app.app.characterList(), "deleteButton");
    EXPECT_EQ(app.app.characterList().rows().rowCount(), 0);
    app.tick();
    EXPECT_EQ(folder.read("preset.txt"), "");
    EXPECT_FALSE(folder.exists("solo"));
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
        EditingApp& app = five.app;
        app.app.characterList().ClistTVdbl();
        EXPECT_EQ(app.app.registerWindow().isVisible(), c.opens) << c.name;
        EXPECT_EQ(app.app.state().initRegisterFlag, c.opens) << c.name;
        EXPECT_EQ(app.app.state().setPentaFlag, c.opens) << c.name;
    }
}
