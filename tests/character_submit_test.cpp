// SPDX-License-Identifier: GPL-3.0-or-later
// The character editor's submit: refused texts and names, what a submit stores and writes, failed writes.
#include "MemoryStorage.h"

#include "editor/CharacterSubmit.h"
#include "records/RowRule.h"
#include "roster/CharacterFile.h"

#include <gtest/gtest.h>

#include <functional>

using namespace pc;

namespace {

const std::string kFolder = "/base/data/CharaList/";

// A roster of a saved character "other" (files other.txt, other.png) followed
// by the edited character, with a pending resistance block.
class CharacterSubmitTest : public ::testing::Test {
protected:
    CharacterSubmitTest()
    {
        state.baseDir = "/base";
        other = state.objes.make();
        InitObje(*other);
        other->fileName = "other.txt";
        other->imageName = "other.png";
        edited = state.objes.make();
        InitObje(*edited);
        other->next = edited;
        state.objeTop = other;
        state.ClistClickedRow = 1;
        state.setPentaFlag = true;
        RESIST pending = edited->baseResist;
        pending[RESIST::fire] = 50;
        state.Robje = pending;

        edit = characterEditOf(*edited);
        edit.texts = {"勇者, 二代目", "hero", "hero.txt", "hero.png", true};
        edit.image = bytesPicture("PNG hero");
        edit.stats = {250, 40, 300, 12, 13, 14, 15, 16, 17, 18};
    }

    // Everything of the edited character a submit may write.
    std::string editedText() const { return characterText(*edited); }

    AppState state;
    MemoryStorage storage;
    OBJE* other = nullptr;
    OBJE* edited = nullptr;
    CharacterEdit edit;
};

} // namespace

TEST_F(CharacterSubmitTest, RefusedTextsChangeNothing)
{
    using Change = std::function<void(CharacterEdit&)>;
    const struct { const char* name; Change change; std::string CharacterProblems::*field; } cases[] = {
        {"comma in the file name", [](CharacterEdit& e) { e.texts.fileName = "a,b"; }, &CharacterProblems::fileName},
        {"comma in the picture name", [](CharacterEdit& e) { e.texts.imageName = "a,b.png"; }, &CharacterProblems::imageName},
        {"carriage return in the name", [](CharacterEdit& e) { e.texts.name = "a\r"; }, &CharacterProblems::name},
        {"byte-order mark opening the name", [](CharacterEdit& e) { e.texts.name = "\xEF\xBB\xBF勇者"; }, &CharacterProblems::name},
        {"separator inside the tag", [](CharacterEdit& e) { e.texts.tag = "x----++y"; }, &CharacterProblems::tag},
        {"file name with a backslash", [](CharacterEdit& e) { e.texts.fileName = "a\\b"; }, &CharacterProblems::fileName},
        {"the index's backup as file name", [](CharacterEdit& e) { e.texts.fileName = "preset.txt.bak"; },
         &CharacterProblems::fileName},
        {"another character's file", [](CharacterEdit& e) { e.texts.fileName = "other.txt"; }, &CharacterProblems::fileName},
        {"another character's picture", [](CharacterEdit& e) { e.texts.imageName = "other.png"; }, &CharacterProblems::imageName},
    };
    for (const auto& c : cases) {
        CharacterEdit changed = edit;
        c.change(changed);
        const std::string before = editedText();
        const auto filesBefore = storage.files;
        const SubmitOutcome outcome = submitCharacter(state, storage, changed);
        EXPECT_FALSE(outcome.saved()) << c.name;
        EXPECT_FALSE((outcome.problems.*c.field).empty()) << c.name;
        EXPECT_EQ(editedText(), before) << c.name;
        EXPECT_EQ(storage.files, filesBefore) << c.name;
        EXPECT_TRUE(state.Robje) << c.name;
    }
}

TEST_F(CharacterSubmitTest, NoCharacterAtTheDesignatedRowWritesNothing)
{
    state.ClistClickedRow = 5;
    const SubmitOutcome outcome = submitCharacter(state, storage, edit);
    EXPECT_FALSE(outcome.saved());
    EXPECT_FALSE(outcome.saveFailure.empty());
    EXPECT_TRUE(storage.files.empty());
}
