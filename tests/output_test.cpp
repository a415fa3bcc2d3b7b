// What partyclash-sim and the CSV writers put out: an output that cannot be
// written whole is a failure with its reason, and every CSV gives its texts
// back to a real CSV reader without a cell a spreadsheet would run.
#include "TempDataFolder.h"

#include "battle/LogExport.h"
#include "sim/MatrixReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

#include <gtest/gtest.h>
#include <rapidcheck.h>

#include <sys/wait.h>

#include <fstream>
#include <sstream>

using namespace pc;
using namespace pc::sim;

namespace {

std::string fileText(const std::string& path)
{
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

struct Exit {
    int status;
    std::string err;
};

// Runs partyclash-sim with `args` and its standard output sent where `redirect` says.
Exit simulate(const TempDataFolder& folder, const std::string& args, const std::string& redirect)
{
    const std::string err = folder.base() + "/err";
    const std::string line = "'" + std::string(PARTYCLASH_SIM) + "' " + args + " " + redirect + " 2>" + err;
    const int raw = std::system(line.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, fileText(err)};
}

} // namespace

// Every output form, written to a full disk and to a closed descriptor, exits
// 1 with the reason; the same command into a file exits 0, so the failure is
// the output's alone.
TEST(OutputTest, EveryOutputFormFailsWithItsReasonWhenItCannotBeWritten)
{
    TempDataFolder folder;
    const std::string data = " --data '" + std::string(PARTYCLASH_EXAMPLES) + "'";
    const std::string fight = data + " --player 勇者アルス --enemy スライム --seed 3";
    const std::string matrix = data + " --matrix 勇者アルス,スライム --runs 20";
    const std::string compare = matrix + " --compare '" + std::string(PARTYCLASH_EXAMPLES) + "'";
    const std::vector<std::string> forms{
        fight,          fight + " --json",   fight + " --runs 30",   fight + " --runs 30 --json",
        matrix,         matrix + " --csv",   matrix + " --json",     compare,
        compare + " --csv", compare + " --json", "--help",           "--version",
    };
    const struct {
        const char* redirect;
        const char* reason;
    } sinks[] = {{">/dev/full", "No space left on device"}, {">&-", "Bad file descriptor"}};
    for (const std::string& form : forms) {
        SCOPED_TRACE(form);
        const std::string out = folder.base() + "/out";
        const Exit written = simulate(folder, form, ">'" + out + "'");
        ASSERT_EQ(written.status, 0) << written.err;
        EXPECT_FALSE(fileText(out).empty());
        for (const auto& sink : sinks) {
            SCOPED_TRACE(sink.redirect);
            const Exit failed = simulate(folder, form, sink.redirect);
            EXPECT_EQ(failed.status, 1);
            EXPECT_NE(failed.err.find(std::string("partyclash-sim: cannot write the output: ") + sink.reason),
                      std::string::npos)
                << failed.err;
        }
    }
}

namespace {

// Python's csv module, the reader spreadsheets' exports are checked with,
// kept running: each request is a length line and that many bytes of CSV,
// each answer the rows as one line of JSON.
class CsvReader {
public:
    CsvReader()
    {
        process_.start("python3", {"-c", R"(
import csv, io, json, sys
while True:
    size = sys.stdin.buffer.readline()
    if not size:
        break
    text = sys.stdin.buffer.read(int(size)).decode('utf-8-sig')
    rows = list(csv.reader(io.StringIO(text, newline=''), strict=True))
    sys.stdout.write(json.dumps(rows) + '\n')
    sys.stdout.flush()
)"});
        EXPECT_TRUE(process_.waitForStarted(30000));
    }
    ~CsvReader()
    {
        process_.closeWriteChannel();
        process_.waitForFinished(30000);
    }

    std::vector<std::vector<std::string>> rows(const std::string& csv)
    {
        process_.write(QByteArray::number(static_cast<qsizetype>(csv.size())) + '\n');
        process_.write(csv.data(), static_cast<qsizetype>(csv.size()));
        while (!process_.canReadLine() && process_.waitForReadyRead(30000)) {
        }
        std::vector<std::vector<std::string>> rows;
        for (const QJsonValue row : QJsonDocument::fromJson(process_.readLine()).array()) {
            rows.emplace_back();
            for (const QJsonValue cell : row.toArray())
                rows.back().push_back(cell.toString().toStdString());
        }
        return rows;
    }

private:
    QProcess process_;
};

bool startsFormula(const std::string& cell)
{
    return !cell.empty() && std::string("=+-@\t\r").find(cell.front()) != std::string::npos;
}

// The cell a text reads back as: itself, after a "'" when a spreadsheet would take it for a formula.
std::string shownAs(const std::string& text)
{
    return startsFormula(text) ? "'" + text : text;
}

bool isNumber(const std::string& cell)
{
    std::istringstream in(cell);
    double value = 0;
    return !cell.empty() && (in >> value) && in.peek() == std::char_traits<char>::eof();
}

// Names from pieces that each trouble a CSV or a spreadsheet in their own way.
rc::Gen<std::string> names()
{
    static const std::vector<std::string> pieces{"=", "+", "-", "@", "\t", "\r", "\r\n", "\n", ",", "\"",
                                                 "'", " ", "勇者", "a", "1", "SUM(A1)", "=HYPERLINK(\"http://x\",\"y\")"};
    return rc::gen::map(rc::gen::container<std::vector<std::size_t>>(rc::gen::inRange<std::size_t>(0, pieces.size())),
                        [](const std::vector<std::size_t>& picked) {
                            std::string name;
                            for (const std::size_t piece : picked)
                                name += pieces[piece];
                            return name;
                        });
}

// A matrix of the named entrants over two lineups, where the second wins less.
MatrixResult matrixOf(const std::vector<std::string>& entrants)
{
    MatrixResult result;
    result.setup.names = entrants;
    result.setup.pairings = everyPairing(entrants.size());
    for (std::size_t i = 0; i < result.setup.pairings.size(); ++i) {
        PairingResult fought;
        fought.lineups.resize(2);
        fought.lineups[0].battles = fought.lineups[1].battles = 10;
        fought.lineups[0].wins = 6;
        fought.lineups[1].wins = 4;
        fought.player.battles = 10;
        fought.player.lost = 2;
        result.pairings.push_back(fought);
    }
    return result;
}

// Checks every CSV: each row has the header's columns, every text cell gives
// its text back, every number cell is a number, and no other cell starts a formula.
void expectCells(const std::vector<std::vector<std::string>>& rows, const std::vector<int>& textColumns,
                 const std::vector<std::vector<std::string>>& texts)
{
    RC_ASSERT(rows.size() == texts.size() + 1);
    for (std::size_t r = 1; r < rows.size(); ++r) {
        RC_ASSERT(rows[r].size() == rows[0].size());
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const std::string& cell = rows[r][c];
            const auto text = std::find(textColumns.begin(), textColumns.end(), static_cast<int>(c));
            if (text != textColumns.end())
                RC_ASSERT(cell == shownAs(texts[r - 1][static_cast<std::size_t>(text - textColumns.begin())]));
            RC_ASSERT(isNumber(cell) || !startsFormula(cell));
        }
    }
}

} // namespace

TEST(OutputTest, EveryCsvGivesItsNamesBackAndNoCellStartsAFormula)
{
    CsvReader reader;
    const auto check = [&reader](const std::vector<std::string>& entrants) {
        const MatrixResult result = matrixOf(entrants);
        std::vector<std::vector<std::string>> pairs;
        for (const Pairing& pairing : result.setup.pairings)
            pairs.push_back({entrants[pairing.player], entrants[pairing.enemy]});
        std::ostringstream matrix;
        writeMatrixCsv(matrix, result); // also the balance window's CSV
        expectCells(reader.rows(matrix.str()), {0, 1}, pairs);
        std::ostringstream compare;
        writeCompareCsv(compare, result);
        expectCells(reader.rows(compare.str()), {0, 1}, pairs);

        std::vector<LogEntry> log;
        std::vector<std::vector<std::string>> logTexts;
        for (std::size_t i = 0; i < entrants.size(); ++i) {
            LogEntry entry{entrants[i] + "の攻撃", {}, entrants[i], entrants[(i + 1) % entrants.size()], entrants[0]};
            entry.breakdown.effect = Effect::damage;
            entry.breakdown.amount = -5;
            entry.breakdown.hpAfter = -1;
            std::string message = entry.message;
            std::replace(message.begin(), message.end(), '\n', ' ');
            logTexts.push_back({entry.actor, entry.attack, entry.target, message});
            log.push_back(std::move(entry));
        }
        expectCells(reader.rows(logAsCsv(log)), {1, 2, 3, 17}, logTexts);
    };
    EXPECT_TRUE(rc::check("every CSV writer", [&] {
        const auto entrants = *rc::gen::inRange<std::size_t>(1, 7);
        check(*rc::gen::container<std::vector<std::string>>(entrants, names()));
    }));
}
