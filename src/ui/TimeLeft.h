// SPDX-License-Identifier: GPL-3.0-or-later
// How long a run still takes, as its progress line says it.
#pragma once

#include <QString>

#include <algorithm>
#include <cmath>

namespace pc {

inline QString timeLeftText(double seconds)
{
    if (seconds < 60)
        return QStringLiteral("残り 約%1秒").arg(std::max(1, static_cast<int>(std::ceil(seconds))));
    return QStringLiteral("残り 約%1分").arg(static_cast<int>(std::ceil(seconds / 60)));
}

} // namespace pc
