// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the demo roster: characters with portraits drawn here, saved through
// the application's own character writer.
//   demo_roster FOLDER   writes FOLDER/data/CharaList/
#include "records/AppState.h"
#include "records/RowRule.h"
#include "roster/QtStorage.h"
#include "roster/RosterStore.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>
#include <vector>

namespace {

struct AttackDraft {
    const char* name;
    int range, type, prop, seed;
    double MP, count, succ, hit;
};

struct CharacterDraft {
    const char* name;
    const char* tag;
    const char* file;
    QColor colour;
    double HP, MP, WP;
    double STR, VIT, AGI, DEX, MEN, INT, LUK;
    std::vector<std::pair<pc::RESIST::Attribute, float>> resist;
    std::vector<AttackDraft> attacks;
};

// Ranges: 1 one opponent, 2 one to three opponents, 3 one to five, 4 every
// opponent, 5 one ally, 8 every ally. A healer lists its heal first, so that
// the heal goes to its own party. Seeds: 0 fixed, 1 ATK, 2 HIT, 3 ARI, 4 fixed heal, 5 ARI heal.
// Types: 0 "の…!", 1 "は…を唱えた！", 2 to 5 "の…！".
const std::vector<CharacterDraft> kCharacters = {
    {"勇者アルス", "剣と雷の勇者", "arus.txt", QColor(0x2f, 0x6f, 0xd0), 420, 60, 400, 45, 35, 30, 35, 25, 20, 30,
     {{pc::RESIST::electric, 50}},
     {{"剣撃", 1, 0, pc::RESIST::slash, 1, 0, 20, 95, 85}, {"雷鳴剣", 1, 2, pc::RESIST::electric, 3, 12, 30, 90, 80}}},
    {"魔法使いミラ", "炎と氷の使い手", "mira.txt", QColor(0xb0, 0x3a, 0xc8), 260, 150, 450, 15, 20, 30, 35, 45, 60, 25,
     {{pc::RESIST::fire, 70}, {pc::RESIST::cold, 70}},
     {{"ファイア", 1, 1, pc::RESIST::fire, 3, 10, 35, 95, 90}, {"ブリザード", 1, 1, pc::RESIST::cold, 3, 18, 45, 90, 85}}},
    {"僧侶セラ", "癒し手", "sera.txt", QColor(0xe0, 0xc0, 0x40), 300, 120, 420, 20, 30, 25, 30, 50, 45, 40,
     {{pc::RESIST::dark, 150}},
     {{"ヒール", 5, 1, pc::RESIST::holy, 5, 8, 40, 100, 100}, {"ホーリー", 1, 1, pc::RESIST::holy, 3, 6, 25, 95, 90}}},
    {"騎士ガレス", "鉄壁の盾", "gareth.txt", QColor(0x70, 0x80, 0x90), 550, 30, 520, 40, 60, 20, 30, 30, 10, 20,
     {{pc::RESIST::slash, 60}, {pc::RESIST::stub, 60}, {pc::RESIST::electric, 150}},
     {{"シールドバッシュ", 1, 0, pc::RESIST::blow, 0, 0, 28, 100, 90}, {"槍突き", 1, 0, pc::RESIST::stub, 2, 0, 15, 95, 80}}},
    {"盗賊リン", "素早い短剣使い", "rin.txt", QColor(0x30, 0xa0, 0x60), 280, 40, 300, 30, 25, 60, 55, 20, 20, 60,
     {{pc::RESIST::gas, 50}},
     {{"薬草", 5, 4, pc::RESIST::poison, 4, 0, 45, 100, 100}, {"急所突き", 1, 3, pc::RESIST::stub, 2, 5, 25, 90, 70},
      {"投げナイフ", 1, 0, pc::RESIST::arch, 0, 0, 22, 100, 85}}},
    {"スライム", "ぷるぷる", "slime.txt", QColor(0x40, 0xb0, 0xe0), 200, 10, 480, 20, 20, 20, 20, 20, 10, 10,
     {{pc::RESIST::blow, 50}, {pc::RESIST::fire, 200}, {pc::RESIST::cold, 40}},
     {{"体当たり", 1, 0, pc::RESIST::blow, 0, 0, 12, 100, 85}}},
    {"ゴブリン", "森の小鬼", "goblin.txt", QColor(0x80, 0x70, 0x30), 240, 20, 440, 35, 30, 30, 25, 15, 10, 20,
     {{pc::RESIST::fire, 150}, {pc::RESIST::holy, 150}},
     {{"こん棒", 1, 0, pc::RESIST::blow, 1, 0, 15, 95, 80}, {"石つぶて", 1, 3, pc::RESIST::arch, 0, 0, 14, 90, 75}}},
    {"ドラゴン", "赤き古竜", "dragon.txt", QColor(0xc8, 0x30, 0x30), 900, 80, 600, 60, 55, 25, 30, 35, 40, 30,
     {{pc::RESIST::fire, 20}, {pc::RESIST::cold, 150}, {pc::RESIST::slash, 80}},
     {{"かみつき", 1, 0, pc::RESIST::stub, 1, 0, 30, 95, 80}, {"火球", 1, 4, pc::RESIST::fire, 3, 15, 50, 90, 85}}},
    {"死霊術師ゼノ", "闇に仕える者", "zeno.txt", QColor(0x40, 0x30, 0x60), 320, 140, 460, 15, 25, 30, 35, 50, 55, 20,
     {{pc::RESIST::holy, 200}, {pc::RESIST::fire, 120}},
     {{"ダークヒール", 5, 1, pc::RESIST::dark, 5, 10, 35, 100, 100}, {"闇の波動", 1, 1, pc::RESIST::dark, 3, 12, 35, 90, 85}}},
    {"大魔導士オルガ", "天変地異を呼ぶ", "olga.txt", QColor(0x20, 0x50, 0x90), 280, 200, 520, 15, 20, 30, 35, 50, 70, 30,
     {{pc::RESIST::fire, 60}, {pc::RESIST::electric, 60}},
     {{"メテオ", 4, 1, pc::RESIST::fire, 2, 30, 20, 90, 90}, {"連鎖雷", 3, 1, pc::RESIST::electric, 2, 14, 25, 90, 85},
      {"杖", 1, 0, pc::RESIST::blow, 1, 0, 8, 95, 85}}},
    {"聖女リリア", "祈りで仲間を包む", "lilia.txt", QColor(0xf0, 0x90, 0xb0), 320, 160, 470, 15, 30, 25, 30, 55, 50, 40,
     {{pc::RESIST::dark, 150}},
     {{"大いなる癒し", 8, 1, pc::RESIST::holy, 5, 24, 30, 100, 100}, {"聖光", 1, 1, pc::RESIST::holy, 3, 6, 25, 95, 90}}},
    {"オーガ戦士", "巨体の暴れ者", "ogre.txt", QColor(0x90, 0x50, 0x30), 650, 20, 560, 55, 50, 20, 25, 15, 10, 20,
     {{pc::RESIST::blow, 70}, {pc::RESIST::fire, 130}},
     {{"なぎ払い", 2, 0, pc::RESIST::slash, 1, 0, 18, 95, 80}, {"棍棒", 1, 0, pc::RESIST::blow, 1, 0, 20, 95, 80}}},
};

// A portrait: a coloured card with the character's first letter in a ring.
QImage portrait(const CharacterDraft& draft)
{
    QImage image(128, 128, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, 128);
    background.setColorAt(0, draft.colour.lighter(150));
    background.setColorAt(1, draft.colour.darker(130));
    painter.setBrush(background);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(2, 2, 124, 124), 18, 18);
    painter.setBrush(QColor(255, 255, 255, 60));
    painter.setPen(QPen(QColor(255, 255, 255, 200), 4));
    painter.drawEllipse(QPointF(64, 64), 46, 46);
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(52);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QString name = QString::fromUtf8(draft.name);
    painter.drawText(QRectF(0, 0, 128, 128), Qt::AlignCenter, name.right(name.size() > 3 ? 3 : 1).left(1));
    return image;
}

pc::OBJE* addCharacter(pc::AppState& state, const CharacterDraft& draft)
{
    pc::OBJE* record = state.objes.make();
    pc::InitObje(*record);
    record->name = draft.name;
    record->tag = draft.tag;
    record->fileName = draft.file;
    record->imageName = std::string(draft.file, std::string(draft.file).find('.')) + ".png";
    record->image = pc::pictureOf(portrait(draft));
    pc::STATUS& s = record->baseStatus;
    s.HP = draft.HP;
    s.MP = draft.MP;
    s.WP = draft.WP;
    s.STR = draft.STR;
    s.VIT = draft.VIT;
    s.AGI = draft.AGI;
    s.DEX = draft.DEX;
    s.MEN = draft.MEN;
    s.INT = draft.INT;
    s.LUK = draft.LUK;
    for (const auto& [attribute, value] : draft.resist)
        record->baseResist[attribute] = value;
    pc::ATTACK* last = nullptr;
    for (const AttackDraft& a : draft.attacks) {
        pc::ATTACK* attack = state.attacks.make();
        pc::InitAttack(*attack);
        attack->name = a.name;
        attack->range = a.range;
        attack->type = a.type;
        attack->prop = a.prop;
        attack->seed = a.seed;
        attack->MP = a.MP;
        attack->count = a.count;
        attack->succ = a.succ;
        attack->hit = a.hit;
        (last ? last->next : record->attacks) = attack;
        last = attack;
    }
    if (pc::OBJE* tail = pc::lastOf(state.objeTop))
        tail->next = record;
    else
        state.objeTop = record;
    return record;
}

} // namespace

int main(int argc, char* argv[])
{
    // Drawing needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: demo_roster FOLDER\n");
        return 2;
    }
    pc::AppState state;
    state.baseDir = argv[1];
    pc::QtStorage storage;
    for (const CharacterDraft& draft : kCharacters)
        addCharacter(state, draft);
    for (std::int32_t row = 0; row < pc::countOf(state.objeTop); ++row) {
        state.ClistClickedRow = row;
        if (const std::string reason = pc::saveFile(state, storage); !reason.empty()) {
            std::fprintf(stderr, "demo_roster: %s\n", reason.c_str());
            return 1;
        }
    }
    if (const std::string reason = pc::setPreset(state, storage); !reason.empty()) {
        std::fprintf(stderr, "demo_roster: %s\n", reason.c_str());
        return 1;
    }
    return 0;
}
