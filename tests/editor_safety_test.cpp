// SPDX-License-Identifier: GPL-3.0-or-later
// The editors read typed numbers or refuse them, keep what their pop-ups cannot show, forget a cleared picture, report failed writes and leave the files as they were.
#include "EditingApp.h"

#include "app/Title.h"
#include "battle/BattleWindow.h"
#include "battle/ReadyUpList.h"
#include "records/RowRule.h"
#include "roster/CharacterFile.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QShortcut>
#include <QDirIterator>
#include <QtTest/qtestspontaneevent.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace pc;

namespace {

// A and B share the picture s.png, C has c.png and one attack whose range no pop-up item shows.
struct ThreeCharacters {
    ThreeCharacters()
    {
        ATTACK attack;
        InitAttack(attack);
        attack.range = 9;
        for (const auto& [name, picture] : {std::pair{"A", "s.png"}, {"B", "s.png"}, {"C", "c.png"}}) {
            OBJE record;
            InitObje(record);
            record.name = record.fileName = name;
            record.imageName = picture;
            record.attacks = record.name == "C" ? &attack : nullptr;
            folder.write(name, characterText(record));
        }
        folder.write("preset.txt", "A\nB\nC\n");
        writePicture(folder, "data/CharaList/img/s.png", Qt::blue, "PNG");
        writePicture(folder, "data/CharaList/img/c.png", Qt::red, "PNG");
        app->tick();
    }

    // Every file of the data folder with its bytes.
    std::map<QString, QByteArray> files() const
    {
        std::map<QString, QByteArray> all;
        for (QDirIterator it(QString::fromStdString(folder.path("")), QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();) {
            QFile file(it.next());
            all[it.filePath()] = file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>";
        }
        return all;
    }
    // A file that cannot be replaced any more: a folder takes its name.
    void block(const std::string& name) const
    {
        QFile::remove(QString::fromStdString(folder.path(name)));
        QDir().mkpath(QString::fromStdString(folder.path(name)));
    }
    OBJE& character(std::int32_t row) { return *recordAt(app->app.state().objeTop, row); }

    TempDataFolder folder;
    std::unique_ptr<EditingApp> app = std::make_unique<EditingApp>(folder);
};

TEST(EditorSafetyTest, NumbersTypedInFullWidthAreReadAndTextThatIsNoNumberIsRefused)
{
    ThreeCharacters three;
    three.app->openEditor(2);
    three.app->type("TFHP", "abc");
    three.app->press(three.app->app.registerWindow(), "submitButton");
    EXPECT_EQ(three.app->label("numberProblem"), "数ではありません：HP（整数を入れてください）");
    EXPECT_TRUE(three.app->app.registerWindow().isVisible());
    EXPECT_EQ(three.character(2).baseStatus.HP, 100);
    EXPECT_FALSE(three.app->editor("TFHP")->styleSheet().isEmpty()) << "the field is framed";
    three.app->type("TFHP", "１２");
    three.app->type("TFMP", "");
    three.app->press(three.app->app.registerWindow(), "submitButton");
    EXPECT_FALSE(three.app->app.registerWindow().isVisible());
    EXPECT_EQ(three.character(2).baseStatus.HP, 12);
    EXPECT_EQ(three.character(2).baseStatus.MP, 0);
    EXPECT_TRUE(three.app->editor("TFHP")->styleSheet().isEmpty()) << "and no longer";
}

TEST(EditorSafetyTest, ACharacterWithoutItsPictureStaysWithoutAfterARestart)
{
    ThreeCharacters three;
    for (const std::int32_t row : {0, 2}) {
        three.app->openEditor(row);
        three.app->press(three.app->app.registerWindow(), "clearPictureButton");
        three.app->press(three.app->app.registerWindow(), "submitButton");
    }
    three.app = std::make_unique<EditingApp>(three.folder);
    three.app->tick();
    EXPECT_EQ(three.character(2).image, nullptr);
    EXPECT_NE(three.character(1).image, nullptr) << "B keeps the picture it shares";
    EXPECT_EQ(three.character(2).image, nullptr);
    EXPECT_TRUE(three.folder.exists("img/s.png"));
    EXPECT_FALSE(three.folder.exists("img/c.png"));
}

TEST(EditorSafetyTest, AValueNoPopUpItemShowsIsShownAndKeptAndCancelUndoesAnAttackDelete)
{
    ThreeCharacters three;
    three.app->openEditor(2);
    three.app->app.registerWindow().WlistTVdbl();
    three.app->tick();
    EXPECT_EQ(three.app->in<QComboBox>(three.app->app.attackWindow(), "Wrange")->currentText(), "9: (範囲外)");
    three.app->press(three.app->app.attackWindow(), "submitButton");
    EXPECT_EQ(three.character(2).attacks->range, 9);
    three.app->press(three.app->app.registerWindow(), "WdeleteButton");
    EXPECT_EQ(three.character(2).attacks, nullptr);
    three.app->press(three.app->app.registerWindow(), "cancelButton");
    ASSERT_NE(three.character(2).attacks, nullptr) << "キャンセル brings the deleted attack back";
    EXPECT_EQ(three.character(2).attacks->range, 9);
}

// An editor opened again shows no problem of its last opening, but the resistance editor opened
// again shows what was given meanwhile.
TEST(EditorSafetyTest, AnEditorOpenedAgainForgetsItsProblemsButNotTheResistancesGivenMeanwhile)
{
    ThreeCharacters three;
    EditingApp& app = *three.app;
    RegisterWindow& editor = app.app.registerWindow();
    app.openEditor(0);
    app.type("TFFile", "a,b");
    app.press(editor, "submitButton");
    EXPECT_TRUE(app.editor<QLabel>("fileProblem")->isVisibleTo(&editor));
    app.press(editor, "resistButton");
    app.tick();
    app.in(app.app.resistWindow(), "TFfire")->setText("50");
    app.press(app.app.resistWindow(), "submitButton");
    app.press(editor, "resistButton");
    app.tick();
    EXPECT_EQ(app.in(app.app.resistWindow(), "TFfire")->text(), "50");
    app.press(app.app.resistWindow(), "cancelButton");
    app.press(editor, "cancelButton");
    app.openEditor(0);
    EXPECT_FALSE(app.editor<QLabel>("fileProblem")->isVisibleTo(&editor));
}

TEST(EditorSafetyTest, AWriteThatFailsChangesNoFileAndTheWindowSaysWhy)
{
    using Act = void (*)(EditingApp&);
    const struct {
        const char* name;
        const char* blocked;
        bool inEditor;
        Act act;
        const char* problem;
    } cases[] = {
        {"insert", "preset.txt", false, [](EditingApp& a) { a.press(a.app.characterList(), "insertButton"); }, ""},
        {"delete", "preset.txt", false, [](EditingApp& a) {
             EditingApp::answering(Qt::Key_Return, [&a] { a.press(a.app.characterList(), "deleteButton"); });
         }, "statusLabel"},
        {"submit", "C", true, [](EditingApp& a) { a.press(a.app.registerWindow(), "submitButton"); }, "saveProblem"},
        {"attack insert", "preset.txt", true, [](EditingApp& a) { a.press(a.app.registerWindow(), "WinsertButton"); },
         ""},
        {"attack submit", "preset.txt", true, [](EditingApp& a) {
             a.app.registerWindow().WlistTVdbl();
             a.tick();
             a.press(a.app.attackWindow(), "submitButton");
         }, ""},
        {"attack delete", "preset.txt", true, [](EditingApp& a) { a.press(a.app.registerWindow(), "WdeleteButton"); },
         "saveProblem"},
        {"resistance submit", "preset.txt", true, [](EditingApp& a) {
             a.press(a.app.registerWindow(), "resistButton");
             a.tick();
             a.press(a.app.resistWindow(), "submitButton");
         }, ""},
    };
    for (const auto& c : cases) {
        ThreeCharacters three;
        if (c.inEditor)
            three.app->openEditor(2);
        three.block(c.blocked);
        const auto before = three.files();
        c.act(*three.app);
        three.app->tick();
        EXPECT_EQ(three.files(), before) << c.name;
        if (*c.problem) {
            QWidget& window = c.inEditor ? static_cast<QWidget&>(three.app->app.registerWindow())
                                         : three.app->app.characterList();
            EXPECT_FALSE(three.app->in<QLabel>(window, c.problem)->text().isEmpty()) << c.name;
        }
    }
}

TEST(EditorSafetyTest, CtrlQQuitsFromEveryWindowAndTheCloseBoxOfASubWindowLeadsBackToTheTitle)
{
    ThreeCharacters three;
    AppDelegate& app = three.app->app;
    // One shortcut for the whole application reaches every window and dialog.
    const auto shortcuts = app.title().findChildren<QShortcut*>();
    EXPECT_EQ(std::count_if(shortcuts.begin(), shortcuts.end(),
                            [](const QShortcut* s) {
                                return s->key() == QKeySequence::Quit && s->context() == Qt::ApplicationShortcut;
                            }),
              1);
    for (QWidget* window : std::initializer_list<QWidget*>{&three.app->app.characterList(), &three.app->app.battleWindow()}) {
        three.app->app.title().hide();
        window->show();
        QCloseEvent closeBox;
        QSpontaneKeyEvent::setSpontaneous(&closeBox);
        QApplication::instance()->notify(window, &closeBox);
        EXPECT_TRUE(three.app->app.title().isVisible()) << window->objectName().toStdString();
    }
}

} // namespace
