// The overall win rates as a chart: one dot per entrant, strongest at the top,
// with a bar across its 95% interval.
#pragma once

#include "sim/Matrix.h"

class QChart;

namespace pc {

// Replaces the chart's series and axes with the standings of the result.
void showRanking(QChart& chart, const sim::MatrixResult& result);

} // namespace pc
