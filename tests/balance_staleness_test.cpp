// SPDX-License-Identifier: GPL-3.0-or-later
// The balance window's results never pass for current: an edit, delete or import
// after a run greys the table and says so; 強さを試す refuses what 決定 refuses;
// one seed rule; and the pictures exported hold everything.
#include "DemoFolder.h"
#include "EditingApp.h"

#include "balance/BalanceWindow.h"
#include "balance/HeatMapPicture.h"
#include "battle/BattleChart.h"
#include "battle/BattleWindow.h"
#include "editor/StrengthDialog.h"
#include "roster/QtStorage.h"
#include "roster/RosterExchange.h"

#include <QComboBox>
#include <QListWidget>
#include <QTableView>

#include <gtest/gtest.h>

#include <set>

using namespace pc;

namespace {

constexpr int kArus = 0, kMira = 1, kSlime = 5, kDragon = 7;

class StalenessTest : public ::testing::Test {
public:
    StalenessTest()
    {
        copyDemoRoster(folder);
        edit.tick();
        balance.show();
    }

    // A run over the roster rows ticked: 100 battles per pairing to its end, or 10,000 left going.
    void runOn(const std::set<int>& rows, bool toTheEnd = true)
    {
        auto* list = balance.findChild<QListWidget*>("rosterList");
        for (int row = 0; row < list->count(); ++row)
            list->item(row)->setCheckState(rows.contains(row) ? Qt::Checked : Qt::Unchecked);
        balance.findChild<QComboBox*>("battlesBox")->setCurrentIndex(toTheEnd ? 0 : 2);
        balance.start();
        if (toTheEnd)
            runUntil([this] { return !balance.running(); });
    }
    QModelIndex cell(int row, int column) { return balance.findChild<QTableView*>("heatMapView")->model()->index(row, column); }
    bool greyed(int row, int column)
    {
        const QColor colour = cell(row, column).data(Qt::BackgroundRole).value<QColor>();
        return colour.red() == colour.green() && colour.green() == colour.blue();
    }
    QLabel* label(const char* name) { return balance.findChild<QLabel*>(name); }
    bool shown(const char* name) { return label(name)->isVisibleTo(&balance); }
    // A double click on a cell; whether it opened the battle, from which Escape comes back.
    bool watches(int row, int column)
    {
        edit.app.state().ReadyUpListStartOffFlag = false;
        balance.watch(cell(row, column));
        if (!edit.app.state().ReadyUpListStartOffFlag)
            return false;
        edit.app.battleWindow().ToTheTitle();
        EXPECT_TRUE(balance.isVisible() && !edit.app.context().windows.title->isVisible());
        return true;
    }
    void submitHp(int row, const QString& hp)
    {
        edit.openEditor(row);
        edit.type("TFHP", hp);
        edit.press(edit.app.registerWindow(), "submitButton");
    }
    void deleteRow(int row)
    {
        edit.app.characterList().ClistTVsgl(row);
        EditingApp::answering(Qt::Key_Return, [&] { edit.press(edit.app.characterList(), "deleteButton"); });
    }

    TempDataFolder folder;
    EditingApp edit{folder};
    BalanceWindow& balance = edit.app.balanceWindow();
};

struct Change {
    const char* name;
    void (*make)(StalenessTest&);
    bool dragonStays; // the dragon's cells still watchable
};

void importNewcomer(StalenessTest& test)
{
    std::string text = test.folder.read("slime.txt");
    test.folder.write("../newcomer.txt", text.replace(0, text.find('\n'), "新入り"));
    QtStorage storage;
    AppState& state = test.edit.app.state();
    const auto incoming = readCharacterFiles(state, storage, {test.folder.base() + "/data/newcomer.txt"});
    ASSERT_EQ(importCharacters(state, storage, incoming).added.size(), 1u);
}

const Change kChanges[] = {
    {"edit", [](StalenessTest& test) { test.submitHp(kDragon, QStringLiteral("1")); }, false},
    {"delete", [](StalenessTest& test) { test.deleteRow(kDragon); }, false},
    {"import", importNewcomer, true},
};

class EveryChange : public StalenessTest, public ::testing::WithParamInterface<Change> {};

} // namespace

TEST_P(EveryChange, AfterARunGreysTheTableUntilItRunsAgain)
{
    runOn({kArus, kSlime, kDragon});
    EXPECT_FALSE(balance.outdated() || shown("outdatedLabel") || greyed(2, 1));

    GetParam().make(*this);
    balance.hide(), balance.show(); // as on coming back to the window
    EXPECT_TRUE(balance.outdated() && shown("outdatedLabel"));
    EXPECT_EQ(label("outdatedLabel")->text(), QStringLiteral("キャラクターが変わりました。もう一度計算してください"));
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_TRUE(greyed(row, column) && cell(row, column).data().toString().endsWith(u'%')) << row << column;
    for (const auto& [row, column] : {std::pair{2, 1}, std::pair{0, 2}, std::pair{2, 2}}) {
        EXPECT_EQ(watches(row, column), GetParam().dragonStays) << row << column;
        EXPECT_TRUE(GetParam().dragonStays || label("statusLabel")->text().contains(QStringLiteral("ドラゴン")));
    }
    EXPECT_TRUE(watches(0, 1)) << "the hero and the slime are as they were";

    runOn({kArus, kSlime});
    EXPECT_FALSE(balance.outdated() || shown("outdatedLabel") || greyed(0, 1));
}

INSTANTIATE_TEST_SUITE_P(Balance, EveryChange, ::testing::ValuesIn(kChanges),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StalenessTest, ACharacterLeftOutChangesNothingAndARunGoingIsToldWhenItEnds)
{
    runOn({kArus, kSlime});
    submitHp(kMira, QStringLiteral("1"));
    balance.hide(), balance.show(); // as on coming back to the window
    EXPECT_FALSE(balance.outdated() || shown("outdatedLabel"));

    runOn({kArus, kSlime, kDragon}, false);
    ASSERT_TRUE(balance.running());
    auto* view = balance.findChild<QTableView*>("heatMapView");
    EXPECT_GT(view->columnWidth(2), view->fontMetrics().horizontalAdvance(QStringLiteral("100%"))) << "no figure cut to …";
    submitHp(kDragon, QStringLiteral("1"));
    balance.stop();
    EXPECT_TRUE(balance.outdated() && shown("outdatedLabel"));
    EXPECT_TRUE(label("statusLabel")->text().startsWith(QStringLiteral("計算中にキャラクターが変わりました")));
}

TEST_F(StalenessTest, TheSeedFieldTakesTheOneRuleOfEverySeedField)
{
    const std::pair<QString, std::optional<std::uint32_t>> cases[] = {
        {"", 1u}, {" 　", 1u}, {"0", 0u}, {"４２", 42u}, {"０１２３４５６７８９", 123456789u},
        {"4294967295", 4294967295u}, {"4294967296", {}}, {"99999999999999999999", {}}, {"-1", {}},
        {"+1", {}}, {"1e3", {}}, {"1 2", {}}, {"1.5", {}}, {"abc", {}}};
    auto* field = balance.findChild<QLineEdit*>("seedField");
    for (const auto& [text, seed] : cases) {
        field->setText(text);
        const std::uint32_t before = balance.result().setup.firstSeed;
        runOn({kSlime});
        EXPECT_EQ(shown("seedProblem"), !seed) << text.toStdString();
        EXPECT_EQ(balance.result().setup.firstSeed, seed.value_or(before)) << text.toStdString();
        EXPECT_EQ(field->text(), text) << "the text typed stays to be corrected";
    }

}

TEST_F(StalenessTest, StrengthTestingRefusesWhatSubmitRefusesInTheSameWordsBesideTheField)
{
    std::vector<std::tuple<const char*, QString, const char*>> cases = {
        {"TFHP", "1e3", "numberProblem"}, {"TFName", "竜----++", "nameProblem"}, {"TFTag", "----++", "tagProblem"},
        {"TFFile", "a,b.txt", "fileProblem"}, {"TFFile", "mira.txt", "fileProblem"},
        {"TFFile", "preset.txt", "fileProblem"}, {"TFImage", "a,b.png", "imageProblem"}};
    for (const char* stat : {"TFHP", "TFMP", "TFWP", "TFSTR", "TFVIT", "TFAGI", "TFDEX", "TFMEN", "TFINT", "TFLUK"})
        cases.emplace_back(stat, QStringLiteral("abc"), "numberProblem");
    const std::string saved = folder.read("dragon.txt");
    for (const auto& [field, text, problem] : cases) {
        edit.openEditor(kDragon);
        edit.type(field, text);
        edit.app.registerWindow().testStrength();
        const StrengthDialog* strength = edit.app.registerWindow().strengthDialog();
        EXPECT_TRUE(!strength || !strength->isVisible()) << field << text.toStdString();
        auto* refusal = edit.editor<QLabel>(problem);
        const QString words = refusal->text();
        EXPECT_TRUE(refusal->isVisibleTo(&edit.app.registerWindow()) && !words.isEmpty()) << field;
        edit.press(edit.app.registerWindow(), "submitButton");
        EXPECT_EQ(refusal->text(), words);
        EXPECT_EQ(folder.read("dragon.txt"), saved);
        edit.press(edit.app.registerWindow(), "cancelButton");
    }
    edit.openEditor(kDragon);
    edit.type("TFHP", QStringLiteral("１２００"));
    edit.app.registerWindow().testStrength();
    ASSERT_TRUE(edit.app.registerWindow().strengthDialog() && edit.app.registerWindow().strengthDialog()->running());
    edit.app.registerWindow().strengthDialog()->stop();
}

TEST_F(StalenessTest, AWatchedPairingsCopiedCommandRunsInAShellWithoutASearchPath)
{
    qputenv("PATH", QFileInfo(QStringLiteral(PARTYCLASH_SIM)).path().toLocal8Bit() + ":" + qgetenv("PATH"));
    runOn({kArus, kSlime});
    ASSERT_TRUE(watches(0, 1));
    edit.app.battleWindow().timerAction4();
    const QString command = edit.app.battleWindow().simCommand();
    EXPECT_TRUE(command.startsWith(u'\'') || command.startsWith(u'/')) << command.toStdString();
    folder.write("../command.sh", command.toStdString() + " >/dev/null\n");
    EXPECT_EQ(std::system(("env -i /bin/sh " + folder.base() + "/data/command.sh").c_str()), 0);
}

namespace {

// Every pairing finished, each cell a win rate of its own.
sim::MatrixResult everyCellApart(std::size_t entrants)
{
    sim::MatrixResult result;
    for (std::size_t i = 0; i < entrants; ++i)
        result.setup.names.push_back("キャラクター" + std::to_string(i + 1));
    result.setup.pairings = sim::everyPairing(entrants);
    for (std::size_t i = 0; i < result.setup.pairings.size(); ++i) {
        sim::PairingResult pairing{{sim::PairingTotals{}}, {}, {}};
        pairing.lineups[0].battles = 1000;
        pairing.lineups[0].wins = static_cast<std::int64_t>(i * 1000 / result.setup.pairings.size());
        result.pairings.emplace_back(pairing);
    }
    return result;
}

} // namespace

TEST(HeatMapPicture, HoldsEveryCellAndBothEndsOfTheScaleAtEveryRosterSize)
{
    for (const std::size_t entrants : {1u, 12u, 17u, 40u}) {
        HeatMapModel model;
        model.setResult(everyCellApart(entrants));
        for (const bool outdated : {false, true}) {
            model.setOutdated(outdated);
            const QImage picture = heatMapPicture(model);
            std::set<QRgb> colours;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    colours.insert(picture.pixel(x, y));
            for (int row = 0; row < model.rowCount(); ++row)
                for (int column = 0; column < model.columnCount(); ++column)
                    EXPECT_TRUE(colours.contains(model.index(row, column).data(Qt::BackgroundRole).value<QColor>().rgb()))
                        << entrants << ": " << row << "," << column;
            for (const double end : {0.0, 1.0})
                EXPECT_TRUE(colours.contains((outdated ? greyedOut(winRateColour(end)) : winRateColour(end)).rgb()));
        }
    }
}

TEST(BattleChartLegend, NamesEveryMemberWhollyAtAnyPartySize)
{
    for (const std::size_t members : {2u, 17u, 40u}) {
        BattleHistory history;
        for (std::size_t i = 0; i < members; ++i) {
            history.names.push_back("メンバー" + std::to_string(i + 1));
            history.onPlayerSide.push_back(i % 2 == 0);
            history.registeredHP.push_back(100);
        }
        history.hp = {std::vector<double>(members, 100), std::vector<double>(members, 50)};
        BattleChart chart;
        chart.show(history);
        chart.QDialog::show();
        QCoreApplication::processEvents();
        auto* area = chart.findChild<QWidget*>("chartArea");
        std::set<QString> named;
        for (const QLabel* label : chart.findChild<QWidget*>("legendWidget")->findChildren<QLabel*>()) {
            named.insert(label->text());
            EXPECT_TRUE(label->isVisible() && label->width() >= label->sizeHint().width());
            EXPECT_TRUE(area->rect().contains(QRect(label->mapTo(area, QPoint(0, 0)), label->size())));
        }
        for (std::size_t i = 0; i < members; ++i)
            EXPECT_TRUE(named.contains(QStringLiteral("%1 メンバー%2").arg(i % 2 == 0 ? "味方" : "敵").arg(i + 1))) << members;
    }
}
