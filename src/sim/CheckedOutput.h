// SPDX-License-Identifier: GPL-3.0-or-later
// A stream buffer over a file descriptor whose every write is checked: the
// first failure is kept, nothing more is written after it, and close() writes
// what is buffered, closes the descriptor and gives the failure's reason.
#pragma once

#include <array>
#include <streambuf>
#include <string>

namespace pc::sim {

class CheckedOutput final : public std::streambuf {
public:
    // `fd` is taken over; one that is not open fails at the first write.
    explicit CheckedOutput(int fd);
    ~CheckedOutput() override;
    CheckedOutput(const CheckedOutput&) = delete;
    CheckedOutput& operator=(const CheckedOutput&) = delete;

    // Writes what is buffered and closes the descriptor. Returns the system's
    // text for the first write, flush or close that failed, or an empty text.
    std::string close();

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool writeBuffered();

    int fd_;
    int error_ = 0;
    std::array<char, 65536> buffer_{};
};

} // namespace pc::sim
