// SPDX-License-Identifier: GPL-3.0-or-later
#include "Messages.h"

#include "records/Numbers.h"

namespace pc {

namespace {

void assemble(std::string& out, const std::string& actor, const char* joint, const std::string& attack,
              const char* end)
{
    out.assign(actor);
    out.append(joint);
    out.append(attack);
    out.append(end);
}

} // namespace

bool writePrefix(std::string& prefix, std::int32_t atkType, const std::string& actor, const std::string& attack)
{
    switch (atkType) {
    case 0:
        assemble(prefix, actor, "の", attack, "!\n");
        return true;
    case 1:
        assemble(prefix, actor, "は", attack, "を唱えた！\n");
        return true;
    case 2:
    case 3:
    case 4:
    case 5:
        assemble(prefix, actor, "の", attack, "！\n");
        return true;
    default:
        return false;
    }
}

std::string damageMessage(const std::string& prefix, const std::string& target, double amount)
{
    return prefix + target + "は" + formatG(amount) + "のダメージを受けた！";
}

std::string healMessage(const std::string& prefix, const std::string& target, double amount)
{
    return prefix + target + "はHPが" + formatG(amount) + "回復した！";
}

std::string missMessage(const std::string& prefix, const std::string& target)
{
    return prefix + "ミス！\n" + target + "はダメージを受けていない！";
}

std::string plainAttackHitMessage(const std::string& actor, const std::string& target, double amount)
{
    return actor + "の攻撃！\n" + target + "は" + formatG(amount) + "のダメージを受けた！";
}

std::string plainAttackMissMessage(const std::string& actor, const std::string& target)
{
    return actor + "の攻撃！\nミス！\n" + target + "はダメージを受けていない！";
}

std::string formulaLine(double atk, double atkThird, double defHalf)
{
    return "計算式 " + formatG(atk) + " + " + formatG(atkThird) + " - " + formatG(defHalf);
}

std::string hpText(double current, double registered)
{
    return "HP " + formatG(current) + "/" + formatG(registered);
}

std::string mpText(double current, double registered)
{
    return "MP " + formatG(current) + "/" + formatG(registered);
}

} // namespace pc
