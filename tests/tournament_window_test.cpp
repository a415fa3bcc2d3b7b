// SPDX-License-Identifier: GPL-3.0-or-later
// The 大会 window offscreen on the demo roster: its event is the command line's for every seeding and
// for parties, it continues after a restart, a battle of a match opens in the battle window with its
// seed and parties, the broadcast shows every battle in turn, a changed roster greys the event, and
// every export is written.
#include "DemoFolder.h"
#include "EditingApp.h"
#include "SimulatorRun.h"
#include "TempDataFolder.h"

#include "battle/BattleWindow.h"
#include "tournament/EventFile.h"
#include "tournamentwindow/TournamentWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QSpinBox>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace pc;

namespace {


class TournamentWindowTest : public ::testing::Test {
protected:
    TournamentWindowTest() { copyDemoRoster(folder); }

    // Chooses the first `count` characters, Swiss of `rounds` rounds, best of 3, seed 9.
    static void choose(TournamentWindow& window, int count, int rounds, int seeding = 0)
    {
        window.show();
        auto* list = window.findChild<QListWidget*>("entrantList");
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setCheckState(i < count ? Qt::Checked : Qt::Unchecked);
        window.findChild<QComboBox*>("formatBox")->setCurrentIndex(0);
        window.findChild<QComboBox*>("seedingBox")->setCurrentIndex(seeding);
        window.findChild<QSpinBox*>("roundsBox")->setValue(rounds);
        window.findChild<QSpinBox*>("bestOfBox")->setValue(3);
        window.findChild<QLineEdit*>("seedEdit")->setText("9");
    }

    // The command line's event file for the event of the characters checked in `window`, or of a parties file.
    std::string commandLineEvent(TournamentWindow& window, int rounds, const std::string& seeding = "random",
                                 const std::string& parties = {})
    {
        std::string names;
        auto* list = window.findChild<QListWidget*>("entrantList");
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->checkState() == Qt::Checked)
                names += (names.empty() ? "" : ",") + list->item(i)->data(Qt::UserRole).toString().toStdString();
        }
        const std::string file = folder.base() + "/cli-event.txt";
        const SimRun cli = runSim({"--data", std::string(PARTYCLASH_EXAMPLES), "--tournament", "swiss",
                                   parties.empty() ? "--entrants" : "--parties", parties.empty() ? names : parties,
                                   "--seeding", seeding, "--rounds", std::to_string(rounds), "--best-of", "3",
                                   "--seed", "9", "--event-file", file});
        EXPECT_EQ(cli.status, 0) << cli.err;
        return *QtStorage().read(file);
    }

    TempDataFolder folder;
};

// The first `characters` ticked, or parties from a file without any.
struct Entrants {
    const char* name;
    int characters, seedingBox;
    const char* seeding;
};

const Entrants kEntrants[] = {
    {"random", 8, 0, "random"},
    {"rating", 6, 2, "rating"}, // six: rating eight demo characters takes minutes
    {"partiesInTheOrderGiven", 0, 1, "chosen"},
};

class EveryEntrants : public TournamentWindowTest, public ::testing::WithParamInterface<Entrants> {};

std::size_t partySize(const OBJE* member) { return member ? 1 + partySize(member->next) : 0; }

} // namespace

TEST_P(EveryEntrants, TheWindowsEventIsTheCommandLinesAndItsBattlesOpenWithTheirSeeds)
{
    EditingApp edit(folder);
    edit.tick();
    TournamentWindow& window = edit.app.tournamentWindow();
    choose(window, GetParam().characters, 3, GetParam().seedingBox);
    std::string parties;
    if (GetParam().characters == 0) {
        // Six parties of two or three, named by file and by character name.
        folder.write("../parties.txt", "arus.txt,スライム\nmira.txt\n\nslime.txt, goblin.txt,ドラゴン\n"
                                       "dragon.txt\nゴブリン,mira.txt\narus.txt,dragon.txt,slime.txt\n");
        parties = folder.base() + "/data/parties.txt";
        EXPECT_NE(window.addParties(QString::fromStdString(folder.base() + "/none.txt")), QString());
        EXPECT_EQ(window.addParties(QString::fromStdString(parties)), QString());
    }
    edit.press(window, "startButton");
    runUntil([&] { return !window.running(); });
    ASSERT_NE(window.event(), nullptr);
    const std::string text = tournament::eventText(*window.event());
    EXPECT_EQ(text, commandLineEvent(window, 3, GetParam().seeding, parties));
    QtStorage storage;
    EXPECT_EQ(*storage.read(window.eventPath()), text);
    EXPECT_TRUE(window.findChild<QLabel*>("summaryLabel")->text().startsWith(QStringLiteral("優勝：")));

    // Every match's line ends with the winner's battles won, then the loser's.
    auto* tree = window.findChild<QTreeWidget*>("matchTree");
    for (int m = 0; m < tree->topLevelItemCount(); ++m) {
        const tournament::Match& match = window.event()->matches[static_cast<std::size_t>(m)];
        const QString score = QStringLiteral(" %1-%2").arg(match.winsOf(match.winner == match.first))
                                  .arg(match.winsOf(match.winner != match.first));
        EXPECT_TRUE(match.bye() || tree->topLevelItem(m)->text(0).endsWith(score)) << m;
    }
    // The second battle of the first match, fought in the battle window from its seed, sides swapped.
    QTreeWidgetItem* battle = tree->topLevelItem(0)->child(1);
    ASSERT_NE(battle, nullptr);
    emit tree->itemDoubleClicked(battle, 0);
    EXPECT_TRUE(edit.app.battleWindow().isVisible());
    EXPECT_FALSE(window.isVisible());
    const tournament::Match& match = window.event()->matches[0];
    EXPECT_EQ(edit.app.state().battleSeed, match.battles[1].seed);
    const auto& entrants = window.event()->setup.entrants;
    EXPECT_EQ(partySize(edit.app.state().RPtop), entrants[static_cast<std::size_t>(match.second)].members.size());

    for (const char* suffix : {"html", "csv", "json", "svg", "png"}) {
        const QString path = QString::fromStdString(folder.base()) + "/export." + suffix;
        EXPECT_EQ(window.saveAs(path), QString()) << suffix;
        const std::optional<std::string> bytes = storage.read(path.toStdString());
        ASSERT_TRUE(bytes) << suffix;
        EXPECT_GT(bytes->size(), 100u) << suffix;
    }
    EXPECT_FALSE(QImage(QString::fromStdString(folder.base()) + "/export.png").isNull());
    EXPECT_NE(window.saveAs(QString::fromStdString(folder.base()) + "/none/export.html"), QString());
}

INSTANTIATE_TEST_SUITE_P(Tournament, EveryEntrants, ::testing::ValuesIn(kEntrants),
                         [](const auto& info) { return std::string(info.param.name); });

// Every battle of the event in turn, each fought in the battle window as long as it was in the
// event; then back with the summary. Leaving the battle window stops it. An edited entrant then
// greys the event and refuses the broadcast until 開始 fights it afresh.
TEST_F(TournamentWindowTest, TheBroadcastShowsEveryBattleInTurnUntilTheBattleWindowIsLeftOrTheRosterChanges)
{
    EditingApp edit(folder);
    edit.tick();
    TournamentWindow& window = edit.app.tournamentWindow();
    BattleWindow& battleWindow = edit.app.battleWindow();
    battleWindow.findChild<QComboBox*>("paceBox")->setCurrentIndex(4);
    battleWindow.findChild<QCheckBox*>("winChanceBox")->setChecked(false);
    choose(window, 4, 2);
    window.findChild<QSpinBox*>("paceBox")->setValue(0);
    edit.press(window, "startButton");
    runUntil([&] { return !window.running(); });
    std::vector<std::string> expected, seen; // "seed:presses"; the seed changes as the log is cleared
    for (const tournament::Match& match : window.event()->matches)
        for (const tournament::BattleRecord& battle : match.battles)
            expected.push_back(std::to_string(battle.seed) + ":" + std::to_string(battle.presses));
    QString seed;
    const auto follow = [&] {
        const QString now = battleWindow.simCommand().section(QStringLiteral("--seed "), 1);
        if (!now.isEmpty() && now != seed)
            seed = now, seen.emplace_back();
        if (!seen.empty())
            seen.back() = seed.toStdString() + ":" + std::to_string(battleWindow.log().size());
    };
    edit.press(window, "showButton");
    runUntil([&] { return follow(), !window.broadcasting(); });
    EXPECT_EQ(seen, expected);
    auto* caption = battleWindow.findChild<QLabel*>("captionLabel");
    auto* status = window.findChild<QLabel*>("statusLabel");
    EXPECT_TRUE(window.isVisible() && !battleWindow.isVisible() && caption->text().isEmpty());
    EXPECT_EQ(status->text(), QStringLiteral("観戦を終えました"));

    edit.press(window, "showButton");
    runUntil([&] { return caption->text().contains(QStringLiteral("第2戦")); });
    battleWindow.ToTheTitle();
    window.poll();
    EXPECT_TRUE(window.isVisible() && !window.broadcasting() && !battleWindow.autoAdvancing());
    EXPECT_EQ(status->text(), QStringLiteral("観戦をやめました"));

    const std::string before = tournament::eventText(*window.event());
    edit.openEditor(0);
    edit.type("TFHP", "1");
    edit.press(edit.app.registerWindow(), "submitButton");
    window.hide(), window.show();
    auto* outdated = window.findChild<QLabel*>("outdatedLabel");
    EXPECT_TRUE(window.outdated() && outdated->isVisibleTo(&window) && !window.findChild<QLabel*>("pictureLabel")->isEnabled());
    edit.press(window, "showButton");
    EXPECT_FALSE(battleWindow.isVisible() || window.broadcasting());
    edit.press(window, "startButton");
    runUntil([&] { return !window.running(); });
    EXPECT_FALSE(window.outdated() || outdated->isVisibleTo(&window));
    EXPECT_NE(tournament::eventText(*window.event()), before);
}

// An event saved midway (after every match count) continues after a restart to the same end.
TEST_F(TournamentWindowTest, AnEventSavedMidwayContinuesAfterARestart)
{
    std::string whole;
    {
        EditingApp edit(folder);
        edit.tick();
        choose(edit.app.tournamentWindow(), 8, 3);
        whole = commandLineEvent(edit.app.tournamentWindow(), 3);
    }
    const tournament::SavedEvent saved = tournament::parseEvent(whole);
    ASSERT_EQ(saved.problem, "");
    for (std::size_t done = 0; done < saved.matches.size(); done += 5) {
        tournament::Event part(saved.setup);
        part.matches.assign(saved.matches.begin(), saved.matches.begin() + static_cast<std::ptrdiff_t>(done));
        // The window first opened with every character ticked and no event to show; then the event is saved.
        folder.write("../tournaments/current.txt", "");
        EditingApp edit(folder);
        edit.tick();
        TournamentWindow& window = edit.app.tournamentWindow();
        choose(window, 12, 1);
        window.hide();
        folder.write("../tournaments/current.txt", tournament::eventText(part));
        window.show();
        // The controls come back as they were, the saved matches shown; 開始 fights the saved entrants alone.
        EXPECT_EQ(window.findChild<QSpinBox*>("roundsBox")->value(), 3);
        EXPECT_EQ(window.findChild<QLineEdit*>("seedEdit")->text(), "9");
        EXPECT_EQ(window.findChild<QTreeWidget*>("matchTree")->topLevelItemCount(), static_cast<int>(done)) << done;
        edit.press(window, "startButton");
        runUntil([&] { return !window.running(); });
        EXPECT_EQ(tournament::eventText(*window.event()), whole) << done;
    }
}
