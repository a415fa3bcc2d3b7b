// SPDX-License-Identifier: GPL-3.0-or-later
// What partyclash-sim writes for a matrix of pairings: a table and a ranking
// as text, one line per pairing as CSV, or both as JSON; and the same for the
// comparison of two lineups.
#pragma once

#include "sim/Matrix.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace pc::sim {

inline constexpr std::string_view kMatrixCsvHeader =
    "player,enemy,battles,wins,defeats,nobody,unfinished,win_rate,low95,high95,mean_presses";

// The folder names of a comparison: the second lineup's changes are reported
// against the first's.
struct CompareNames {
    std::string before;
    std::string after;
    std::vector<std::string> leftOut; // lines telling what was in one folder only
};

// The report in the form "text", "csv" or "json"; a comparison's when the
// result holds two lineups.
void writeMatrixReport(std::ostream& out, const MatrixResult& result, const CompareNames& names,
                       std::string_view form);

void writeMatrixText(std::ostream& out, const MatrixResult& result);
// The header line, then one line per finished pairing, in the setup's order.
void writeMatrixCsv(std::ostream& out, const MatrixResult& result);
void writeMatrixJson(std::ostream& out, const MatrixResult& result);

void writeCompareText(std::ostream& out, const MatrixResult& result, const CompareNames& names);
void writeCompareCsv(std::ostream& out, const MatrixResult& result);
void writeCompareJson(std::ostream& out, const MatrixResult& result, const CompareNames& names);

} // namespace pc::sim
