// SPDX-License-Identifier: GPL-3.0-or-later
#include "Records.h"

namespace pc {

const std::array<const char*, kResistCount> kAttributeNames = {
    "打撃", "斬撃", "刺突", "弓矢", "銃撃", "砲撃", "爆発", "出血",
    "炎", "冷気", "電撃", "風", "水", "ガス", "聖", "闇",
    "毒", "麻痺", "混乱", "沈黙", "魅了", "即死",
};

void InitObje(OBJE& record)
{
    record.tag = "xxxx";
    record.name = "新規キャラクター";
    record.fileName = "新規ファイル";
    record.imageName = "新規画像";
    record.image.reset();
    STATUS status;
    status.HP = 100;
    status.MP = 50;
    status.aux1 = 3;
    status.aux2 = 5;
    status.WP = 500;
    status.STR = status.VIT = status.AGI = status.DEX = status.MEN = status.INT = status.LUK = 30;
    record.baseStatus = status;
    record.curStatus = status;
    record.baseResist.values.fill(100.0f);
    record.curResist = record.baseResist;
    record.attacks = nullptr;
}

void InitAttack(ATTACK& attack)
{
    ATTACK* next = attack.next;
    attack = ATTACK{};
    attack.next = next;
    attack.tag = "xxxx";
    attack.name = "新規技";
}

void copyCharacter(const OBJE& from, OBJE& to)
{
    OBJE* next = to.next;
    to = from;
    to.next = next;
}

} // namespace pc
