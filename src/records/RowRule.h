// SPDX-License-Identifier: GPL-3.0-or-later
// The row rule shared by every table: row r >= 0 is the r-th record counting
// from 0, a negative row the last record, and a row at or past the end (or any
// row of an empty list) designates nothing.
#pragma once

#include <cstdint>

namespace pc {

template <typename Node>
Node* recordAt(Node* head, std::int32_t row)
{
    if (!head)
        return nullptr;
    Node* node = head;
    if (row < 0) {
        while (node->next)
            node = node->next;
        return node;
    }
    for (std::int32_t i = 0; i < row && node; ++i)
        node = node->next;
    return node;
}

template <typename Node>
std::int32_t countOf(const Node* head)
{
    std::int32_t count = 0;
    for (const Node* node = head; node; node = node->next)
        ++count;
    return count;
}

template <typename Node>
Node* lastOf(Node* head)
{
    return recordAt(head, -1);
}

} // namespace pc
