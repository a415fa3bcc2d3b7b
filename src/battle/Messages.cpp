#include "Messages.h"

#include "records/Numbers.h"

namespace pc {

std::optional<std::string> messagePrefix(std::int32_t atkType, const std::string& actor,
                                         const std::string& attack)
{
    switch (atkType) {
    case 0:
        return actor + "の" + attack + "!\n";
    case 1:
        return actor + "は" + attack + "を唱えた！\n";
    case 2:
    case 3:
    case 4:
    case 5:
        return actor + "の" + attack + "！\n";
    default:
        return std::nullopt;
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
