// SPDX-License-Identifier: GPL-3.0-or-later
#include "EventFile.h"

#include "tournament/EventRun.h"
#include "tournament/Pairing.h"

#include <charconv>
#include <limits>

namespace pc::tournament {

namespace {

constexpr std::string_view kHeader = "PartyClash event 1";

// Tabs, line breaks and backslashes of a name written as \t, \n and \\.
std::string escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out;
}

std::optional<std::string> unescaped(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        const char c = text[i];
        if (c != 't' && c != 'n' && c != 'r' && c != '\\')
            return std::nullopt;
        out += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : '\\';
    }
    return out;
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text = text.substr(at + 1);
    }
}

template <typename T>
std::optional<T> number(std::string_view text, T low, T high)
{
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

constexpr std::string_view kEnds = "pena"; // player wins, enemy wins, nobody, unfinished
constexpr std::string_view kBrackets = "mlf";

std::string battleText(const BattleRecord& battle)
{
    return std::to_string(battle.seed) + ":" + (battle.firstIsPlayer ? "1" : "2") + ":"
        + kEnds[static_cast<std::size_t>(battle.end)] + ":" + std::to_string(battle.presses);
}

std::optional<BattleRecord> parsedBattle(std::string_view text)
{
    const std::vector<std::string_view> fields = split(text, ':');
    if (fields.size() != 4 || (fields[1] != "1" && fields[1] != "2") || fields[2].size() != 1
        || kEnds.find(fields[2][0]) == std::string_view::npos)
        return std::nullopt;
    const auto seed = number<std::uint32_t>(fields[0], 0, std::numeric_limits<std::uint32_t>::max());
    const auto presses = number<std::int32_t>(fields[3], 0, std::numeric_limits<std::int32_t>::max());
    if (!seed || !presses)
        return std::nullopt;
    return BattleRecord{*seed, fields[1] == "1", static_cast<BattleEnd>(kEnds.find(fields[2][0])), *presses};
}

// "match ROUND INDEX FIRST SECOND BRACKET WINNER BATTLES", a bye's second entrant -1.
std::optional<Match> parsedMatch(const std::vector<std::string_view>& fields, int entrants)
{
    if (fields.size() != 8 || fields[5].size() != 1 || kBrackets.find(fields[5][0]) == std::string_view::npos)
        return std::nullopt;
    const auto round = number<int>(fields[1], 1, 1 << 20);
    const auto index = number<int>(fields[2], 0, kMaxEntrants);
    const auto first = number<int>(fields[3], 0, entrants - 1);
    const auto second = number<int>(fields[4], kBye, entrants - 1);
    const auto winner = number<int>(fields[6], 0, entrants - 1);
    if (!round || !index || !first || !second || !winner || *first == *second)
        return std::nullopt;
    Match match{*round, *index, *first, *second, static_cast<Bracket>(kBrackets.find(fields[5][0])), {}, *winner};
    if (!fields[7].empty() && fields[7] != "-") {
        for (const std::string_view piece : split(fields[7], ',')) {
            const std::optional<BattleRecord> battle = parsedBattle(piece);
            if (!battle || match.battles.size() >= 2 * kMaxBestOf)
                return std::nullopt;
            match.battles.push_back(*battle);
        }
    }
    return match;
}

// Reads one "key value" line of the set-up; false when it is not one.
bool readSetting(EventSetup& setup, std::string_view key, std::string_view value)
{
    if (key == "format") {
        const auto format = formatNamed(value);
        setup.format = format.value_or(setup.format);
        return format.has_value();
    }
    if (key == "seeding") {
        const auto seeding = seedingNamed(value);
        setup.seeding = seeding.value_or(setup.seeding);
        return seeding.has_value();
    }
    if (key == "rated") {
        // The seeds a rating gave, best first; whether they name every entrant is checked with the set-up.
        for (const std::string_view piece : split(value, ',')) {
            const auto entrant = number<int>(piece, 0, kMaxEntrants - 1);
            if (!entrant || setup.ratedOrder.size() > kMaxEntrants)
                return false;
            setup.ratedOrder.push_back(*entrant);
        }
        return true;
    }
    std::optional<std::int64_t> read = number<std::int64_t>(value, 0, std::numeric_limits<std::uint32_t>::max());
    if (!read)
        return false;
    if (key == "seed")
        setup.seed = static_cast<std::uint32_t>(*read);
    else if (key == "best-of")
        setup.bestOf = static_cast<int>(std::min<std::int64_t>(*read, kMaxBestOf + 1));
    else if (key == "rounds")
        setup.rounds = static_cast<int>(std::min<std::int64_t>(*read, kMaxEntrants + 1));
    else if (key == "legs")
        setup.legs = static_cast<int>(std::min<std::int64_t>(*read, 3));
    else if (key == "max-presses")
        setup.maxPresses = static_cast<std::int32_t>(std::min<std::int64_t>(*read, std::numeric_limits<std::int32_t>::max()));
    else
        return false;
    return true;
}

std::string ratedLine(const std::vector<int>& ratedOrder)
{
    std::string line;
    for (const int entrant : ratedOrder)
        line += (line.empty() ? "\nrated " : ",") + std::to_string(entrant);
    return line;
}

SavedEvent refused(std::string reason)
{
    SavedEvent saved;
    saved.problem = std::move(reason);
    return saved;
}

} // namespace

std::string eventFolder(const std::string& baseDir)
{
    return baseDir + "/data/tournaments/";
}

std::string eventText(const Event& event)
{
    const EventSetup& setup = event.setup;
    std::string text = std::string(kHeader) + "\nformat " + std::string(formatName(setup.format)) + "\nseeding "
        + std::string(seedingName(setup.seeding)) + ratedLine(setup.ratedOrder) + "\nseed " + std::to_string(setup.seed) + "\nbest-of "
        + std::to_string(setup.bestOf) + "\nrounds " + std::to_string(setup.rounds) + "\nlegs "
        + std::to_string(setup.legs) + "\nmax-presses " + std::to_string(setup.maxPresses) + "\n";
    for (const Entrant& entrant : setup.entrants) {
        text += "entrant\t" + escaped(entrant.name);
        for (const std::string& member : entrant.members)
            text += "\t" + escaped(member);
        text += "\n";
    }
    for (const Match& match : event.matches) {
        text += "match\t" + std::to_string(match.round) + "\t" + std::to_string(match.index) + "\t"
            + std::to_string(match.first) + "\t" + std::to_string(match.second) + "\t"
            + kBrackets[static_cast<std::size_t>(match.bracket)] + "\t" + std::to_string(match.winner) + "\t";
        std::string battles;
        for (const BattleRecord& battle : match.battles)
            battles += (battles.empty() ? "" : ",") + battleText(battle);
        text += (battles.empty() ? "-" : battles) + "\n";
    }
    return text + "end\t" + std::to_string(event.matches.size()) + "\n";
}

SavedEvent parseEvent(std::string_view text)
{
    std::vector<std::string_view> lines = split(text, '\n');
    if (lines.empty() || lines.front() != kHeader)
        return refused("not an event file");
    if (lines.back().empty())
        lines.pop_back();
    SavedEvent saved;
    bool ended = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string where = "line " + std::to_string(i + 1) + ": ";
        if (ended)
            return refused(where + "text after the end");
        const std::vector<std::string_view> fields = split(lines[i], lines[i].find('\t') == std::string_view::npos ? ' ' : '\t');
        if (fields[0] == "entrant") {
            if (fields.size() < 3 || !saved.matches.empty())
                return refused(where + "an entrant needs a name and members, before the matches");
            Entrant entrant;
            for (std::size_t f = 1; f < fields.size(); ++f) {
                const std::optional<std::string> part = unescaped(fields[f]);
                if (!part || part->empty())
                    return refused(where + "a damaged name");
                (f == 1 ? entrant.name : entrant.members.emplace_back()) = *part;
            }
            saved.setup.entrants.push_back(std::move(entrant));
        } else if (fields[0] == "match") {
            const auto match = parsedMatch(fields, static_cast<int>(saved.setup.entrants.size()));
            if (!match)
                return refused(where + "a damaged match");
            saved.matches.push_back(*match);
        } else if (fields[0] == "end") {
            if (fields.size() != 2 || number<std::size_t>(fields[1], 0, kNoReadLimit) != saved.matches.size())
                return refused(where + "the count of matches does not agree");
            ended = true;
        } else if (fields.size() != 2 || !saved.setup.entrants.empty() || !readSetting(saved.setup, fields[0], fields[1])) {
            return refused(where + "not a setting of an event");
        }
    }
    if (!ended)
        return refused("the file ends early");
    if (std::string problem = setupProblem(saved.setup); !problem.empty())
        return refused(problem);
    if (saved.setup.seeding == Seeding::rating && saved.setup.ratedOrder.empty())
        return refused("an event seeded by rating without its rated order");
    const Event event(saved.setup);
    for (const Match& match : saved.matches) {
        if (decidedWinner(match, event) != match.winner)
            return refused("match " + std::to_string(match.round) + "." + std::to_string(match.index)
                           + ": the winner does not follow from its battles");
    }
    return saved;
}

std::string saveEvent(Storage& storage, const std::string& path, const Event& event)
{
    return storage.writeAtomically(path, eventText(event));
}

SavedEvent loadEvent(Storage& storage, const std::string& path)
{
    FileRead read = storage.readFile(path, kEventFileLimit);
    if (!read.bytes)
        return refused(read.reason.empty() ? "cannot read " + path : read.reason);
    return parseEvent(*read.bytes);
}

Event resumedEvent(const SavedEvent& saved)
{
    Event event(saved.setup);
    for (int round = 1;; ++round) {
        const std::vector<Match> pairings = pairRound(event, round);
        std::vector<Match> found;
        for (const Match& pairing : pairings) {
            for (const Match& match : saved.matches) {
                if (match.round == round && match.index == pairing.index && match.first == pairing.first
                    && match.second == pairing.second)
                    found.push_back(match);
            }
        }
        if (pairings.empty() || found.size() != pairings.size())
            return event;
        event.matches.insert(event.matches.end(), found.begin(), found.end());
    }
}

} // namespace pc::tournament
