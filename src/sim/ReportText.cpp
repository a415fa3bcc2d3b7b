// SPDX-License-Identifier: GPL-3.0-or-later
#include "Report.h"
#include "Percent.h"

#include <cmath>
#include <cstdio>

namespace pc::sim {

namespace {

// An interval widened outward to the hundredth of a percent, so that what is
// shown holds the whole interval: 99.996% is not shown as 100.00%.
std::string percentInterval(const Interval& interval)
{
    return fixed(std::floor(interval.low * 10000) / 100, 2) + "% to " + fixed(std::ceil(interval.high * 10000) / 100, 2)
        + "%";
}

std::string joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names) {
        if (!text.empty())
            text += ", ";
        text += name;
    }
    return text;
}

void writeMembers(std::ostream& out, const char* side, const std::vector<std::string>& names,
                  const MemberDamage* damage)
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        out << "  " << side << ' ' << i + 1 << ' ' << names[i] << ": " << fixed(damage[i].dealt, 1) << " / "
            << fixed(damage[i].taken, 1) << '\n';
    }
}

} // namespace

void writeTranscriptText(std::ostream& out, const BattleTranscript& transcript)
{
    for (std::size_t i = 0; i < transcript.texts.size(); ++i)
        out << (i > 0 ? "\n" : "") << transcript.texts[i] << '\n';
    if (transcript.result.outcome == Outcome::unfinished)
        out << "\n(no end after " << transcript.result.presses << " presses)\n";
}

void writeReportText(std::ostream& out, const BatchReport& report)
{
    const BatchTotals& totals = report.totals;
    const std::int64_t runs = totals.runs();
    const std::int64_t wins = totals.count(Outcome::victory);
    const Interval interval = wilsonInterval(wins, runs);
    const std::uint32_t lastSeed = report.firstSeed + static_cast<std::uint32_t>(runs - 1);
    out << "player: " << joined(report.player) << '\n'
        << "enemy: " << joined(report.enemy) << '\n'
        << "battles: " << runs << " (seeds " << report.firstSeed << " to " << lastSeed << ")\n"
        << "player victories: " << wins << " = " << percent(static_cast<double>(wins) / static_cast<double>(runs))
        << " (95% interval " << percentInterval(interval) << ")\n"
        << "player defeats: " << totals.count(Outcome::defeat) << '\n'
        << "nobody able to act: " << totals.count(Outcome::nobodyCanAct) << '\n'
        << "no end after " << report.maxPresses << " presses: " << totals.count(Outcome::unfinished) << '\n';
    const RunningMean& presses = totals.pressesToEnd();
    if (presses.count() > 0)
        out << "presses to the end: mean " << fixed(presses.mean(), 2) << ", sd " << fixed(presses.deviation(), 2)
            << ", least " << totals.fewestPresses() << ", most " << totals.mostPresses() << '\n';
    else
        out << "presses to the end: no battle ended with a victory or a defeat\n";
    const std::vector<MemberDamage> damage = totals.meanDamage();
    out << "mean damage per battle, dealt / taken:\n";
    writeMembers(out, "player", report.player, damage.data());
    writeMembers(out, "enemy", report.enemy, damage.data() + report.player.size());
}

} // namespace pc::sim
