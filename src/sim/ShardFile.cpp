// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShardFile.h"

#include "sim/Json.h"
#include "sim/JsonValue.h"

#include <charconv>
#include <cstdio>
#include <sstream>

namespace pc::sim {

namespace {

constexpr std::size_t kLargestShard = 256u << 20;
constexpr std::int64_t kMostShards = 10000;
constexpr std::int64_t kMostCount = std::int64_t{1} << 53;

std::string jsonStrings(const std::vector<std::string>& texts)
{
    std::string list = "[";
    for (std::size_t i = 0; i < texts.size(); ++i)
        list += (i ? ", " : "") + jsonString(texts[i]);
    return list + "]";
}

std::string jsonTotals(const PairingTotals& t)
{
    return "[" + std::to_string(t.battles) + ", " + std::to_string(t.wins) + ", " + std::to_string(t.defeats) + ", "
        + std::to_string(t.nobody) + ", " + std::to_string(t.unfinished) + ", " + std::to_string(t.presses.count())
        + ", " + jsonNumber(t.presses.mean()) + ", " + jsonNumber(t.presses.squares()) + "]";
}

std::string jsonChange(const PairedChange& c)
{
    return "[" + std::to_string(c.battles) + ", " + std::to_string(c.gained) + ", " + std::to_string(c.lost) + "]";
}

// A shard file read: its origin, setup and pairings, or why it is not one.
struct Shard {
    ShardOrigin origin;
    MatrixSetup setup;
    ShardPart part;
    std::vector<std::pair<Pairing, PairingResult>> fought;
    std::string error;
};

std::optional<std::vector<std::string>> strings(const JsonValue& value)
{
    if (value.kind != JsonValue::Kind::array)
        return std::nullopt;
    std::vector<std::string> texts;
    for (const JsonValue& item : value.items) {
        if (item.kind != JsonValue::Kind::string)
            return std::nullopt;
        texts.push_back(item.text);
    }
    return texts;
}

std::optional<std::vector<std::int64_t>> wholes(const JsonValue& value, std::size_t count)
{
    if (value.kind != JsonValue::Kind::array || value.items.size() < count)
        return std::nullopt;
    std::vector<std::int64_t> numbers;
    for (std::size_t i = 0; i < count; ++i) {
        const auto number = value.items[i].whole(0, kMostCount);
        if (!number)
            return std::nullopt;
        numbers.push_back(*number);
    }
    return numbers;
}

std::optional<PairingTotals> totalsFrom(const JsonValue& value)
{
    const auto n = wholes(value, 6);
    if (!n || value.items.size() != 8 || value.items[6].kind != JsonValue::Kind::number
        || value.items[7].kind != JsonValue::Kind::number)
        return std::nullopt;
    PairingTotals totals;
    totals.battles = (*n)[0];
    totals.wins = (*n)[1];
    totals.defeats = (*n)[2];
    totals.nobody = (*n)[3];
    totals.unfinished = (*n)[4];
    totals.presses = RunningMean::fromParts((*n)[5], value.items[6].number, value.items[7].number);
    return totals;
}

std::optional<PairedChange> changeFrom(const JsonValue& value)
{
    const auto n = wholes(value, 3);
    if (!n || value.items.size() != 3)
        return std::nullopt;
    return PairedChange{(*n)[0], (*n)[1], (*n)[2]};
}

bool readPairings(const JsonValue& list, Shard& shard)
{
    const std::size_t entrants = shard.setup.names.size();
    const std::size_t lineups = shard.setup.lineups.size();
    if (list.kind != JsonValue::Kind::array)
        return false;
    for (const JsonValue& item : list.items) {
        const auto player = item["player"].whole(0, static_cast<std::int64_t>(entrants) - 1);
        const auto enemy = item["enemy"].whole(0, static_cast<std::int64_t>(entrants) - 1);
        const JsonValue& totals = item["lineups"];
        const auto playerChange = changeFrom(item["playerChange"]);
        const auto enemyChange = changeFrom(item["enemyChange"]);
        if (!player || !enemy || totals.kind != JsonValue::Kind::array || totals.items.size() != lineups
            || !playerChange || !enemyChange)
            return false;
        PairingResult result;
        for (const JsonValue& lineup : totals.items) {
            const auto read = totalsFrom(lineup);
            if (!read)
                return false;
            result.lineups.push_back(*read);
        }
        result.player = *playerChange;
        result.enemy = *enemyChange;
        shard.fought.emplace_back(Pairing{static_cast<std::size_t>(*player), static_cast<std::size_t>(*enemy)},
                                  std::move(result));
    }
    return true;
}

Shard readShard(Storage& files, const std::string& path)
{
    Shard shard;
    const std::optional<std::string> text = files.read(path, kLargestShard);
    if (!text) {
        shard.error = "cannot read the shard file " + path;
        return shard;
    }
    const std::optional<JsonValue> json = parseJson(*text);
    shard.error = path + " is not a shard file of partyclash-sim";
    if (!json || (*json)["partyclashShard"].whole(1, 1) != 1)
        return shard;
    const JsonValue& file = *json;
    const auto index = file["shard"].whole(1, kMostShards);
    const auto count = file["shards"].whole(1, kMostShards);
    const auto battles = file["battlesPerPairing"].whole(1, 1'000'000'000);
    const auto seed = file["firstSeed"].whole(0, 0xFFFFFFFF);
    const auto presses = file["maxPresses"].whole(1, 0x7FFFFFFF);
    const auto lineups = file["lineups"].whole(1, 2);
    const auto names = strings(file["entrants"]);
    const auto leftOut = strings(file["leftOut"]);
    const JsonValue& precision = file["precision"];
    if (!index || !count || *index > *count || !battles || !seed || !presses || !lineups || !names || !leftOut
        || precision.kind != JsonValue::Kind::number)
        return shard;
    shard.part = {*index, *count};
    shard.setup.battles = *battles;
    shard.setup.firstSeed = static_cast<std::uint32_t>(*seed);
    shard.setup.maxPresses = static_cast<std::int32_t>(*presses);
    shard.setup.precision = precision.number;
    shard.setup.names = *names;
    shard.setup.lineups.resize(static_cast<std::size_t>(*lineups));
    shard.origin = {file["command"].text, file["form"].text, file["roster"].text,
                    {file["before"].text, file["after"].text, *leftOut}};
    if (!readPairings(file["pairings"], shard))
        return shard;
    shard.error.clear();
    return shard;
}

// The first field in which two shards differ, or empty.
std::string difference(const Shard& a, const Shard& b)
{
    if (a.origin.command != b.origin.command || a.origin.form != b.origin.form)
        return "different commands";
    if (a.origin.roster != b.origin.roster)
        return "different rosters";
    if (a.setup.firstSeed != b.setup.firstSeed)
        return "different seeds";
    if (a.setup.battles != b.setup.battles || a.setup.maxPresses != b.setup.maxPresses
        || a.setup.precision != b.setup.precision)
        return "different battles per pairing, presses or precision";
    if (a.setup.names != b.setup.names || a.origin.folders.leftOut != b.origin.folders.leftOut
        || a.origin.folders.before != b.origin.folders.before || a.origin.folders.after != b.origin.folders.after)
        return "different entrants or folders";
    if (a.part.count != b.part.count)
        return "shards of " + std::to_string(a.part.count) + " and of " + std::to_string(b.part.count);
    return {};
}

} // namespace

std::optional<ShardPart> parseShardPart(std::string_view text)
{
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    ShardPart part;
    const auto read = [](std::string_view digits, std::int64_t& into) {
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), into);
        return !digits.empty() && error == std::errc() && end == digits.data() + digits.size();
    };
    if (!read(text.substr(0, slash), part.index) || !read(text.substr(slash + 1), part.count) || part.index < 1
        || part.index > part.count || part.count > kMostShards)
        return std::nullopt;
    return part;
}

std::vector<Pairing> shardPairings(const std::vector<Pairing>& pairings, ShardPart part)
{
    std::vector<Pairing> share;
    for (std::size_t i = static_cast<std::size_t>(part.index - 1); i < pairings.size();
         i += static_cast<std::size_t>(part.count))
        share.push_back(pairings[i]);
    return share;
}

std::string rosterFingerprint(Storage& files, const std::string& folder, const OBJE* roster)
{
    std::uint64_t hash = 0xCBF29CE484222325ULL; // FNV-1a
    const auto add = [&hash](std::string_view bytes) {
        for (const char c : bytes)
            hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL;
        hash = (hash ^ 0xFF) * 0x100000001B3ULL; // ends the piece
    };
    for (const OBJE* character = roster; character; character = character->next) {
        add(character->fileName);
        add(files.read(folder + "/" + character->fileName).value_or(""));
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

void writeShard(std::ostream& out, const MatrixResult& result, const ShardOrigin& origin, ShardPart part)
{
    const MatrixSetup& setup = result.setup;
    out << "{\n  \"partyclashShard\": 1,\n  \"shard\": " << part.index << ",\n  \"shards\": " << part.count
        << ",\n  \"command\": " << jsonString(origin.command) << ",\n  \"form\": " << jsonString(origin.form)
        << ",\n  \"roster\": " << jsonString(origin.roster) << ",\n  \"before\": " << jsonString(origin.folders.before)
        << ",\n  \"after\": " << jsonString(origin.folders.after)
        << ",\n  \"leftOut\": " << jsonStrings(origin.folders.leftOut)
        << ",\n  \"battlesPerPairing\": " << setup.battles << ",\n  \"firstSeed\": " << setup.firstSeed
        << ",\n  \"maxPresses\": " << setup.maxPresses << ",\n  \"precision\": " << jsonNumber(setup.precision)
        << ",\n  \"lineups\": " << setup.lineups.size() << ",\n  \"entrants\": " << jsonStrings(setup.names)
        << ",\n  \"pairings\": [";
    bool first = true;
    for (std::size_t i = 0; i < setup.pairings.size(); ++i) {
        if (!result.pairings[i])
            continue;
        const PairingResult& fought = *result.pairings[i];
        out << (first ? "" : ",") << "\n    {\"player\": " << setup.pairings[i].player
            << ", \"enemy\": " << setup.pairings[i].enemy << ", \"lineups\": [";
        for (std::size_t l = 0; l < fought.lineups.size(); ++l)
            out << (l ? ", " : "") << jsonTotals(fought.lineups[l]);
        out << "], \"playerChange\": " << jsonChange(fought.player) << ", \"enemyChange\": " << jsonChange(fought.enemy)
            << "}";
        first = false;
    }
    out << "\n  ]\n}\n";
}

MergedShards mergeShards(Storage& files, const std::vector<std::string>& paths)
{
    MergedShards merged;
    std::vector<Shard> shards;
    for (const std::string& path : paths) {
        Shard shard = readShard(files, path);
        if (shard.error.empty() && !shards.empty()) {
            if (const std::string why = difference(shards.front(), shard); !why.empty())
                shard.error = paths.front() + " and " + path + " are of " + why;
        }
        if (!shard.error.empty()) {
            merged.error = shard.error;
            return merged;
        }
        shards.push_back(std::move(shard));
    }
    const std::int64_t count = shards.front().part.count;
    std::vector<int> seen(static_cast<std::size_t>(count));
    for (const Shard& shard : shards)
        ++seen[static_cast<std::size_t>(shard.part.index - 1)];
    for (std::int64_t i = 0; i < count; ++i) {
        if (seen[static_cast<std::size_t>(i)] != 1) {
            merged.error = "shard " + std::to_string(i + 1) + "/" + std::to_string(count)
                + (seen[static_cast<std::size_t>(i)] ? " is given twice" : " is missing");
            return merged;
        }
    }
    MatrixSetup setup = shards.front().setup;
    setup.pairings = everyPairing(setup.names.size());
    merged.result.setup = setup;
    merged.result.pairings.resize(setup.pairings.size());
    merged.origin = shards.front().origin;
    const std::size_t n = setup.names.size();
    for (Shard& shard : shards) {
        for (auto& [pairing, result] : shard.fought)
            merged.result.pairings[pairing.player * n + pairing.enemy] = std::move(result);
    }
    if (!merged.result.complete())
        merged.error = "the shard files lack some pairings";
    return merged;
}

} // namespace pc::sim
