// SPDX-License-Identifier: GPL-3.0-or-later
// Every CSV the program writes gives its texts back to a real CSV reader, and
// no cell is one a spreadsheet would run.
#include "battle/LogExport.h"
#include "sim/MatrixReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

#include <gtest/gtest.h>
#include <rapidcheck.h>

#include <sstream>

using namespace pc;
using namespace pc::sim;

namespace {

using Rows = std::vector<std::vector<std::string>>;

// Python's csv module, kept running until the reader goes: a request is a line of JSON texts, the
// answer a line of JSON, the rows of each as the module reads them.
class CsvReader {
public:
    CsvReader()
    {
        python_.start("python3", {"-c", "import csv, io, json, sys\n"
                                        "for line in sys.stdin:\n"
                                        "    print(json.dumps([list(csv.reader(io.StringIO(text, newline=''), strict=True))"
                                        " for text in json.loads(line)]), flush=True)\n"});
    }
    std::vector<Rows> read(const QStringList& csvs)
    {
        python_.write(QJsonDocument(QJsonArray::fromStringList(csvs)).toJson(QJsonDocument::Compact) + '\n');
        while (!python_.canReadLine() && python_.waitForReadyRead(30000)) {
        }
        std::vector<Rows> read;
        for (const QJsonValue csv : QJsonDocument::fromJson(python_.readLine()).array()) {
            Rows& rows = read.emplace_back();
            for (const QJsonValue row : csv.toArray()) {
                rows.emplace_back();
                for (const QJsonValue cell : row.toArray())
                    rows.back().push_back(cell.toString().toStdString());
            }
        }
        return read;
    }

private:
    QProcess python_;
};

bool startsFormula(const std::string& cell)
{
    return !cell.empty() && std::string("=+-@\t\r").find(cell.front()) != std::string::npos;
}

// Names of the characters that each trouble a CSV or a spreadsheet in their own way.
rc::Gen<std::string> names()
{
    return rc::gen::container<std::string>(rc::gen::element('=', '+', '-', '@', '\t', '\r', '\n', ',', '"', '\'', ' ', 'a', '1'));
}

// Every row has the header's columns; the text columns hold the row's texts,
// after a "'" exactly where one starts a formula; a cell starting like a
// formula is a number.
void expectCells(const Rows& rows, const std::vector<std::size_t>& textColumns, const Rows& texts)
{
    RC_ASSERT(rows.size() == texts.size() + 1);
    for (std::size_t r = 1; r < rows.size(); ++r) {
        RC_ASSERT(rows[r].size() == rows[0].size());
        for (std::size_t t = 0; t < textColumns.size(); ++t)
            RC_ASSERT(rows[r][textColumns[t]] == (startsFormula(texts[r - 1][t]) ? "'" : "") + texts[r - 1][t]);
        for (const std::string& cell : rows[r])
            RC_ASSERT(!startsFormula(cell) || cell.find_first_not_of("-.0123456789") == std::string::npos);
    }
}

} // namespace

TEST(CsvTest, EveryCsvGivesItsNamesBackAndNoCellStartsAFormula)
{
    CsvReader reader;
    EXPECT_TRUE(rc::check("every CSV writer", [&] {
        const auto entrants = *rc::gen::container<std::vector<std::string>>(*rc::gen::inRange(1, 7), names());
        MatrixResult result; // the second lineup wins less: the changes are negative numbers
        result.setup.names = entrants;
        result.setup.pairings = everyPairing(entrants.size());
        Rows pairs;
        for (const Pairing& pairing : result.setup.pairings) {
            pairs.push_back({entrants[pairing.player], entrants[pairing.enemy]});
            PairingResult fought;
            fought.lineups.resize(2);
            fought.lineups[0].battles = fought.lineups[1].battles = fought.player.battles = 10;
            fought.lineups[0].wins = 6;
            fought.player.lost = 2;
            result.pairings.push_back(fought);
        }
        std::ostringstream matrix, compare;
        writeMatrixCsv(matrix, result); // also the balance window's CSV
        writeCompareCsv(compare, result);

        std::vector<LogEntry> log;
        Rows texts;
        for (std::size_t i = 0; i < entrants.size(); ++i) {
            LogEntry& entry = log.emplace_back(LogEntry{entrants[i] + "の攻撃", {}, entrants[i], entrants[0], entrants[i]});
            entry.breakdown.effect = Effect::damage;
            entry.breakdown.hpAfter = -5;
            std::string message = entry.message;
            std::replace(message.begin(), message.end(), '\n', ' ');
            texts.push_back({entry.actor, entry.attack, entry.target, message});
        }
        const std::vector<Rows> read = reader.read({QString::fromStdString(matrix.str()), QString::fromStdString(compare.str()), QString::fromStdString(logAsCsv(log))});
        RC_ASSERT(read.size() == 3u);
        expectCells(read[0], {0, 1}, pairs);
        expectCells(read[1], {0, 1}, pairs);
        expectCells(read[2], {1, 2, 3, 17}, texts);
    }));
}
