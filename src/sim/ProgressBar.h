// SPDX-License-Identifier: GPL-3.0-or-later
// A progress bar for a batch, drawn on one terminal line once the batch has
// taken more than a second, and wiped when it is done.
#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

namespace pc::sim {

// "[#########-----------]  45%  4500/10000" for a bar of 20 cells.
std::string progressLine(std::int64_t done, std::int64_t total);

class ProgressBar {
public:
    ProgressBar(std::ostream& terminal, std::int64_t total);
    ~ProgressBar();

    void update(std::int64_t done);

private:
    std::ostream& terminal_;
    std::int64_t total_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    bool shown_ = false;
};

} // namespace pc::sim
