// The character file: exact writing, reading back, and files the reader must survive.
#include "roster/CharacterFile.h"

#include <gtest/gtest.h>


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
    std::vector<const ATTACK*> list() const
    {
        std::vector<const ATTACK*> result;
        for (const ATTACK* a = record.attacks; a; a = a->next)
            result.push_back(a);
        return result;
    }
};

std::unique_ptr<Loaded> load(std::string_view text, std::string_view listed = "listed")
{
    auto loaded = std::make_unique<Loaded>();
    readCharacter(text, listed, loaded->record, loaded->attacks);
    return loaded;
}

OBJE newCharacterWith(std::initializer_list<ATTACK*> attacks)
{
    OBJE record;
    InitObje(record);
    ATTACK* last = nullptr;
    for (ATTACK* attack : attacks) {
        (last ? last->next : record.attacks) = attack;
        last = attack;
    }
    return record;
}

void expectSameAttack(const ATTACK& a, const ATTACK& b)
{
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.tag, b.tag);
    EXPECT_EQ(std::tie(a.range, a.type, a.prop, a.seed), std::tie(b.range, b.type, b.prop, b.seed));
    EXPECT_EQ(std::tie(a.MP, a.MPP, a.succ, a.crit, a.count, a.hit), std::tie(b.MP, b.MPP, b.succ, b.crit, b.count, b.hit));
    EXPECT_EQ(a.status, b.status);
    EXPECT_EQ(a.flags, b.flags);
}

} // namespace

TEST(CharacterFileTest, WorkedExampleIsWrittenByteForByteAndReadsBack)
{
    ATTACK attack;
    InitAttack(attack);
    const OBJE record = newCharacterWith({&attack});
    EXPECT_EQ(characterText(record), kWorkedExample);

    const auto loaded = load(kWorkedExample);
    EXPECT_EQ(loaded->record.name, record.name);
    EXPECT_EQ(loaded->record.tag, record.tag);
    EXPECT_EQ(loaded->record.fileName, "新規ファイル");
    EXPECT_EQ(loaded->record.imageName, "新規画像");
    EXPECT_EQ(loaded->record.baseStatus, record.baseStatus);
    EXPECT_EQ(loaded->record.baseStatus.aux1, 3) << "a loaded character's aux1 is that of a new one";
    EXPECT_EQ(loaded->record.baseResist, record.baseResist);
    ASSERT_EQ(loaded->list().size(), 1u);
    expectSameAttack(*loaded->list()[0], attack);
    EXPECT_EQ(characterText(loaded->record), kWorkedExample);
}

TEST(CharacterFileTest, AttackSectionsRoundTrip)
{
    ATTACK a, b, c;
    for (ATTACK* attack : {&a, &b, &c})
        InitAttack(*attack);
    a.name = "火炎";
    a.range = 2;
    a.seed = 3;
    a.prop = 8;
    a.MP = 12;
    a.count = 40;
    a.status.ARI = 7;
    a.status.HIT = 8;
    a.status.EVA = 9;
    a.flags = {false, true, false, false, false, false, true};
    b.name = "回復";
    b.seed = 4;
    b.range = 5;
    c.name = "斬撃";
    c.hit = 95;
    c.succ = 100;

    for (const auto& attacks : {std::vector<ATTACK*>{}, std::vector<ATTACK*>{&a, &b, &c}}) {
        OBJE record;
        InitObje(record);
        ATTACK* last = nullptr;
        for (ATTACK* attack : attacks) {
            attack->next = nullptr;
            (last ? last->next : record.attacks) = attack;
            last = attack;
        }
        const std::string text = characterText(record);
        const auto loaded = load(text);
        ASSERT_EQ(loaded->list().size(), attacks.size());
        for (std::size_t i = 0; i < attacks.size(); ++i)
            expectSameAttack(*loaded->list()[i], *attacks[i]);
        if (attacks.empty()) {
            EXPECT_TRUE(text.ends_with("100,100,100,100,100,100\n----++\n----++\n"));
        }
    }
    // ARI stands before HIT and EVA on the status line, and the flags line is 0/1.
    a.next = nullptr;
    const std::string text = characterText(newCharacterWith({&a}));
    EXPECT_NE(text.find("\n0,0,0,0,0,0,0,0,0,0,0,0,7,8,9\n0,1,0,0,0,0,1\n"), std::string::npos);
}

TEST(CharacterFileTest, OnlyCompleteAttackGroupsAreRead)
{
    const std::string header = "n\nt\nf,i\n1,2,3,4\n1,2,3,4,5,6,7\n1,1,1,1,1,1,1,1\n1,1,1,1,1,1,1,1\n1,1,1,1,1,1\n----++\n";
    const std::string attack = "A,t,0,0,0,1,0,0,0,0,0,0\n0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n0,0,0,0,0,0,0\n";
    const struct { const char* name; std::string text; std::size_t attacks; } cases[] = {
        {"none", header + "----++\n", 0},
        {"two", header + attack + attack + "----++\n", 2},
        {"incomplete trailing group", header + attack + "B,t,0\n0,0\n----++\n", 1},
        {"short attack line", header + "B,t,0\n0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n0,0,0,0,0,0,0\n" + attack + "----++\n", 1},
        {"no closing separator", header + attack, 1},
        {"no separator at all", "n\nt\n", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(load(c.text)->list().size(), c.attacks) << c.name;
}

TEST(CharacterFileTest, HandEditedFields)
{
    const auto loaded = load("name, with, commas\ntag\nfile,a,b\n12.9,-3.7, 7,abc\n1e+06,999999,0,0,0,0,0\n"
                             "50,100,100,100,100,100,100,100\n100,100,100,100,100,100,100,100\n100,100,100,100,100,100\n"
                             "----++\n----++\n");
    const OBJE& r = loaded->record;
    EXPECT_EQ(r.name, "name, with, commas");
    EXPECT_EQ(r.fileName, "file");
    EXPECT_EQ(r.imageName, "a") << "a comma in fileName splits it";
    EXPECT_EQ(r.baseStatus.HP, 12);
    EXPECT_EQ(r.baseStatus.MP, -3);
    EXPECT_EQ(r.baseStatus.aux2, 7);
    EXPECT_EQ(r.baseStatus.WP, 0);
    EXPECT_EQ(r.baseStatus.STR, 1);
    EXPECT_EQ(r.baseStatus.VIT, 999999);
    EXPECT_EQ(r.baseResist[RESIST::blow], 50.0f);
}

TEST(CharacterFileTest, MillionsAreWrittenInFullAndSurvive)
{
    OBJE record = newCharacterWith({});
    record.baseStatus.HP = 1000000;
    record.baseStatus.WP = 2000000000;
    record.baseResist[RESIST::fire] = 2147483520.0f;
    const auto loaded = load(characterText(record));
    EXPECT_EQ(loaded->record.baseStatus.HP, 1000000);
    EXPECT_EQ(loaded->record.baseStatus.WP, 2000000000);
    EXPECT_EQ(loaded->record.baseResist[RESIST::fire], 2147483520.0f);
}

TEST(CharacterFileTest, DamagedFilesStartFromANewCharacter)
{
    OBJE fresh;
    InitObje(fresh);
    const struct { const char* name; std::string text; std::string fileName; std::string characterName; double hp; } cases[] = {
        {"missing or empty", "", "listed", fresh.name, 100},
        {"not UTF-8", "勇者\n\xC3\x28\n", "listed", fresh.name, 100},
        {"name only", "勇者\n", "listed", "勇者", 100},
        {"short number line", "勇者\nt\nf,i\n250,10\n", "f", "勇者", 100},
        {"line 3 without image name", "勇者\nt\nf\n250,10,5,300\n", "f", "勇者", 250},
        {"byte-order mark and CRLF", "\xEF\xBB\xBF勇者\r\nt\r\nf,i\r\n250,10,5,300\r\n", "f", "勇者", 250},
    };
    for (const auto& c : cases) {
        const auto loaded = load(c.text);
        EXPECT_EQ(loaded->record.fileName, c.fileName) << c.name;
        EXPECT_EQ(loaded->record.name, c.characterName) << c.name;
        EXPECT_EQ(loaded->record.baseStatus.HP, c.hp) << c.name;
        EXPECT_EQ(loaded->record.baseStatus.aux1, 3) << c.name;
        EXPECT_EQ(loaded->record.baseResist, fresh.baseResist) << c.name;
    }
    EXPECT_EQ(load("勇者\nt\nf\n")->record.imageName, "新規画像");
}
