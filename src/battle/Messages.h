// SPDX-License-Identifier: GPL-3.0-or-later
// The battle's own texts, formatted as the C conversions "%@" (a name), "%g"
// (a number) and "%d" (an integer) would.
#pragma once

#include <cstdint>
#include <string>

namespace pc {

inline constexpr const char* kBattleStart = "戦闘開始！";
inline constexpr const char* kPlayerVictory = "プレイヤーの勝利！";
inline constexpr const char* kPlayerDefeat = "プレイヤーの敗北・・・";
inline constexpr const char* kNobodyCanAct = "誰も行動できない！";
inline constexpr const char* kNoName = "ーーーー";
// The plain attack's name where a list names attacks.
inline constexpr const char* kPlainAttackName = "通常攻撃";
inline constexpr const char* kNoHP = "HP ーーーー/ーーーー";

// Writes the first line of an action's message, by attack type, into
// `prefix`, reusing its storage; a type that has no prefix leaves the
// previous one standing and returns false.
bool writePrefix(std::string& prefix, std::int32_t atkType, const std::string& actor, const std::string& attack);

std::string damageMessage(const std::string& prefix, const std::string& target, double amount);
std::string healMessage(const std::string& prefix, const std::string& target, double amount);
std::string missMessage(const std::string& prefix, const std::string& target);

std::string plainAttackHitMessage(const std::string& actor, const std::string& target, double amount);
std::string plainAttackMissMessage(const std::string& actor, const std::string& target);
// The plain attack's formula, for the diagnostic log.
std::string formulaLine(double atk, double atkThird, double defHalf);

std::string hpText(double current, double registered);
std::string mpText(double current, double registered);

} // namespace pc
