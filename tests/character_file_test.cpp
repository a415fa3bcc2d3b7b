// SPDX-License-Identifier: GPL-3.0-or-later
// The character file: exact writing, reading back, and files the reader must survive.
#include "records/RowRule.h"
#include "roster/CharacterFile.h"

#include <gtest/gtest.h>

#include <memory>

using namespace pc;

namespace {

const char* const kWorkedExample =
    "新規キャラクター\n"
    "xxxx\n"
    "新規ファイル,新規画像\n"
    "100,50,5,500\n"
    "30,30,30,30,30,30,30\n"
    "100,100,100,100,100,100,100,100\n"
    "100,100,100,100,100,100,100,100\n"
    "100,100,100,100,100,100\n"
    "----++\n"
    "新規技,xxxx,0,0,0,0,0,0,0,0,0,0\n"
    "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n"
    "0,0,0,0,0,0,0\n"
    "----++\n";

struct Loaded {
    Arena<ATTACK> attacks;
    OBJE record;
    std::size_t count() const { return static_cast<std::size_t>(countOf(record.attacks)); }
};

std::unique_ptr<Loaded> load(std::string_view text)
{
    auto loaded = std::make_unique<Loaded>();
    readCharacter(text, "listed", loaded->record, loaded->attacks);
    return loaded;
}

} // namespace

TEST(CharacterFileTest, WorkedExampleIsWrittenByteForByteAndReadsBack)
{
    ATTACK attack;
    InitAttack(attack);
    OBJE record;
    InitObje(record);
    record.attacks = &attack;
    EXPECT_EQ(characterText(record), kWorkedExample);
    EXPECT_EQ(characterText(load(kWorkedExample)->record), kWorkedExample);

    // ARI stands before HIT and EVA on the attack's status line; the flags are 0 and 1.
    attack.status = {.HIT = 8, .EVA = 9, .ARI = 7};
    attack.flags = {false, true, false, false, false, false, true};
    record.baseStatus.HP = 1000000;
    const std::string text = characterText(record);
    EXPECT_NE(text.find("\n1000000,50,5,500\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n0,0,0,0,0,0,0,0,0,0,0,0,7,8,9\n0,1,0,0,0,0,1\n"), std::string::npos) << text;
    EXPECT_EQ(characterText(load(text)->record), text);
}

TEST(CharacterFileTest, HandEditedAndDamagedFiles)
{
    const std::string attack = "A,t,0,0,0,1,0,0,0,0,0,0\n0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n0,0,0,0,0,0,0\n";
    const std::string head = "勇者\nt\nf,i\n";
    const struct {
        const char* name;
        std::string text;
        const char* characterName;
        const char* imageName;
        double HP, MP, aux2, WP;
        std::size_t attacks;
    } cases[] = {
        {"hand-edited numbers", head + "12.9,+3, 7,abc\n", "勇者", "i", 12, 3, 7, 0, 0},
        {"a short attack line skipped", head + "1,2,3,4\n----++\nB,t,0\n0\n0\n" + attack + "----++\n", "勇者", "i", 1, 2, 3, 4, 1},
        {"no picture name", "勇者\nt\nf\n", "勇者", "新規画像", 100, 50, 5, 500, 0},
        {"byte-order mark and CRLF", "\xEF\xBB\xBF勇者\r\nt\r\nf,i\r\n250,10,5,300\r\n", "勇者", "i", 250, 10, 5, 300, 0},
        {"overlong 2-byte UTF-8", "勇者\xC1\xA1\n", "新規キャラクター", "新規画像", 100, 50, 5, 500, 0},
        {"UTF-16 surrogate in UTF-8", "勇者\xED\xA0\x80\n", "新規キャラクター", "新規画像", 100, 50, 5, 500, 0},
    };
    for (const auto& c : cases) {
        const auto loaded = load(c.text);
        const OBJE& r = loaded->record;
        EXPECT_EQ(r.name, c.characterName) << c.name;
        EXPECT_EQ(r.imageName, c.imageName) << c.name;
        EXPECT_EQ(r.baseStatus.HP, c.HP) << c.name;
        EXPECT_EQ(r.baseStatus.MP, c.MP) << c.name;
        EXPECT_EQ(r.baseStatus.aux2, c.aux2) << c.name;
        EXPECT_EQ(r.baseStatus.WP, c.WP) << c.name;
        EXPECT_EQ(loaded->count(), c.attacks) << c.name;
    }
}
