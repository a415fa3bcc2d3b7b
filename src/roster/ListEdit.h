// SPDX-License-Identifier: GPL-3.0-or-later
// The insert and delete buttons of the roster and of a character's attack
// list: records linked in and out of a singly linked list by the designated row.
#pragma once

#include "records/RowRule.h"

#include <cstdint>

namespace pc {

// Links `node` in front of the designated row, or at the end when that row is
// negative or past the end, and designates it. Returns its row.
template <typename Node>
std::int32_t insertAtDesignated(Node*& head, Node* node, std::int32_t& designated)
{
    const std::int32_t count = countOf(head);
    if (designated < 0 || designated >= count)
        designated = count;
    Node*& slot = designated == 0 ? head : recordAt(head, designated - 1)->next;
    node->next = slot;
    slot = node;
    return designated;
}

template <typename Node>
struct Deletion {
    Node* node = nullptr;     // the unlinked record; none when no row was designated
    std::int32_t row = -1;    // where it stood
};

// Unlinks the designated record and designates the row before it; row 0 stays
// designated. A negative row (a click below the rows) or a row past the end
// designates nothing, and nothing is unlinked.
template <typename Node>
Deletion<Node> deleteDesignated(Node*& head, std::int32_t& designated)
{
    if (designated < 0 || designated >= countOf(head))
        return {};
    const std::int32_t row = designated;
    Node*& slot = row == 0 ? head : recordAt(head, row - 1)->next;
    Node* node = slot;
    slot = node->next;
    node->next = nullptr;
    designated = row > 0 ? row - 1 : 0;
    return {node, row};
}

} // namespace pc
