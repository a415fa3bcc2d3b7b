// The party-selection window as a user meets it: the seed field's one rule,
// an add right after a click, and characters of one name told apart.
#include "EditingApp.h"

#include "battle/ReadyUpList.h"
#include "roster/CharacterFile.h"

#include <gtest/gtest.h>

using namespace pc;

namespace {

// Two characters named 勇者 in files of their own, and a スライム.
struct PartyWindowTest : testing::Test {
    void SetUp() override
    {
        for (const auto& [name, file] : {std::pair{"勇者", "hero.txt"}, {"勇者", "hero2.txt"}, {"スライム", "slime.txt"}}) {
            OBJE record;
            InitObje(record);
            record.name = name;
            record.fileName = file;
            folder.write(file, characterText(record));
        }
        folder.write("preset.txt", "hero.txt\nhero2.txt\nslime.txt\n");
        app.tick();
        ready().show();
        ready().timerAction3();
    }

    ReadyUpList& ready() { return app.app.readyUpList(); }
    RowTableView* table(const char* name) { return app.in<RowTableView>(ready(), name); }
    QString shownIn(const char* name, int row, int role = Qt::DisplayRole)
    {
        return table(name)->model()->index(row, 0).data(role).toString();
    }
    void click(const char* name, int row)
    {
        RowTableView* view = table(name);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(row, 0)).center());
    }
    QStringList party(const OBJE* top)
    {
        QStringList files;
        for (const OBJE* member = top; member; member = member->next)
            files << QString::fromStdString(member->fileName);
        return files;
    }
    // Presses 戦闘開始 with the seed typed; whether the battle was asked for.
    bool startWith(const QString& seed)
    {
        app.app.state().ReadyUpListStartOffFlag = false;
        app.in(ready(), "seedField")->setText(seed);
        app.press(ready(), "startOffBtn");
        return app.app.state().ReadyUpListStartOffFlag;
    }

    TempDataFolder folder;
    EditingApp app{folder};
};

TEST_F(PartyWindowTest, TheSeedFieldTakesEitherWidthAndRefusesTheRestAsTypedWithTheRange)
{
    app.press(ready(), "RPaddButton");
    app.press(ready(), "REaddButton");
    ready().timerAction3();
    auto* message = app.in<QLabel>(ready(), "seedMessage");
    for (const char* typed : {"-1", "1e3", "4294967296", "42a", "4 2", "+7", "0x10", "１２a"}) {
        const QString refused = QString::fromUtf8(typed);
        EXPECT_FALSE(startWith(refused)) << refused.toStdString();
        EXPECT_EQ(app.in(ready(), "seedField")->text(), refused) << "kept as typed";
        EXPECT_TRUE(message->isVisibleTo(&ready())) << refused.toStdString();
        EXPECT_TRUE(message->text().contains(QStringLiteral("0〜4294967295"))) << message->text().toStdString();
        EXPECT_FALSE(app.app.state().battleSeed) << refused.toStdString();
    }
    app.in(ready(), "seedField")->setText("4");
    EXPECT_FALSE(message->isVisibleTo(&ready())) << "an edit clears the refusal";
    const std::pair<QString, std::optional<std::uint32_t>> accepted[] = {
        {QStringLiteral("４２"), 42u}, {"0", 0u}, {"4294967295", 4294967295u}, {" 7 ", 7u}, {"", std::nullopt},
        {QStringLiteral("　"), std::nullopt},
    };
    for (const auto& [text, seed] : accepted) {
        EXPECT_TRUE(startWith(text)) << text.toStdString();
        EXPECT_EQ(app.app.state().battleSeed, seed) << text.toStdString();
        EXPECT_FALSE(message->isVisibleTo(&ready()));
    }
}

TEST_F(PartyWindowTest, AnAddRightAfterAClickGoesWhereTheClickWasBeforeAnyTick)
{
    for (int row : {0, 2, 1}) {
        click("CPlistTV", row);
        app.press(ready(), "RPaddButton");
    }
    EXPECT_EQ(party(app.app.state().RPtop), (QStringList{"hero.txt", "slime.txt", "hero2.txt"}));
    for (const auto& [partyRow, sourceRow] : {std::pair{1, 2}, {0, 1}, {3, 0}}) {
        click("RPlistTV", partyRow);
        click("CPlistTV", sourceRow);
        app.press(ready(), "RPaddButton");
    }
    EXPECT_EQ(party(app.app.state().RPtop),
              (QStringList{"hero2.txt", "hero.txt", "slime.txt", "hero.txt", "slime.txt", "hero2.txt"}));
    click("CElistTV", 2);
    app.press(ready(), "REaddButton");
    click("RElistTV", 0);
    click("CElistTV", 1);
    app.press(ready(), "REaddButton");
    EXPECT_EQ(party(app.app.state().REtop), (QStringList{"hero2.txt", "slime.txt"}));
}

TEST_F(PartyWindowTest, CharactersOfOneNameAreToldApartByTheirFilesInEveryTable)
{
    for (int row : {0, 1, 2}) {
        click("CPlistTV", row);
        app.press(ready(), "RPaddButton");
        click("CElistTV", row);
        app.press(ready(), "REaddButton");
    }
    ready().timerAction3();
    for (const char* name : {"CPlistTV", "CElistTV", "RPlistTV", "RElistTV"}) {
        EXPECT_EQ(shownIn(name, 0), QStringLiteral("勇者（hero.txt）")) << name;
        EXPECT_EQ(shownIn(name, 1), QStringLiteral("勇者（hero2.txt）")) << name;
        EXPECT_EQ(shownIn(name, 2), QStringLiteral("スライム")) << "a name of its own stands alone";
        for (const auto& [row, file] : {std::pair{0, "hero.txt"}, {1, "hero2.txt"}, {2, "slime.txt"}})
            EXPECT_TRUE(shownIn(name, row, Qt::ToolTipRole).endsWith(QString::fromUtf8(file))) << name << row;
    }
}

} // namespace
