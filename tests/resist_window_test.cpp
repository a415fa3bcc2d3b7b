// The resistance editor and its pending block, through every way in and out of the two editors.
#include "EditingApp.h"

#include <gtest/gtest.h>

#include <functional>

using namespace pc;

namespace {

// A roster of one new character, its editor open.
struct NewCharacterEdit {
    NewCharacterEdit()
    {
        app.tick();
        app.app.characterList().ClistTVsgl(0);
        app.press(app.app.characterList(), "insertButton");
        app.tick();
    }

    QWidget& resistWindow() { return app.app.resistWindow(); }
    OBJE& character() { return *app.app.state().objeTop; }
    void openResistances()
    {
        app.press(app.app.registerWindow(), "resistButton");
        app.tick();
    }
    QLineEdit* fire() { return app.in(resistWindow(), "TFfire"); }

    TempDataFolder folder;
    EditingApp app{folder};
};

} // namespace

TEST(ResistWindowTest, ANewCharacterShowsAHundredInEveryField)
{
    NewCharacterEdit t;
    t.openResistances();
    EXPECT_TRUE(t.resistWindow().isVisible());
    const auto fields = t.resistWindow().findChildren<QLineEdit*>();
    EXPECT_EQ(fields.size(), kResistCount);
    for (const QLineEdit* field : fields)
        EXPECT_EQ(field->text(), "100") << field->objectName().toStdString();
}

TEST(ResistWindowTest, ThePendingBlockFollowsTheCharacterEditorsSubmitOrCancel)
{
    using Step = std::function<void(NewCharacterEdit&)>;
    const Step openSetFiftySubmit = [](NewCharacterEdit& t) {
        t.openResistances();
        t.fire()->setText("50");
        t.app.press(t.resistWindow(), "submitButton");
    };
    const Step reopenShowsFiftyCancel = [](NewCharacterEdit& t) {
        t.openResistances();
        EXPECT_EQ(t.fire()->text(), "50");
        t.app.press(t.resistWindow(), "cancelButton");
    };
    const Step openSetFiftyCancel = [](NewCharacterEdit& t) {
        t.openResistances();
        t.fire()->setText("50");
        t.app.press(t.resistWindow(), "cancelButton");
    };
    const Step editorSubmit = [](NewCharacterEdit& t) { t.app.press(t.app.app.registerWindow(), "submitButton"); };
    const Step editorCancel = [](NewCharacterEdit& t) { t.app.press(t.app.app.registerWindow(), "cancelButton"); };
    const struct { const char* name; std::vector<Step> steps; float fire; } cases[] = {
        {"submit, then cancel the character", {openSetFiftySubmit, editorCancel}, 100},
        {"submit, reopen, cancel, submit the character", {openSetFiftySubmit, reopenShowsFiftyCancel, editorSubmit}, 50},
        {"open and cancel, then submit the character", {openSetFiftyCancel, editorSubmit}, 100},
        {"submit the character without opening", {editorSubmit}, 100},
    };
    for (const auto& c : cases) {
        NewCharacterEdit test;
        test.character().baseResist[RESIST::cold] = 70;
        for (const Step& step : c.steps)
            step(test);
        EXPECT_EQ(test.character().baseResist[RESIST::fire], c.fire) << c.name;
        EXPECT_EQ(test.character().baseResist[RESIST::cold], 70) << c.name;
        EXPECT_EQ(test.character().curResist[RESIST::fire], 100) << c.name << ": the battle-time block stays";
        EXPECT_FALSE(test.app.app.state().Robje) << c.name;
        EXPECT_FALSE(test.resistWindow().isVisible()) << c.name;
    }
}

TEST(ResistWindowTest, HugeResistancesShowSaturated)
{
    NewCharacterEdit t;
    t.character().baseResist[RESIST::fire] = 3e9f;
    t.character().baseResist[RESIST::cold] = -3e9f;
    t.openResistances();
    EXPECT_EQ(t.fire()->text(), "2147483647");
    EXPECT_EQ(t.app.in(t.resistWindow(), "TFcold")->text(), "-2147483648");
}

TEST(ResistWindowTest, ASubmitAfterTheCharacterEditorClosedStoresNothing)
{
    NewCharacterEdit t;
    t.openResistances();
    t.fire()->setText("50");
    t.app.press(t.app.app.registerWindow(), "cancelButton");
    t.app.press(t.resistWindow(), "submitButton");
    EXPECT_FALSE(t.resistWindow().isVisible());
    EXPECT_FALSE(t.app.app.state().Robje);
    EXPECT_EQ(t.character().baseResist[RESIST::fire], 100);
}

TEST(ResistWindowTest, TheCloseBoxCancelsAndKeepsWhatWasSubmitted)
{
    NewCharacterEdit t;
    t.openResistances();
    t.fire()->setText("50");
    t.app.press(t.resistWindow(), "submitButton");
    t.openResistances();
    t.fire()->setText("10");
    t.resistWindow().close();
    EXPECT_FALSE(t.resistWindow().isVisible());
    EXPECT_EQ((*t.app.app.state().Robje)[RESIST::fire], 50);
}
