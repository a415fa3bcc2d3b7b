// SPDX-License-Identifier: GPL-3.0-or-later
// The whole heat map as a picture, whatever the window shows of it: every
// cell, the names of the rows and columns, the colour scale, the seed and the
// battles per pairing.
#pragma once

#include "balance/HeatMap.h"

#include <QImage>

namespace pc {

QImage heatMapPicture(const HeatMapModel& model);

} // namespace pc
