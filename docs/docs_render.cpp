// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the windows to PNG pictures for the documentation, one function per
// window, over a copy of the demo roster:
//   QT_QPA_PLATFORM=offscreen docs_render <output folder>
#include "app/AppDelegate.h"
#include "app/Title.h"
#include "balance/BalanceWindow.h"
#include "ranking/RankingWindow.h"
#include "battle/BattleChart.h"
#include "battle/BattleWindow.h"
#include "battle/ReadyUpList.h"
#include "editor/AttackWindow.h"
#include "editor/RegisterWindow.h"
#include "editor/StrengthDialog.h"
#include "editor/ResistWindow.h"
#include "roster/CharacterList.h"
#include "roster/ImportWindow.h"
#include "roster/QtStorage.h"
#include "roster/RosterExchange.h"
#include "tournamentwindow/TournamentWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMessageBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <initializer_list>

namespace {

constexpr int kGap = 12;
// The demo character whose editors are shown: the one with three attacks.
constexpr int kShownCharacter = 4;
// The demo character the delete question names.
constexpr int kQuestionedCharacter = 2;
// Demo roster rows of the parties shown in battle.
constexpr int kSlime = 5;
constexpr int kGoblin = 6;
constexpr int kSorceress = 9;
constexpr int kOgre = 11;

// Copies the demo roster into `base`/data/CharaList.
bool copyDemoRoster(const QString& base)
{
    const QDir from(QStringLiteral(PARTYCLASH_DEMO_ROSTER));
    const QString to = base + "/data/CharaList/";
    bool copied = QDir().mkpath(to + "img");
    for (const QString& name : from.entryList(QDir::Files))
        copied = QFile::copy(from.filePath(name), to + name) && copied;
    for (const QString& name : QDir(from.filePath("img")).entryList(QDir::Files))
        copied = QFile::copy(from.filePath("img/" + name), to + "img/" + name) && copied;
    return copied;
}

// One period of every editing controller's timer.
void tick(pc::AppDelegate& app)
{
    app.registerWindow().timerAction2();
    app.characterList().timerAction();
    app.resistWindow().timerAction5();
    app.attackWindow().timerAction6();
}

bool report(bool saved, const QString& path)
{
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

bool save(QWidget& window, const QString& path)
{
    window.show();
    QApplication::processEvents();
    return report(window.grab().save(path, "PNG"), path);
}

bool renderRoster(pc::AppDelegate& app, const QString& out)
{
    return save(app.characterList(), out + "/roster.png");
}

// The question 削除 asks, answered with キャンセル once it is drawn.
bool renderDeleteQuestion(pc::AppDelegate& app, const QString& out)
{
    bool saved = false;
    QTimer::singleShot(0, [&saved, &out] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            saved = box->grab().save(out + "/delete-question.png", "PNG");
            box->reject();
        }
    });
    app.characterList().ClistTVsgl(kQuestionedCharacter);
    app.characterList().Cdelete();
    return report(saved, out + "/delete-question.png");
}

bool renderEditor(pc::AppDelegate& app, const QString& out)
{
    app.characterList().ClistTVsgl(kShownCharacter);
    app.characterList().ClistTVdbl();
    tick(app);
    return save(app.registerWindow(), out + "/editor.png");
}

// Opens the second attack of the character in the editor, and its special window.
bool renderAttackEditor(pc::AppDelegate& app, const QString& out)
{
    app.registerWindow().WlistTVsgl(1);
    app.registerWindow().WlistTVdbl();
    tick(app);
    const bool saved = save(app.attackWindow(), out + "/attack-editor.png");
    app.attackWindow().specialWindowBtn();
    return save(app.attackWindow().specialWindow(), out + "/attack-special.png") && saved;
}

// The four pop-up menus of the attack editor, opened one after the other and
// laid side by side.
bool renderAttackPopups(pc::AppDelegate& app, const QString& out)
{
    QList<QPixmap> lists;
    for (const char* name : {"Wrange", "Wtype", "Wprop", "Wseed"}) {
        auto* menu = app.attackWindow().findChild<QComboBox*>(name);
        menu->showPopup();
        QApplication::processEvents();
        lists << menu->view()->window()->grab();
        menu->hidePopup();
    }
    int width = kGap;
    int height = 0;
    for (const QPixmap& list : lists) {
        width += list.width() + kGap;
        height = std::max(height, list.height());
    }
    QPixmap sheet(width, height + 2 * kGap);
    sheet.fill(app.attackWindow().palette().window().color());
    QPainter painter(&sheet);
    int x = kGap;
    for (const QPixmap& list : lists) {
        painter.drawPixmap(x, kGap, list);
        x += list.width() + kGap;
    }
    painter.end();
    const QString path = out + "/attack-popups.png";
    return report(sheet.save(path, "PNG"), path);
}

bool renderResistEditor(pc::AppDelegate& app, const QString& out)
{
    app.registerWindow().ToTheRegist();
    tick(app);
    return save(app.resistWindow(), out + "/resist-editor.png");
}

bool renderTitle(pc::AppDelegate& app, const QString& out)
{
    return save(app.title(), out + "/title.png");
}

// Builds both parties afresh from demo roster rows, one add after the other.
void chooseParties(pc::AppDelegate& app, std::initializer_list<int> players, std::initializer_list<int> enemies)
{
    pc::AppState& state = app.state();
    pc::ReadyUpList& party = app.readyUpList();
    // The party-selection window refuses changes while a battle is shown.
    app.battleWindow().hide();
    state.initCPEListFlag = true;
    party.timerAction3();
    for (const int row : players) {
        state.CPlistClickedRow = row;
        party.RPadd();
        party.timerAction3();
    }
    for (const int row : enemies) {
        state.CElistClickedRow = row;
        party.REadd();
        party.timerAction3();
    }
}

// Three heroes against a slime and a goblin.
bool renderPartySelection(pc::AppDelegate& app, const QString& out)
{
    chooseParties(app, {0, 1, 2}, {kSlime, kGoblin});
    return save(app.readyUpList(), out + "/party-selection.png");
}

// The battle seven presses in, with the latest damage line that a resistance
// scaled chosen in the log, so that its breakdown shows.
bool renderBattle(pc::AppDelegate& app, const QString& out)
{
    constexpr int kPresses = 7;
    app.readyUpList().StartOff();
    pc::BattleWindow& battle = app.battleWindow();
    battle.timerAction4();
    for (int press = 0; press < kPresses; ++press)
        battle.Navigation();
    battle.timerAction4();
    const std::vector<pc::LogEntry>& log = battle.log();
    auto* logView = battle.findChild<QAbstractItemView*>("logView");
    for (std::size_t row = log.size(); row-- > 0;) {
        const pc::Breakdown& breakdown = log[row].breakdown;
        if (breakdown.effect == pc::Effect::damage && breakdown.value.scaled && breakdown.value.resistance != 100) {
            logView->setCurrentIndex(logView->model()->index(static_cast<int>(row), 0));
            break;
        }
    }
    return save(battle, out + "/battle-log.png");
}

// The sorceress and the saint against an ogre and a goblin, pressed until a
// multi-part action is under way.
bool renderMultiPartAction(pc::AppDelegate& app, const QString& out)
{
    chooseParties(app, {kSorceress, kSorceress + 1}, {kOgre, kGoblin});
    pc::AppState& state = app.state();
    app.readyUpList().StartOff();
    pc::BattleWindow& battle = app.battleWindow();
    battle.timerAction4();
    for (int press = 0; press < 200 && !state.multipleLoopFlag; ++press)
        battle.Navigation();
    battle.timerAction4();
    return save(battle, out + "/battle-multi.png");
}

// The import window over a folder exported from four demo characters, one of
// them unticked, and a file that is not a character file.
bool renderImport(pc::AppDelegate& app, const QString& out)
{
    QTemporaryDir folder;
    pc::QtStorage storage;
    std::vector<const pc::OBJE*> characters;
    for (const pc::OBJE* record = app.state().objeTop; record && characters.size() < 4; record = record->next)
        characters.push_back(record);
    const std::string shared = folder.path().toStdString();
    if (!pc::exportCharacters(storage, characters, shared).empty())
        return report(false, out + "/import.png");
    const std::string roster = shared + "/CharaList/";
    storage.writeAtomically(roster + "memo.txt", "メモ\n");
    storage.writeAtomically(roster + "preset.txt", *storage.read(roster + "preset.txt") + "memo.txt\n");
    pc::ImportWindow window(folder.path() + "/CharaList", pc::readRosterFolder(app.state(), storage, roster));
    window.setChosen(2, false);
    return save(window, out + "/import.png");
}

// The balance window after a run over the whole demo roster at the default
// 1,000 battles per pairing, and its heat map and ranking chart as exported.
bool renderBalance(pc::AppDelegate& app, const QString& out)
{
    pc::BalanceWindow& balance = app.balanceWindow();
    balance.show();
    balance.start();
    while (balance.running())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    bool ok = report(balance.saveHeatMapPng(out + "/balance-heatmap.png").isEmpty(), out + "/balance-heatmap.png");
    ok = report(balance.saveChartPng(out + "/balance-ranking.png").isEmpty(), out + "/balance-ranking.png") && ok;
    return save(balance, out + "/balance.png") && ok;
}

// The ランキング window after laddering the whole demo roster to ±35 Elo,
// 勇者アルス's results by opponent shown, and the ladder as exported.
bool renderRanking(pc::AppDelegate& app, const QString& out)
{
    pc::RankingWindow& ranking = app.rankingWindow();
    ranking.show();
    ranking.start();
    while (ranking.running())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    ranking.showOpponents(0);
    const bool ok = report(ranking.savePng(out + "/ranking-ladder.png").isEmpty(), out + "/ranking-ladder.png");
    return save(ranking, out + "/ranking.png") && ok;
}

// 強さを試す on the character shown in the editor, its HP raised in the field.
bool renderStrength(pc::AppDelegate& app, const QString& out)
{
    pc::AppState& state = app.state();
    state.ClistClickedRow = kShownCharacter;
    state.initRegisterFlag = true;
    tick(app);
    pc::RegisterWindow& editor = app.registerWindow();
    editor.findChild<QLineEdit*>("TFHP")->setText(QStringLiteral("500"));
    editor.testStrength();
    pc::StrengthDialog& strength = *editor.strengthDialog();
    while (strength.running())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    const bool saved = save(strength, out + "/strength.png");
    strength.close();
    editor.cancel();
    return saved;
}

// Four against four from seed 42: the win-chance gauge ten presses in, then
// the chart of the battle fought to its end with the chance after every press.
bool renderWinChance(pc::AppDelegate& app, const QString& out)
{
    chooseParties(app, {0, 1, 2, 3}, {7, kOgre, kSlime, 4});
    app.readyUpList().findChild<QLineEdit*>("seedField")->setText(QStringLiteral("42"));
    app.readyUpList().StartOff();
    pc::BattleWindow& battle = app.battleWindow();
    battle.timerAction4();
    battle.settleWinChance();
    const auto press = [&] {
        battle.Navigation();
        battle.timerAction4();
        battle.settleWinChance();
    };
    for (int i = 0; i < 10; ++i)
        press();
    bool ok = save(battle, out + "/battle-chance.png");
    for (int i = 0; i < 1000 && !pc::announcesEnd(battle.view().naviText); ++i)
        press();
    battle.showChart();
    auto* chart = battle.findChild<pc::BattleChart*>();
    return chart && save(*chart, out + "/battle-chart.png") && ok;
}

// The 大会 window after a Swiss event of the first eight demo characters, best
// of 3, and the battle window six presses into the broadcast of its first battle.
bool renderTournament(pc::AppDelegate& app, const QString& out)
{
    pc::TournamentWindow& window = app.tournamentWindow();
    window.show();
    auto* list = window.findChild<QListWidget*>("entrantList");
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(i < 8 ? Qt::Checked : Qt::Unchecked);
    window.start();
    while (window.running())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    bool ok = save(window, out + "/tournament.png");
    pc::BattleWindow& battle = app.battleWindow();
    battle.findChild<QComboBox*>("paceBox")->setCurrentIndex(2);
    window.watchShow();
    const auto* caption = battle.findChild<QLabel*>("captionLabel");
    while (window.broadcasting()
           && (caption->text().isEmpty() || app.state().ReadyUpListStartOffFlag || battle.log().size() < 6))
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    battle.settleWinChance();
    ok = save(battle, out + "/tournament-broadcast.png") && ok;
    battle.ToTheTitle();
    window.poll();
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: docs_render <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir base;
    if (!copyDemoRoster(base.path())) {
        std::fprintf(stderr, "docs_render: could not copy the demo roster\n");
        return 1;
    }
    pc::AppDelegate app(base.path().toStdString());
    tick(app);
    // The windows are rendered in the order a user opens them, each over the one before.
    bool ok = true;
    for (auto* render : {renderTitle, renderRoster, renderDeleteQuestion, renderEditor, renderAttackEditor,
                         renderAttackPopups, renderResistEditor, renderPartySelection, renderBattle,
                         renderMultiPartAction, renderWinChance, renderImport, renderBalance, renderRanking,
                         renderStrength, renderTournament})
        ok = render(app, out) && ok;
    return ok ? 0 : 1;
}
