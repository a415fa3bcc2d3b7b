// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgressBar.h"

namespace pc::sim {

std::string progressLine(std::int64_t done, std::int64_t total)
{
    constexpr std::int64_t cells = 20;
    const std::int64_t filled = total > 0 ? done * cells / total : cells;
    const std::int64_t percent = total > 0 ? done * 100 / total : 100;
    std::string line(1, '[');
    line.append(static_cast<std::size_t>(filled), '#');
    line.append(static_cast<std::size_t>(cells - filled), '-');
    line += "] ";
    const std::string percentText = std::to_string(percent) + '%';
    line.append(4 - percentText.size(), ' ');
    line += percentText + "  " + std::to_string(done) + '/' + std::to_string(total);
    return line;
}

ProgressBar::ProgressBar(std::ostream& terminal, std::int64_t total) : terminal_(terminal), total_(total) {}

ProgressBar::~ProgressBar()
{
    if (shown_)
        terminal_ << "\r\033[K" << std::flush;
}

void ProgressBar::update(std::int64_t done)
{
    if (!shown_ && std::chrono::steady_clock::now() - start_ < std::chrono::seconds(1))
        return;
    shown_ = true;
    terminal_ << '\r' << progressLine(done, total_) << std::flush;
}

} // namespace pc::sim
