// SPDX-License-Identifier: GPL-3.0-or-later
// The 大会 window offscreen on the demo roster: its event is the command line's, it continues after a
// restart, a battle of a match opens in the battle window with its seed, and every export is written.
#include "DemoFolder.h"
#include "EditingApp.h"
#include "SimulatorRun.h"
#include "TempDataFolder.h"

#include "battle/BattleWindow.h"
#include "tournament/EventFile.h"
#include "tournamentwindow/TournamentWindow.h"

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
    static void choose(TournamentWindow& window, int count, int rounds)
    {
        window.show();
        auto* list = window.findChild<QListWidget*>("entrantList");
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setCheckState(i < count ? Qt::Checked : Qt::Unchecked);
        window.findChild<QComboBox*>("formatBox")->setCurrentIndex(0);
        window.findChild<QSpinBox*>("roundsBox")->setValue(rounds);
        window.findChild<QSpinBox*>("bestOfBox")->setValue(3);
        window.findChild<QLineEdit*>("seedEdit")->setText("9");
    }

    // The command line's event file for the event of the characters checked in `window`.
    std::string commandLineEvent(TournamentWindow& window, int rounds)
    {
        std::string names;
        auto* list = window.findChild<QListWidget*>("entrantList");
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->checkState() == Qt::Checked)
                names += (names.empty() ? "" : ",") + list->item(i)->data(Qt::UserRole).toString().toStdString();
        }
        const std::string file = folder.base() + "/cli-event.txt";
        const SimRun cli = runSim({"--data", std::string(PARTYCLASH_EXAMPLES), "--tournament", "swiss", "--entrants", names,
                                   "--rounds", std::to_string(rounds), "--best-of", "3", "--seed", "9", "--event-file", file});
        EXPECT_EQ(cli.status, 0) << cli.err;
        return *QtStorage().read(file);
    }

    TempDataFolder folder;
};

TEST_F(TournamentWindowTest, TheWindowsEventIsTheCommandLinesAndItsBattlesOpenWithTheirSeeds)
{
    EditingApp edit(folder);
    edit.tick();
    TournamentWindow& window = edit.app.tournamentWindow();
    choose(window, 8, 3);
    edit.press(window, "startButton");
    runUntil([&] { return !window.running(); });
    ASSERT_NE(window.event(), nullptr);
    const std::string text = tournament::eventText(*window.event());
    EXPECT_EQ(text, commandLineEvent(window, 3));
    QtStorage storage;
    EXPECT_EQ(*storage.read(window.eventPath()), text);
    EXPECT_TRUE(window.findChild<QLabel*>("summaryLabel")->text().startsWith(QStringLiteral("優勝：")));

    // The second battle of the first match, fought in the battle window from its seed, sides swapped.
    auto* tree = window.findChild<QTreeWidget*>("matchTree");
    QTreeWidgetItem* battle = tree->topLevelItem(0)->child(1);
    ASSERT_NE(battle, nullptr);
    emit tree->itemDoubleClicked(battle, 0);
    EXPECT_TRUE(edit.app.battleWindow().isVisible());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(edit.app.state().battleSeed, window.event()->matches[0].battles[1].seed);

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
        folder.write("../tournaments/current.txt", tournament::eventText(part));
        EditingApp edit(folder);
        edit.tick();
        TournamentWindow& window = edit.app.tournamentWindow();
        window.show();
        // The controls come back as they were, the saved matches shown.
        EXPECT_EQ(window.findChild<QSpinBox*>("roundsBox")->value(), 3);
        EXPECT_EQ(window.findChild<QLineEdit*>("seedEdit")->text(), "9");
        EXPECT_EQ(window.findChild<QTreeWidget*>("matchTree")->topLevelItemCount(), static_cast<int>(done)) << done;
        edit.press(window, "startButton");
        runUntil([&] { return !window.running(); });
        EXPECT_EQ(tournament::eventText(*window.event()), whole) << done;
    }
}

} // namespace
