// SPDX-License-Identifier: GPL-3.0-or-later
#include "Options.h"

#include "records/SeedText.h"
#include "tournament/Event.h"

#include <array>
#include <charconv>
#include <limits>
#include <set>

namespace pc::sim {

namespace {

std::vector<std::string> splitNames(std::string_view list)
{
    std::vector<std::string> names;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        if (!name.empty())
            names.emplace_back(name);
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
    return names;
}

std::string numberRefusal(std::string_view option, const std::string& text, std::uint64_t low, std::uint64_t high)
{
    return std::string(option) + ": \"" + text + "\" is not a whole number from " + std::to_string(low) + " to "
        + std::to_string(high);
}

// Reads a whole decimal number from `low` to `high` into `field` as a T, or says why not.
template <typename T, typename Field>
std::string setNumber(Field& field, std::string_view option, const std::string& text, std::uint64_t low,
                      std::uint64_t high)
{
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return numberRefusal(option, text, low, high);
    field = static_cast<T>(value);
    return {};
}

// Reads a number above 0 and at most 1000, such as 0.02 or 35.
std::string setPrecision(Options& options, std::string_view option, const std::string& text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !(value > 0) || value > 1000)
        return std::string(option) + ": \"" + text + "\" is not a number above 0 and at most 1000";
    options.precision = value;
    return {};
}

using Setter = std::string (*)(Options&, std::string_view option, const std::string& value);

struct ValueOption {
    std::string_view name;
    Setter set;
};

constexpr std::uint64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

constexpr std::array kValueOptions{
    ValueOption{"--data", [](Options& o, std::string_view, const std::string& v) {
                    o.dataFolder = v;
                    return std::string();
                }},
    ValueOption{"--player", [](Options& o, std::string_view, const std::string& v) {
                    o.player = splitNames(v);
                    return std::string();
                }},
    ValueOption{"--enemy", [](Options& o, std::string_view, const std::string& v) {
                    o.enemy = splitNames(v);
                    return std::string();
                }},
    ValueOption{"--seed", [](Options& o, std::string_view n, const std::string& v) {
                    // The seed fields' rule: full-width digits too; blank is no seed.
                    o.seed = parseSeed(v);
                    return o.seed || seedTextIsBlank(v) ? std::string() : numberRefusal(n, v, 0, kSeedMax);
                }},
    ValueOption{"--runs", [](Options& o, std::string_view n, const std::string& v) {
                    return setNumber<std::int64_t>(o.runs, n, v, 1, 1'000'000'000);
                }},
    ValueOption{"--jobs", [](Options& o, std::string_view n, const std::string& v) {
                    return setNumber<int>(o.jobs, n, v, 1, 256);
                }},
    ValueOption{"--matrix", [](Options& o, std::string_view, const std::string& v) {
                    o.matrix = splitNames(v);
                    return std::string();
                }},
    ValueOption{"--parties", [](Options& o, std::string_view, const std::string& v) {
                    o.partiesFile = v;
                    return std::string();
                }},
    ValueOption{"--compare", [](Options& o, std::string_view, const std::string& v) {
                    o.compareFolder = v;
                    return std::string();
                }},
    ValueOption{"--tournament", [](Options& o, std::string_view, const std::string& v) {
                    o.tournament = v;
                    return std::string();
                }},
    ValueOption{"--entrants", [](Options& o, std::string_view, const std::string& v) {
                    o.entrants = splitNames(v);
                    return std::string();
                }},
    ValueOption{"--best-of", [](Options& o, std::string_view n, const std::string& v) {
                    return setNumber<int>(o.bestOf, n, v, 1, 99);
                }},
    ValueOption{"--rounds", [](Options& o, std::string_view n, const std::string& v) {
                    return setNumber<int>(o.rounds, n, v, 1, 4096);
                }},
    ValueOption{"--legs", [](Options& o, std::string_view n, const std::string& v) {
                    return setNumber<int>(o.legs, n, v, 1, 2);
                }},
    ValueOption{"--seeding", [](Options& o, std::string_view, const std::string& v) {
                    o.seeding = v;
                    return std::string();
                }},
    ValueOption{"--event-file", [](Options& o, std::string_view, const std::string& v) {
                    o.eventFile = v;
                    return std::string();
                }},
    ValueOption{"--precision", setPrecision},
    ValueOption{"--ladder", [](Options& o, std::string_view, const std::string& v) {
                    o.ladder = splitNames(v);
                    return std::string();
                }},
    ValueOption{"--shard", [](Options& o, std::string_view n, const std::string& v) {
                    o.shard = parseShardPart(v);
                    return o.shard ? std::string() : std::string(n) + ": \"" + v + "\" is not I/K, 1 <= I <= K <= 10000";
                }},
    ValueOption{"--out", [](Options& o, std::string_view, const std::string& v) {
                    o.outFile = v;
                    return std::string();
                }},
    ValueOption{"--max-battles", [](Options& o, std::string_view n, const std::string& v) {
                    return setNumber<std::int64_t>(o.maxBattles, n, v, 1, 1'000'000'000'000);
                }},
    ValueOption{"--max-presses", [](Options& o, std::string_view n, const std::string& v) {
                    return setNumber<std::int32_t>(o.maxPresses, n, v, 1, kInt32Max);
                }},
};

const ValueOption* valueOption(std::string_view name)
{
    for (const ValueOption& option : kValueOptions) {
        if (option.name == name)
            return &option;
    }
    return nullptr;
}

std::string checkMatrix(const Options& options)
{
    if (options.matrix && options.partiesFile)
        return "--matrix and --parties cannot be given together";
    if (!options.player.empty() || !options.enemy.empty())
        return std::string(options.matrix ? "--matrix" : "--parties") + " cannot be given with --player or --enemy";
    if (options.matrix && options.matrix->empty())
        return "--matrix needs at least one name, or all";
    if (options.csv && options.json)
        return "--csv and --json cannot be given together";
    if (options.precision && options.compareFolder)
        return "--precision cannot be given with --compare";
    if (options.precision && *options.precision >= 0.5)
        return "--precision of a matrix is a share of the battles, above 0 and below 0.5";
    if (options.maxBattles)
        return "--max-battles needs --ladder";
    return {};
}

std::string checkLadder(const Options& options)
{
    if (options.matrix || !options.player.empty() || !options.enemy.empty())
        return "--ladder cannot be given with --matrix, --player or --enemy";
    if (options.ladder->empty() == !options.partiesFile)
        return "--ladder needs names, all, or --parties FILE, and not both";
    if (options.compareFolder || options.runs)
        return std::string(options.runs ? "--runs" : "--compare") + " cannot be given with --ladder";
    if (options.csv && options.json)
        return "--csv and --json cannot be given together";
    return {};
}

std::string checkTournament(const Options& options, const std::set<std::string>& given)
{
    if (!tournament::formatNamed(*options.tournament))
        return "--tournament: \"" + *options.tournament
            + "\" is not round-robin, single-elimination, double-elimination, swiss or gauntlet";
    if (options.matrix || !options.player.empty() || !options.enemy.empty() || options.compareFolder || options.runs)
        return "--tournament cannot be given with --matrix, --player, --enemy, --compare or --runs";
    if (options.entrants.has_value() == options.partiesFile.has_value())
        return "--tournament needs --entrants NAMES|all or --parties FILE";
    if (options.entrants && options.entrants->empty())
        return "--entrants needs at least two names, or all";
    if (options.bestOf % 2 == 0)
        return "--best-of: a match is the best of an odd number of battles";
    if (options.seeding != "random" && options.seeding != "chosen" && options.seeding != "rating")
        return "--seeding: \"" + options.seeding + "\" is not random, chosen or rating";
    if (options.csv + options.json + options.html + options.svg > 1)
        return "only one of --csv, --json, --html and --svg can be given";
    if (given.contains("--event-file") && options.eventFile->empty())
        return "--event-file needs a file name";
    return {};
}

std::string checkParties(const Options& options)
{
    if (options.html || options.svg || options.entrants || options.bestOf != 1 || options.rounds || options.legs != 1
        || options.eventFile || options.seeding != "random")
        return "--entrants, --best-of, --rounds, --legs, --seeding, --event-file, --html and --svg need --tournament";
    if (options.outFile && !options.shard)
        return "--out needs --shard";
    if (options.shard && !options.matrix && !options.partiesFile)
        return "--shard needs --matrix or --parties";
    if (options.ladder)
        return checkLadder(options);
    if (options.matrix || options.partiesFile)
        return checkMatrix(options);
    if (options.csv || options.compareFolder || options.precision)
        return std::string(options.csv ? "--csv" : options.precision ? "--precision" : "--compare")
            + " needs --matrix, --parties or --ladder";
    if (options.maxBattles)
        return "--max-battles needs --ladder";
    if (options.player.empty())
        return "the player party is empty: give --player NAME[,NAME...]";
    if (options.enemy.empty())
        return "the enemy party is empty: give --enemy NAME[,NAME...]";
    return {};
}

} // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args)
{
    ParsedOptions parsed;
    Options& options = parsed.options;
    std::set<std::string> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (const std::size_t equals = name.find('='); name.starts_with("--") && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        if (!given.insert(name == "-h" ? "--help" : name).second) {
            parsed.error = name + " is given twice";
        } else if (!value && (name == "--help" || name == "-h")) {
            options.help = true;
        } else if (!value && name == "--version") {
            options.version = true;
        } else if (!value && name == "--json") {
            options.json = true;
        } else if (!value && name == "--csv") {
            options.csv = true;
        } else if (!value && (name == "--html" || name == "--svg")) {
            (name == "--html" ? options.html : options.svg) = true;
        } else if (name == "--merge" && !value) {
            while (i + 1 < args.size() && !args[i + 1].starts_with("--"))
                options.mergeFiles.push_back(args[++i]);
            if (options.mergeFiles.empty())
                parsed.error = "--merge needs the shard files";
        } else if (name == "--ladder" && !value && (i + 1 == args.size() || args[i + 1].starts_with("--"))) {
            options.ladder.emplace(); // the entrants come from --parties
        } else if (const ValueOption* option = valueOption(name)) {
            if (!value && i + 1 == args.size()) {
                parsed.error = name + " needs a value";
                return parsed;
            }
            parsed.error = option->set(options, name, value ? *value : args[++i]);
        } else {
            parsed.error = "unknown option \"" + args[i] + "\" (see --help)";
        }
        if (!parsed.error.empty())
            return parsed;
    }
    if (options.tournament && !options.help && !options.version)
        parsed.error = checkTournament(options, given);
    else if (given.contains("--jobs") && !given.contains("--runs") && !options.matrix && !options.partiesFile
             && !options.ladder)
        parsed.error = "--jobs needs --runs";
    else if (!options.mergeFiles.empty() && given.size() > 1)
        parsed.error = "--merge takes the shard files alone";
    else if (!options.help && !options.version && options.mergeFiles.empty())
        parsed.error = checkParties(options);
    return parsed;
}

std::string_view helpText()
{
    return R"(NAME
    partyclash-sim - fight PartyClash battles without the windows

SYNOPSIS
    partyclash-sim --player NAMES --enemy NAMES [--data DIR] [--seed N]
                   [--runs N [--jobs N]] [--max-presses N] [--json]
    partyclash-sim (--matrix NAMES|all | --parties FILE) [--data DIR]
                   [--compare DIR2] [--runs N] [--seed N] [--jobs N]
                   [--max-presses N] [--precision P] [--csv | --json]
    partyclash-sim (--ladder NAMES|all | --ladder --parties FILE) [--data DIR]
                   [--precision ELO] [--max-battles N] [--seed N] [--jobs N]
                   [--max-presses N] [--csv | --json]
    partyclash-sim (--matrix NAMES|all | --parties FILE) ... --shard I/K
                   [--out FILE]
    partyclash-sim --merge FILE...
    partyclash-sim --tournament FORMAT (--entrants NAMES|all | --parties FILE)
                   [--best-of N] [--seed S] [--rounds R] [--legs 1|2]
                   [--seeding random|chosen|rating] [--event-file FILE] [--data DIR]
                   [--jobs N] [--max-presses N] [--json | --csv | --html | --svg]
    partyclash-sim --help
    partyclash-sim --version

DESCRIPTION
    Loads the roster of a data folder as the application does and fights
    battles between a player party and an enemy party with the application's
    own battle rules. NAMES is a comma-separated list of characters, each
    given by its file name or, failing that, its character name; a name may
    repeat, and each occurrence is a member of its own.

    Without --runs, one battle is shown press by press: every text the battle
    window's navigation field shows, one block per press, from the start of
    the battle to its end announcement.

    With --runs, the battles are fought without being shown and a report is
    written: the player's wins with a 95% Wilson score interval, the presses
    to the end (mean, standard deviation, least and most), and for every
    member the mean damage it deals and takes per battle, counted as the hit
    points its targets lose and it loses.

    With --matrix or --parties, every entrant fights every entrant, itself
    included, as the player and as the enemy: N battles per ordered pairing
    from the seeds S, S+1, ..., the same seeds for every pairing. The report
    gives the player's win rate for every pairing (rows the player, columns
    the enemy), every entrant's overall win rate over all its battles on both
    sides with a 95% Wilson score interval, strongest first, and the pairings
    that ended with nobody able to act or without an end.

    With --compare, the same battles are fought on DIR2 and on the data
    folder, and the report gives the change of every win rate from DIR2 to
    the data folder with a 95% interval of the paired difference: each
    battle is fought with the same seed on both, so only the change itself
    widens the interval, and a pairing that did not change shows exactly 0.

OPTIONS
    --data DIR
        The folder holding preset.txt, the character files and img/, laid out
        like data/CharaList/. Default: the application's own. For an
        installed copy that is the user's data folder,
        $XDG_DATA_HOME/partyclash/data/CharaList/ (by default
        ~/.local/share/partyclash/data/CharaList/); in the build tree
        build/src/data/CharaList/, beside build/src/partyclash. No folder is
        created, and pictures are never read.

    --player NAMES, --enemy NAMES
        The two parties, in party order. Both are required.

    --matrix NAMES|all
        The characters of the matrix, or all of the roster; each alone is an
        entrant. Entrants are named by their character names.

    --parties FILE
        A text file with one party a line, names comma-separated as for
        --player; every party is an entrant, named by its line.

    --compare DIR2
        Fights the matrix on DIR2 too (a folder like --data, for instance a
        copy made before an edit) and reports the changes. Characters are
        matched by file name; an entrant with a member in one folder only is
        reported and left out.

    --ladder NAMES|all, --ladder --parties FILE
        Rates the characters named, all of the roster, or the parties of
        FILE on the Elo scale (Bradley-Terry, mean 1500) with a 95% interval,
        from battles between pairings chosen where they teach most, each
        fought from both sides. It stops once every interval's half-width is
        at most --precision Elo (default 35) or at --max-battles (default
        4000 per entrant). The report: rank, name, rating, interval,
        battles, overall win rate and tier (S from 1700, A from 1600, B from
        1400, C from 1300, D below), then the pairings whose results most
        disagree with the ratings. The same seed gives the same ladder for
        any --jobs.

    --shard I/K [--out FILE]
        Fights share I of K of a matrix (every K-th ordered pairing) and
        writes its counts as JSON to FILE, or to standard output.

    --merge FILE...
        Reads the K shard files of one command, in any order, and writes the
        report of the whole, byte for byte as the command without --shard
        writes it. Files of different commands, rosters, seeds or entrants,
        and a shard missing or given twice, are refused with the reason.

    --csv
        Writes one line per ordered pairing: player, enemy, battles, wins,
        defeats, nobody, unfinished, win_rate, low95, high95, mean_presses
        (presses of the battles that ended with a victory or a defeat), after
        a header line. Names holding a comma or a quote are quoted.

    --precision P
        With --matrix or --parties: stops each ordered pairing once the 95%
        Wilson interval of its win rate has a half-width of at most P (a
        share above 0 and below 0.5, such as 0.02), never past --runs; its
        battles are the first ones of the full run. The report gives each
        pairing's battles. With --ladder: the rating half-width in Elo at
        which the ladder stops (default 35).

    --seed N
        Seeds the random draws (0 to 4294967295): a seed gives the same
        battle on every run and machine. Without it one battle draws like the
        application, from the C library's unseeded rand().

    --runs N
        Fights N battles (1 to 1000000000) from the seeds S, S+1, ... counted
        modulo 2^32, S being --seed or 1. A matrix fights 1000 per pairing
        unless told otherwise.

    --jobs N
        Spreads the runs, or the pairings, over N threads (1 to 256, default
        1); only with --runs, a matrix, a ladder or an event. The report does
        not depend on N.

    --tournament FORMAT
        Plays an event between the entrants of --entrants (characters, or
        all of the roster) or --parties and writes its pairings round by
        round, every battle with the seed and the options that replay it,
        the standings and the champion. FORMAT is round-robin (a league),
        single-elimination, double-elimination, swiss or gauntlet (the first
        seed against every other). A match is the best of --best-of battles
        (odd, 1 to 99, default 1), sides alternating; battle k of a match
        fights from a seed derived from --seed, the round and the match, so
        the same seed gives the same event for any --jobs. --rounds gives the
        Swiss rounds (default: enough to leave one entrant unbeaten), --legs
        2 meets every pairing of a league twice, --seeding chosen seeds the
        entrants in the order given instead of drawing them from the seed,
        and --seeding rating by the ratings of a --ladder run from --seed
        before the event, best first (ties in the order given).
        --csv writes the standings, --html the whole event as one page and
        --svg the picture of the bracket and standings.

    --event-file FILE
        Saves the event after every finished match; when FILE exists, the
        event it holds (which must be the one the command line gives)
        continues from its last finished match.

    --max-presses N
        Gives a battle up after N presses without an end (1 to 2147483647,
        default 1000). Such battles count as unfinished.

    --json
        Writes the battle or the report as JSON.

    --help, -h
        Shows this text.

    --version
        Shows the version.

    A batch that takes more than a second shows its progress on standard
    error when that is a terminal.

EXIT STATUS
    0   the battle or the report was written
    1   the data folder or a named character cannot be found, or the output
        could not be written whole (a full disk, a closed output): the
        reason is printed on standard error
    2   the command line is wrong: an unknown option, a missing value, a bad
        number, an empty party, --matrix with --player, --enemy or
        --parties, or --matrix without a name

EXAMPLES
    Characters may be named by their file names, as here, or by the
    character names the application shows.

    partyclash-sim --data examples/CharaList --player arus.txt,mira.txt \
                   --enemy dragon.txt --seed 7
    partyclash-sim --data examples/CharaList --player arus.txt \
                   --enemy dragon.txt --runs 10000 --jobs 2
    partyclash-sim --data examples/CharaList --matrix all --jobs 2 --csv
    partyclash-sim --data examples/CharaList --parties parties.txt --jobs 2
    partyclash-sim --data examples/CharaList --compare before/CharaList \
                   --matrix all --runs 10000 --jobs 2
)";
}

} // namespace pc::sim
