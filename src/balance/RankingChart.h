// SPDX-License-Identifier: GPL-3.0-or-later
// The overall win rates as a chart: one dot per entrant, strongest at the top,
// with a bar across its 95% interval.
#pragma once

#include "sim/Matrix.h"

#include <QImage>

class QChart;

namespace pc {

// Replaces the chart's series and axes with the standings of the result.
void showRanking(QChart& chart, const sim::MatrixResult& result);

// The height at which every entrant's label fits beside the chart.
int rankingHeight(std::size_t entrants);

// The chart of the result drawn whole, every label in full, as a picture.
QImage rankingPicture(const sim::MatrixResult& result);

} // namespace pc
