// SPDX-License-Identifier: GPL-3.0-or-later
#include "Explanation.h"

#include "records/Numbers.h"
#include "records/Records.h"

#include <vector>

namespace pc {

namespace {

using Lines = std::vector<std::string>;

std::string g(double value)
{
    return formatG(value);
}

std::string d(std::int32_t value)
{
    return std::to_string(value);
}

const char* statisticName(Statistic statistic)
{
    switch (statistic) {
    case Statistic::ATK:
        return "ATK";
    case Statistic::HIT:
        return "HIT";
    case Statistic::ARI:
        return "ARI";
    case Statistic::none:
        break;
    }
    return "";
}

// "(draw % T) / D = term"
std::string spreadTerm(const ValueTerms& v, std::size_t i)
{
    std::string term = "(";
    term += d(v.draws[i]) + " % " + d(v.truncated) + ") / " + d(v.divisor) + " = " + d(v.terms[i]);
    return term;
}

void baseLine(const ValueTerms& v, Lines& lines)
{
    if (v.formula == Formula::plain) {
        lines.push_back("基本値: ATK " + g(v.base));
        return;
    }
    std::string line = "計算式 " + d(v.seed) + ": 基本値 " + g(v.count);
    if (v.statistic != Statistic::none)
        line += " + " + std::string(statisticName(v.statistic)) + " " + g(v.statisticValue) + " = " + g(v.base);
    lines.push_back(line);
}

void defenceLine(const ValueTerms& v, Lines& lines)
{
    if (v.defence == Defence::halfDEF)
        lines.push_back("防御: 相手の DEF " + g(v.defenceStatistic) + " / 2 = " + g(v.defenceValue));
    else if (v.defence == Defence::ARI)
        lines.push_back("防御: 相手の ARI " + g(v.defenceStatistic));
}

void formulaLines(const ValueTerms& v, Lines& lines)
{
    baseLine(v, lines);
    if (v.formula == Formula::seed5) {
        lines.push_back("ばらつき: (" + d(v.truncated) + " / 20 × " + d(v.draws[0]) + ") mod 5 = " + d(v.terms[0]));
        lines.push_back(g(v.base) + " + " + d(v.terms[0]) + " = " + g(v.raw));
        return;
    }
    const bool plain = v.formula == Formula::plain;
    lines.push_back("ばらつき: " + spreadTerm(v, 0) + (plain ? "" : "、" + spreadTerm(v, 1)));
    defenceLine(v, lines);
    std::string sum = "floor(" + g(v.base) + " + " + d(v.terms[0]);
    if (!plain)
        sum += " - " + d(v.terms[1]);
    if (v.defence != Defence::none)
        sum += " - " + g(v.defenceValue);
    lines.push_back(sum + ") = " + g(v.raw));
}

void attributeLine(const ValueTerms& v, Lines& lines)
{
    const bool named = v.attribute >= 0 && v.attribute < kResistCount;
    const std::string name = named ? kAttributeNames[static_cast<std::size_t>(v.attribute)] : d(v.attribute);
    if (v.scaled)
        lines.push_back("属性 " + name + ": 耐性 " + g(v.resistance) + " → floor(" + g(v.raw) + " × " +
                        g(v.resistance) + " / 100) = " + g(v.value));
    else if (v.attribute >= 0 && v.attribute <= RESIST::dark)
        lines.push_back("属性 " + name + ": 耐性を見る相手がいないので増減なし");
    else
        lines.push_back("属性 " + name + ": 耐性では増減しない");
}

void costLine(const CostTerms& c, Lines& lines)
{
    if (!c.taken)
        return;
    lines.push_back("消費MP: " + g(c.fixed) + " + " + g(c.percent) + "% × 最大MP " + g(c.registeredMP) + " = " +
                    g(c.cost) + "、MP " + g(c.before) + " → " + g(c.after));
}

void rollLine(const char* label, const char* success, const char* failure, const RollTerms& r, Lines& lines)
{
    std::string line = label;
    switch (r.kind) {
    case Roll::none:
        return;
    case Roll::sure:
        lines.push_back(line + ": 必中");
        return;
    case Roll::chance:
        line += ' ';
        line += g(r.chance);
        break;
    case Roll::bonus:
        line += ' ';
        line += g(r.attackChance) + " + HIT " + g(r.actorHIT) + " / EVA " + g(r.targetEVA) + " × 50 = " + g(r.chance);
        break;
    case Roll::plainAttack:
        line += " HIT " + g(r.actorHIT) + " / EVA " + g(r.targetEVA) + " × 50 = " + g(r.chance);
        break;
    }
    line += ": 乱数 " + d(r.draw) + " % 100 = " + d(r.remainder) + " → " + (r.succeeded ? success : failure);
    if (r.carried)
        line += "（同じターンの先の技で成功済み）";
    lines.push_back(line);
}

void effectLine(const Breakdown& b, Lines& lines)
{
    switch (b.effect) {
    case Effect::damage:
        lines.push_back("ダメージ " + g(b.amount) + ": HP " + g(b.hpBefore) + " → " + g(b.hpAfter));
        break;
    case Effect::heal:
        lines.push_back("回復 " + g(b.amount) + ": HP " + g(b.hpBefore) + " → " + g(b.hpAfter) +
                        (b.hpAfter - b.hpBefore < b.amount ? "（最大HPまで）" : ""));
        break;
    case Effect::miss:
        lines.push_back("ミス: HP は変わらない");
        break;
    case Effect::none:
        break;
    }
    if (b.effect != Effect::miss && b.value.formula != Formula::none && b.value.value < 0)
        lines.push_back("値が 0 より小さいので 0 として数える");
}

} // namespace

std::string explain(const Breakdown& b)
{
    Lines lines;
    switch (b.source) {
    case Source::none:
        return "この行に計算はありません";
    case Source::plainAttack:
        lines.push_back("通常攻撃");
        break;
    case Source::multiTarget:
        lines.push_back("対象 " + d(b.target) + " / " + d(b.targets));
        break;
    case Source::singleTarget:
        break;
    }
    if (b.value.formula != Formula::none) {
        formulaLines(b.value, lines);
        if (b.source != Source::plainAttack)
            attributeLine(b.value, lines);
    }
    costLine(b.cost, lines);
    rollLine("成功率", "成功", "失敗", b.success, lines);
    rollLine("命中率", "命中", "はずれ", b.hit, lines);
    if (b.effect == Effect::heal && b.success.kind != Roll::none)
        lines.push_back("回復では成功と命中を見ない");
    effectLine(b, lines);
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

} // namespace pc
