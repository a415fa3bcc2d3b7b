// SPDX-License-Identifier: GPL-3.0-or-later
// Splitting and cleaning of the text files the roster reads.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pc {

bool isValidUtf8(std::string_view text);

// The text without a leading byte-order mark and with every "\r\n" made "\n".
std::string withoutBomAndCr(std::string_view text);
// The same, copied into `storage` only when a "\r\n" has to go.
std::string_view withoutBomAndCr(std::string_view text, std::string& storage);

// The pieces between separators; n separators give n + 1 pieces.
std::vector<std::string_view> splitAt(std::string_view text, std::string_view separator);

// The first N pieces between separators, without allocating; `count` is the
// number of pieces, or N when there are N or more.
template <std::size_t N>
struct FirstPieces {
    std::array<std::string_view, N> pieces{};
    std::size_t count = 0;

    std::size_t size() const { return count; }
    std::string_view operator[](std::size_t i) const { return pieces[i]; }
};

template <std::size_t N>
FirstPieces<N> firstPieces(std::string_view text, char separator)
{
    FirstPieces<N> result;
    std::size_t start = 0;
    while (result.count < N) {
        const std::size_t found = text.find(separator, start);
        result.pieces[result.count++] = text.substr(start, found == std::string_view::npos ? found : found - start);
        if (found == std::string_view::npos)
            break;
        start = found + 1;
    }
    return result;
}

// The pieces between separators one by one, as splitAt gives them.
class PieceReader {
public:
    PieceReader(std::string_view text, char separator) : rest_(text), separator_(separator) {}

    // The next piece, or false once the last has been given.
    bool next(std::string_view& piece)
    {
        if (done_)
            return false;
        const std::size_t found = rest_.find(separator_);
        piece = rest_.substr(0, found);
        done_ = found == std::string_view::npos;
        if (!done_)
            rest_.remove_prefix(found + 1);
        return true;
    }

private:
    std::string_view rest_;
    char separator_;
    bool done_ = false;
};

} // namespace pc
