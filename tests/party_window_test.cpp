// SPDX-License-Identifier: GPL-3.0-or-later
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
    void click(const char* table, int row)
    {
        auto* view = app.in<RowTableView>(ready(), table);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(row, 0)).center());
    }
    QStringList files(const OBJE* top)
    {
        QStringList names;
        for (; top; top = top->next)
            names << QString::fromStdString(top->fileName);
        return names;
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
    const std::pair<const char*, std::optional<std::uint32_t>> cases[] = {
        {"-1", {}}, {"1e3", {}}, {"4294967296", {}}, {"42a", {}}, {"+7", {}}, {"４２", 42u}, {"4294967295", 4294967295u},
        {" 7 ", 7u}, {"", {}}, {"　", {}},
    };
    for (const auto& [typed, seed] : cases) {
        const QString text = QString::fromUtf8(typed);
        const bool refused = !seed && !text.trimmed().isEmpty();
        app.app.state().ReadyUpListStartOffFlag = false;
        app.in(ready(), "seedField")->setText(text);
        app.press(ready(), "startOffBtn");
        EXPECT_EQ(app.app.state().ReadyUpListStartOffFlag, !refused) << typed;
        EXPECT_EQ(app.app.state().battleSeed, seed) << typed;
        EXPECT_EQ(app.in(ready(), "seedField")->text(), text) << "kept as typed";
        EXPECT_EQ(message->isVisibleTo(&ready()), refused) << typed;
        EXPECT_EQ(message->text().contains(QStringLiteral("0〜4294967295")), refused) << typed;
    }
}

TEST_F(PartyWindowTest, AnAddRightAfterAClickGoesWhereTheClicksWereBeforeAnyTick)
{
    for (const auto& [partyRow, sourceRow] : {std::pair{-1, 0}, {-1, 2}, {1, 1}, {0, 2}}) {
        if (partyRow >= 0)
            click("RPlistTV", partyRow);
        click("CPlistTV", sourceRow);
        app.press(ready(), "RPaddButton");
    }
    EXPECT_EQ(files(app.app.state().RPtop), (QStringList{"slime.txt", "hero.txt", "hero2.txt", "slime.txt"}));
}

TEST_F(PartyWindowTest, CharactersOfOneNameAreToldApartByTheirFilesInEveryTable)
{
    for (int row : {0, 1, 2}) {
        click("CPlistTV", row);
        app.press(ready(), "RPaddButton");
        click("CElistTV", row);
        app.press(ready(), "REaddButton");
    }
    const QString shown[] = {QStringLiteral("勇者（hero.txt）"), QStringLiteral("勇者（hero2.txt）"), QStringLiteral("スライム")};
    for (const char* table : {"CPlistTV", "CElistTV", "RPlistTV", "RElistTV"}) {
        const QAbstractItemModel* model = app.in<RowTableView>(ready(), table)->model();
        for (int row = 0; row < 3; ++row) {
            EXPECT_EQ(model->index(row, 0).data(), shown[row]) << table << row;
            EXPECT_TRUE(model->index(row, 0).data(Qt::ToolTipRole).toString().endsWith(
                row == 2 ? QStringLiteral("slime.txt") : shown[row].mid(3, shown[row].size() - 4)));
        }
    }
}

} // namespace
