// The balance window's results never pass for current: an edit, delete or import
// after a run greys the table and says so; 強さを試す refuses what 決定 refuses;
// the seed field's one rule; and the pictures exported hold everything.
#include "EditingApp.h"
#include "TempDataFolder.h"

#include "balance/BalanceWindow.h"
#include "balance/HeatMap.h"
#include "balance/HeatMapPicture.h"
#include "balance/RankingChart.h"
#include "battle/BattleChart.h"
#include "battle/BattleWindow.h"
#include "editor/StrengthDialog.h"
#include "roster/QtStorage.h"
#include "roster/RosterExchange.h"
#include "sim/Simulator.h"

#include <QChartView>
#include <QComboBox>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTableView>

#include <gtest/gtest.h>

#include <set>
#include <sstream>

using namespace pc;

namespace {

constexpr int kArus = 0, kMira = 1, kSlime = 5, kDragon = 7;
const QString kOutdatedText = QStringLiteral("キャラクターが変わりました。もう一度計算してください");

template <typename Done>
void runUntil(Done done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 300'000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(done());
}

class StalenessTest : public ::testing::Test {
public:
    StalenessTest()
    {
        for (QDirIterator files(QStringLiteral(PARTYCLASH_EXAMPLES), QDir::Files); files.hasNext();) {
            QFile file(files.next());
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            folder.write(files.fileName().toStdString(), file.readAll().toStdString());
        }
        edit.tick();
        balance.show();
    }

    // A run of 100 battles per pairing over the roster rows ticked.
    void runOn(const std::set<int>& rows, int battlesChoice = 0)
    {
        auto* list = balance.findChild<QListWidget*>("rosterList");
        for (int row = 0; row < list->count(); ++row)
            list->item(row)->setCheckState(rows.contains(row) ? Qt::Checked : Qt::Unchecked);
        balance.findChild<QComboBox*>("battlesBox")->setCurrentIndex(battlesChoice);
        balance.start();
        if (battlesChoice == 0)
            runUntil([&] { return !balance.running(); });
    }

    QModelIndex cell(int row, int column)
    {
        return balance.findChild<QTableView*>("heatMapView")->model()->index(row, column);
    }
    QLabel* label(const char* name) { return balance.findChild<QLabel*>(name); }
    // A double click on a cell; whether it set a battle going.
    bool watches(int row, int column)
    {
        edit.app.state().ReadyUpListStartOffFlag = false;
        balance.watch(cell(row, column));
        const bool started = edit.app.state().ReadyUpListStartOffFlag;
        if (started) {
            EXPECT_FALSE(balance.isVisible());
            edit.app.battleWindow().ToTheTitle(); // as Escape does
            EXPECT_TRUE(balance.isVisible()) << "a battle watched from the table goes back to it";
            EXPECT_FALSE(edit.app.context().windows.title->isVisible());
        }
        return started;
    }
    void editDragonHp()
    {
        edit.openEditor(kDragon);
        edit.type("TFHP", QStringLiteral("1"));
        edit.press(edit.app.registerWindow(), "submitButton");
    }
    // What the user sees on coming back to the window.
    void comeBack()
    {
        balance.hide();
        balance.show();
    }

    TempDataFolder folder;
    EditingApp edit{folder};
    BalanceWindow& balance = edit.app.balanceWindow();
};

bool isGrey(const QColor& colour)
{
    return colour.red() == colour.green() && colour.green() == colour.blue();
}

struct Change {
    const char* name;
    void (*make)(StalenessTest&);
    bool dragonStillWatchable;
};

class EveryChange : public StalenessTest, public ::testing::WithParamInterface<Change> {};

void editDragon(StalenessTest& test)
{
    test.editDragonHp();
}

void deleteDragon(StalenessTest& test)
{
    EditingApp& edit = test.edit;
    edit.app.characterList().ClistTVsgl(kDragon);
    EditingApp::answering(Qt::Key_Return, [&] { edit.press(edit.app.characterList(), "deleteButton"); });
}

void importNewcomer(StalenessTest& test)
{
    StalenessTest& access = test;
    const std::string path = access.folder.base() + "/newcomer.txt";
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    std::string text = access.folder.read("slime.txt");
    text.replace(0, text.find('\n'), "新入り");
    file.write(text.data(), static_cast<qint64>(text.size()));
    file.close();
    QtStorage storage;
    AppState& state = access.edit.app.state();
    const ImportReport report = importCharacters(state, storage, readCharacterFiles(state, storage, {path}));
    ASSERT_EQ(report.added.size(), 1u);
}

} // namespace

TEST_P(EveryChange, AfterARunMarksTheTableOutdatedUntilItRunsAgain)
{
    runOn({kArus, kSlime, kDragon});
    ASSERT_TRUE(balance.result().complete());
    EXPECT_FALSE(balance.outdated());
    EXPECT_FALSE(label("outdatedLabel")->isVisibleTo(&balance));
    const QColor fresh = cell(2, 1).data(Qt::BackgroundRole).value<QColor>();
    EXPECT_FALSE(isGrey(fresh)) << "the dragon against the slime is a clear win";

    GetParam().make(*this);
    comeBack();
    EXPECT_TRUE(balance.outdated());
    EXPECT_TRUE(label("outdatedLabel")->isVisibleTo(&balance));
    EXPECT_EQ(label("outdatedLabel")->text(), kOutdatedText);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            EXPECT_TRUE(isGrey(cell(row, column).data(Qt::BackgroundRole).value<QColor>())) << row << "," << column;
            EXPECT_TRUE(cell(row, column).data(Qt::DisplayRole).toString().endsWith(u'%')) << "the figures stay readable";
        }
    }

    // The dragon's cells say why instead of watching another battle; the others still open theirs.
    for (const auto& [row, column] : {std::pair{2, 1}, std::pair{0, 2}, std::pair{2, 2}}) {
        EXPECT_EQ(watches(row, column), GetParam().dragonStillWatchable)
            << row << "," << column << " " << label("statusLabel")->text().toStdString();
        if (!GetParam().dragonStillWatchable) {
            EXPECT_TRUE(label("statusLabel")->text().contains(QStringLiteral("ドラゴン")))
                << label("statusLabel")->text().toStdString();
        }
    }
    EXPECT_TRUE(watches(0, 1)) << "the hero and the slime are as they were: " << label("statusLabel")->text().toStdString();
    EXPECT_EQ(edit.app.state().RPtop->name, "勇者アルス");

    runOn({kArus, kSlime});
    EXPECT_FALSE(balance.outdated());
    EXPECT_FALSE(label("outdatedLabel")->isVisibleTo(&balance));
    EXPECT_FALSE(isGrey(cell(0, 1).data(Qt::BackgroundRole).value<QColor>()));
}

INSTANTIATE_TEST_SUITE_P(Balance, EveryChange,
                         ::testing::Values(Change{"edit", editDragon, false}, Change{"delete", deleteDragon, false},
                                           Change{"import", importNewcomer, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StalenessTest, AChangeToACharacterLeftOutOfTheRunLeavesItCurrent)
{
    runOn({kArus, kSlime});
    const std::string mira = folder.read("mira.txt");
    edit.openEditor(kMira);
    edit.type("TFHP", QStringLiteral("1"));
    edit.press(edit.app.registerWindow(), "submitButton");
    ASSERT_NE(folder.read("mira.txt"), mira);
    comeBack();
    EXPECT_FALSE(balance.outdated());
    EXPECT_FALSE(label("outdatedLabel")->isVisibleTo(&balance));
    EXPECT_TRUE(watches(0, 1));
}

TEST_F(StalenessTest, ARunGoingWhileTheRosterChangesIsToldSoWhenItEnds)
{
    runOn({kArus, kSlime, kDragon}, 2); // 10,000 battles per pairing
    ASSERT_TRUE(balance.running());
    editDragonHp();
    balance.stop();
    EXPECT_TRUE(balance.outdated());
    EXPECT_TRUE(label("statusLabel")->text().contains(QStringLiteral("計算中にキャラクターが変わりました")))
        << label("statusLabel")->text().toStdString();
    EXPECT_TRUE(label("outdatedLabel")->isVisibleTo(&balance));
}

TEST_F(StalenessTest, TheSeedFieldTakesOneRuleAndABlankFieldStartsWhereTheCommandLineDoes)
{
    struct Case {
        QString text;
        std::optional<std::uint32_t> seed;
    };
    const Case cases[] = {
        {QString(), 1u},
        {QStringLiteral(" 　"), 1u},
        {QStringLiteral("0"), 0u},
        {QStringLiteral("42"), 42u},
        {QStringLiteral("４２"), 42u},
        {QStringLiteral("０１２３４５６７８９"), 123456789u},
        {QStringLiteral("4294967295"), 4294967295u},
        {QStringLiteral("4294967296"), std::nullopt},
        {QStringLiteral("99999999999999999999"), std::nullopt},
        {QStringLiteral("-1"), std::nullopt},
        {QStringLiteral("+1"), std::nullopt},
        {QStringLiteral("1e3"), std::nullopt},
        {QStringLiteral("1 2"), std::nullopt},
        {QStringLiteral("1.5"), std::nullopt},
        {QStringLiteral("abc"), std::nullopt},
    };
    auto* field = balance.findChild<QLineEdit*>("seedField");
    for (const Case& c : cases) {
        field->setText(c.text);
        const std::uint32_t before = balance.result().setup.firstSeed;
        runOn({kSlime});
        EXPECT_EQ(label("seedProblem")->isVisibleTo(&balance), !c.seed) << c.text.toStdString();
        if (c.seed) {
            EXPECT_EQ(balance.result().setup.firstSeed, *c.seed) << c.text.toStdString();
            continue;
        }
        EXPECT_FALSE(balance.running()) << c.text.toStdString();
        EXPECT_EQ(balance.result().setup.firstSeed, before) << "a refused seed leaves the result shown";
        EXPECT_TRUE(label("seedProblem")->text().contains(QStringLiteral("4294967295")));
        EXPECT_EQ(field->text(), c.text) << "the text typed stays to be corrected";
    }

    field->clear();
    runOn({kArus, kSlime});
    const QString path = QString::fromStdString(folder.base() + "/blank-seed.csv");
    ASSERT_EQ(balance.saveCsv(path), QString());
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    QtStorage storage;
    std::ostringstream out, err;
    ASSERT_EQ(sim::runSimulator({"--data", folder.path(""), "--matrix", "arus.txt,slime.txt", "--runs", "100", "--csv"},
                                {storage, {}, out, err, {}}),
              0)
        << err.str();
    EXPECT_EQ(saved.readAll().toStdString(), out.str());
}

TEST_F(StalenessTest, StrengthTestingRefusesEveryEditThatSubmitRefusesBesideItsField)
{
    struct Case {
        const char* field;
        QString text;
        const char* problem;
    };
    std::vector<Case> cases;
    for (const char* stat : {"TFHP", "TFMP", "TFWP", "TFSTR", "TFVIT", "TFAGI", "TFDEX", "TFMEN", "TFINT", "TFLUK"})
        cases.push_back({stat, QStringLiteral("abc"), "numberProblem"});
    cases.push_back({"TFHP", QStringLiteral("1e3"), "numberProblem"});
    cases.push_back({"TFLUK", QStringLiteral("12a"), "numberProblem"});
    cases.push_back({"TFName", QStringLiteral("竜----++"), "nameProblem"});
    cases.push_back({"TFTag", QStringLiteral("----++"), "tagProblem"});
    cases.push_back({"TFFile", QStringLiteral("a,b.txt"), "fileProblem"});
    cases.push_back({"TFFile", QStringLiteral("mira.txt"), "fileProblem"});
    cases.push_back({"TFFile", QStringLiteral("preset.txt"), "fileProblem"});
    cases.push_back({"TFImage", QStringLiteral("a,b.png"), "imageProblem"});

    const std::string saved = folder.read("dragon.txt");
    for (const Case& c : cases) {
        edit.openEditor(kDragon);
        const QString kept = edit.shown(c.field);
        edit.type(c.field, c.text);
        edit.app.registerWindow().testStrength();
        StrengthDialog* strength = edit.app.registerWindow().strengthDialog();
        EXPECT_TRUE(!strength || (!strength->running() && !strength->isVisible())) << c.field << " " << c.text.toStdString();
        auto* problem = edit.editor<QLabel>(c.problem);
        EXPECT_TRUE(problem->isVisibleTo(&edit.app.registerWindow())) << c.field << " " << c.text.toStdString();
        const QString refusal = problem->text();
        EXPECT_FALSE(refusal.isEmpty());

        edit.press(edit.app.registerWindow(), "submitButton");
        EXPECT_EQ(problem->text(), refusal) << "決定 refuses it in the same words";
        EXPECT_EQ(folder.read("dragon.txt"), saved);
        edit.type(c.field, kept);
        edit.press(edit.app.registerWindow(), "cancelButton");
    }

    edit.openEditor(kDragon);
    edit.type("TFHP", QStringLiteral("１２００"));
    edit.app.registerWindow().testStrength();
    ASSERT_NE(edit.app.registerWindow().strengthDialog(), nullptr);
    EXPECT_TRUE(edit.app.registerWindow().strengthDialog()->running()) << "a sound edit is tested";
    EXPECT_FALSE(edit.editor<QLabel>("numberProblem")->isVisibleTo(&edit.app.registerWindow()));
    edit.app.registerWindow().strengthDialog()->stop();
}

namespace {

// Every pairing finished, each cell a win rate of its own.
sim::MatrixResult everyCellApart(std::size_t entrants)
{
    sim::MatrixResult result;
    for (std::size_t i = 0; i < entrants; ++i)
        result.setup.names.push_back("キャラクター" + std::to_string(i + 1) + (i % 7 == 0 ? "・とても長い名前の騎士団長" : ""));
    result.setup.pairings = sim::everyPairing(entrants);
    result.setup.battles = 1000;
    for (std::size_t i = 0; i < result.setup.pairings.size(); ++i) {
        sim::PairingResult pairing;
        pairing.lineups.resize(1);
        pairing.lineups[0].battles = 1000;
        pairing.lineups[0].wins = static_cast<std::int64_t>(i * 1000 / result.setup.pairings.size());
        result.pairings.emplace_back(pairing);
    }
    return result;
}

std::set<QRgb> coloursIn(const QImage& image)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y) | 0xff000000u);
    return colours;
}

} // namespace

TEST(HeatMapPicture, HoldsEveryCellAndTheWholeScaleAtEveryRosterSize)
{
    for (const std::size_t entrants : {1u, 12u, 17u, 40u}) {
        HeatMapModel model;
        model.setResult(everyCellApart(entrants));
        for (const bool outdated : {false, true}) {
            model.setOutdated(outdated);
            const QImage picture = heatMapPicture(model);
            ASSERT_FALSE(picture.isNull()) << entrants;
            const std::set<QRgb> colours = coloursIn(picture);
            for (int row = 0; row < model.rowCount(); ++row)
                for (int column = 0; column < model.columnCount(); ++column)
                    EXPECT_TRUE(colours.contains(model.data(model.index(row, column), Qt::BackgroundRole).value<QColor>().rgb()))
                        << entrants << " entrants, cell " << row << "," << column << (outdated ? " outdated" : "");
            const auto scale = [&](double rate) { return outdated ? greyedOut(winRateColour(rate)) : winRateColour(rate); };
            EXPECT_TRUE(colours.contains(scale(0).rgb()) && colours.contains(scale(1).rgb())) << "the legend's both ends";
        }
    }
}

TEST_F(StalenessTest, TheExportedPicturesDoNotDependOnTheWindowsSize)
{
    runOn({kArus, kMira, kSlime, kDragon});
    QImage first;
    for (const QSize size : {QSize(1100, 680), QSize(420, 260)}) {
        balance.resize(size);
        QCoreApplication::processEvents();
        const QString path = QString::fromStdString(folder.base() + "/heat.png");
        ASSERT_EQ(balance.saveHeatMapPng(path), QString());
        const QImage saved(path);
        if (first.isNull())
            first = saved;
        EXPECT_EQ(saved, first) << size.width();
        const std::set<QRgb> colours = coloursIn(saved);
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 4; ++column)
                EXPECT_TRUE(colours.contains(cell(row, column).data(Qt::BackgroundRole).value<QColor>().rgb()));
    }
}

TEST(RankingChart, GivesEveryEntrantALineOfItsOwnOnScreenAndInThePicture)
{
    const int line = QFontMetrics(QApplication::font()).height();
    for (const std::size_t entrants : {1u, 12u, 40u}) {
        const QImage picture = rankingPicture(everyCellApart(entrants));
        EXPECT_GE(picture.height(), static_cast<int>(entrants) * line + 2 * line) << entrants;
        EXPECT_GE(rankingHeight(entrants), static_cast<int>(entrants) * line + 2 * line) << entrants;
    }
}

TEST(BattleChartLegend, NamesEveryMemberInFullAtAnyPartySize)
{
    for (const std::size_t members : {2u, 17u, 40u}) {
        BattleHistory history;
        for (std::size_t i = 0; i < members; ++i) {
            history.names.push_back("メンバー" + std::to_string(i + 1));
            history.onPlayerSide.push_back(i % 2 == 0);
            history.registeredHP.push_back(100);
        }
        history.hp = {std::vector<double>(members, 100), std::vector<double>(members, 50)};
        history.chance = {0.5, 0.6};
        BattleChart chart;
        chart.show(history);
        chart.QDialog::show();
        QCoreApplication::processEvents();
        auto* area = chart.findChild<QWidget*>("chartArea");
        std::set<QString> shown;
        for (const QLabel* label : chart.findChild<QWidget*>("legendWidget")->findChildren<QLabel*>()) {
            if (label->text().isEmpty())
                continue;
            shown.insert(label->text());
            EXPECT_TRUE(label->isVisible());
            const QRect inArea(label->mapTo(area, QPoint(0, 0)), label->size());
            EXPECT_TRUE(area->rect().contains(inArea)) << label->text().toStdString();
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        }
        for (std::size_t i = 0; i < members; ++i)
            EXPECT_TRUE(shown.contains(QStringLiteral("%1 メンバー%2").arg(i % 2 == 0 ? "味方" : "敵").arg(i + 1))) << members;
        EXPECT_TRUE(shown.contains(QStringLiteral("勝つ見込み")));
    }
}
