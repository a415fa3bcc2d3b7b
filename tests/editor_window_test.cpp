// SPDX-License-Identifier: GPL-3.0-or-later
// The editors as a user leaves them: Ctrl+Q asks exactly while an editor holds
// unsaved changes, a new character never saved leaves no row behind when
// cancelled, a number past 32 bits is refused with the range, a refused delete
// says so once, and Qt's own buttons speak the user's language.
#include "EditingApp.h"

#include "app/QtTranslations.h"
#include "roster/CharacterFile.h"

#include <QTranslator>

#include <gtest/gtest.h>

using namespace pc;

namespace {

const QString kQuestion = QStringLiteral("保存していない変更があります。終了しますか？");

// One saved character A with a picture, in a shown roster window.
struct EditorQuitTest : testing::Test {
    void SetUp() override
    {
        OBJE record;
        InitObje(record);
        record.name = record.fileName = "A";
        record.imageName = "A.png";
        folder.write("A", characterText(record));
        writePicture(folder, "data/CharaList/img/A.png", Qt::red, "PNG");
        folder.write("preset.txt", "A\n");
        app.tick();
        app.app.characterList().show();
    }

    // Asks to quit and answers a question with `answer`; the question asked ("" for none) and whether it may quit.
    std::pair<QString, bool> quit(QMessageBox::StandardButton answer)
    {
        QString asked;
        QTimer::singleShot(0, [&asked, answer] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = box->text();
                box->button(answer)->click();
            }
        });
        const bool may = app.app.mayQuit();
        QCoreApplication::processEvents();
        return {asked, may};
    }
    QStringList rows() { QStringList names; for (int row = 0; row < app.app.characterList().rows().rowCount(); ++row) names << app.cell(row, "name"); return names; }

    TempDataFolder folder;
    EditingApp app{folder};
};

TEST_F(EditorQuitTest, CtrlQAsksWhileAnyEditorHoldsAChangeAndOnlyThen)
{
    RegisterWindow& editor = app.app.registerWindow();
    const auto open = [&](QDialog& window, const std::function<void()>& opening) {
        opening();
        app.tick();
        return &window;
    };
    const std::vector<std::pair<const char*, std::function<void()>>> changes{
        {"nothing", [] {}},
        {"a text", [&] { app.type("TFName", "B"); }},
        {"a number", [&] { app.type("TFHP", "7"); }},
        {"the picture", [&] { app.press(editor, "clearPictureButton"); }},
        {"an attack added", [&] { open(app.app.attackWindow(), [&] { editor.Winsert(); })->reject(); }},
        {"a resistance", [&] { app.in(*open(app.app.resistWindow(), [&] { editor.ToTheRegist(); }), "TFholy")->setText("20"); }},
    };
    for (const auto& [what, change] : changes) {
        app.openEditor(0);
        change();
        const QString question = std::string(what) == "nothing" ? QString() : kQuestion;
        EXPECT_EQ(quit(QMessageBox::No), std::pair(question, question.isEmpty())) << what;
        EXPECT_EQ(quit(QMessageBox::Yes), std::pair(question, true)) << what;
        EXPECT_TRUE(editor.isVisible()) << what << ": the question changes nothing";
        app.app.attackWindow().reject();
        app.app.resistWindow().reject();
        editor.reject();
        EXPECT_EQ(quit(QMessageBox::No), std::pair(QString(), true)) << what << ": cancelled";
    }
}

TEST_F(EditorQuitTest, ANewCharacterNeverSavedLeavesWithItsCancelledEditAndOnlyThen)
{
    const std::string list = folder.read("preset.txt");
    for (bool saved : {false, false, true}) {
        app.app.characterList().Cinsert();
        app.tick();
        app.type("TFName", "B");
        if (saved) {
            app.app.registerWindow().submit();
            app.openEditor(0);
        }
        app.app.registerWindow().reject();
        app.tick();
        EXPECT_EQ(rows(), (saved ? QStringList{"B", "A"} : QStringList{"A"}));
        if (!saved) {
            app.openEditor(0);
            app.type("TFTag", "edited");
            app.app.registerWindow().submit();
            EXPECT_EQ(folder.read("preset.txt"), list) << "a later rewrite names no unwritten file";
        }
    }
}

TEST_F(EditorQuitTest, EveryNumberFieldRefusesANumberPast32BitsWithTheRange)
{
    for (const char* field : {"TFHP", "TFMP", "TFWP", "TFSTR", "TFVIT", "TFAGI", "TFDEX", "TFMEN", "TFINT", "TFLUK"}) {
        app.openEditor(0);
        const QString original = app.shown(field);
        app.app.registerWindow().reject();
        const std::string saved = folder.read("A");
        for (const char* typed : {"2147483648", "-2147483649", "\xEF\xBC\x93" "000000000", "2147483647"}) {
            app.openEditor(0);
            app.type(field, typed);
            app.app.registerWindow().submit();
            const bool taken = std::string(typed) == "2147483647";
            EXPECT_EQ(app.app.registerWindow().isVisible(), !taken) << field << " " << typed;
            EXPECT_EQ(app.label("numberProblem").contains(QStringLiteral("-2147483648〜2147483647")), !taken) << field;
            EXPECT_EQ(folder.read("A") == saved, !taken) << field << " " << typed;
            app.app.registerWindow().reject();
        }
        app.openEditor(0);
        app.type(field, original);
        app.app.registerWindow().submit();
    }
}

TEST_F(EditorQuitTest, ARefusedDeleteSaysWhyOnce)
{
    app.app.state().readOnlyReason = "別のPartyClashが使用中";
    app.app.characterList().ClistTVsgl(0);
    EditingApp::answering(Qt::Key_Return, [&] { app.app.characterList().Cdelete(); });
    const QString status = app.in<QLabel>(app.app.characterList(), "statusLabel")->text();
    EXPECT_EQ(status.count(QStringLiteral("削除できませんでした")), 1) << status.toStdString();
    EXPECT_TRUE(status.contains(QStringLiteral("別のPartyClashが使用中"))) << status.toStdString();
    EXPECT_EQ(rows(), QStringList{"A"});
}

} // namespace

TEST(QtTranslations, QtsOwnButtonsSpeakTheUsersLanguageOrJapanese)
{
    const struct { QLocale locale; const char* yes; } cases[] = {
        {QLocale(QLocale::Japanese), "はい"}, {QLocale::c(), "はい"}, {QLocale(QLocale::German), "Ja"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(installQtTranslations(c.locale)) << c.locale.name().toStdString();
        QMessageBox box(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No);
        EXPECT_TRUE(box.button(QMessageBox::Yes)->text().remove(u'&').startsWith(QString::fromUtf8(c.yes)))
            << box.button(QMessageBox::Yes)->text().toStdString();
        for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
}
