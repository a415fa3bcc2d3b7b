// SPDX-License-Identifier: GPL-3.0-or-later
// The character, statistics, resistance and attack records, chained in singly linked lists.
#pragma once

#include "Picture.h"

#include <array>
#include <cstdint>
#include <string>

namespace pc {

// Seventeen statistics, in file and index order.
struct STATUS {
    double HP = 0;
    double MP = 0;
    double aux1 = 0;
    double aux2 = 0;
    double WP = 0;
    double STR = 0;
    double VIT = 0;
    double AGI = 0;
    double DEX = 0;
    double MEN = 0;
    double INT = 0;
    double LUK = 0;
    double ATK = 0;
    double DEF = 0;
    double HIT = 0;
    double EVA = 0;
    double ARI = 0;

    bool operator==(const STATUS&) const = default;
};

inline constexpr int kResistCount = 22;

// Resistance percentages to the 22 attributes, indexed by attribute.
struct RESIST {
    enum Attribute {
        blow, slash, stub, arch, gun, shell, explosion, blood,
        fire, cold, electric, wind, water, gas, holy, dark,
        poison, paralyze, confusion, silence, charm, death
    };
    std::array<float, kResistCount> values{};

    float& operator[](int attribute) { return values[static_cast<std::size_t>(attribute)]; }
    float operator[](int attribute) const { return values[static_cast<std::size_t>(attribute)]; }
    bool operator==(const RESIST&) const = default;
};

// Japanese names of the attributes, in RESIST order.
extern const std::array<const char*, kResistCount> kAttributeNames;

inline constexpr int kAttackFlagCount = 7;

struct ATTACK {
    ATTACK* next = nullptr;
    std::string tag;
    std::string name;
    std::int32_t range = 0;
    std::int32_t type = 0;
    std::int32_t prop = 0;
    std::int32_t seed = 0;
    double MP = 0;
    double MPP = 0;
    double succ = 0;
    double crit = 0;
    double count = 0;
    double hit = 0;
    STATUS status;
    std::array<bool, kAttackFlagCount> flags{};
};

struct OBJE {
    OBJE* next = nullptr;
    std::string tag;
    std::string name;
    std::string fileName;
    std::string imageName;
    Picture image;
    STATUS baseStatus;
    STATUS curStatus;
    RESIST baseResist;
    RESIST curResist;
    ATTACK* attacks = nullptr;
    // Why the character's file could not be read, empty when it was. Such a
    // character is listed under the name from the preset list and never saved over.
    std::string unreadable;
    // The file and picture this character was read from or last written to:
    // the only existing files a save of it may replace.
    std::string storedFileName;
    std::string storedImageName;
};

struct PresetNode {
    PresetNode* next = nullptr;
    std::string fileName;
};

// One target of a multi-target attack; position counts from 1 at the party's head.
struct TargetNode {
    double position = 0;
    double value = 0;
    bool hit = false;
    bool success = false;
};

// Fills a record with the values of a new character; `next` is left alone.
void InitObje(OBJE& record);
// Fills a record with the values of a new attack; `next` is left alone.
void InitAttack(ATTACK& attack);

// Every field of a character but its link, attacks shared (a party member is such a copy).
void copyCharacter(const OBJE& from, OBJE& to);

} // namespace pc
