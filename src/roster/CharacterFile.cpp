// SPDX-License-Identifier: GPL-3.0-or-later
#include "CharacterFile.h"

#include "TextLines.h"
#include "records/Numbers.h"

#include <array>

namespace pc {

namespace {

// The attack status line lists ARI before HIT and EVA.
constexpr std::array<double STATUS::*, 15> kAttackStatusFields = {
    &STATUS::HP, &STATUS::MP, &STATUS::WP, &STATUS::STR, &STATUS::VIT,
    &STATUS::AGI, &STATUS::DEX, &STATUS::MEN, &STATUS::INT, &STATUS::LUK,
    &STATUS::ATK, &STATUS::DEF, &STATUS::ARI, &STATUS::HIT, &STATUS::EVA,
};
constexpr std::array<double STATUS::*, 4> kLine4Fields = {&STATUS::HP, &STATUS::MP, &STATUS::aux2, &STATUS::WP};
constexpr std::array<double STATUS::*, 7> kLine5Fields = {
    &STATUS::STR, &STATUS::VIT, &STATUS::AGI, &STATUS::DEX, &STATUS::MEN, &STATUS::INT, &STATUS::LUK,
};

void appendNumbers(std::string& out, std::initializer_list<double> values)
{
    bool first = true;
    for (double value : values) {
        if (!first)
            out += ',';
        out += fileNumber(value);
        first = false;
    }
    out += '\n';
}

void appendResist(std::string& out, const RESIST& resist, int from, int to)
{
    for (int i = from; i < to; ++i) {
        if (i > from)
            out += ',';
        out += fileNumber(static_cast<double>(resist[i]));
    }
    out += '\n';
}

void appendAttack(std::string& out, const ATTACK& attack)
{
    out += attack.name;
    out += ',';
    out += attack.tag;
    out += ',';
    out += fileNumber(attack.MP) + ',' + fileNumber(attack.MPP) + ',' + fileNumber(attack.count) + ',';
    out += std::to_string(attack.range) + ',' + std::to_string(attack.type) + ',';
    out += std::to_string(attack.prop) + ',' + std::to_string(attack.seed) + ',';
    out += fileNumber(attack.succ) + ',' + fileNumber(attack.crit) + ',' + fileNumber(attack.hit) + '\n';
    for (std::size_t i = 0; i < kAttackStatusFields.size(); ++i) {
        if (i > 0)
            out += ',';
        out += fileNumber(attack.status.*kAttackStatusFields[i]);
    }
    out += '\n';
    for (std::size_t i = 0; i < attack.flags.size(); ++i) {
        if (i > 0)
            out += ',';
        out += attack.flags[i] ? '1' : '0';
    }
    out += '\n';
}

template <std::size_t N>
bool readStatusLine(std::string_view line, STATUS& status, const std::array<double STATUS::*, N>& fields)
{
    const auto pieces = firstPieces<N>(line, ',');
    if (pieces.size() < N)
        return false;
    for (std::size_t i = 0; i < N; ++i)
        status.*fields[i] = readWholeNumber(pieces[i]);
    return true;
}

void readResistLine(std::string_view line, RESIST& resist, int from, int to)
{
    const auto pieces = firstPieces<8>(line, ',');
    if (pieces.size() < static_cast<std::size_t>(to - from))
        return;
    for (int i = from; i < to; ++i)
        resist[i] = static_cast<float>(readWholeNumber(pieces[static_cast<std::size_t>(i - from)]));
}

// One attack from its three lines; false when a line lacks some of its fields.
bool readAttack(std::string_view line, std::string_view statusLine, std::string_view flagsLine, ATTACK& attack)
{
    const auto fields = firstPieces<12>(line, ',');
    const auto status = firstPieces<kAttackStatusFields.size()>(statusLine, ',');
    const auto flags = firstPieces<kAttackFlagCount>(flagsLine, ',');
    if (fields.size() < 12 || status.size() < kAttackStatusFields.size() || flags.size() < attack.flags.size())
        return false;
    attack.name = std::string(fields[0]);
    attack.tag = std::string(fields[1]);
    attack.MP = readWholeNumber(fields[2]);
    attack.MPP = readWholeNumber(fields[3]);
    attack.count = readWholeNumber(fields[4]);
    attack.range = readWholeNumber(fields[5]);
    attack.type = readWholeNumber(fields[6]);
    attack.prop = readWholeNumber(fields[7]);
    attack.seed = readWholeNumber(fields[8]);
    attack.succ = readWholeNumber(fields[9]);
    attack.crit = readWholeNumber(fields[10]);
    attack.hit = readWholeNumber(fields[11]);
    for (std::size_t i = 0; i < kAttackStatusFields.size(); ++i)
        attack.status.*kAttackStatusFields[i] = readWholeNumber(status[i]);
    for (std::size_t i = 0; i < attack.flags.size(); ++i)
        attack.flags[i] = readWholeNumber(flags[i]) != 0;
    return true;
}

void readAttacks(std::string_view text, OBJE& record, Arena<ATTACK>& attackArena)
{
    const std::string separatorLine = std::string(kSectionSeparator) + '\n';
    const std::size_t first = text.find(separatorLine);
    if (first == std::string_view::npos)
        return;
    std::string_view section = text.substr(first + separatorLine.size());
    if (const std::size_t second = section.find(separatorLine); second != std::string_view::npos)
        section = section.substr(0, second);
    // Three lines an attack; a last attack without all three is left out.
    PieceReader lines(section, '\n');
    ATTACK* last = nullptr;
    std::string_view line, statusLine, flagsLine;
    while (lines.next(line) && lines.next(statusLine) && lines.next(flagsLine)) {
        ATTACK candidate;
        InitAttack(candidate);
        if (!readAttack(line, statusLine, flagsLine, candidate))
            continue;
        ATTACK* attack = attackArena.make();
        *attack = std::move(candidate);
        attack->next = nullptr;
        (last ? last->next : record.attacks) = attack;
        last = attack;
    }
}

} // namespace

std::string characterText(const OBJE& record)
{
    std::string out;
    out.reserve(512);
    out += record.name + '\n';
    out += record.tag + '\n';
    out += record.fileName + ',' + record.imageName + '\n';
    const STATUS& s = record.baseStatus;
    appendNumbers(out, {s.HP, s.MP, s.aux2, s.WP});
    appendNumbers(out, {s.STR, s.VIT, s.AGI, s.DEX, s.MEN, s.INT, s.LUK});
    appendResist(out, record.baseResist, 0, 8);
    appendResist(out, record.baseResist, 8, 16);
    appendResist(out, record.baseResist, 16, 22);
    out += std::string(kSectionSeparator) + '\n';
    for (const ATTACK* attack = record.attacks; attack; attack = attack->next)
        appendAttack(out, *attack);
    out += std::string(kSectionSeparator) + '\n';
    return out;
}

bool readCharacter(std::string_view fileText, std::string_view listedName, OBJE& record, Arena<ATTACK>& attackArena)
{
    OBJE* next = record.next;
    record = OBJE{};
    record.next = next;
    InitObje(record);
    record.fileName = std::string(listedName);
    if (!isValidUtf8(fileText))
        return false;

    std::string cleaned;
    const std::string_view text = withoutBomAndCr(fileText, cleaned);
    // Lines 1 to 8; the piece after the last line feed is not a line of its own.
    auto lines = firstPieces<9>(text, '\n');
    if (lines.count < 9 && lines.pieces[lines.count - 1].empty())
        --lines.count;
    auto line = [&lines](std::size_t number) -> const std::string_view* {
        return number <= lines.size() ? &lines.pieces[number - 1] : nullptr;
    };

    if (const auto* name = line(1))
        record.name = std::string(*name);
    if (const auto* tag = line(2))
        record.tag = std::string(*tag);
    if (const auto* names = line(3)) {
        const auto pieces = firstPieces<2>(*names, ',');
        record.fileName = std::string(pieces[0]);
        if (pieces.size() >= 2)
            record.imageName = std::string(pieces[1]);
    }
    if (const auto* numbers = line(4))
        readStatusLine(*numbers, record.baseStatus, kLine4Fields);
    if (const auto* numbers = line(5))
        readStatusLine(*numbers, record.baseStatus, kLine5Fields);
    if (const auto* numbers = line(6))
        readResistLine(*numbers, record.baseResist, 0, 8);
    if (const auto* numbers = line(7))
        readResistLine(*numbers, record.baseResist, 8, 16);
    if (const auto* numbers = line(8))
        readResistLine(*numbers, record.baseResist, 16, 22);
    record.curStatus = record.baseStatus;
    record.curResist = record.baseResist;
    readAttacks(text, record, attackArena);
    return true;
}

} // namespace pc
