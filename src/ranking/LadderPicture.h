// SPDX-License-Identifier: GPL-3.0-or-later
// The whole ladder as one picture, for saving as PNG: every entrant's rank,
// tier, name, interval bar and rating, however many there are.
#pragma once

#include "ranking/LadderModel.h"

#include <QImage>
#include <QString>

namespace pc {

// A null image when the ladder is too long for one picture.
QImage ladderPicture(const LadderModel& model, const QString& caption);

} // namespace pc
